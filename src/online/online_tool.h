#pragma once
// An online tool: the model behind one topic of the "Online configuration" and "Reset" groups (date and time,
// the reports, tracing, voice messages, the login account, the resets, ...). The topic dispatcher runs its
// entry action when the topic is chosen and its leave action when another topic is chosen; everything else it
// does comes from its own page or window. A tool sees the program only through its OnlineContext.

#include <memory>
#include <vector>

#include "link/text_display.h"
#include "online/online_context.h"
#include "pages/control_set.h"
#include "pages/form_layout.h"

namespace gw {

// A tool with a page is a control model like a parameter page: its page is a layout table bound to the
// tool's controls (fields(), buttons()); a tool without a page has no controls.
class OnlineTool : public ControlSet {
 public:
  explicit OnlineTool(const OnlineContext& context)
      : ControlSet(context.host, context.captions, context.connection), ctx_(context) {}

  std::vector<NamedField> fields() override { return {}; }
  // The topic was chosen (its title and page, where it has them, already show). False ends the dispatch
  // there, as a topic that opens a window of its own does.
  virtual bool enter() { return true; }
  // A tool with a page: whether the page shows after enter() (the date/time page stays hidden when the
  // gateway's clock could not be read).
  virtual bool showsPage() const { return true; }
  // Another topic was chosen: stop what belongs to this topic (its page is hidden by the dispatcher).
  virtual void leave() {}

  // The link is about to close (Disconnect, a lost link, the program closing): stop what reads it.
  virtual void disconnecting() {}

  // Text views the window repaints in batches from the model ("mTracing"), by control name.
  struct NamedDisplay {
    const char* name;
    TextDisplay* display;
  };
  virtual std::vector<NamedDisplay> displays() { return {}; }

  // True while the tool talks to the gateway on its own (a poll, a serial reader thread): the keep-alive
  // then stays quiet.
  virtual bool keepsLinkBusy() const { return false; }

  // A tool whose page lives on a timer (a running clock, a poll) gives its period: the window calls tick()
  // that often while the page is shown and no other action talks to the gateway. 0: no timer.
  virtual int tickIntervalMs() const { return 0; }
  virtual void tick() {}

  OnlineContext& context() { return ctx_; }

 protected:
  OnlineContext ctx_;
};

struct ToolRegistration {
  int topicCaption;  // the topic's caption entry, which is also its identity
  // The page the topic shows ("pDateTime"); nullptr for a topic without a page (the resets, the windows of
  // their own).
  const char* pageName;
  // The page's layout table; nullptr for a topic without a page.
  const FormLayout& (*layout)();
  // The title bar shows the topic's caption when it is chosen.
  bool titled;
  std::unique_ptr<OnlineTool> (*make)(const OnlineContext& context);
};

// The online tools the program has, one row each.
const std::vector<ToolRegistration>& toolRegistry();

}  // namespace gw
