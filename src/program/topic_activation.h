#pragma once
// Choosing a topic: one dispatcher that hides every page but the chosen one, stops what belongs to the topic
// being left, and runs the chosen topic's entry action. A topic is recognised by its caption text, so the
// tree, the glossary and the menu items lead to the same topic in every language.

#include <functional>
#include <string>
#include <vector>

#include "shell/main_window_model.h"

namespace gw {

class Program;

class TopicActivation {
 public:
  TopicActivation(Program& program, MainWindowModel& window);

  struct Handler {
    // Runs when the topic is chosen. Returning false ends the dispatch there (the checks after it are
    // skipped, as for the topics that open a window of their own).
    std::function<bool()> enter;
    // Runs when another topic is chosen.
    std::function<void()> leave;
  };

  // Gives a topic of the dispatch table its handler; topics without one are not offered by the dispatcher.
  void setHandler(int caption, Handler handler);
  // A topic that shows a page: title, currentTopic and the page; leaving hides it. `onEnter` runs after the
  // title is set, `onLeave` before the page hides; `showPage`, when given, decides after onEnter whether the
  // page shows at all (otherwise no page shows).
  void setPageTopic(int caption, std::string page, std::function<void()> onEnter = {},
                    std::function<void()> onLeave = {}, std::function<bool()> showPage = {});
  bool hasHandler(int caption) const;

  // tvTopicClick: clears the title and the current topic, then dispatches.
  void tvTopicClick(const std::string& nodeText);
  // tvAlphaClick: dispatches directly.
  void tvAlphaClick(const std::string& nodeText) { activateTopic(nodeText); }
  void activateTopic(const std::string& nodeText);

  // The topic's text as the tree shows it.
  std::string topicText(int caption) const;
  // Shows the title of `caption` and makes it the current topic.
  void enterTitle(int caption);

  // The dispatch order of the topic captions.
  static const std::vector<int>& dispatchOrder();

 private:
  struct Slot {
    int caption;
    Handler handler;
  };

  Program& program_;
  MainWindowModel& window_;
  std::vector<Slot> slots_;
};

}  // namespace gw
