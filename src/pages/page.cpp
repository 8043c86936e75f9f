#include "pages/page.h"

#include "base/files.h"
#include "base/program_folder.h"
#include "pages/page_actions.h"
#include "paramfile/parameter_file.h"

namespace gw {

PageButtonNames pageButtonNames(const PageTraits& traits) {
  const std::string stem = std::string("sb") + traits.buttonStem;
  return PageButtonNames{stem + "Load", stem + "Save", stem + "Default", stem + "SaveFile"};
}

void Page::loadDefaults() {
  loadParameterFile(ctx_.image, defaultsPath(), traits_.section, ctx_.host, ctx_.captions);
  loadFile();
  setModified();
}

std::vector<ControlSet::Button> Page::buttons() {
  const PageButtonNames names = pageButtonNames(traits_);
  std::vector<Button> all = {
      {names.load, [this] { loadFromGateClick(*this); }},
      {names.save, [this] { saveToGateClick(*this); }},
  };
  if (traits_.hasDefaults) all.push_back({names.defaults, [this] { defaultsClick(*this); }});
  all.push_back({names.saveFile, [this] { saveToFileClick(*this); }});
  return all;
}

void Page::appendError(std::string_view line, Repeat repeat) {
  gw::appendError(errorList(), line, repeat);
}

bool Page::readDump(std::string_view command, std::string& dump, std::size_t capacity) {
  return readRegisterDump(ctx_.link, command, dump, capacity);
}

std::string Page::writeRegister(std::string_view command, std::string_view errorText) {
  return gw::writeRegister(ctx_.link, command, errorText, errorList());
}

std::string Page::writeRegister(std::string_view command, const WriteErrors& errors) {
  return gw::writeRegister(ctx_.link, command, errors, errorList());
}

void Page::sendCollectError(std::string_view command, std::string_view errorText) {
  ctx_.link.sendCollectError(command, kReplyBufferSize, errorList(), errorText);
}

std::string Page::fieldOrDefault(const std::vector<std::string>& fields, std::size_t i,
                                 std::string_view description, std::string_view fallback, Repeat repeat) {
  return gw::fieldOrDefault(fields, i, description, fallback, errorList(), repeat);
}

int Page::numberOrDefault(const std::vector<std::string>& fields, std::size_t i, std::string_view description,
                          int fallback, Repeat repeat) {
  return gw::numberOrDefault(fields, i, description, fallback, errorList(), repeat);
}

void Page::loadRegisters(const RegisterTable& table, std::string_view dump) {
  gw::loadRegisters(table, fields(), dump, errorList());
}

void Page::saveRegisters(const RegisterTable& table) {
  gw::saveRegisters(ctx_.link, table, fields(), RegisterWalk{errorList(), kestrin(), ctx_.lanLink()});
}

std::string Page::defaultsPath() const {
  return joinPath(ctx_.selection.programFolder(), kDefaultsFile);
}

}  // namespace gw
