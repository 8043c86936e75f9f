#pragma once
// The widgets of a page or record dialog, built from its layout table: rows of group boxes that share the
// width evenly, each a grid of label-and-field pairs, every control under its design name. The captions of
// the current language go on the same widgets from the same table.

#include <QString>
#include <functional>
#include <string>

#include "base/captions.h"
#include "pages/form_layout.h"

class QWidget;
class QVBoxLayout;

namespace gw::ui {

// Adds the layout's rows to `rows`, whose widget is the parent of every control. `pressed` runs when a
// button of the layout is clicked, or a list whose row is double-clicked names a button. True when a row
// grows with the window (it holds a list view).
bool buildForm(QVBoxLayout* rows, const FormLayout& layout,
               const std::function<void(const std::string& button)>& pressed);

// labelOr of every caption the layout gives: group titles, field labels, hints, own texts, list columns.
void applyFormCaptions(QWidget* root, const FormLayout& layout, const CaptionList& captions);

// The name of the hint label after a field.
QString hintNameFor(const QString& fieldName);

}  // namespace gw::ui
