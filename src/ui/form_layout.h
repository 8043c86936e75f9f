#pragma once
// Small helpers the windows share to lay out labelled fields and button rows.

#include <QString>
#include <initializer_list>

class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace gw::ui {

// A line edit named `name`, added to `form` after a label that names it as its buddy (so the caption
// table's field label rows find the label by the field).
QLineEdit* addLineEdit(QFormLayout* form, const QString& name, const QString& label);
// A row of `form`: a label and `field`. The label's buddy is `buddy` (the field itself when null) and its
// name follows the buddy's: "edName" gets "lbName".
QLabel* addLabelled(QFormLayout* form, QWidget* field, const QString& label, QWidget* buddy = nullptr);
QString labelNameFor(const QString& fieldName);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text);
// A row of buttons pushed to the right.
QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons);

}  // namespace gw::ui
