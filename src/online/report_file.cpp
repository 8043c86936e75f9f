#include "online/report_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/cformat.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTextExtension = ".txt";
constexpr std::size_t kStampSize = 32;
constexpr mode_t kNewFileMode = 0644;

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string_view fileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string reportBlock(std::string_view gatewayName, const LocalTime& now,
                        const std::vector<std::string>& lines) {
  const std::string stamp = cformat(kStampSize, "%02d.%02d.%04d %02d:%02d:%02d", now.day, now.month, now.year,
                                    now.hour, now.minute, now.second);
  std::string block = "\r\n[" + std::string(gatewayName) + " : " + stamp + "]\r\n\r\n";
  for (const std::string& line : lines) {
    block += line;
    block += kLineEnd;
  }
  return block;
}

bool appendReportFile(const std::string& path, std::string_view gatewayName, const LocalTime& now,
                      const std::vector<std::string>& lines) {
  struct stat before {};
  const bool existed = ::stat(path.c_str(), &before) == 0;
  // Not blocking: a FIFO without a reader must not hold the program; it is refused below.
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, kNewFileMode);
  if (fd < 0) return false;
  struct stat opened {};
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    ::close(fd);
    return false;
  }
  bool written = writeAll(fd, reportBlock(gatewayName, now, lines)) && ::fsync(fd) == 0;
  // A write cut short (a full disk, a file size limit) takes its part back: the file keeps what it held.
  if (!written) (void)::ftruncate(fd, opened.st_size);
  written = ::close(fd) == 0 && written;
  if (!written && !existed) ::unlink(path.c_str());
  return written;
}

std::string dialogStartName(std::string_view editName, std::string_view defaultName) {
  if (editName.empty()) return std::string(defaultName);
  const std::string_view name = fileNameOf(editName);
  if (name.size() > kTextExtension.size() &&
      equalsNoCase(name.substr(name.size() - kTextExtension.size()), kTextExtension))
    return std::string(editName.substr(0, editName.size() - kTextExtension.size()));
  return std::string(editName);
}

std::string withTextExtension(std::string_view chosen) {
  if (fileNameOf(chosen).find('.') != std::string_view::npos) return std::string(chosen);
  return std::string(chosen) + std::string(kTextExtension);
}

}  // namespace gw
