#pragma once
// The entries of a list box or the rows of a list view, with the selection the page's buttons act on. The two
// removal rules of the pages: a list view selects the row that takes the removed row's place; a list box
// selects the entry before the removed one, or the first.

#include <cstddef>
#include <utility>
#include <vector>

namespace gw {

inline constexpr int kNoSelection = -1;

template <class Item>
struct ListModel {
  std::vector<Item> items;
  int selected = kNoSelection;

  std::size_t size() const { return items.size(); }
  bool hasSelection() const { return selected >= 0 && static_cast<std::size_t>(selected) < items.size(); }
  Item* selectedItem() { return hasSelection() ? &items[static_cast<std::size_t>(selected)] : nullptr; }

  void add(Item item) { items.push_back(std::move(item)); }
  void clear() {
    items.clear();
    selected = kNoSelection;
  }

  // List view rule: the row that moves up into the place is selected, none when the last row went.
  bool removeSelectedRow() {
    if (!removeSelected()) return false;
    if (static_cast<std::size_t>(selected) >= items.size()) selected = kNoSelection;
    return true;
  }

  // List box rule: the entry before is selected, or the first one.
  bool removeSelectedEntry() {
    if (!removeSelected()) return false;
    if (selected > 0) --selected;
    if (items.empty()) selected = kNoSelection;
    return true;
  }

 private:
  bool removeSelected() {
    if (!hasSelection()) return false;
    items.erase(items.begin() + selected);
    return true;
  }
};

}  // namespace gw
