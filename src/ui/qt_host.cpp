#include "ui/qt_host.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include "base/caption_ids.h"
#include "base/text.h"
#include "ui/busy_windows.h"
#include "ui/firm_window.h"
#include "ui/new_gateway_window.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

struct BoxLook {
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton;
};

BoxLook boxLook(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return {QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok};
    case MessageKind::Warning:
      return {QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok};
    case MessageKind::Error:
      return {QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
    case MessageKind::Question:
      return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case MessageKind::QuestionCancel:
      return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
              QMessageBox::Yes};
  }
  return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok};
}

Answer answerOf(int button) {
  switch (button) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return Answer::Ok;
  }
}

// The buttons of a box in the current language, through the same captions as every dialog's buttons.
struct ButtonText {
  QMessageBox::StandardButton button;
  int caption;
  const char* englishDefault;
};
constexpr ButtonText kButtonTexts[] = {
    {QMessageBox::Ok, cap::kOkButton, "OK"},
    {QMessageBox::Cancel, cap::kCancelButton, "Cancel"},
    {QMessageBox::Yes, cap::kYesButton, "Yes"},
    {QMessageBox::No, cap::kNoButton, "No"},
};

void translateButtons(QMessageBox& box, const CaptionList* captions) {
  if (captions == nullptr) return;
  for (const ButtonText& b : kButtonTexts) {
    if (QAbstractButton* button = box.button(b.button)) {
      button->setText(mnemonicSafe(toQ(captions->labelOr(b.caption, b.englishDefault))));
    }
  }
}

std::optional<std::string> chosenPath(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return QFile::encodeName(path).toStdString();
}

}  // namespace

QString qtFileFilter(const std::string& filter) {
  const std::vector<std::string> parts = splitFields(filter, '|');
  QStringList filters;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    const QString description = toQ(trim(parts[i]));
    QString pattern = i + 1 < parts.size() ? toQ(trim(parts[i + 1])) : QString();
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (description.isEmpty() && pattern.isEmpty()) continue;
    if (description.contains(QLatin1Char('(')) || pattern.isEmpty()) {
      filters << description;
    } else {
      filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
  }
  return filters.join(QStringLiteral(";;"));
}

Answer QtHost::messageBox(const Message& message) {
  if (interceptor) {
    if (const std::optional<Answer> answer = interceptor(message)) return *answer;
  }
  const BoxLook look = boxLook(message.kind);
  QMessageBox box(look.icon, toQ(message.caption), toQ(message.text), look.buttons, windows_.main);
  box.setObjectName(QStringLiteral("messageBox"));
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(look.defaultButton);
  translateButtons(box, windows_.captions);
  return answerOf(box.exec());
}

void QtHost::showProgress(const std::string& caption, const std::string& label) {
  if (windows_.progress) windows_.progress->showText(toQ(caption), toQ(label));
}

void QtHost::hideProgress() {
  if (windows_.progress) windows_.progress->hide();
}

void QtHost::showTransfer(const std::string& caption) {
  if (!windows_.transfer) return;
  windows_.transfer->setPercent(0);
  windows_.transfer->showText(toQ(caption), QString());
}

void QtHost::setTransferProgress(int percent) {
  if (windows_.transfer) windows_.transfer->setPercent(percent);
}

void QtHost::hideTransfer() {
  if (windows_.transfer) windows_.transfer->hide();
}

void QtHost::showConnecting(const std::string& caption, const std::string& label) {
  if (windows_.connecting) windows_.connecting->showText(toQ(caption), toQ(label));
}

void QtHost::hideConnecting() {
  if (windows_.connecting) windows_.connecting->hide();
}

void QtHost::showResetWindow(const std::string& caption, const std::string& label) {
  if (windows_.reset) windows_.reset->showText(toQ(caption), toQ(label));
}

void QtHost::hideResetWindow() {
  if (windows_.reset) windows_.reset->hide();
}

void QtHost::showFirmProgress(const std::string& caption, const std::string& status, std::int64_t maximum) {
  if (windows_.firm) windows_.firm->start(toQ(caption), toQ(status), maximum);
}

void QtHost::setFirmProgress(const std::string& status, std::int64_t position) {
  if (windows_.firm) windows_.firm->step(toQ(status), position);
}

void QtHost::hideFirmProgress() {
  if (windows_.firm) windows_.firm->hide();
}

void QtHost::setCancel(std::function<void()> cancel) {
  if (windows_.progress) windows_.progress->setCancel(cancel);
  if (windows_.firm) windows_.firm->setCancel(cancel);
  if (windows_.connecting) windows_.connecting->setCancel(cancel);
}

void QtHost::setMainEnabled(bool enabled) {
  if (windows_.setMainEnabled) windows_.setMainEnabled(enabled);
}

void QtHost::setStatusPanel(int panel, const std::string& text) {
  if (windows_.setStatusPanel) windows_.setStatusPanel(panel, toQ(text));
}

std::optional<std::string> QtHost::chooseOpenFile(const FileChoice& choice) {
  return chosenPath(QFileDialog::getOpenFileName(windows_.main, toQ(choice.title), toQ(choice.initialPath),
                                                 qtFileFilter(choice.filter)));
}

std::optional<std::string> QtHost::chooseSaveFile(const FileChoice& choice) {
  return chosenPath(QFileDialog::getSaveFileName(windows_.main, toQ(choice.title), toQ(choice.initialPath),
                                                 qtFileFilter(choice.filter)));
}

std::optional<std::string> QtHost::inputLine(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(windows_.main, toQ(caption), toQ(prompt), QLineEdit::Normal, toQ(initial), &ok);
  if (!ok) return std::nullopt;
  return fromQ(text);
}

bool QtHost::newGatewayDialog(GatewayFields& fields, const std::function<bool(GatewayFields&)>& accept) {
  if (!windows_.newGateway) return false;
  return windows_.newGateway->run(fields, accept);
}

}  // namespace gw::ui
