#include "pages/image_rows.h"

#include "base/text.h"

namespace gw {

namespace detail {

ImageValue valueOf(const std::string& m) {
  return ImageValue{m, toInt(m).value_or(0), {}};
}
ImageValue valueOf(int m) {
  return ImageValue{std::to_string(m), m, {}};
}
ImageValue valueOf(char m) {
  return ImageValue{m == '\0' ? std::string() : std::string(1, m), static_cast<unsigned char>(m), {}};
}
ImageValue valueOf(bool m) {
  return valueOf(m ? 1 : 0);
}
ImageValue valueOf(const std::vector<std::string>& m) {
  return ImageValue{{}, 0, m};
}

}  // namespace detail

namespace {

int toStored(int index, const IndexMap& map) {
  return map.toValue != nullptr ? map.toValue(index) : index;
}

int toIndex(int stored, const IndexMap& map) {
  if (map.toIndex == nullptr) return stored;
  return map.toIndex(stored).value_or(0);
}

}  // namespace

ImageValue controlImageValue(const FieldRef& control, const IndexMap& map) {
  if (auto* const* text = std::get_if<TextField*>(&control)) return detail::valueOf((*text)->text);
  if (auto* const* list = std::get_if<ListField*>(&control)) return detail::valueOf((*list)->items);
  if (auto* const* number = std::get_if<NumberField*>(&control)) return detail::valueOf((*number)->value);
  if (auto* const* check = std::get_if<CheckField*>(&control)) return detail::valueOf((*check)->checked);
  if (auto* const* choice = std::get_if<ChoiceField*>(&control))
    return detail::valueOf(toStored((*choice)->index, map));
  if (auto* const* radio = std::get_if<RadioField*>(&control))
    return detail::valueOf(toStored((*radio)->index, map));
  return {};
}

void setControlFromImage(const FieldRef& control, const ImageValue& value, const IndexMap& map) {
  if (auto* const* text = std::get_if<TextField*>(&control)) {
    (*text)->set(value.text);
  } else if (auto* const* list = std::get_if<ListField*>(&control)) {
    (*list)->items = value.list;
    (*list)->selected = kNoSelection;
  } else if (auto* const* number = std::get_if<NumberField*>(&control)) {
    (*number)->set(value.number);
  } else if (auto* const* check = std::get_if<CheckField*>(&control)) {
    (*check)->checked = value.number != 0;
  } else if (auto* const* choice = std::get_if<ChoiceField*>(&control)) {
    // A stored value the list cannot show selects the first item.
    if (!(*choice)->select(toIndex(value.number, map))) (*choice)->select(0);
  } else if (auto* const* radio = std::get_if<RadioField*>(&control)) {
    if (!(*radio)->select(toIndex(value.number, map))) (*radio)->select(0);
  }
}

}  // namespace gw
