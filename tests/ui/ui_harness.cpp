#include "ui_harness.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "base/files.h"
#include "base/program_folder.h"
#include "shell/captions_file.h"
#include "ui/demo_mode.h"
#include "ui/topic_tree.h"

namespace gw::test {

namespace {
constexpr const char* kHeardFile = "heard.txt";
constexpr int kDialogPollMs = 10;
constexpr int kDialogPolls = 300;

void pollForDialog(UiHarness* h, QString name, std::function<void(QWidget*)> act, int left) {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal->objectName() == name) {
    act(modal);
    return;
  }
  if (left == 0) {
    h->dialogMissed = true;
    return;
  }
  QTimer::singleShot(kDialogPollMs, [h, name, act, left] { pollForDialog(h, name, act, left - 1); });
}
}  // namespace

CaptionList shippedCaptions(int language) {
  return loadLabels(joinPath(GW_BIN_DIR, kLanguagesFile), language);
}

UiHarness::UiHarness(const std::vector<std::string>& simOptions, bool show) {
  std::vector<std::string> args = {"--tcp", "0", "--log", home.file(kHeardFile)};
  args.insert(args.end(), simOptions.begin(), simOptions.end());
  sim = std::make_unique<SimProcess>(GWSIM_PATH, args);
  if (!sim->ready()) {
    error_ = "gwsim: " + sim->error();
    return;
  }
  if (!ui::prepareDemoFolder(home.path(), GW_BIN_DIR, sim->tcpPort(), error_)) return;

  host.interceptor = [this](const Message& m) -> std::optional<Answer> {
    messages.push_back(m);
    if (m.kind != MessageKind::Question && m.kind != MessageKind::QuestionCancel) return Answer::Ok;
    if (answers.empty()) return Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  };
  program = std::make_unique<Program>(clock, host, home.path());
  window = std::make_unique<ui::TfMain>(*program, host);
  if (show) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
      error_ = "the main window was not exposed";
      return;
    }
  }
  ready_ = true;
}

UiHarness::~UiHarness() {
  window.reset();
  program.reset();
  sim.reset();
}

std::vector<int> UiHarness::labels() const {
  return labelsSince(0);
}

std::vector<int> UiHarness::labelsSince(std::size_t from) const {
  std::vector<int> result;
  for (std::size_t i = from; i < messages.size(); ++i) result.push_back(messages[i].textLabel);
  return result;
}

QAction* UiHarness::action(const char* name) const {
  return find<QAction>(name);
}

void UiHarness::trigger(const char* name) const {
  if (QAction* a = action(name)) a->trigger();
}

bool UiHarness::clickNode(const QString& text, const char* tree) const {
  auto* view = find<ui::TopicTree>(tree);
  if (view == nullptr) return false;
  QTreeWidgetItem* item = view->nodeOf(text);
  if (item == nullptr) return false;
  view->scrollToItem(item);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
  return true;
}

void UiHarness::click(const char* button) const {
  if (auto* b = find<QPushButton>(button)) QTest::mouseClick(b, Qt::LeftButton);
}

void UiHarness::type(const char* name, const QString& text) const {
  typeInto(window.get(), name, text);
}

void typeInto(QWidget* parent, const char* name, const QString& text) {
  auto* edit = in<QLineEdit>(parent, name);
  if (edit == nullptr) return;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

void pressOk(QWidget* dialog) {
  QTest::mouseClick(in<QPushButton>(dialog, "sbOk"), Qt::LeftButton);
}

void UiHarness::onDialog(const char* name, std::function<void(QWidget*)> act) {
  pollForDialog(this, QString::fromLatin1(name), std::move(act), kDialogPolls);
}

bool UiHarness::heardLine(const std::string& line) const {
  const std::vector<std::string> lines = heard();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> UiHarness::heard() const {
  std::vector<std::string> lines;
  std::string line;
  for (char c : readFile(logPath())) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace gw::test
