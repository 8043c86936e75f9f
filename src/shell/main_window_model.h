#pragma once
// The main window's state as the program logic sees it: which page shows, the title bar, which commands are
// enabled, the topic tree's node images and the terminal display. The Qt window draws it and calls
// `changed` hooks; gwctl keeps it without drawing.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/captions.h"
#include "shell/caption_table.h"

namespace gw {

// Node images of the topic tree.
inline constexpr int kImageGroup = 0;
inline constexpr int kImageGroupExpanded = 1;
inline constexpr int kImageTopic = 2;
inline constexpr int kImageOnlineConnected = 3;  // after a connect attempt
inline constexpr int kImageOnlineDisconnected = 4;

class MainWindowModel {
 public:
  MainWindowModel();

  // The page shown (its control name, "pSystem"), or "" while none is.
  std::string page;
  // The title bar lbMain.
  std::string title;
  bool terminalVisible = false;
  // Node image of every online topic.
  int onlineImage = kImageOnlineDisconnected;

  bool enabled(std::string_view control) const;
  bool visible(std::string_view control) const;
  void setEnabled(std::string_view control, bool on);
  void setVisible(std::string_view control, bool on);

  // The states of the window's table: start and after Disconnect, connected, terminal running.
  void linkStateChanged(bool connected);
  void terminalRunning(bool running);
  // Tracing disables the same commands as the terminal; they come back once neither runs.
  void tracingRunning(bool running);
  // The online topics' image after a connect attempt, connected or not.
  void connectAttempted();
  // Kestrin hides the tools it lacks (menu items, toolbar button, log display) and the glossary.
  void applyEdition(bool kestrinEdition);
  bool glossaryVisible() const { return visible("tsAlfa"); }

  // The topic tree for the edition: the group nodes, each followed by its topics.
  struct TreeNode {
    int caption;
    std::string text;
    bool group;
    int image;
  };
  std::vector<TreeNode> topicTree(const CaptionList& captions, bool kestrinEdition) const;
  // The glossary: every topic of the edition in alphabetical order of its text.
  std::vector<TreeNode> glossary(const CaptionList& captions, bool kestrinEdition) const;

  // Called after any change, so the window can redraw.
  std::function<void()> changed;
  void notify() const {
    if (changed) changed();
  }

 private:
  void showWholeGatewayCommands();

  bool terminalRuns_ = false;
  bool tracingRuns_ = false;
  std::map<std::string, bool, std::less<>> enabled_;
  std::map<std::string, bool, std::less<>> visible_;
};

}  // namespace gw
