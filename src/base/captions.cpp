#include "base/captions.h"

namespace gw {

std::string formatCaption(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 's') {
        if (next != args.end()) out += *next++;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

const std::string& CaptionList::at(int index) const {
  static const std::string kEmpty;
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return kEmpty;
  return items_[static_cast<std::size_t>(index)];
}

std::string CaptionList::labelOr(int index, std::string_view englishDefault) const {
  const std::string& caption = at(index);
  return caption.empty() ? std::string(englishDefault) : caption;
}

void CaptionList::set(int index, std::string text) {
  if (index < 0) return;
  if (static_cast<std::size_t>(index) >= items_.size()) items_.resize(static_cast<std::size_t>(index) + 1);
  items_[static_cast<std::size_t>(index)] = std::move(text);
}

}  // namespace gw
