#include "pages/list_model.h"

#include <gtest/gtest.h>

#include <string>

#include "pages/fields.h"

namespace gw {
namespace {

using Items = std::vector<std::string>;

ListModel<std::string> list(Items items, int selected) {
  return ListModel<std::string>{std::move(items), selected};
}

TEST(ListModel, AListViewSelectsTheRowThatTakesThePlace) {
  auto rows = list({"a", "b", "c"}, 1);
  EXPECT_TRUE(rows.removeSelectedRow());
  EXPECT_EQ(rows.items, (Items{"a", "c"}));
  EXPECT_EQ(*rows.selectedItem(), "c");
  EXPECT_TRUE(rows.removeSelectedRow());
  EXPECT_FALSE(rows.hasSelection());
  EXPECT_FALSE(rows.removeSelectedRow());
  EXPECT_EQ(rows.items, Items{"a"});
}

TEST(ListModel, AListBoxSelectsTheEntryBeforeOrTheFirst) {
  auto entries = list({"a", "b", "c"}, 2);
  EXPECT_TRUE(entries.removeSelectedEntry());
  EXPECT_EQ(entries.selected, 1);
  entries.selected = 0;
  EXPECT_TRUE(entries.removeSelectedEntry());
  EXPECT_EQ(entries.items, Items{"b"});
  EXPECT_EQ(entries.selected, 0);
  EXPECT_TRUE(entries.removeSelectedEntry());
  EXPECT_EQ(entries.selected, kNoSelection);
}

TEST(ListModel, ASelectionOutsideTheItemsRemovesNothing) {
  auto entries = list({"a"}, 3);
  EXPECT_FALSE(entries.removeSelectedEntry());
  EXPECT_EQ(entries.selectedItem(), nullptr);
  EXPECT_EQ(entries.size(), 1u);
}

TEST(Fields, NumbersStayWithinTheirLimits) {
  NumberField n;
  n.min = 1;
  n.max = 20;
  n.set(25);
  EXPECT_EQ(n.value, 20);
  n.set(-4);
  EXPECT_EQ(n.value, 1);
  n.set(7);
  EXPECT_EQ(n.value, 7);
}

TEST(Fields, AMarkGoesOnlyWhenTheFieldHoldsText) {
  TextField t;
  t.marked = true;
  t.set("");
  EXPECT_TRUE(t.marked);
  t.set("x");
  EXPECT_FALSE(t.marked);
}

}  // namespace
}  // namespace gw
