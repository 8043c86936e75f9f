#pragma once
// The gateway record and the gateway list file gtws.ini: one section per gateway, named after it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

inline constexpr int kDefaultLanPort = 23;
inline constexpr int kDefaultFirmwarePort = 2222;
inline constexpr const char* kNoAddress = "__0.__0.__0.__0";  // what the address field shows when empty

struct TGateway {
  std::string name = "unnamed";
  std::string host = kNoAddress;
  int port = kDefaultLanPort;
  std::string userName;
  std::string password;
  std::string parameterFile;
  int firmwarePort = kDefaultFirmwarePort;
};

// True for the hosts that mean "no address yet".
bool hostIsUnset(std::string_view host);

// Username and Password are kept lightly scrambled: the character at 1-based position i is stored as its code
// plus i (8-bit arithmetic).
std::string scramble(std::string_view plain);
std::string unscramble(std::string_view stored);

// An empty text, or four dot-separated decimal numbers 0..255 ("010.000.000.001" is 10.0.0.1).
bool validIp(std::string_view text);

// One gateway section as stored in gtws.ini.
struct GatewayEntry {
  std::string host;
  std::string port;
  std::string fwPort;
  std::string user;      // plain text
  std::string password;  // plain text
  std::optional<std::string> file;
};

// gtws.ini holds LAN passwords: it is written readable by its owner only.
inline constexpr unsigned kGatewaysFileMode = 0600;

class GatewayFile {
 public:
  explicit GatewayFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  bool exists() const;
  std::vector<std::string> names() const;
  bool has(const std::string& name) const;
  // The section with the read defaults: Host "0.0.0.0", Port "23", FwPort "2222".
  std::optional<GatewayEntry> read(const std::string& name) const;
  // False when the file cannot be read or written.
  bool write(const std::string& name, const GatewayEntry& entry) const;
  bool writeFile(const std::string& name, const std::string& parameterFile) const;
  bool remove(const std::string& name) const;
  bool removeAll() const;
  // False when an existing file cannot be read.
  bool readable() const;

 private:
  std::string path_;
};

// A gateway name is a section of gtws.ini and a folder of the program folder: it must read back as itself
// there and stay one folder inside it. False for "." and "..", a name holding "]", "/", "\\" or a control
// character, and one that begins or ends with a blank. (Empty and "unnamed" are the dialog's own check.)
bool usableGatewayName(std::string_view name);

// The parameter file proposed for a gateway name: program folder/name/name.ini.
std::string proposedParameterFile(const std::string& programFolder, const std::string& name);

// Default file names of the online tools, in the gateway folder.
struct ToolFileNames {
  std::string log;
  std::string callData;
  std::string statistics;
  std::string tracing;
};
ToolFileNames toolFileNames(const std::string& gatewayFolder, bool unnamed);

}  // namespace gw
