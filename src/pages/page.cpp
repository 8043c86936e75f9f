#include "pages/page.h"

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "paramfile/parameter_file.h"
#include "shell/gateway.h"

namespace gw {

namespace {
constexpr const char* kEmptyIpAddress = "0.0.0.0";
}  // namespace

void Page::loadDefaults() {
  loadParameterFile(ctx_.image, defaultsPath(), traits_.section, ctx_.host, ctx_.captions);
  loadFile();
  setModified();
}

bool Page::editText(std::string_view name, std::string text) {
  TextField* field = findField<TextField>(fields(), name);
  if (!field) return false;
  if (field->maxLength > 0 && text.size() > static_cast<std::size_t>(field->maxLength)) {
    text.resize(static_cast<std::size_t>(field->maxLength));
  }
  field->set(std::move(text));
  setModified();
  edited(name);
  return true;
}

bool Page::editChoice(std::string_view name, int index) {
  ChoiceField* field = findField<ChoiceField>(fields(), name);
  if (!field || !field->select(index)) return false;
  setModified();
  edited(name);
  return true;
}

bool Page::editCheck(std::string_view name, bool checked) {
  CheckField* field = findField<CheckField>(fields(), name);
  if (!field) return false;
  field->checked = checked;
  setModified();
  edited(name);
  return true;
}

bool Page::editNumber(std::string_view name, int value) {
  NumberField* field = findField<NumberField>(fields(), name);
  if (!field) return false;
  field->set(value);
  setModified();
  edited(name);
  return true;
}

bool Page::leaveField(std::string_view name) {
  TextField* field = findField<TextField>(fields(), name);
  if (!field || !field->ipAddress) return true;
  return ipFieldExit(*field);
}

void Page::appendError(std::string_view line, Repeat repeat) {
  gw::appendError(errorList(), line, repeat);
}

bool Page::readDump(std::string_view command, std::string& dump) {
  return readRegisterDump(ctx_.link, command, dump);
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

bool Page::requireText(std::initializer_list<TextField*> required) {
  bool good = true;
  for (TextField* field : required) {
    if (!field->text.empty()) continue;
    field->marked = true;
    good = false;
  }
  return good;
}

bool Page::ipFieldExit(TextField& field) {
  if (field.text.empty()) {
    field.set(kEmptyIpAddress);
    return true;
  }
  if (validIp(field.text)) return true;
  ctx_.host.messageBox(Message{ctx_.captions.at(cap::kInvalidIp), ctx_.captions.at(cap::kErrorTitle),
                               MessageKind::Error, cap::kInvalidIp, cap::kErrorTitle});
  return false;
}

std::string Page::defaultsPath() const {
  return joinPath(ctx_.selection.programFolder(), kDefaultsFile);
}

}  // namespace gw
