#include "base/recording_host.h"

namespace gw {

Answer RecordingHost::messageBox(const Message& message) {
  messages.push_back(message);
  events.push_back({"message", message.text, message.caption});
  const bool question = message.kind == MessageKind::Question || message.kind == MessageKind::QuestionCancel;
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return question ? Answer::No : Answer::Ok;
}

void RecordingHost::showProgress(const std::string& caption, const std::string& label) {
  progressShown = true;
  events.push_back({"progress", caption, label});
}

void RecordingHost::hideProgress() {
  progressShown = false;
  events.push_back({"hideProgress", "", ""});
}

void RecordingHost::showTransfer(const std::string& caption) {
  transferShown = true;
  transferSteps.clear();
  events.push_back({"transfer", caption, ""});
}

void RecordingHost::setTransferProgress(int percent) {
  transferSteps.push_back(percent);
}

void RecordingHost::hideTransfer() {
  transferShown = false;
  events.push_back({"hideTransfer", "", ""});
}

void RecordingHost::showConnecting(const std::string& caption, const std::string& label) {
  connectingShown = true;
  events.push_back({"connecting", caption, label});
}

void RecordingHost::hideConnecting() {
  connectingShown = false;
  events.push_back({"hideConnecting", "", ""});
}

void RecordingHost::showResetWindow(const std::string& caption, const std::string& label) {
  resetShown = true;
  events.push_back({"reset", caption, label});
}

void RecordingHost::hideResetWindow() {
  resetShown = false;
  events.push_back({"hideReset", "", ""});
}

void RecordingHost::showFirmProgress(const std::string& caption, const std::string& status,
                                     std::int64_t maximum) {
  firmShown = true;
  firmMaximum = maximum;
  firmStatus = status;
  events.push_back({"firm", caption, status});
}

void RecordingHost::setFirmProgress(const std::string& status, std::int64_t position) {
  firmStatus = status;
  firmSteps.push_back(position);
}

void RecordingHost::hideFirmProgress() {
  firmShown = false;
  events.push_back({"hideFirm", "", ""});
}

void RecordingHost::setMainEnabled(bool enabled) {
  mainEnabled = enabled;
  events.push_back({"enabled", enabled ? "1" : "0", ""});
}

void RecordingHost::setStatusPanel(int panel, const std::string& text) {
  if (panel >= 1 && panel <= 2) status[panel] = text;
  events.push_back({"status", text, std::to_string(panel)});
}

std::optional<std::string> RecordingHost::chooseOpenFile(const FileChoice& choice) {
  events.push_back({"openFile", choice.initialPath, choice.filter});
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

std::optional<std::string> RecordingHost::chooseSaveFile(const FileChoice& choice) {
  events.push_back({"saveFile", choice.initialPath, choice.filter});
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

std::optional<std::string> RecordingHost::inputLine(const std::string& caption, const std::string& prompt,
                                                    const std::string& initial) {
  events.push_back({"input", caption, prompt + "|" + initial});
  if (inputs.empty()) return std::nullopt;
  auto i = inputs.front();
  inputs.pop_front();
  return i;
}

bool RecordingHost::newGatewayDialog(GatewayFields& fields,
                                     const std::function<bool(GatewayFields&)>& accept) {
  events.push_back({"newGateway", fields.name, fields.host});
  while (!gatewayEntries.empty()) {
    auto entry = gatewayEntries.front();
    gatewayEntries.pop_front();
    if (!entry) return false;
    GatewayFields candidate = *entry;
    if (accept(candidate)) {
      fields = candidate;
      return true;
    }
  }
  return false;
}

std::vector<int> RecordingHost::messageLabels() const {
  std::vector<int> labels;
  for (const Message& m : messages) labels.push_back(m.textLabel);
  return labels;
}

void RecordingHost::clear() {
  events.clear();
  messages.clear();
}

}  // namespace gw
