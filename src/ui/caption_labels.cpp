#include "ui/caption_labels.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "ui/qt_text.h"

namespace gw::ui {

namespace {

QString name(const char* control) {
  return QString::fromLatin1(control);
}

void setMenuItem(QWidget* form, const QString& control, const QString& text) {
  if (auto* menu = form->findChild<QMenu*>(control)) {
    menu->setTitle(mnemonicSafe(text));
  } else if (auto* action = form->findChild<QAction*>(control)) {
    action->setText(mnemonicSafe(text));
  }
}

void setText(QWidget* form, const QString& control, const QString& text) {
  QObject* target = form->findChild<QWidget*>(control);
  if (target == nullptr) target = form->findChild<QAction*>(control);
  if (auto* button = qobject_cast<QAbstractButton*>(target)) {
    button->setText(mnemonicSafe(text));
  } else if (auto* box = qobject_cast<QGroupBox*>(target)) {
    box->setTitle(mnemonicSafe(text));
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(label->buddy() ? mnemonicSafe(text) : text);
  } else if (auto* action = qobject_cast<QAction*>(target)) {
    action->setText(mnemonicSafe(text));
  }
}

void setFieldLabel(QWidget* form, const QString& control, const QString& text) {
  QWidget* field = form->findChild<QWidget*>(control);
  if (field == nullptr) return;
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->buddy() == field) label->setText(mnemonicSafe(text));
  }
}

void setListItem(QWidget* form, const QString& control, int item, const QString& text) {
  auto* combo = form->findChild<QComboBox*>(control);
  if (combo != nullptr && item >= 0 && item < combo->count()) combo->setItemText(item, text);
}

void setTab(QWidget* form, const QString& control, int item, const QString& text) {
  auto* tabs = form->findChild<QTabWidget*>(control);
  if (tabs != nullptr && item >= 0 && item < tabs->count()) tabs->setTabText(item, mnemonicSafe(text));
}

void setPageTab(QWidget* form, const QString& control, const QString& text) {
  QWidget* sheet = form->findChild<QWidget*>(control);
  if (sheet == nullptr) return;
  for (QWidget* up = sheet->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
      const int index = tabs->indexOf(sheet);
      if (index >= 0) tabs->setTabText(index, mnemonicSafe(text));
      return;
    }
  }
}

void setColumn(QWidget* form, const QString& control, int item, const QString& text) {
  if (auto* tree = form->findChild<QTreeWidget*>(control)) {
    if (item >= 0 && item < tree->columnCount()) tree->headerItem()->setText(item, text);
  } else if (auto* table = form->findChild<QTableWidget*>(control)) {
    if (QTableWidgetItem* header = table->horizontalHeaderItem(item)) header->setText(text);
  }
}

void setHint(QWidget* form, const QString& control, const QString& text) {
  if (QWidget* widget = form->findChild<QWidget*>(control)) {
    widget->setToolTip(text);
  } else if (auto* action = form->findChild<QAction*>(control)) {
    action->setToolTip(text);
  }
}

void applyRow(QWidget* form, std::string_view formName, const CaptionRow& row, const QString& text) {
  const QString control = name(row.control);
  switch (row.property) {
    case CaptionProperty::WindowTitle:
      if (formName == row.control) form->setWindowTitle(text);
      return;
    case CaptionProperty::MenuItem:
      setMenuItem(form, control, text);
      return;
    case CaptionProperty::Text:
      setText(form, control, text);
      return;
    case CaptionProperty::FieldLabel:
      setFieldLabel(form, control, text);
      return;
    case CaptionProperty::ListItem:
      setListItem(form, control, row.item, text);
      return;
    case CaptionProperty::TreeNode:
      return;
    case CaptionProperty::Tab:
      setTab(form, control, row.item, text);
      return;
    case CaptionProperty::PageTab:
      setPageTab(form, control, text);
      return;
    case CaptionProperty::Column:
      setColumn(form, control, row.item, text);
      return;
    case CaptionProperty::Hint:
      setHint(form, control, text);
      return;
  }
}

}  // namespace

void applyCaptionRows(QWidget* form, std::string_view formName, const std::vector<CaptionRow>& rows,
                      const CaptionList& captions, CaptionState state) {
  for (const CaptionRow& row : rows) {
    if (formName != row.form || !rowApplies(row, state)) continue;
    applyRow(form, formName, row, toQ(captionText(row, captions)));
  }
}

void applyCaptions(QWidget* form, std::string_view formName, const CaptionList& captions,
                   CaptionState state) {
  applyCaptionRows(form, formName, captionTable(), captions, state);
}

}  // namespace gw::ui
