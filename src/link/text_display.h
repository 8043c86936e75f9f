#pragma once
// The text of the terminal display and of the trace view as the program keeps it: lines, the last one being
// written to, a bounded number of them. A view does not copy the whole text on every change: it takes the
// changes made since it last looked and applies them in one batch.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

class TextDisplay {
 public:
  // Lines kept; older ones go (the trace file keeps everything).
  static constexpr std::size_t kDefaultLineLimit = 5000;
  // A longer line is broken there, as if a line feed had come: a gateway that never sends one cannot make a
  // line, and the memory kept, grow without bound.
  static constexpr std::size_t kMaxLineBytes = 4096;

  explicit TextDisplay(std::size_t lineLimit = kDefaultLineLimit);

  // Appends to the last line; every LF starts a new line (as does kMaxLineBytes). CRs stay in their line.
  void append(std::string_view text);
  // Backspace: the last character goes, unless the display is empty or the last line is (the caret is at
  // the start of the display or just after a line feed). False when nothing was erased.
  bool eraseLastChar();
  void clear();

  const std::deque<std::string>& lines() const { return lines_; }
  // The lines joined by LF.
  std::string text() const;

  struct Change {
    enum class Kind { Append, Erase, Clear };
    Kind kind;
    std::string text;  // Append: the text, LFs starting new lines
  };
  // The changes since the last take, consecutive appends joined. When a view has not looked for long, they
  // are one Clear followed by the whole text.
  std::vector<Change> takeChanges();
  bool changed() const { return rewrite_ || !changes_.empty(); }

 private:
  void note(Change::Kind kind, std::string_view text = {});
  void trim();

  std::size_t lineLimit_;
  std::deque<std::string> lines_;
  std::vector<Change> changes_;
  std::size_t pendingBytes_ = 0;
  bool rewrite_ = false;  // the changes outgrew their bound: the view is given the whole text anew
};

}  // namespace gw
