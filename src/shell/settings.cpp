#include "shell/settings.h"

#include "base/ini_file.h"
#include "base/text.h"

namespace gw {

namespace {

constexpr const char* kMain = "main";
constexpr const char* kKeepBeforeSaveKey = "KeepBeforeSave";

struct CloseKey {
  const char* key;
  bool value;
};
// Written at every close so that settings files stay interchangeable with older installations; nothing reads
// them.
constexpr CloseKey kCloseKeys[] = {
    {"ShowHeader", false}, {"ResizeColumns", true}, {"InitBuffer", true}, {"ShowHints", false}};

}  // namespace

Settings readSettings(const std::string& path) {
  const IniFile ini = IniFile::load(path);
  Settings s;
  s.commType = ini.readInt(kMain, "CommType", s.commType);
  s.commTypeChosen = ini.hasKey(kMain, "CommType");
  s.gateway = ini.readString(kMain, "Gateway", kUnnamedGateway);
  if (s.gateway.empty()) s.gateway = kUnnamedGateway;
  s.comport = ini.readString(kMain, "Comport", "");
  s.saveLog = ini.readInt(kMain, "SaveLog", 1) != 0;
  s.keepBeforeSave = ini.readInt(kMain, kKeepBeforeSaveKey, 1) != 0;
  s.append = ini.readInt(kMain, "Append", 1) != 0;
  s.timeoutMs = ini.readInt(kMain, "Timeout", s.timeoutMs);
  const int language = ini.readInt(kMain, "Language", static_cast<int>(Language::English));
  s.language = (language >= 0 && language <= 2) ? static_cast<Language>(language) : Language::English;
  return s;
}

bool writeLanguage(const std::string& path, Language language) {
  return IniFile::writeKey(path, kMain, "Language", std::to_string(static_cast<int>(language)));
}

bool writeSelectedGateway(const std::string& path, const std::string& gateway) {
  return IniFile::writeKey(path, kMain, "Gateway", gateway);
}

bool writeKeepBeforeSave(const std::string& path, bool keep) {
  return IniFile::writeKey(path, kMain, kKeepBeforeSaveKey, keep ? "1" : "0");
}

CommSettingsWrite writeCommSettings(const std::string& path, const Settings& values,
                                    const std::string& responseTimeText) {
  IniFile ini = IniFile::load(path);
  if (!ini.ok()) return CommSettingsWrite::FileError;
  ini.writeInt(kMain, "CommType", values.commType);
  ini.writeString(kMain, "Gateway", values.gateway);
  ini.writeString(kMain, "Comport", values.comport);
  ini.writeBool(kMain, "SaveLog", values.saveLog);
  ini.writeBool(kMain, "Append", values.append);
  const auto timeout = toInt(responseTimeText);
  if (timeout) ini.writeInt(kMain, "Timeout", *timeout);
  if (!ini.save()) return CommSettingsWrite::FileError;
  return timeout ? CommSettingsWrite::Written : CommSettingsWrite::BadTimeout;
}

bool writeCloseKeys(const std::string& path) {
  IniFile ini = IniFile::load(path);
  if (!ini.ok()) return false;
  for (const CloseKey& k : kCloseKeys) ini.writeBool(kMain, k.key, k.value);
  return ini.save();
}

}  // namespace gw
