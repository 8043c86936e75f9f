#include "ui/tool_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "base/caption_ids.h"
#include "ui/form_builder.h"
#include "ui/form_layout.h"
#include "ui/page_binder.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr int kWindowMargin = 12;
// A memo shows a line of the gateway's console whole.
constexpr int kMemoColumns = 80;
constexpr int kMemoPadding = 4;
}  // namespace

ToolWindow::ToolWindow(WindowTool& tool, const CaptionList& captions, QWidget* parent)
    : QDialog(parent), tool_(tool), captions_(captions) {
  const WindowTool::WindowSpec& spec = tool.window();
  setObjectName(QString::fromLatin1(spec.name));
  setModal(false);  // the tool disables the main window itself, as the progress window does

  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(kWindowMargin, kWindowMargin, kWindowMargin, kWindowMargin);
  buildForm(rows, spec.layout(), [this](const std::string& button) { press(button); });
  // The memo or the chart takes the height the window is given.
  views_ = new QVBoxLayout;
  rows->addLayout(views_);
  QPushButton* ok = makeButton(this, QString::fromLatin1(spec.closeButton), QStringLiteral("OK"));
  connect(ok, &QPushButton::clicked, this, [this, name = std::string(spec.closeButton)] { press(name); });
  rows->addLayout(buttonRow({ok}));

  // What the gateway sends is read here, never typed.
  for (QPlainTextEdit* memo : findChildren<QPlainTextEdit*>()) {
    memo->setReadOnly(true);
    memo->setMinimumWidth(memo->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                          (kMemoColumns + kMemoPadding));
  }

  binder_ = new PageBinder(tool_, this, captions_);
  timer_ = new QTimer(this);
  timer_->setObjectName(QString::fromLatin1(spec.timer));
  timer_->setInterval(tool_.tickIntervalMs());
  connect(timer_, &QTimer::timeout, this, [this] { tool_.tick(); });

  tool_.onWindow = [this](bool open) {
    if (!open) {
      hide();
      return;
    }
    showModel();
    show();
    raise();
    activateWindow();
  };
  tool_.onChanged = [this] { showModel(); };
  setLabels();
}

ToolWindow::~ToolWindow() {
  tool_.onWindow = nullptr;
  tool_.onChanged = nullptr;
}

void ToolWindow::addView(QWidget* view, std::function<void()> repaint, std::function<void()> relabel) {
  views_->addWidget(view, 1);
  extra_.push_back({std::move(repaint), std::move(relabel)});
  if (extra_.back().relabel) extra_.back().relabel();
}

void ToolWindow::press(const std::string& button) {
  tool_.click(button);
  if (tool_.windowOpen()) showModel();
}

void ToolWindow::showModel() {
  binder_->show();
  for (const View& view : extra_) {
    if (view.repaint) view.repaint();
  }
}

void ToolWindow::setLabels() {
  const WindowTool::WindowSpec& spec = tool_.window();
  setWindowTitle(toQ(captions_.labelOr(spec.title.caption, spec.title.text)));
  applyFormCaptions(this, spec.layout(), captions_);
  if (auto* ok = findChild<QPushButton*>(QString::fromLatin1(spec.closeButton)))
    ok->setText(mnemonicSafe(toQ(captions_.labelOr(cap::kOkButton, "OK"))));
  for (const View& view : extra_) {
    if (view.relabel) view.relabel();
  }
  binder_->show();
}

void ToolWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  timer_->start();
}

void ToolWindow::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  timer_->stop();
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  tool_.formClose();
  event->accept();
}

void ToolWindow::reject() {
  tool_.formClose();
  hide();
}

}  // namespace gw::ui
