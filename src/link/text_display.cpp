#include "link/text_display.h"

namespace gw {

namespace {
// Changes nobody has taken are kept up to this size; beyond it the view gets the whole text once instead.
constexpr std::size_t kPendingChangeBytes = 1 << 20;

// The text with a line feed put in wherever a line would outgrow kMaxLineBytes, the line being written to
// holding `current` bytes already.
std::string brokenLines(std::string_view text, std::size_t current) {
  std::string out;
  out.reserve(text.size() + text.size() / TextDisplay::kMaxLineBytes + 1);
  for (char c : text) {
    if (c == '\n') {
      current = 0;
    } else if (current++ == TextDisplay::kMaxLineBytes) {
      out += '\n';
      current = 1;
    }
    out += c;
  }
  return out;
}
}  // namespace

TextDisplay::TextDisplay(std::size_t lineLimit) : lineLimit_(lineLimit > 0 ? lineLimit : 1) {}

void TextDisplay::append(std::string_view raw) {
  if (raw.empty()) return;
  if (lines_.empty()) lines_.emplace_back();
  const std::string broken = brokenLines(raw, lines_.back().size());
  const std::string_view text = broken;
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
