#pragma once
// The trace file: opened for appending when tracing starts and headed by the PC's date and time, written as
// the trace arrives, closed when tracing stops.

#include <cstdio>
#include <string>
#include <string_view>

#include "base/clock.h"

namespace gw {

class TraceFile {
 public:
  TraceFile() = default;
  ~TraceFile() { close(); }
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // Appends to `path` after the header "\r\n[Tracing : DD.MM.YYYY HH:MM:SS]\r\n\r\n"; false when it cannot
  // be opened.
  bool open(const std::string& path, const LocalTime& now);
  void write(std::string_view bytes);
  // Hands what was written to the system (the file can be read while tracing runs).
  void flush();
  void close();
  bool isOpen() const { return file_ != nullptr; }

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace gw
