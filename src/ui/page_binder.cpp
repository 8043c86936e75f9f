#include "ui/page_binder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTreeWidget>
#include <algorithm>

#include "base/caption_ids.h"
#include "ui/edit_behaviour.h"
#include "ui/palette.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

constexpr int kNoLengthLimit = 32767;  // QLineEdit's own default

QString qName(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void showMark(QWidget* widget, bool marked) {
  if (widget->property("marked").toBool() == marked) return;
  widget->setProperty("marked", marked);
  widget->setStyleSheet(marked ? markedFieldStyle() : QString());
}

// The program's own texts are UTF-8, the gateway's Latin-1.
QString shownText(const TextField& field) {
  return field.utf8 ? toQ(field.text) : fromGateway(field.text);
}

void showText(const TextField& field, QLineEdit* edit) {
  const QString text = shownText(field);
  if (edit->text() != text) {
    // The model may have dropped typed characters: the cursor stays where the user was typing.
    const int removed = static_cast<int>(edit->text().size() - text.size());
    const int cursor = edit->cursorPosition() - std::max(0, removed);
    edit->setText(text);
    edit->setCursorPosition(std::clamp(cursor, 0, static_cast<int>(text.size())));
  }
  edit->setMaxLength(field.maxLength > 0 ? field.maxLength : kNoLengthLimit);
  showMark(edit, field.marked);
}

void showMemo(const TextField& field, QPlainTextEdit* memo) {
  const QString text = shownText(field);
  if (memo->toPlainText() != text) memo->setPlainText(text);
  showMark(memo, field.marked);
}

QStringList itemTexts(const ChoiceField& field, const CaptionList& captions) {
  QStringList items;
  for (std::size_t i = 0; i < field.items.size(); ++i) {
    const std::string& item = field.items[i];
    if (i < field.itemCaptions.size()) {
      const QString suffix = i < field.itemSuffixes.size() ? fromGateway(field.itemSuffixes[i]) : QString();
      items << toQ(captions.labelOr(field.itemCaptions[i], item)) + suffix;
    } else {
      items << (field.firstItemCaption == kNoCaption
                    ? fromGateway(item)
                    : toQ(captions.labelOr(field.firstItemCaption + static_cast<int>(i), item)));
    }
  }
  return items;
}

void showCombo(const QStringList& items, int index, QComboBox* combo) {
  const QSignalBlocker quiet(combo);
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  if (shown != items) {
    combo->clear();
    combo->addItems(items);
  }
  combo->setCurrentIndex(index);
}

void showTabs(const QStringList& items, int index, QTabBar* tabs) {
  const QSignalBlocker quiet(tabs);
  while (tabs->count() > items.size()) tabs->removeTab(tabs->count() - 1);
  for (int i = 0; i < items.size(); ++i) {
    if (i < tabs->count()) {
      tabs->setTabText(i, items[i]);
    } else {
      tabs->addTab(items[i]);
    }
  }
  tabs->setCurrentIndex(index);
}

void showNumber(const NumberField& field, QSpinBox* spin) {
  const QSignalBlocker quiet(spin);
  spin->setRange(field.min, std::max(field.min, field.max));
  spin->setValue(field.value);
  showMark(spin, field.marked);  // the style reaches the spin edit's own line edit
}

void showTrack(const NumberField& field, QSlider* slider) {
  const QSignalBlocker quiet(slider);
  slider->setRange(field.min, std::max(field.min, field.max));
  slider->setValue(field.value);
}

void showList(const ListField& field, QListWidget* list) {
  const QSignalBlocker quiet(list);
  QStringList items;
  for (const std::string& item : field.items) items << fromGateway(item);
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
  if (shown != items) {
    list->clear();
    list->addItems(items);
  }
  list->setCurrentRow(field.selected);
}

// A cell as the list view shows it: a gateway text, or the caption of its code in a coded column.
QString cellText(const TableField& field, std::size_t column, const std::string& cell,
                 const CaptionList& captions) {
  for (const CodedColumn& coded : field.coded) {
    if (coded.column != column) continue;
    for (const CodedCell& c : coded.cells) {
      if (c.code == cell) return toQ(captions.labelOr(c.caption, c.text));
    }
  }
  return fromGateway(cell);
}

QStringList rowTexts(const TableField& field, const std::vector<std::string>& row,
                     const CaptionList& captions) {
  QStringList texts;
  for (std::size_t c = 0; c < row.size(); ++c) texts << cellText(field, c, row[c], captions);
  return texts;
}

bool rowShown(const QStringList& row, const QTreeWidgetItem* item) {
  for (int c = 0; c < row.size(); ++c) {
    if (item->text(c) != row[c]) return false;
  }
  return true;
}

// Rows are rebuilt only where they differ, so the list keeps its place when nothing in it changed.
void showTable(const TableField& field, QTreeWidget* table, const CaptionList& captions) {
  const QSignalBlocker quiet(table);
  const int rows = static_cast<int>(field.items.size());
  while (table->topLevelItemCount() > rows) delete table->takeTopLevelItem(table->topLevelItemCount() - 1);
  for (int r = 0; r < rows; ++r) {
    const QStringList row = rowTexts(field, field.items[static_cast<std::size_t>(r)], captions);
    QTreeWidgetItem* item = table->topLevelItem(r);
    if (item == nullptr) item = new QTreeWidgetItem(table);
    if (rowShown(row, item)) continue;
    for (int c = 0; c < table->columnCount(); ++c) item->setText(c, QString());
    for (int c = 0; c < row.size(); ++c) item->setText(c, row[c]);
  }
  if (field.hasSelection()) {
    table->setCurrentItem(table->topLevelItem(field.selected));
  } else {
    table->setCurrentItem(nullptr);
    table->clearSelection();
  }
}

}  // namespace

PageBinder::PageBinder(ControlSet& model, QWidget* root, const CaptionList& captions)
    : QObject(root), model_(model), root_(root), captions_(captions) {
  for (const NamedField& field : model_.fields()) bind(field);
}

QWidget* PageBinder::widgetOf(const std::string& field) const {
  const auto it = widgets_.find(field);
  return it == widgets_.end() ? nullptr : it->second;
}

void PageBinder::userEdit(bool taken) {
  show();
  if (taken) emit edited();
}

void PageBinder::problem(const std::string& name, const char* what) {
  problems_.push_back(name + ": " + what);
}

void PageBinder::bindText(const std::string& name, const TextField& field, QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    if (field.pattern != EntryPattern::Free) {
      // Typed over in place: the model takes each key and says where the cursor goes.
      attachMaskedInput(edit, [this, name](char key, int caret) {
        int cursor = caret;
        if (model_.typeOver(name, key, cursor)) userEdit(true);
        return cursor;
      });
      return;
    }
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit, name] { userEdit(model_.editText(name, toGateway(edit->text()))); });
    if (field.mask != nullptr) {
      const InputMask* mask = field.mask;
      attachMaskedInput(edit, [this, name, mask](char key, int caret) {
        const TextField* current = findField<TextField>(model_.fields(), name);
        const MaskedText typed = maskKeyPress(*mask, {current->text, caret}, key);
        if (typed.text != current->text) userEdit(model_.editText(name, typed.text));
        return typed.caret;
      });
    }
    if (field.ipAddress) {
      onLeave(edit, [this, name] {
        const bool good = model_.leaveField(name);
        show();
        return good;
      });
    }
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, name] {
      if (toGateway(memo->toPlainText()) == findField<TextField>(model_.fields(), name)->text) return;
      userEdit(model_.editText(name, toGateway(memo->toPlainText())));
    });
  } else if (qobject_cast<QLabel*>(widget) != nullptr) {
    // A text the model writes and the user only reads (a level in dB beside its track bar).
  } else {
    problem(name, "is not a text field");
  }
}

void PageBinder::bindRadio(const std::string& name, const RadioField& field) {
  for (std::size_t i = 0; i < field.buttons.size(); ++i) {
    auto* button = root_->findChild<QRadioButton*>(QString::fromStdString(field.buttons[i]));
    if (button == nullptr) {
      problem(field.buttons[i], "radio button is missing");
      continue;
    }
    widgets_.emplace(field.buttons[i], button);
    connect(button, &QRadioButton::clicked, this,
            [this, name, index = static_cast<int>(i)] { userEdit(model_.editChoice(name, index)); });
  }
}

void PageBinder::bind(const NamedField& field) {
  const std::string name(field.name);
  if (auto* const* radio = std::get_if<RadioField*>(&field.field)) {
    bindRadio(name, **radio);
    return;
  }
  QWidget* widget = root_->findChild<QWidget*>(qName(field.name));
  if (widget == nullptr) {
    problem(name, "has no widget");
    return;
  }
  widgets_.emplace(name, widget);
  if (auto* const* text = std::get_if<TextField*>(&field.field)) {
    bindText(name, **text, widget);
  } else if (std::holds_alternative<ChoiceField*>(field.field)) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      connect(combo, &QComboBox::activated, this,
              [this, name](int index) { userEdit(model_.editChoice(name, index)); });
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
      connect(tabs, &QTabBar::tabBarClicked, this, [this, name](int index) {
        if (index >= 0) userEdit(model_.editChoice(name, index));
      });
    } else if (qobject_cast<QLabel*>(widget) == nullptr) {  // a label shows the chosen item's text
      problem(name, "is not a drop-down list, tab control or label");
    }
  } else if (std::holds_alternative<CheckField*>(field.field)) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      connect(box, &QCheckBox::clicked, this,
              [this, name](bool on) { userEdit(model_.editCheck(name, on)); });
    } else {
      problem(name, "is not a check box");
    }
  } else if (std::holds_alternative<NumberField*>(field.field)) {
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
      connect(spin, &QSpinBox::valueChanged, this,
              [this, name](int value) { userEdit(model_.editNumber(name, value)); });
    } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
      connect(slider, &QSlider::valueChanged, this,
              [this, name](int value) { userEdit(model_.editNumber(name, value)); });
    } else {
      problem(name, "is not a spin edit or track bar");
    }
  } else if (std::holds_alternative<ListField*>(field.field)) {
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
      connect(list, &QListWidget::currentRowChanged, this,
              [this, name](int row) { userEdit(model_.selectRow(name, row)); });
    } else {
      problem(name, "is not a list box");
    }
  } else if (std::holds_alternative<CaptionField*>(field.field)) {
    if (qobject_cast<QAbstractButton*>(widget) == nullptr && qobject_cast<QLabel*>(widget) == nullptr)
      problem(name, "is not a button or label");
  } else if (std::holds_alternative<TableField*>(field.field)) {
    if (auto* table = qobject_cast<QTreeWidget*>(widget)) {
      connect(table, &QTreeWidget::currentItemChanged, this, [this, name, table](QTreeWidgetItem* item) {
        userEdit(model_.selectRow(name, item != nullptr ? table->indexOfTopLevelItem(item) : kNoSelection));
      });
    } else {
      problem(name, "is not a list view");
    }
  }
}

void PageBinder::show() {
  for (const NamedField& field : model_.fields()) {
    if (auto* const* radio = std::get_if<RadioField*>(&field.field)) {
      for (std::size_t i = 0; i < (*radio)->buttons.size(); ++i) {
        auto* button = qobject_cast<QRadioButton*>(widgetOf((*radio)->buttons[i]));
        if (button == nullptr) continue;
        const QSignalBlocker quiet(button);
        if ((*radio)->texts.size() == (*radio)->buttons.size()) {
          const CaptionText& own = (*radio)->texts[i];
          button->setText(mnemonicSafe(toQ(captions_.labelOr(own.caption, own.text))));
        }
        button->setChecked(static_cast<int>(i) == (*radio)->index);
        button->setEnabled((*radio)->enabled);
        button->setVisible((*radio)->visible);
      }
      continue;
    }
    if (QWidget* widget = widgetOf(std::string(field.name))) showField(field, widget);
  }
}

void PageBinder::showField(const NamedField& field, QWidget* widget) const {
  if (auto* const* text = std::get_if<TextField*>(&field.field)) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) showText(**text, edit);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) showMemo(**text, memo);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(shownText(**text));
  } else if (auto* const* choice = std::get_if<ChoiceField*>(&field.field)) {
    const QStringList items = itemTexts(**choice, captions_);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) showCombo(items, (*choice)->index, combo);
    if (auto* tabs = qobject_cast<QTabBar*>(widget)) showTabs(items, (*choice)->index, tabs);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(items.value((*choice)->index));
  } else if (auto* const* check = std::get_if<CheckField*>(&field.field)) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      const QSignalBlocker quiet(box);
      box->setChecked((*check)->checked);
    }
  } else if (auto* const* number = std::get_if<NumberField*>(&field.field)) {
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) showNumber(**number, spin);
    if (auto* slider = qobject_cast<QSlider*>(widget)) showTrack(**number, slider);
  } else if (auto* const* list = std::get_if<ListField*>(&field.field)) {
    if (auto* box = qobject_cast<QListWidget*>(widget)) showList(**list, box);
  } else if (auto* const* table = std::get_if<TableField*>(&field.field)) {
    if (auto* view = qobject_cast<QTreeWidget*>(widget)) showTable(**table, view, captions_);
  } else if (auto* const* own = std::get_if<CaptionField*>(&field.field)) {
    const QString text = toQ(captions_.labelOr((*own)->text.caption, (*own)->text.text));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(mnemonicSafe(text));
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
  }
  const FieldView& view = viewOf(field.field);
  widget->setEnabled(view.enabled);
  widget->setVisible(view.visible);
  showLabels(widget);
}

void PageBinder::showDiffering(const std::vector<std::string>& names, const CaptionList& captions) {
  const QString hint =
      toQ(captions.labelOr(cap::kDifferencesTitle, "Differences between the parameter file and the gateway"));
  for (const NamedField& field : model_.fields()) {
    QWidget* widget = widgetOf(std::string(field.name));
    if (widget == nullptr) continue;
    QWidget* shown = widget;
    for (QLabel* label : root_->findChildren<QLabel*>()) {
      if (label->buddy() == widget) shown = label;
    }
    // A line edit shows its own red mark; without a label of its own it stays as it is.
    if (shown == widget &&
        (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<QSpinBox*>(widget) != nullptr))
      continue;
    const bool differs = std::find(names.begin(), names.end(), field.name) != names.end();
    if (shown->property("differs").toBool() == differs) continue;
    shown->setProperty("differs", differs);
    shown->setStyleSheet(differs ? differingFieldStyle() : QString());
    shown->setToolTip(differs ? hint : QString());
  }
}

// A control's label goes with it: hidden and disabled together.
void PageBinder::showLabels(QWidget* widget) const {
  for (QLabel* label : root_->findChildren<QLabel*>()) {
    if (label->buddy() == widget) {
      label->setVisible(!widget->isHidden());
      label->setEnabled(widget->isEnabled());
    } else if (label->property("hintOf").toString() == widget->objectName()) {
      label->setVisible(!widget->isHidden());
    }
  }
}

}  // namespace gw::ui
