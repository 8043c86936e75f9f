#include "shell/gateway.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "base/files.h"
#include "base/ini_file.h"
#include "base/text.h"

namespace gw {

namespace {
constexpr int kMaxOctet = 255;
constexpr int kOctets = 4;

std::vector<std::string> dottedParts(std::string_view text) {
  // Split at the first three dots only: "10.0.0.1.5" has the fourth part "1.5".
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (int i = 0; i < kOctets - 1; ++i) {
    const std::size_t dot = text.find('.', start);
    if (dot == std::string_view::npos) return {};
    parts.emplace_back(text.substr(start, dot - start));
    start = dot + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}
}  // namespace

bool hostIsUnset(std::string_view host) {
  return host == "0.0.0.0" || host == "000.000.000.000" || host == kNoAddress;
}

std::string scramble(std::string_view plain) {
  std::string out(plain);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) + i + 1);
  }
  return out;
}

std::string unscramble(std::string_view stored) {
  std::string out(stored);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) - (i + 1));
  }
  return out;
}

bool validIp(std::string_view text) {
  if (text.empty()) return true;
  const auto parts = dottedParts(text);
  if (parts.size() != kOctets) return false;
  for (const std::string& part : parts) {
    const auto v = toInt(part);
    // A negative octet converts but is no address.
    if (!v || *v < 0 || *v > kMaxOctet) return false;
  }
  return true;
}

bool GatewayFile::exists() const {
  return fileExists(path_);
}

bool GatewayFile::readable() const {
  return IniFile::load(path_).ok();
}

std::vector<std::string> GatewayFile::names() const {
  return IniFile::load(path_).sections();
}

bool GatewayFile::has(const std::string& name) const {
  return IniFile::load(path_).hasSection(name);
}

std::optional<GatewayEntry> GatewayFile::read(const std::string& name) const {
  const IniFile ini = IniFile::load(path_);
  if (!ini.hasSection(name)) return std::nullopt;
  GatewayEntry e;
  e.host = ini.readString(name, "Host", "0.0.0.0");
  e.port = ini.readString(name, "Port", std::to_string(kDefaultLanPort));
  e.fwPort = ini.readString(name, "FwPort", std::to_string(kDefaultFirmwarePort));
  e.user = unscramble(ini.readString(name, "Username", ""));
  e.password = unscramble(ini.readString(name, "Password", ""));
  e.file = ini.value(name, "File");
  return e;
}

bool GatewayFile::write(const std::string& name, const GatewayEntry& entry) const {
  IniFile ini = IniFile::load(path_);
  if (!ini.ok()) return false;
  ini.writeString(name, "Host", entry.host);
  ini.writeString(name, "Port", entry.port);
  ini.writeString(name, "FwPort", entry.fwPort);
  ini.writeString(name, "Username", scramble(entry.user));
  ini.writeString(name, "Password", scramble(entry.password));
  ini.writeString(name, "File", entry.file.value_or(""));
  ini.setFileMode(kGatewaysFileMode);
  return ini.save();
}

bool GatewayFile::writeFile(const std::string& name, const std::string& parameterFile) const {
  IniFile ini = IniFile::load(path_);
  if (!ini.ok()) return false;
  ini.writeString(name, "File", parameterFile);
  ini.setFileMode(kGatewaysFileMode);
  return ini.save();
}

bool GatewayFile::remove(const std::string& name) const {
  IniFile ini = IniFile::load(path_);
  if (!ini.ok()) return false;
  ini.eraseSection(name);
  ini.setFileMode(kGatewaysFileMode);
  return ini.save();
}

bool GatewayFile::removeAll() const {
  return std::remove(path_.c_str()) == 0 || !exists();
}

bool usableGatewayName(std::string_view name) {
  if (name == "." || name == "..") return false;
  if (!name.empty() && (std::isspace(static_cast<unsigned char>(name.front())) ||
                        std::isspace(static_cast<unsigned char>(name.back()))))
    return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == ']' || c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
  });
}

std::string proposedParameterFile(const std::string& programFolder, const std::string& name) {
  return joinPath(joinPath(programFolder, name), name + ".ini");
}

ToolFileNames toolFileNames(const std::string& gatewayFolder, bool unnamed) {
  // The fallback gateway has always used these spellings; files of existing installations carry them.
  if (unnamed) {
    return {joinPath(gatewayFolder, "LOG file.txt"), joinPath(gatewayFolder, "Call data.txt"),
            joinPath(gatewayFolder, "Statistics.txt"), joinPath(gatewayFolder, "Tacing.txt")};
  }
  return {joinPath(gatewayFolder, "Log file.txt"), joinPath(gatewayFolder, "Call data.txt"),
          joinPath(gatewayFolder, "Statistics.txt"), joinPath(gatewayFolder, "Tracing.txt")};
}

}  // namespace gw
