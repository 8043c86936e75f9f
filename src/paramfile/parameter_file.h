#pragma once
// The gateway parameter file: moves sections between the image TParametres and an INI file. The page defaults
// file "defaults.ini" has the same form, so the pages' "Defaults" is a load of it.
//
// A save loads the file once, changes its keys in memory (other lines stay as they were) and writes it once,
// atomically. A load reads each masked section as one unit: the first missing required field or number that
// does not convert ends that section, the image keeps what the section had stored so far, the section is
// reported once, and the next section is read. A missing file reads as a file without keys.

#include <functional>
#include <optional>
#include <string>

#include "base/clock.h"
#include "base/ini_file.h"
#include "paramfile/param_section.h"
#include "paramfile/parametres.h"

namespace gw {

class Host;
class IniFile;
class CaptionList;

// Told about each section that could not be read, with the message the user is to see.
using SectionErrorSink = std::function<void(ParamSection section, const std::string& text)>;

// The section steps over a file's text in memory, as the two functions below run them between reading and
// writing the file.
void writeParameterSections(const TParametres& image, IniFile& ini, SectionMask mask);
bool readParameterSections(TParametres& image, const IniFile& ini, SectionMask mask,
                           const SectionErrorSink& onError = {});

// Writes the "Gateway" section and every section of `mask`. False when the file could not be read (it would
// lose its other lines) or not be written; the previous file is then left as it was.
// With `keepPreviousAt`, the file as it was goes to the history folder beside it first (when the save changes
// it), stamped with that time.
bool saveParameterFile(const TParametres& image, const std::string& path, SectionMask mask,
                       const std::optional<LocalTime>& keepPreviousAt = std::nullopt);

// The "Gateway" section and every section of `mask` written into `ini` in memory, as a save writes them.
void writeParameterSections(const TParametres& image, IniFile& ini, SectionMask mask);

// Reads the "Gateway" section (when the file has one) and every section of `mask` into `image`. Each section
// that fails goes to `onError`. False when a section failed or when the file exists but cannot be read; in
// the latter case the image is left untouched, and a file too large to be read goes to `onError` once, as
// section All with kIniFileTooLargeText.
bool loadParameterFile(TParametres& image, const std::string& path, SectionMask mask,
                       const SectionErrorSink& onError = {});

// The same, showing each failed section to the user in an error box.
bool loadParameterFile(TParametres& image, const std::string& path, SectionMask mask, Host& host,
                       const CaptionList& captions);

// The message of a section that could not be read; empty for All or a value that is not one section.
const std::string& sectionErrorText(ParamSection section);

// The error box of a failed section: the text under caption label 47 ("Error" when that label is empty).
void showSectionError(Host& host, const CaptionList& captions, const std::string& text);
// A sink that shows that box; `host` and `captions` must outlive it.
SectionErrorSink sectionErrorBoxes(Host& host, const CaptionList& captions);

}  // namespace gw
