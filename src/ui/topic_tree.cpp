#include "ui/topic_tree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/icons.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {
constexpr int kNodeIconSize = 18;
}  // namespace

TopicTree::TopicTree(const QString& objectName, QWidget* parent) : QTreeWidget(parent) {
  setObjectName(objectName);
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIconSize(QSize(kNodeIconSize, kNodeIconSize));
  setUniformRowHeights(true);

  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (quiet_ || mouseDown_ || current == nullptr) return;
    emit chosen(current->text(0));
  });
  // Only group nodes change their image; expanding the whole tree also reports the topics.
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (item->childCount() > 0) setImage(item, kImageGroupExpanded);
  });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    if (item->childCount() > 0) setImage(item, kImageGroup);
  });
}

void TopicTree::fill(const std::vector<MainWindowModel::TreeNode>& nodes) {
  quiet_ = true;
  clear();
  QTreeWidgetItem* group = nullptr;
  for (const MainWindowModel::TreeNode& node : nodes) {
    QTreeWidgetItem* item =
        node.group || group == nullptr ? new QTreeWidgetItem(this) : new QTreeWidgetItem(group);
    item->setText(0, toQ(node.text));
    item->setData(0, kCaptionRole, node.caption);
    item->setData(0, kOnlineRole,
                  node.image == kImageOnlineConnected || node.image == kImageOnlineDisconnected);
    setImage(item, node.image);
    if (node.group) group = item;
  }
  expandAll();
  setCurrentItem(nullptr);
  quiet_ = false;
}

void TopicTree::setImage(QTreeWidgetItem* item, int image) {
  item->setData(0, kImageRole, image);
  item->setIcon(0, nodeIcon(image));
}

std::vector<QTreeWidgetItem*> TopicTree::allItems() const {
  std::vector<QTreeWidgetItem*> items;
  for (QTreeWidgetItemIterator it(const_cast<TopicTree*>(this)); *it; ++it) items.push_back(*it);
  return items;
}

bool TopicTree::selectWhere(const std::function<bool(QTreeWidgetItem*)>& match) {
  quiet_ = true;
  QTreeWidgetItem* found = nullptr;
  for (QTreeWidgetItem* item : allItems()) {
    if (match(item)) {
      found = item;
      break;
    }
  }
  setCurrentItem(found);
  if (found == nullptr) clearSelection();
  quiet_ = false;
  return found != nullptr;
}

bool TopicTree::selectText(const QString& text) {
  return selectWhere([&text](QTreeWidgetItem* item) { return item->text(0) == text; });
}

bool TopicTree::selectCaption(int caption) {
  return selectWhere(
      [caption](QTreeWidgetItem* item) { return item->data(0, kCaptionRole).toInt() == caption; });
}

QString TopicTree::selectedText() const {
  QTreeWidgetItem* item = currentItem();
  return item != nullptr && item->isSelected() ? item->text(0) : QString();
}

int TopicTree::selectedCaption() const {
  QTreeWidgetItem* item = currentItem();
  return item != nullptr && item->isSelected() ? item->data(0, kCaptionRole).toInt() : -1;
}

QTreeWidgetItem* TopicTree::nodeOf(const QString& text) const {
  for (QTreeWidgetItem* item : allItems()) {
    if (item->text(0) == text) return item;
  }
  return nullptr;
}

void TopicTree::setOnlineImage(int image) {
  for (QTreeWidgetItem* item : allItems()) {
    if (item->data(0, kOnlineRole).toBool()) setImage(item, image);
  }
}

void TopicTree::mousePressEvent(QMouseEvent* event) {
  mouseDown_ = true;
  QTreeWidget::mousePressEvent(event);
}

void TopicTree::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  const bool wasDown = mouseDown_;
  mouseDown_ = false;
  QTreeWidgetItem* item = itemAt(event->position().toPoint());
  if (wasDown && event->button() == Qt::LeftButton && item != nullptr && item == currentItem()) {
    emit chosen(item->text(0));
  }
}

void TopicTree::keyPressEvent(QKeyEvent* event) {
  QTreeWidgetItem* item = currentItem();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && item != nullptr && item->childCount() > 0) {
    item->setExpanded(true);
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

}  // namespace gw::ui
