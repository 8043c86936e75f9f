#include "link/text_display.h"

namespace gw {

namespace {
// Changes nobody has taken are kept up to this size; beyond it the view gets the whole text once instead.
constexpr std::size_t kPendingChangeBytes = 1 << 20;
}  // namespace

TextDisplay::TextDisplay(std::size_t lineLimit) : lineLimit_(lineLimit > 0 ? lineLimit : 1) {}

void TextDisplay::append(std::string_view text) {
  if (text.empty()) return;
  if (lines_.empty()) lines_.emplace_back();
  std::size_t start = 0;
  for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
    lines_.back().append(text.substr(start, lf - start));
    lines_.emplace_back();
    start = lf + 1;
  }
  lines_.back().append(text.substr(start));
  trim();
  note(Change::Kind::Append, text);
}

bool TextDisplay::eraseLastChar() {
  if (lines_.empty() || lines_.back().empty()) return false;
  lines_.back().pop_back();
  note(Change::Kind::Erase);
  return true;
}

void TextDisplay::clear() {
  lines_.clear();
  changes_.clear();
  pendingBytes_ = 0;
  rewrite_ = false;
  note(Change::Kind::Clear);
}

std::string TextDisplay::text() const {
  std::string all;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) all += '\n';
    all += lines_[i];
  }
  return all;
}

void TextDisplay::trim() {
  while (lines_.size() > lineLimit_) lines_.pop_front();
}

void TextDisplay::note(Change::Kind kind, std::string_view text) {
  if (rewrite_) return;
  if (kind == Change::Kind::Append && !changes_.empty() && changes_.back().kind == Change::Kind::Append) {
    changes_.back().text.append(text);
  } else {
    changes_.push_back({kind, std::string(text)});
  }
  pendingBytes_ += text.size() + 1;
  if (pendingBytes_ <= kPendingChangeBytes) return;
  changes_.clear();
  pendingBytes_ = 0;
  rewrite_ = true;
}

std::vector<TextDisplay::Change> TextDisplay::takeChanges() {
  std::vector<Change> taken;
  if (rewrite_) {
    taken = {{Change::Kind::Clear, {}}, {Change::Kind::Append, text()}};
    rewrite_ = false;
  } else {
    taken.swap(changes_);
  }
  pendingBytes_ = 0;
  return taken;
}

}  // namespace gw
