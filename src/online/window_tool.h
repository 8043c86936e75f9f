#pragma once
// A tool with a window of its own instead of a page (the diagnostic calls and actual calls windows). Its
// topic connects; when connected, the window opens over the main window, which stays disabled while it is
// open, polls the gateway once and then on the window's timer, and closes again by its OK button, its close
// box, polls that keep failing, or the link going away. A poll never starts while another exchange is under
// way, and never twice at once.

#include <functional>
#include <string>
#include <vector>

#include "online/online_tool.h"

namespace gw {

// How a poll ended.
enum class PollResult {
  Done,
  Failed,  // the gateway refused or answered something else
  Silent,  // the gateway did not answer, or the link is gone
  Closed,  // the window was closed while the poll waited
};

class WindowTool : public OnlineTool {
 public:
  using OnlineTool::OnlineTool;

  // What the desktop program builds the window from.
  struct WindowSpec {
    const char* name;  // the window's control name ("fDiag")
    CaptionText title;
    const FormLayout& (*layout)();
    const char* closeButton;  // the OK button ("sbOk"), below the layout
    const char* timer;        // the poll timer ("tDiag")
    // Texts the window shows beyond its layout and title (a chart's captions).
    std::vector<CaptionText> texts = {};
  };
  virtual const WindowSpec& window() const = 0;

  // Connects; when connected, opens the window and polls once.
  bool enter() override;
  // The link is about to close: the window closes (the disconnect says what happened).
  void disconnecting() override { formClose(); }
  // The window's timer: a poll, unless the window is closed or the link is busy.
  void tick() override;
  // FormClose (also the OK button): polling stops, the main window is enabled again, the window hides.
  void formClose();
  bool windowOpen() const { return open_; }
  // The open window's polls keep the link alive; a keep-alive probe between them would only hold one up.
  bool keepsLinkBusy() const override { return open_; }

  // Shows (true) or hides (false) the window; the desktop program sets it.
  std::function<void(bool)> onWindow;
  // A poll changed what the window shows: it repaints at once, before the poll goes on.
  std::function<void()> onChanged;

 protected:
  // The window's timer handler (tDiagTimer, tActualTimer).
  virtual void timerTick() = 0;
  // Repaints and processes what is pending between two exchanges of a poll; false when its window was
  // closed meanwhile.
  bool keepResponsive();
  // Sends a whole command.
  bool sendAll(std::string_view command);
  // What a failed exchange means: the gateway silent (or gone), or only refusing.
  PollResult failure();
  // The window has failed too often: it closes, and says why once — a silent gateway as a lost link.
  void giveUp();

  // Polls in a row that did not succeed.
  int failures_ = 0;

 private:
  bool busy() const;

  bool open_ = false;
  bool polling_ = false;
};

}  // namespace gw
