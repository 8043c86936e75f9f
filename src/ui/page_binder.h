#pragma once
// Binds a control model (a page or a record dialog) to its widgets by name: show() copies every control's
// value and marks (enabled, visible, red, limits, list items in the current language) to the widget of the
// same objectName; the user's edits go back through the model (editText, editChoice, editCheck, editNumber,
// selectRow, leaveField), which filters, reacts and is shown again. The widgets hold no page logic.

#include <QObject>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "base/captions.h"
#include "pages/control_set.h"

class QWidget;

namespace gw::ui {

class PageBinder : public QObject {
  Q_OBJECT

 public:
  PageBinder(ControlSet& model, QWidget* root, const CaptionList& captions);

  // Model to widgets.
  void show();
  // Marks the label of each control named (the control itself when it has none) as holding a value the
  // gateway does not hold; the others lose the mark.
  void showDiffering(const std::vector<std::string>& names, const CaptionList& captions);
  // The widget bound to a model control, or null.
  QWidget* widgetOf(const std::string& field) const;
  // Model controls whose widget is missing or of a kind that cannot show them: empty when every control
  // is bound.
  const std::vector<std::string>& problems() const { return problems_; }

 signals:
  // The user changed a control (after the model took it).
  void edited();

 private:
  void bind(const NamedField& field);
  void bindText(const std::string& name, const TextField& field, QWidget* widget);
  void bindRadio(const std::string& name, const RadioField& field);
  void showField(const NamedField& field, QWidget* widget) const;
  void showLabels(QWidget* widget) const;
  void userEdit(bool taken);
  void problem(const std::string& name, const char* what);

  ControlSet& model_;
  QWidget* root_;
  const CaptionList& captions_;
  std::map<std::string, QWidget*, std::less<>> widgets_;
  std::vector<std::string> problems_;
};

}  // namespace gw::ui
