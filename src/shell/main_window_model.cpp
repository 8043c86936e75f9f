#include "shell/main_window_model.h"

#include <algorithm>

#include "shell/edition.h"

namespace gw {

namespace {

struct StateRow {
  const char* control;
  bool enabledWhenConnected;
};
// Commands whose state follows the link: enabled while disconnected (first group) or while connected.
constexpr StateRow kLinkStates[] = {
    {"mConnect", false},   {"tbConnect", false},   {"mCommSett", false}, {"mGatewayList", false},
    {"mDisconnect", true}, {"tbDisconnect", true}, {"tbTerminal", true},
};
// Enabled after a disconnect; a connect leaves them as they are.
constexpr const char* kEnabledByDisconnect[] = {"tbLoadGate", "tbSaveGate"};
// Disabled while the terminal or tracing runs.
constexpr const char* kTerminalBlocks[] = {"tbLoadGate", "tbSaveGate", "mLoad", "mSave"};

}  // namespace

MainWindowModel::MainWindowModel() {
  linkStateChanged(false);
  // The glossary tab shows only once the edition is known to be Orvale.
  setVisible("tsAlfa", false);
}

bool MainWindowModel::enabled(std::string_view control) const {
  const auto it = enabled_.find(control);
  return it == enabled_.end() || it->second;
}

bool MainWindowModel::visible(std::string_view control) const {
  const auto it = visible_.find(control);
  return it == visible_.end() || it->second;
}

void MainWindowModel::setEnabled(std::string_view control, bool on) {
  enabled_[std::string(control)] = on;
}

void MainWindowModel::setVisible(std::string_view control, bool on) {
  visible_[std::string(control)] = on;
}

void MainWindowModel::linkStateChanged(bool connected) {
  for (const StateRow& row : kLinkStates) setEnabled(row.control, row.enabledWhenConnected == connected);
  if (!connected) {
    for (const char* control : kEnabledByDisconnect) setEnabled(control, true);
    terminalVisible = false;
    terminalRuns_ = false;  // a disconnect ends the terminal and tracing
    tracingRuns_ = false;
  }
  if (!connected) onlineImage = kImageOnlineDisconnected;
  notify();
}

void MainWindowModel::connectAttempted() {
  onlineImage = kImageOnlineConnected;
  notify();
}

void MainWindowModel::terminalRunning(bool running) {
  terminalRuns_ = running;
  terminalVisible = running;
  showWholeGatewayCommands();
}

void MainWindowModel::tracingRunning(bool running) {
  tracingRuns_ = running;
  showWholeGatewayCommands();
}

void MainWindowModel::showWholeGatewayCommands() {
  for (const char* control : kTerminalBlocks) setEnabled(control, !terminalRuns_ && !tracingRuns_);
  notify();
}

void MainWindowModel::applyEdition(bool kestrinEdition) {
  for (const HiddenControls& group : kestrinHiddenControls()) {
    if (group.page != "menus and toolbar") continue;
    for (std::string_view control : group.controls) setVisible(control, !kestrinEdition);
  }
  setVisible("tsAlfa", !kestrinEdition);
  setVisible("tvAlpha", !kestrinEdition);
  notify();
}

std::vector<MainWindowModel::TreeNode> MainWindowModel::topicTree(const CaptionList& captions,
                                                                  bool kestrinEdition) const {
  std::vector<TreeNode> nodes;
  for (const TopicGroupNode& group : topicGroups()) {
    nodes.push_back(
        {group.caption, captions.labelOr(group.caption, group.englishDefault), true, kImageGroup});
    for (const Topic& topic : topicsOf(group.group, kestrinEdition)) {
      const int image = group.group == TopicGroup::Online ? onlineImage : kImageTopic;
      nodes.push_back({topic.caption, captions.labelOr(topic.caption, topic.englishDefault), false, image});
    }
  }
  return nodes;
}

std::vector<MainWindowModel::TreeNode> MainWindowModel::glossary(const CaptionList& captions,
                                                                 bool kestrinEdition) const {
  std::vector<TreeNode> nodes;
  for (const TreeNode& node : topicTree(captions, kestrinEdition)) {
    if (!node.group) nodes.push_back({node.caption, node.text, false, kImageTopic});
  }
  std::sort(nodes.begin(), nodes.end(), [](const TreeNode& a, const TreeNode& b) { return a.text < b.text; });
  return nodes;
}

}  // namespace gw
