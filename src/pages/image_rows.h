#pragma once
// A page's copies between its controls and its part of the parameter image, as one table of control ↔
// member pairs that drives both directions ("Save to file" and loading a file), so the two cannot drift
// apart. Conversions: a text control keeps a text member as it is, a number as its decimal text and a
// character as a one-letter text (empty for none); a spin edit, list, radio group or check box keeps a
// number (through the row's index map where the list index is not the stored value); a list box keeps a
// list of texts.

#include <string>
#include <variant>
#include <vector>

#include "pages/fields.h"
#include "pages/register_rows.h"

namespace gw {

// A control's value on its way to or from an image member.
struct ImageValue {
  std::string text;
  int number = 0;
  std::vector<std::string> list;
};

ImageValue controlImageValue(const FieldRef& control, const IndexMap& map);
void setControlFromImage(const FieldRef& control, const ImageValue& value, const IndexMap& map);

template <class Part>
using ImageMember = std::variant<std::string Part::*, int Part::*, char Part::*, bool Part::*,
                                 std::vector<std::string> Part::*>;

template <class Part>
struct ImageRow {
  const char* control;
  ImageMember<Part> member;
  IndexMap map = {};
};

template <class Part>
using ImageTable = std::vector<ImageRow<Part>>;

namespace detail {

inline void store(std::string& m, const ImageValue& v) {
  m = v.text;
}
inline void store(int& m, const ImageValue& v) {
  m = v.number;
}
inline void store(char& m, const ImageValue& v) {
  m = v.text.empty() ? '\0' : v.text.front();
}
inline void store(bool& m, const ImageValue& v) {
  m = v.number != 0;
}
inline void store(std::vector<std::string>& m, const ImageValue& v) {
  m = v.list;
}

ImageValue valueOf(const std::string& m);
ImageValue valueOf(int m);
ImageValue valueOf(char m);
ImageValue valueOf(bool m);
ImageValue valueOf(const std::vector<std::string>& m);

}  // namespace detail

// Page to image: every row's control into its member.
template <class Part>
void copyToImage(const ImageTable<Part>& table, const std::vector<NamedField>& controls, Part& part) {
  for (const ImageRow<Part>& row : table) {
    const FieldRef* control = findControl(controls, row.control);
    if (control == nullptr) continue;
    const ImageValue value = controlImageValue(*control, row.map);
    std::visit([&](auto member) { detail::store(part.*member, value); }, row.member);
  }
}

// Image to page: every row's member into its control.
template <class Part>
void copyFromImage(const ImageTable<Part>& table, const std::vector<NamedField>& controls, const Part& part) {
  for (const ImageRow<Part>& row : table) {
    const FieldRef* control = findControl(controls, row.control);
    if (control == nullptr) continue;
    const ImageValue value =
        std::visit([&](auto member) { return detail::valueOf(part.*member); }, row.member);
    setControlFromImage(*control, value, row.map);
  }
}

// Control names a table uses that the controls lack: empty for a sound table.
template <class Part>
std::vector<std::string> imageTableProblems(const ImageTable<Part>& table,
                                            const std::vector<NamedField>& controls) {
  std::vector<std::string> problems;
  for (const ImageRow<Part>& row : table) {
    if (findControl(controls, row.control) == nullptr)
      problems.push_back(std::string("no control ") + row.control);
  }
  return problems;
}

}  // namespace gw
