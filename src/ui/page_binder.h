#pragma once
// Binds a page model to its widgets by name: show() copies every control's value and marks (enabled,
// visible, red, limits) to the widget of the same objectName; the user's edits go back through the page
// (editText, editChoice, editCheck, editNumber, leaveField), which reacts and is shown again. The widgets
// hold no page logic.

#include <QObject>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "pages/page.h"

class QWidget;

namespace gw::ui {

// A control the window names differently from its model (objectName, model field name).
struct FieldAlias {
  const char* widget;
  const char* field;
};

class PageBinder : public QObject {
  Q_OBJECT

 public:
  PageBinder(Page& page, QWidget* root, std::vector<FieldAlias> aliases = {});

  // Model to widgets.
  void show();
  // The widget bound to a model field, or null.
  QWidget* widgetOf(const std::string& field) const;

 signals:
  // The user changed a control (after the page took it).
  void edited();

 private:
  void bind(const NamedField& field, QWidget* widget);
  void showField(const NamedField& field, QWidget* widget) const;
  void showLabels(QWidget* widget) const;
  void userEdit(bool taken);

  Page& page_;
  QWidget* root_;
  std::map<std::string, QWidget*, std::less<>> widgets_;
};

}  // namespace gw::ui
