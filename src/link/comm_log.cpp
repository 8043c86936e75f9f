#include "link/comm_log.h"

#include "base/cformat.h"
#include "base/text.h"

namespace gw {

namespace {
constexpr std::size_t kTimeStampBufferSize = 32;
}  // namespace

std::string logTimeStamp(const LocalTime& t) {
  return cformat(kTimeStampBufferSize, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour,
                 t.minute, t.second);
}

CommLog::~CommLog() {
  close();
}

bool CommLog::open(const std::string& path, bool append) {
  std::lock_guard guard(lock_);
  if (file_ != nullptr) std::fclose(file_);
  file_ = std::fopen(path.c_str(), append ? "ab" : "wb");
  return file_ != nullptr;
}

void CommLog::close() {
  std::lock_guard guard(lock_);
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool CommLog::isOpen() const {
  std::lock_guard guard(lock_);
  return file_ != nullptr;
}

void CommLog::writeSend(std::string_view command, const LocalTime& time) {
  const std::string_view text = untilNul(command);
  if (text.empty()) return;
  std::string entry = "->[" + logTimeStamp(time) + "]\r\n";
  entry.append(text);
  write(entry);
}

void CommLog::writeReceive(std::string_view text) {
  if (text.empty()) return;
  std::string entry = "<-";
  entry.append(text);
  write(entry);
}

void CommLog::write(std::string_view bytes) {
  std::lock_guard guard(lock_);
  if (file_ == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file_);
  std::fflush(file_);  // the LOG is read while the program runs, and must survive a crash
}

}  // namespace gw
