#include "state_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace gwsim {
namespace {

constexpr std::string_view kSection = "registers";

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string formatState(const RegisterStore& store) {
  std::string text = "[" + std::string(kSection) + "]\n";
  for (const auto& [key, value] : store.changedFromDefaults()) text += key + "=" + value + "\n";
  return text;
}

std::vector<std::string> applyState(std::string_view text, RegisterStore& store) {
  std::vector<std::string> warnings;
  bool inSection = false;
  for (std::string_view raw : splitLines(text)) {
    const std::string_view line = trim(raw);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      inSection = line.back() == ']' && equalsNoCase(trim(line.substr(1, line.size() - 2)), kSection);
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = raw.find('=');
    if (equals == std::string_view::npos) {
      warnings.push_back("state line without '=' ignored: " + std::string(line));
      continue;
    }
    const std::optional<std::string> key = normalizeRegisterKey(trim(raw.substr(0, equals)));
    if (!key || !store.set(*key, std::string(raw.substr(equals + 1)))) {
      warnings.push_back("unknown register in state ignored: " + std::string(trim(raw.substr(0, equals))));
    }
  }
  return warnings;
}

bool looksLikeState(std::string_view text) {
  if (trim(text).empty()) return true;
  for (std::string_view raw : splitLines(text)) {
    const std::string_view line = trim(raw);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']' &&
        equalsNoCase(trim(line.substr(1, line.size() - 2)), kSection)) {
      return true;
    }
  }
  return false;
}

bool loadStateFile(const std::string& path, RegisterStore& store, std::vector<std::string>& warnings,
                   std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) return true;
    error = "cannot read state file " + path + ": " + std::strerror(errno);
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!looksLikeState(bytes.str())) {
    error = path + " is not a state file (no [registers] section); not touching it";
    return false;
  }
  for (std::string& warning : applyState(bytes.str(), store)) warnings.push_back(std::move(warning));
  return true;
}

std::string readStateText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  return bytes.str();
}

bool saveStateFile(const std::string& path, const RegisterStore& store, std::string& error,
                   const std::string& moreSections) {
  const std::string temporary = path + ".tmp." + std::to_string(::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = "cannot create " + temporary + ": " + std::strerror(errno);
    return false;
  }
  // No fsync: the rename alone leaves the old or the new state after a crash of gwsim, and a console that
  // waited for the disk after every register write would stall its replies whenever the machine is busy.
  const bool written = writeAll(fd, formatState(store) + moreSections);
  const int savedErrno = errno;
  ::close(fd);
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path + ": " + std::strerror(written ? errno : savedErrno);
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace gwsim
