#include "ui/page_binder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "ui/edit_behaviour.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

constexpr int kNoLengthLimit = 32767;  // QLineEdit's own default
const QString kMarkedStyle =
    QStringLiteral("QLineEdit { background: #ffebee; border: 1px solid #e53935; border-radius: 3px; }");

QString widgetName(const std::vector<FieldAlias>& aliases, std::string_view field) {
  for (const FieldAlias& alias : aliases) {
    if (field == alias.field) return QString::fromLatin1(alias.widget);
  }
  return QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size()));
}

void showText(const TextField& field, QLineEdit* edit) {
  const QString text = fromGateway(field.text);
  if (edit->text() != text) edit->setText(text);
  edit->setMaxLength(field.maxLength > 0 ? field.maxLength : kNoLengthLimit);
  if (edit->property("marked").toBool() != field.marked) {
    edit->setProperty("marked", field.marked);
    edit->setStyleSheet(field.marked ? kMarkedStyle : QString());
  }
}

void showChoice(const ChoiceField& field, QComboBox* combo) {
  const QSignalBlocker quiet(combo);
  QStringList items;
  for (const std::string& item : field.items) items << toQ(item);
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  if (shown != items) {
    combo->clear();
    combo->addItems(items);
  }
  combo->setCurrentIndex(field.index);
}

void showNumber(const NumberField& field, QSpinBox* spin) {
  const QSignalBlocker quiet(spin);
  spin->setRange(field.min, std::max(field.min, field.max));
  spin->setValue(field.value);
}

const FieldView& viewOf(const FieldRef& ref) {
  return std::visit([](auto* field) -> const FieldView& { return *field; }, ref);
}

}  // namespace

PageBinder::PageBinder(Page& page, QWidget* root, std::vector<FieldAlias> aliases)
    : QObject(root), page_(page), root_(root) {
  for (const NamedField& field : page_.fields()) {
    QWidget* widget = root_->findChild<QWidget*>(widgetName(aliases, field.name));
    if (widget == nullptr) continue;
    widgets_.emplace(std::string(field.name), widget);
    bind(field, widget);
  }
}

QWidget* PageBinder::widgetOf(const std::string& field) const {
  const auto it = widgets_.find(field);
  return it == widgets_.end() ? nullptr : it->second;
}

void PageBinder::userEdit(bool taken) {
  show();
  if (taken) emit edited();
}

void PageBinder::bind(const NamedField& field, QWidget* widget) {
  const std::string name(field.name);
  if (auto* const* text = std::get_if<TextField*>(&field.field)) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (edit == nullptr) return;
    attachKeyFilter(edit, (*text)->filter);
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit, name] { userEdit(page_.editText(name, toGateway(edit->text()))); });
    if ((*text)->ipAddress) {
      onLeave(edit, [this, name] {
        const bool good = page_.leaveField(name);
        show();
        return good;
      });
    }
  } else if (std::holds_alternative<ChoiceField*>(field.field)) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      connect(combo, &QComboBox::activated, this,
              [this, name](int index) { userEdit(page_.editChoice(name, index)); });
    }
  } else if (std::holds_alternative<CheckField*>(field.field)) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      connect(box, &QCheckBox::clicked, this, [this, name](bool on) { userEdit(page_.editCheck(name, on)); });
    }
  } else if (std::holds_alternative<NumberField*>(field.field)) {
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
      connect(spin, &QSpinBox::valueChanged, this,
              [this, name](int value) { userEdit(page_.editNumber(name, value)); });
    }
  }
}

void PageBinder::show() {
  for (const NamedField& field : page_.fields()) {
    if (QWidget* widget = widgetOf(std::string(field.name))) showField(field, widget);
  }
}

void PageBinder::showField(const NamedField& field, QWidget* widget) const {
  if (auto* const* text = std::get_if<TextField*>(&field.field)) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) showText(**text, edit);
  } else if (auto* const* choice = std::get_if<ChoiceField*>(&field.field)) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) showChoice(**choice, combo);
  } else if (auto* const* check = std::get_if<CheckField*>(&field.field)) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      const QSignalBlocker quiet(box);
      box->setChecked((*check)->checked);
    }
  } else if (auto* const* number = std::get_if<NumberField*>(&field.field)) {
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) showNumber(**number, spin);
  }
  const FieldView& view = viewOf(field.field);
  widget->setEnabled(view.enabled);
  widget->setVisible(view.visible);
  showLabels(widget);
}

// A control's label goes with it: hidden and disabled together.
void PageBinder::showLabels(QWidget* widget) const {
  for (QLabel* label : root_->findChildren<QLabel*>()) {
    if (label->buddy() != widget) continue;
    label->setVisible(!widget->isHidden());
    label->setEnabled(widget->isEnabled());
  }
}

}  // namespace gw::ui
