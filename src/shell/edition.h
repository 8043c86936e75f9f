#pragma once
// The two editions of the gateway. The Kestrin edition is the smaller one: the program hides the topics,
// menu items and page controls it lacks, shortens some lists and sends fixed values instead.

#include <string>
#include <string_view>
#include <vector>

namespace gw {

inline constexpr std::string_view kOrvaleName = "Velquin Orvale";
inline constexpr std::string_view kKestrinName = "Velquin Kestrin";

std::string_view editionName(bool kestrin);

// Main window caption: caption index and English default.
struct EditionCaption {
  int index;
  std::string_view englishDefault;
};
EditionCaption programCaption(bool kestrin);

// Controls the Kestrin edition hides (their labels go with them), by page.
struct HiddenControls {
  std::string_view page;  // "menus and toolbar", "System", ...
  std::vector<std::string_view> controls;
};
const std::vector<HiddenControls>& kestrinHiddenControls();
bool hiddenInKestrin(std::string_view control);

// List contents that differ by edition.
int groupTabCount(bool kestrin);        // incoming and outgoing group pages
int networkListTabCount(bool kestrin);  // network list page
const std::vector<std::string_view>& incomingCallModes(bool kestrin);

struct CodecPriorityLists {
  std::vector<std::string_view> priority1;
  int selected1;
  std::vector<std::string_view> priority2;
  int selected2;
};
const CodecPriorityLists& codecPriorityLists(bool kestrin);

// The edition told by an identification text: a serial number beginning "K427" or the product mark "QNK".
bool kestrinFromAti3(std::string_view ati3Text);

}  // namespace gw
