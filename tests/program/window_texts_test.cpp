// Every page and online tool window against the shipped captions: each text of its layout, and the fixed
// items of its lists, is there in all three languages, and English keeps the layout's own wording.
#include <gtest/gtest.h>

#include "base/text.h"
#include "online/window_tool.h"
#include "program/program_fixture.h"
#include "shell/captions_file.h"

namespace gw {
namespace {

const std::string kShippedFile = GW_SOURCE_DIR "/data/languages.ini";

// The layout's texts and the translated items of the model's lists.
std::vector<CaptionText> textsOf(const FormLayout& layout, ControlSet& model) {
  std::vector<CaptionText> texts = layoutCaptions(layout);
  for (const NamedField& field : model.fields()) {
    const auto* choice = std::get_if<ChoiceField*>(&field.field);
    if (choice == nullptr || (*choice)->firstItemCaption == kNoCaption) continue;
    for (std::size_t i = 0; i < (*choice)->items.size(); ++i)
      texts.push_back({(*choice)->firstItemCaption + static_cast<int>(i), (*choice)->items[i].c_str()});
  }
  return texts;
}

class WindowTexts : public test::ProgramFixture {};

TEST_F(WindowTexts, EveryTextIsInEachLanguageAndEnglishKeepsTheLayoutsWording) {
  std::vector<std::pair<std::string, std::vector<CaptionText>>> windows;
  for (const PageRegistration& row : pageRegistry())
    windows.push_back({row.cliName, textsOf(row.layout(), program->pageOf(row))});
  for (const ToolRegistration& row : toolRegistry()) {
    if (row.layout != nullptr) windows.push_back({row.pageName, textsOf(row.layout(), program->toolOf(row))});
    // A tool with a window of its own: its layout, its title and what it draws beyond the layout.
    if (auto* tool = dynamic_cast<WindowTool*>(&program->toolOf(row))) {
      const WindowTool::WindowSpec& spec = tool->window();
      std::vector<CaptionText> texts = textsOf(spec.layout(), *tool);
      texts.push_back(spec.title);
      texts.insert(texts.end(), spec.texts.begin(), spec.texts.end());
      windows.push_back({spec.name, texts});
    }
  }
  const CaptionList english = loadLabels(kShippedFile, kLanguageEnglish);
  for (int language : {kLanguageCzech, kLanguageEnglish, kLanguageSpanish}) {
    const CaptionList shipped = loadLabels(kShippedFile, language);
    for (const auto& [window, texts] : windows) {
      for (const CaptionText& t : texts) {
        if (trim(t.text).empty()) continue;
        ASSERT_NE(t.caption, kNoCaption) << window << ": \"" << t.text << "\" has no caption";
        EXPECT_FALSE(shipped.at(t.caption).empty()) << window << " " << language << ":" << t.caption;
        EXPECT_EQ(english.at(t.caption), trim(t.text)) << window << " " << t.caption;
      }
    }
  }
}

TEST_F(WindowTexts, ToolTopicsAndPagesAreDistinctFromThePages) {
  std::set<int> topics;
  std::set<std::string> pages;
  for (const PageRegistration& row : pageRegistry()) {
    topics.insert(row.topicCaption);
    pages.insert(row.layout().name);
  }
  for (const ToolRegistration& row : toolRegistry()) {
    EXPECT_TRUE(topics.insert(row.topicCaption).second) << row.topicCaption;
    EXPECT_EQ(row.pageName == nullptr, row.layout == nullptr) << row.topicCaption;
    if (row.pageName == nullptr) continue;
    EXPECT_TRUE(pages.insert(row.pageName).second) << row.pageName;
    EXPECT_STREQ(row.layout().name, row.pageName);
  }
}

}  // namespace
}  // namespace gw
