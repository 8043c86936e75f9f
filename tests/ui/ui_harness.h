#pragma once
// One real desktop program for a UI test: a demo program folder of its own, a gwsim on a free port (with the
// test's extra options and a log of every line it heard), the program and its main window, shown offscreen.
// Message boxes are recorded and answered from a script instead of showing.

#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/host.h"
#include "program/program.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/qt_clock.h"
#include "ui/qt_host.h"

// Ends a UI test whose simulator or folder could not be set up, saying why.
#define REQUIRE_READY(h) QVERIFY2((h).ready(), (h).error().c_str())

class QAction;
class QTreeWidgetItem;

namespace gw::test {

class UiHarness {
 public:
  explicit UiHarness(const std::vector<std::string>& simOptions = {}, bool show = true);
  ~UiHarness();

  // False (with the reason in error()) when the simulator or the folder could not be set up.
  bool ready() const { return ready_; }
  const std::string& error() const { return error_; }

  TempDir home;
  std::unique_ptr<SimProcess> sim;
  ui::QtClock clock;
  ui::QtHost host;
  std::unique_ptr<Program> program;
  std::unique_ptr<ui::TfMain> window;

  // Script and record of the message boxes. Questions take the next scripted answer, or No.
  std::deque<Answer> answers;
  std::vector<Message> messages;
  std::vector<int> labels() const;
  // Messages shown since the mark.
  std::size_t mark() const { return messages.size(); }
  std::vector<int> labelsSince(std::size_t mark) const;

  template <class W>
  W* find(const char* name) const {
    return window->findChild<W*>(QString::fromLatin1(name));
  }
  QAction* action(const char* name) const;
  void trigger(const char* name) const;
  // Clicks the node of tvTopic (or tvAlpha) whose text is `text`; false when there is none.
  bool clickNode(const QString& text, const char* tree = "tvTopic") const;
  void click(const char* button) const;
  // Replaces the text of a line edit by typing (so the key filter and the page see it).
  void type(const char* edit, const QString& text) const;

  // Runs `act` once the modal dialog named `name` shows (it is then running its own loop); false is
  // recorded in `dialogMissed` when it never shows.
  void onDialog(const char* name, std::function<void(QWidget*)> act);
  bool dialogMissed = false;

  // The command lines gwsim heard, in order.
  std::vector<std::string> heard() const;
  bool heardLine(const std::string& line) const;
  std::string logPath() const { return home.file("heard.txt"); }

 private:
  bool ready_ = false;
  std::string error_;
};

// A control of a dialog or window by its object name.
template <class W>
W* in(QWidget* parent, const char* name) {
  return parent->findChild<W*>(QString::fromLatin1(name));
}
// Replaces the text of the line edit `name` by typing (so its key filter and the model see it).
void typeInto(QWidget* parent, const char* name, const QString& text);
void pressOk(QWidget* dialog);

// The caption list of a language as the program loads it.
CaptionList shippedCaptions(int language);

}  // namespace gw::test
