// Every registered page against its own tables and the shipped captions: the tables name only controls the
// page has, its layout and model agree, and every text of its window is there in all three languages.
#include "pages/page_registry.h"

#include <gtest/gtest.h>

#include <set>

#include "base/text.h"
#include "page_fixture.h"
#include "shell/captions_file.h"

namespace gw {
namespace {

class PageRegistryTest : public test::PageFixture {};

const std::string kShippedFile = GW_SOURCE_DIR "/data/languages.ini";

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
    EXPECT_TRUE(sections.insert(static_cast<unsigned>(page->traits().section)).second) << row.cliName;
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

TEST_F(PageRegistryTest, EveryTextOfAPageIsInEachLanguageAndEnglishKeepsTheDefault) {
  const CaptionList english = loadLabels(kShippedFile, kLanguageEnglish);
  for (int language : {kLanguageCzech, kLanguageEnglish, kLanguageSpanish}) {
    const CaptionList shipped = loadLabels(kShippedFile, language);
    for (const PageRegistration& row : pageRegistry()) {
      std::vector<CaptionText> texts = layoutCaptions(row.layout());
      const std::unique_ptr<Page> page = row.make(context);
      for (const NamedField& field : page->fields()) {
        const auto* choice = std::get_if<ChoiceField*>(&field.field);
        if (choice == nullptr || (*choice)->firstItemCaption == kNoCaption) continue;
        for (std::size_t i = 0; i < (*choice)->items.size(); ++i)
          texts.push_back({(*choice)->firstItemCaption + static_cast<int>(i), (*choice)->items[i].c_str()});
      }
      for (const CaptionText& t : texts) {
        if (trim(t.text).empty()) continue;
        ASSERT_NE(t.caption, kNoCaption) << row.cliName << ": \"" << t.text << "\" has no caption";
        EXPECT_FALSE(shipped.at(t.caption).empty()) << language << ":" << t.caption;
        EXPECT_EQ(english.at(t.caption), trim(t.text)) << t.caption;
      }
    }
  }
}

}  // namespace
}  // namespace gw
