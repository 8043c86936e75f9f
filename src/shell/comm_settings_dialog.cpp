#include "shell/comm_settings_dialog.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/key_filters.h"
#include "base/text.h"

namespace gw {

namespace {
constexpr int kSerialItem = 0;
constexpr int kSerialLink = 1;
constexpr int kLanLink = 2;
}  // namespace

void CommSettingsDialog::activate(CommSettingsTarget& target, const std::vector<std::string>& serialPorts) {
  commTypeIndex = target.linkType == kLanLink ? 1 : kSerialItem;
  ports = serialPorts;
  target.portList = serialPorts;
  portsTouched_ = false;
  portIndex = ports.empty() ? -1 : 0;
  // A failed search empties the link's port so that the next connect scans every port; the port the user
  // chose is still stored, and the dialog shows that one rather than the first listed, so that OK does not
  // replace it.
  showsStoredPort_ = target.portName.empty() && !target.storedPort.empty();
  const std::string& shown = showsStoredPort_ ? target.storedPort : target.portName;
  if (!shown.empty()) {
    auto it = std::find(ports.begin(), ports.end(), shown);
    if (it == ports.end()) {
      // A port named by path is not in the system's listing (or not there now); it stays selectable.
      ports.push_back(shown);
      target.portList.push_back(shown);
      it = ports.end() - 1;
    }
    portIndex = static_cast<int>(it - ports.begin());
    auto inList = std::find(target.portList.begin(), target.portList.end(), shown);
    std::iter_swap(target.portList.begin(), inList);
  }
  target.linkType = commTypeIndex == kSerialItem ? kSerialLink : kLanLink;
  responseTime = std::to_string(target.timeoutMs);
  saveLog = target.saveLog;
  appendLog = target.appendLog;
}

void CommSettingsDialog::choosePort(const std::string& name) {
  auto it = std::find(ports.begin(), ports.end(), name);
  if (it == ports.end()) {
    ports.push_back(name);
    it = ports.end() - 1;
  }
  portIndex = static_cast<int>(it - ports.begin());
  touchPorts();
}

CommSettingsDialog::LinkTypeView CommSettingsDialog::linkTypeView() const {
  if (commTypeIndex == kSerialItem)
    return {cap::kSerialSettingsGroup, cap::kSerialSettingsLabel, true, false};
  return {cap::kLanSettingsGroup, cap::kLanSettingsLabel, false, true};
}

bool CommSettingsDialog::acceptResponseTimeKey(char c) {
  return acceptDigitKey(c);
}

bool CommSettingsDialog::ok(CommSettingsTarget& target) {
  target.linkType = commTypeIndex == kSerialItem ? kSerialLink : kLanLink;
  if (target.linkType == kSerialLink && !ports.empty() && (portsTouched_ || showsStoredPort_) &&
      portIndex >= 0 && portIndex < static_cast<int>(ports.size())) {
    const std::string chosen = ports[static_cast<std::size_t>(portIndex)];
    target.portName = chosen;
    target.portList = {chosen};
    for (const std::string& p : ports) {
      if (p != chosen) target.portList.push_back(p);
    }
  }
  Settings values;
  values.commType = target.linkType;
  values.gateway = target.gatewayName;
  values.comport = target.portName;
  values.saveLog = saveLog;
  values.append = appendLog;
  const CommSettingsWrite written = writeCommSettings(target.settingsPath, values, responseTime);
  if (written != CommSettingsWrite::FileError) target.storedPort = target.portName;
  if (written == CommSettingsWrite::BadTimeout) {
    host_.messageBox(
        Message{formatCaption(captions_.labelOr(cap::kNotAnInteger, "'%s' is not a valid integer value."),
                              {responseTime}),
                captions_.at(cap::kErrorTitle), MessageKind::Error, cap::kNotAnInteger, cap::kErrorTitle});
    return false;
  }
  target.timeoutMs = *toInt(responseTime);
  target.appendLog = appendLog;
  target.saveLog = saveLog;
  if (written == CommSettingsWrite::FileError) {
    host_.messageBox(Message{captions_.at(cap::kFileWriteFailed), captions_.at(cap::kErrorTitle),
                             MessageKind::Error, cap::kFileWriteFailed, cap::kErrorTitle});
  }
  return true;
}

void CommSettingsDialog::cancel(const CommSettingsTarget& target) {
  appendLog = target.appendLog;
  saveLog = target.saveLog;
}

}  // namespace gw
