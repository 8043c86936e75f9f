#pragma once
// settings.ini: the program's own settings, one section "main". Key names match without regard to case; the
// program writes them in the spelling below.

#include <string>

namespace gw {

inline constexpr const char* kUnnamedGateway = "unnamed";

enum class Language { Czech = 0, English = 1, Spanish = 2 };

struct Settings {
  int commType = 1;  // 1 serial, 2 LAN
  // CommType is in the file: somebody chose the link type (the communication settings, gwctl settings).
  bool commTypeChosen = false;
  std::string gateway = kUnnamedGateway;
  std::string comport;
  bool saveLog = true;
  bool append = true;
  int timeoutMs = 5000;
  Language language = Language::English;
  // "Keep the gateway's configuration before each save" of the desktop program (KeepBeforeSave).
  bool keepBeforeSave = true;
};

// Reads settings.ini; missing keys (or a missing file) give the defaults, an empty Gateway means "unnamed"
// and a language number outside 0..2 means English.
Settings readSettings(const std::string& path);

bool writeLanguage(const std::string& path, Language language);
bool writeSelectedGateway(const std::string& path, const std::string& gateway);
bool writeKeepBeforeSave(const std::string& path, bool keep);

// The communication settings dialog's OK: writes CommType, Gateway, Comport, SaveLog and Append, then Timeout
// from the dialog's response-time text. A response time that is not a number is not written (the keys before
// it are) and the result says so.
enum class CommSettingsWrite { Written, BadTimeout, FileError };
CommSettingsWrite writeCommSettings(const std::string& path, const Settings& values,
                                    const std::string& responseTimeText);

// The keys the main window writes when it closes.
bool writeCloseKeys(const std::string& path);

}  // namespace gw
