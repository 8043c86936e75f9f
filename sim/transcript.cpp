#include "transcript.h"

namespace gwsim {

Transcript::~Transcript() {
  if (file_ != nullptr) std::fclose(file_);
}

bool Transcript::open(const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "ab");
  return file_ != nullptr;
}

void Transcript::line(std::string_view text) {
  if (file_ == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), file_);
  std::fputc('\n', file_);
  std::fflush(file_);
}

}  // namespace gwsim
