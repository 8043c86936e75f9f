#include "link/serial_port_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "base/text.h"
#include "link/posix_serial_port.h"

namespace gw {

namespace {

constexpr std::array<std::string_view, 5> kPortPrefixes = {"ttyS", "ttyUSB", "ttyACM", "ttyAMA", "rfcomm"};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isPortName(std::string_view name) {
  for (std::string_view prefix : kPortPrefixes) {
    if (!startsWith(name, prefix) || name.size() == prefix.size()) continue;
    const std::string_view number = name.substr(prefix.size());
    if (std::all_of(number.begin(), number.end(), isDigit)) return true;
  }
  return false;
}

// The kernel registers ttyS0..ttyS31 whether or not a UART is there; its "type" attribute is 0 when none is.
bool hasNoUart(const std::string& sysFolder, const std::string& name) {
  if (!startsWith(name, "ttyS")) return false;
  std::ifstream typeFile(sysFolder + "/class/tty/" + name + "/type");
  std::string type;
  return typeFile && std::getline(typeFile, type) && trim(type) == "0";
}

bool exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

std::string_view digitRun(std::string_view s, std::size_t from) {
  std::size_t end = from;
  while (end < s.size() && isDigit(s[end])) ++end;
  return s.substr(from, end - from);
}

// Compares two digit runs as numbers of any length.
int compareNumbers(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
  while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

}  // namespace

bool portNameLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      const std::string_view na = digitRun(a, i);
      const std::string_view nb = digitRun(b, j);
      if (const int c = compareNumbers(na, nb); c != 0) return c < 0;
      i += na.size();
      j += nb.size();
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

std::vector<std::string> listSerialPorts(const SerialPortScan& scan) {
  std::vector<std::string> ports;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(scan.devFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isPortName(name) || it->is_directory(ec)) continue;
    if (hasNoUart(scan.sysFolder, name)) continue;
    ports.push_back(name);
  }
  for (const std::string& path : scan.userPaths) {
    if (path.empty() || !exists(serialDevicePath(path))) continue;
    const bool listed = std::any_of(ports.begin(), ports.end(), [&](const std::string& p) {
      return p == path || scan.devFolder + "/" + p == path;
    });
    if (!listed) ports.push_back(path);
  }
  std::sort(ports.begin(), ports.end(),
            [](const std::string& a, const std::string& b) { return portNameLess(a, b); });
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  return ports;
}

}  // namespace gw
