#pragma once
// The caption list of the current language: caption N is entry N. Control captions fall back to their English
// defaults through labelOr; message texts taken straight from the list stay empty when missing.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// Fills a caption that is a printf format ("%s" conversions) with texts. Captions come from a file the user
// may edit, so only "%s" (taken in order) and "%%" are honoured; any other conversion is left as it stands
// and a missing argument gives an empty text, never undefined behaviour.
std::string formatCaption(std::string_view format, std::initializer_list<std::string_view> args);

class CaptionList {
 public:
  CaptionList() = default;
  explicit CaptionList(std::vector<std::string> items) : items_(std::move(items)) {}

  // Caption `index`, or the empty text for an index outside the list.
  const std::string& at(int index) const;
  // Caption `index` when it is not empty, else the English default.
  std::string labelOr(int index, std::string_view englishDefault) const;

  std::size_t size() const { return items_.size(); }
  void set(int index, std::string text);

 private:
  std::vector<std::string> items_;
};

}  // namespace gw
