#include "online/trace_file.h"

#include "link/comm_log.h"

namespace gw {

bool TraceFile::open(const std::string& path, const LocalTime& now) {
  close();
  file_ = std::fopen(path.c_str(), "ab");
  if (file_ == nullptr) return false;
  write("\r\n[Tracing : " + logTimeStamp(now) + "]\r\n\r\n");
  return true;
}

void TraceFile::write(std::string_view bytes) {
  if (file_ != nullptr && !bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file_);
}

void TraceFile::flush() {
  if (file_ != nullptr) std::fflush(file_);
}

void TraceFile::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace gw
