// Every registered page against its own tables: the tables name only controls the page has, and its layout
// and model agree.
#include "pages/page_registry.h"

#include <gtest/gtest.h>

#include <set>

#include "base/text.h"
#include "page_fixture.h"

namespace gw {
namespace {

class PageRegistryTest : public test::PageFixture {};

TEST_F(PageRegistryTest, NamesTopicsSectionsAndLayoutsAreDistinctAndTablesSound) {
  std::set<std::string> names, layouts, stems;
  std::set<int> topics;
  std::set<unsigned> sections;
  for (const PageRegistration& row : pageRegistry()) {
    const std::unique_ptr<Page> page = row.make(context);
    EXPECT_TRUE(names.insert(row.cliName).second) << row.cliName;
    EXPECT_TRUE(topics.insert(row.topicCaption).second) << row.cliName;
    EXPECT_TRUE(layouts.insert(row.layout().name).second) << row.cliName;
    EXPECT_TRUE(stems.insert(page->traits().buttonStem).second) << row.cliName;
    EXPECT_TRUE(sections.insert(page->traits().section.bits).second) << row.cliName;
    EXPECT_EQ(registrationNamed(row.cliName), &row);
    EXPECT_EQ(page->tableProblems(), std::vector<std::string>{}) << row.cliName;
  }
  EXPECT_EQ(registrationNamed("no-such-page"), nullptr);
}

TEST_F(PageRegistryTest, EveryModelControlIsInTheLayoutAndEveryButtonIsThePages) {
  for (const PageRegistration& row : pageRegistry()) {
    const std::unique_ptr<Page> page = row.make(context);
    std::set<std::string> inLayout;
    for (const char* name : layoutControlNames(row.layout())) inLayout.insert(name);
    for (const NamedField& field : page->fields()) {
      if (const auto* radio = std::get_if<RadioField*>(&field.field)) {
        for (const std::string& button : (*radio)->buttons)
          EXPECT_TRUE(inLayout.count(button)) << row.cliName << ": " << button;
        continue;
      }
      EXPECT_TRUE(inLayout.count(std::string(field.name))) << row.cliName << ": " << field.name;
    }
    std::set<std::string> buttons;
    for (const ControlSet::Button& b : page->buttons()) buttons.insert(b.name);
    for (const RowSpec& r : row.layout().rows) {
      for (const GroupSpec& g : r.groups) {
        for (const ControlSpec& c : g.controls) {
          if (c.kind == ControlKind::Button) {
            EXPECT_TRUE(buttons.count(c.name)) << row.cliName << ": " << c.name;
          }
          if (c.activateButton != nullptr) {
            EXPECT_TRUE(buttons.count(c.activateButton)) << c.activateButton;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace gw
