#pragma once
// The caption table: which caption of the current language labels which control, and the English wording a
// control shows when its caption is empty. setLabels walks it at start-up, after every language switch and
// after an edition change. Message texts are not here: the code that shows them takes them from the caption
// list by number (base/caption_ids.h).
//
// This file holds the main window, its menus and topic tree, and the shell's dialogs; each page adds the
// rows of its own controls.

#include <string>
#include <string_view>
#include <vector>

#include "base/captions.h"

namespace gw {

// What a row sets on its control.
enum class CaptionProperty {
  MenuItem,     // a menu item's caption
  Text,         // the caption of a label, button, check box, radio button or group box
  FieldLabel,   // the unnamed label in front of the field `control`
  ListItem,     // item `item` of a drop-down list
  TreeNode,     // node `item` of a tree
  Tab,          // tab `item` of a tab control
  Column,       // column `item` of a list view
  PageTab,      // the tab caption of the named tab sheet
  WindowTitle,  // the caption of the window named in `control`
  Hint,         // a control's hint text
};

// When a row applies. Most apply always; a few controls have two or more rows of which the current state
// picks one.
enum class CaptionState {
  Always,
  SerialLink,  // communication settings dialog with the serial link chosen
  LanLink,
  OrvaleEdition,  // main window caption by edition
  KestrinEdition,
  NewGateway,  // new/edit gateway dialog by mode
  EditGateway,
  ProgressSaving,  // progress window kinds 0..3
  ProgressLoading,
  ProgressReading,
  ProgressLoadingFromGateway,
  TracingStopped,  // tracing start button
  TracingRunning,
  TracingTypeMessages,  // tracing levels while "Voip and GSM messages" is chosen
};

inline constexpr const char* kMainForm = "TfMain";

struct CaptionRow {
  int index;
  const char* control;  // the control's name, the Qt objectName of its widget
  CaptionProperty property;
  int item;                    // node, item, tab or column number where the property needs one, else -1
  const char* englishDefault;  // nullptr: no fallback, an empty caption leaves the control empty
  const char* form = kMainForm;
  CaptionState state = CaptionState::Always;
};

const std::vector<CaptionRow>& captionTable();

// Every row of a control; `control` names may repeat across forms (sbOk), so the form can narrow it.
std::vector<CaptionRow> rowsFor(std::string_view control);
std::vector<CaptionRow> rowsFor(std::string_view form, std::string_view control);

// The text a row puts on its control: labelOr with its default, or the bare caption without one.
std::string captionText(const CaptionRow& row, const CaptionList& captions);

// Rows whose state is Always or `state` pick the caption of a control that changes with the state.
bool rowApplies(const CaptionRow& row, CaptionState state);

CaptionState linkState(int linkType);  // 1 serial, 2 LAN
CaptionState editionState(bool kestrinEdition);
CaptionState progressState(int kind);  // showProgress kinds 0..3; any other kind reads as 0

// The topic tree: three group nodes, each followed by its topics. A topic is found by its caption text, so
// the tree, the glossary, the menu items and the topic activation all use the same captions.
enum class TopicGroup { Online, Configuration, Reset };

struct TopicGroupNode {
  TopicGroup group;
  int caption;
  const char* englishDefault;
};

struct Topic {
  int caption;
  const char* englishDefault;
  TopicGroup group;
  bool kestrin;  // also present in the Kestrin edition
};

const std::vector<TopicGroupNode>& topicGroups();
// In tree order within each group.
const std::vector<Topic>& topics();
std::vector<Topic> topicsOf(TopicGroup group, bool kestrinEdition);

// The language switch: menu item and toolbar button of each language, captioned with the language's name
// in that language ("Čeština", "English", "Español") rather than a caption, so each stays recognisable
// whatever language is shown.
struct LanguageItem {
  int language;
  const char* menuItem;
  const char* toolButton;
  const char* caption;
};

const std::vector<LanguageItem>& languageItems();

}  // namespace gw
