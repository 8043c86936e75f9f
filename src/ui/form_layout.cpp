#include "ui/form_layout.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gw::ui {

QString labelNameFor(const QString& fieldName) {
  qsizetype prefix = 0;
  while (prefix < fieldName.size() && fieldName[prefix].isLower()) ++prefix;
  if (prefix == fieldName.size()) prefix = 0;
  return QStringLiteral("lb") + fieldName.mid(prefix);
}

QLabel* addLabelled(QFormLayout* form, QWidget* field, const QString& label, QWidget* buddy) {
  if (buddy == nullptr) buddy = field;
  auto* caption = new QLabel(label);
  caption->setObjectName(labelNameFor(buddy->objectName()));
  caption->setBuddy(buddy);
  form->addRow(caption, field);
  return caption;
}

QLineEdit* addLineEdit(QFormLayout* form, const QString& name, const QString& label) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  addLabelled(form, edit, label);
  return edit;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  for (QWidget* button : buttons) row->addWidget(button);
  return row;
}

}  // namespace gw::ui
