#include "line_editor.h"

namespace gwsim {
namespace {

// Longer than any command a client formats (64 or 128 bytes); more is dropped and the line refused.
constexpr std::size_t kMaxLineLength = 512;

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kTab = '\t';
constexpr char kBackspace = '\b';
constexpr char kDelete = 0x7F;

bool joinsLine(unsigned char byte) {
  return byte == kTab || (byte >= 0x20 && byte != kDelete);
}

}  // namespace

LineEditor::Step LineEditor::feed(char byte) {
  Step step;
  if (byte == kCr) {
    step.echo = "\r\n";
    step.line = TakenLine{line_, overflowed_};
    clear();
  } else if (byte == kBackspace || byte == kDelete) {
    if (!line_.empty()) {
      line_.pop_back();
      if (echo_) step.echo = "\b \b";
    }
  } else if (byte != kLf && joinsLine(static_cast<unsigned char>(byte))) {
    if (line_.size() < kMaxLineLength) {
      line_ += byte;
    } else {
      overflowed_ = true;
    }
    if (echo_) step.echo = std::string(1, byte);
  }
  return step;
}

void LineEditor::clear() {
  line_.clear();
  overflowed_ = false;
}

}  // namespace gwsim
