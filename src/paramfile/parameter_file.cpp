#include "paramfile/parameter_file.h"

#include <array>

#include "base/caption_ids.h"
#include "base/captions.h"
#include "base/files.h"
#include "base/host.h"
#include "base/ini_file.h"
#include "paramfile/file_history.h"
#include "paramfile/file_sections.h"

namespace gw {

namespace {

struct SectionStep {
  ParamSection section;
  void (*write)(const TParametres&, IniFile&);
  bool (*read)(TParametres&, const IniFile&);
  std::string message;  // shown when the section cannot be read
};

// In the order sections are written and read.
const std::array<SectionStep, 11>& sectionSteps() {
  static const std::array<SectionStep, 11> steps{{
      {ParamSection::System, pfile::writeSystem, pfile::readSystem,
       "Error during reading system parametres from gate file, other parametres may be loaded succesfuly."},
      {ParamSection::Ethernet, pfile::writeEthernet, pfile::readEthernet,
       "Error during reading ethernet parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::GsmBasic, pfile::writeGsmBasic, pfile::readGsmBasic,
       "Error during reading GSM basic parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::Groups, pfile::writeGroups, pfile::readGroups,
       "Error during reading Group assignment parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::Outgoing, pfile::writeOutgoing, pfile::readOutgoing,
       "Error during reading Outgoing groups parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::Incoming, pfile::writeIncoming, pfile::readIncoming,
       "Error during reading Incoming groups parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::Network, pfile::writeNetwork, pfile::readNetwork,
       "Error during reading Network list parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::Autorouting, pfile::writeAutorouting, pfile::readAutorouting,
       "Error during reading Autorouting table parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::Extension, pfile::writeExtension, pfile::readExtension,
       "Error during reading Mobility Extension table parametres from gate file, other parametres may be "
       "loaded "
       "succesfuly.."},
      {ParamSection::Lcr, pfile::writeLcr, pfile::readLcr,
       "Error during reading LCR table parametres from gate file, other parametres may be loaded "
       "succesfuly.."},
      {ParamSection::Holidays, pfile::writeHolidays, pfile::readHolidays,
       "Error during reading Holiday parametres from gate file, other parametres may be loaded succesfuly.."},
  }};
  return steps;
}

}  // namespace

void writeParameterSections(const TParametres& image, IniFile& ini, SectionMask mask) {
  pfile::writeGateway(image, ini);
  for (const SectionStep& step : sectionSteps()) {
    if (hasSection(mask, step.section)) step.write(image, ini);
  }
}

bool saveParameterFile(const TParametres& image, const std::string& path, SectionMask mask,
                       const std::optional<LocalTime>& keepPreviousAt) {
  IniFile ini = IniFile::load(path);
  if (!ini.ok()) return false;
  writeParameterSections(image, ini, mask);
  // A save that changes nothing leaves no history entry: the history holds versions, not saves. The previous
  // version must be safe before the file is replaced, or the save does not happen.
  if (keepPreviousAt && ini.existed() && readFileBytes(path) != ini.text() &&
      keepInHistory(path, *keepPreviousAt).empty()) {
    return false;
  }
  return ini.save();
}

bool readParameterSections(TParametres& image, const IniFile& ini, SectionMask mask,
                           const SectionErrorSink& onError) {
  pfile::readGateway(image, ini);
  bool allRead = true;
  for (const SectionStep& step : sectionSteps()) {
    if (!hasSection(mask, step.section) || step.read(image, ini)) continue;
    allRead = false;
    if (onError) onError(step.section, step.message);
  }
  return allRead;
}

bool loadParameterFile(TParametres& image, const std::string& path, SectionMask mask,
                       const SectionErrorSink& onError) {
  const IniFile ini = IniFile::load(path);
  if (!ini.ok()) {
    if (ini.tooLarge() && onError) onError(ParamSection::All, kIniFileTooLargeText);
    return false;
  }
  return readParameterSections(image, ini, mask, onError);
}

bool loadParameterFile(TParametres& image, const std::string& path, SectionMask mask, Host& host,
                       const CaptionList& captions) {
  return loadParameterFile(image, path, mask, sectionErrorBoxes(host, captions));
}

const std::string& sectionErrorText(ParamSection section) {
  static const std::string none;
  for (const SectionStep& step : sectionSteps()) {
    if (step.section == section) return step.message;
  }
  return none;
}

void showSectionError(Host& host, const CaptionList& captions, const std::string& text) {
  host.messageBox(
      Message{text, captions.labelOr(cap::kErrorTitle, "Error"), MessageKind::Error, -1, cap::kErrorTitle});
}

SectionErrorSink sectionErrorBoxes(Host& host, const CaptionList& captions) {
  return
      [&host, &captions](ParamSection, const std::string& text) { showSectionError(host, captions, text); };
}

}  // namespace gw
