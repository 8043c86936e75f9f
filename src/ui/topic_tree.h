#pragma once
// The topic tree tvTopic (group nodes with their topics) and the glossary tvAlpha (topics only), as one
// widget class. A topic is chosen once per mouse click (also on the node already selected) and once per
// keyboard move; filling the tree or selecting a node from the program never chooses it.

#include <QTreeWidget>
#include <vector>

#include "shell/main_window_model.h"

namespace gw::ui {

class TopicTree : public QTreeWidget {
  Q_OBJECT

 public:
  TopicTree(const QString& objectName, QWidget* parent = nullptr);

  // Refills the tree; group nodes take the topics after them and show expanded.
  void fill(const std::vector<MainWindowModel::TreeNode>& nodes);
  // Selects the node quietly (nothing is chosen); false when no node matches, and nothing stays selected.
  bool selectText(const QString& text);
  bool selectCaption(int caption);
  // The selected node's text and caption number (-1 when none).
  QString selectedText() const;
  int selectedCaption() const;
  // The node whose text is `text`, or null.
  QTreeWidgetItem* nodeOf(const QString& text) const;
  // New node image of the online topics.
  void setOnlineImage(int image);

  static constexpr int kCaptionRole = Qt::UserRole;
  static constexpr int kImageRole = Qt::UserRole + 1;
  static constexpr int kOnlineRole = Qt::UserRole + 2;

 signals:
  // The user chose the node with this text.
  void chosen(const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void setImage(QTreeWidgetItem* item, int image);
  std::vector<QTreeWidgetItem*> allItems() const;
  bool selectWhere(const std::function<bool(QTreeWidgetItem*)>& match);

  bool mouseDown_ = false;
  bool quiet_ = false;
};

}  // namespace gw::ui
