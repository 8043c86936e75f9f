#pragma once
// The window of an online tool that has one of its own instead of a page (TfDiag, TfActual): its controls
// built from the tool's layout table and bound to the tool by name, an OK button below them, and the poll
// timer that ticks the tool while the window shows. The tool decides when the window opens and closes;
// closing it by its close box or Esc goes through the tool as OK does.

#include <QDialog>
#include <functional>
#include <vector>

#include "base/captions.h"
#include "online/window_tool.h"

class QTimer;
class QVBoxLayout;

namespace gw::ui {

class PageBinder;

class ToolWindow : public QDialog {
  Q_OBJECT

 public:
  ToolWindow(WindowTool& tool, const CaptionList& captions, QWidget* parent);
  ~ToolWindow() override;

  // A view of the tool's model that no layout table describes (the diagnostic window's chart), placed
  // below the controls: it is repainted and relabelled with them.
  void addView(QWidget* view, std::function<void()> repaint, std::function<void()> relabel);

  // Model to widgets.
  void showModel();
  // The captions of the current language.
  void setLabels();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  struct View {
    std::function<void()> repaint;
    std::function<void()> relabel;
  };

  void press(const std::string& button);

  WindowTool& tool_;
  const CaptionList& captions_;
  QVBoxLayout* views_ = nullptr;
  QTimer* timer_ = nullptr;
  PageBinder* binder_ = nullptr;
  std::vector<View> extra_;
};

}  // namespace gw::ui
