#pragma once
// The communication LOG: every command sent and every text received, as raw bytes.

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "base/clock.h"

namespace gw {

// "DD.MM.YYYY HH:MM:SS", the time stamp of a send entry.
std::string logTimeStamp(const LocalTime& time);

class CommLog {
 public:
  CommLog() = default;
  ~CommLog();
  CommLog(const CommLog&) = delete;
  CommLog& operator=(const CommLog&) = delete;

  // Opens the file to append to it or to start it anew; a LOG already open is closed first.
  bool open(const std::string& path, bool append);
  // Closing a closed LOG does nothing.
  void close();
  bool isOpen() const;

  // "->[" time "]\r\n" + the command up to its first NUL; nothing for an empty command.
  void writeSend(std::string_view command, const LocalTime& time);
  // "<-" + the text; nothing for an empty text.
  void writeReceive(std::string_view text);

 private:
  void write(std::string_view bytes);

  mutable std::mutex lock_;  // the serial terminal reader logs from its own thread
  std::FILE* file_ = nullptr;
};

}  // namespace gw
