#include "shell/gateway_dialogs.h"

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/key_filters.h"
#include "base/text.h"
#include "shell/settings.h"

namespace gw {

namespace {
Message errorBox(const CaptionList& captions, int text) {
  return Message{captions.at(text), captions.at(cap::kErrorTitle), MessageKind::Error, text,
                 cap::kErrorTitle};
}
}  // namespace

NewGatewayDialog::NewGatewayDialog(GatewaySelection& selection, Host& host, const CaptionList& captions)
    : selection_(selection), host_(host), captions_(captions) {}

void NewGatewayDialog::open(Mode mode, const GatewayFields& fields) {
  mode_ = mode;
  fields_ = fields;
  editedName_ = fields.name;
  fileByHand_ = false;
  changedSelected_ = false;
}

void NewGatewayDialog::openNew() {
  const std::string name = "Gate";
  open(Mode::New,
       GatewayFields{name, "", std::to_string(kDefaultLanPort), std::to_string(kDefaultFirmwarePort), "", "",
                     proposedParameterFile(selection_.programFolder(), name)});
}

bool NewGatewayDialog::openEdit(const std::string& name) {
  const auto entry = GatewayFile(selection_.gatewaysPath()).read(name);
  if (!entry) return false;
  open(Mode::Edit, GatewayFields{name, entry->host, entry->port, entry->fwPort, entry->user, entry->password,
                                 entry->file.value_or("")});
  return true;
}

int NewGatewayDialog::captionIndex() const {
  return mode_ == Mode::New ? cap::kNewGatewayTitle : cap::kEditGatewayTitle;
}

void NewGatewayDialog::nameChanged(const std::string& name) {
  fields_.name = name;
  if (!fileByHand_) fields_.file = proposedParameterFile(selection_.programFolder(), name);
}

bool NewGatewayDialog::leaveAddress() {
  if (validIp(fields_.host)) return true;
  host_.messageBox(errorBox(captions_, cap::kInvalidIp));
  return false;
}

bool NewGatewayDialog::fail(int caption) {
  host_.messageBox(errorBox(captions_, caption));
  return false;
}

bool NewGatewayDialog::ok() {
  const GatewayFields& f = fields_;
  if (f.name.empty() || f.name == kUnnamedGateway) return fail(cap::kNameInvalid);
  if (!usableGatewayName(f.name)) return fail(cap::kNameCharacters);
  if (f.port.empty()) return fail(cap::kPortEmpty);
  if (f.user.empty()) return fail(cap::kUserEmpty);
  if (f.password.empty()) return fail(cap::kPasswordEmpty);
  if (f.file.empty()) return fail(cap::kFileEmpty);
  if (f.fwPort.empty()) return fail(cap::kFirmwarePortEmpty);
  if (f.host.empty()) return fail(cap::kAddressEmpty);
  const GatewayFile file(selection_.gatewaysPath());
  if (!file.readable()) return fail(cap::kGatewaysFileFailed);
  if (mode_ == Mode::New && file.has(f.name)) return fail(cap::kGatewayExists);
  const auto port = toInt(f.port);
  const auto fwPort = toInt(f.fwPort);
  if (!port || !fwPort) return fail(cap::kPortNotNumber);

  if (!file.write(f.name, GatewayEntry{f.host, f.port, f.fwPort, f.user, f.password, f.file})) {
    return fail(cap::kGatewaysFileFailed);
  }

  // The dialog's values reach the selected record only when they describe it: the record the LAN connect
  // asked for, or the selected gateway itself edited under its own name. Copying another gateway's address
  // and password under the selected gateway's name would connect to the wrong device.
  TGateway record{f.name, f.host, *port, f.user, f.password, f.file, *fwPort};
  changedSelected_ = false;
  if (adoptOnOk_) {
    selection_.adopt(record);
    changedSelected_ = true;
  } else if (mode_ == Mode::Edit && equalsNoCase(f.name, selection_.selected().name) &&
             equalsNoCase(editedName_, f.name)) {
    record.name = selection_.selected().name;
    selection_.selected() = record;
    changedSelected_ = true;
  }
  makeFolders(joinPath(selection_.programFolder(), f.name));
  return true;
}

GatewayListDialog::GatewayListDialog(GatewaySelection& selection, NewGatewayDialog& editor, Host& host,
                                     const CaptionList& captions)
    : selection_(selection), editor_(editor), host_(host), captions_(captions) {}

void GatewayListDialog::activate() {
  items_ = GatewayFile(selection_.gatewaysPath()).names();
  if (selected_ >= static_cast<int>(items_.size())) selected_ = -1;
}

std::optional<std::string> GatewayListDialog::selectedName() const {
  if (selected_ < 0 || selected_ >= static_cast<int>(items_.size())) return std::nullopt;
  return items_[static_cast<std::size_t>(selected_)];
}

void GatewayListDialog::newGateway() {
  editor_.setAdoptOnOk(false);
  editor_.openNew();
}

bool GatewayListDialog::editGateway() {
  const auto name = selectedName();
  if (!name) return false;
  editor_.setAdoptOnOk(false);
  return editor_.openEdit(*name);
}

void GatewayListDialog::editorAccepted() {
  const int before = selected_;
  activate();
  if (editor_.mode() == NewGatewayDialog::Mode::New) {
    selected_ = static_cast<int>(items_.size()) - 1;
  } else {
    selected_ = before < static_cast<int>(items_.size()) ? before : -1;
  }
}

bool GatewayListDialog::removeGateway() {
  const auto name = selectedName();
  if (!name) return false;
  GatewayFile(selection_.gatewaysPath()).remove(*name);
  if (equalsNoCase(*name, selection_.selected().name)) selection_.selectUnnamedGateway();
  items_.erase(items_.begin() + selected_);
  selected_ = -1;
  return true;
}

bool GatewayListDialog::removeAll() {
  const Answer answer =
      host_.messageBox(Message{captions_.at(cap::kRemoveAllQuestion), captions_.at(cap::kQuestionTitle),
                               MessageKind::Question, cap::kRemoveAllQuestion, cap::kQuestionTitle});
  if (answer != Answer::Yes) return false;
  items_.clear();
  selected_ = -1;
  GatewayFile(selection_.gatewaysPath()).removeAll();
  selection_.selectUnnamedGateway();
  return true;
}

bool GatewayListDialog::selectGateway() {
  const auto name = selectedName();
  if (!name) return false;
  selection_.selectGateway(*name);
  return true;
}

bool GatewayListDialog::connectGateway() {
  if (!selectGateway()) return false;
  if (connectCommand) connectCommand();
  return true;
}

bool InsertIpDialog::acceptAddressKey(char c) {
  return acceptIpKey(c);
}

bool InsertIpDialog::acceptDigitsKey(char c) {
  return acceptDigitKey(c);
}

bool InsertIpDialog::ok() {
  if (validIp(address)) return true;
  host_.messageBox(errorBox(captions_, cap::kInvalidIp));
  address.clear();
  return false;
}

}  // namespace gw
