#include "shell/gateway_selection.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "base/text.h"
#include "shell/settings.h"

namespace gw {

GatewaySelection::GatewaySelection(std::string programFolder, Host& host, const CaptionList& captions)
    : programFolder_(std::move(programFolder)), host_(host), captions_(captions) {
  gateway_.parameterFile = joinPath(programFolder_, "unnamed.ini");
  updateFolders(true);
}

std::string GatewaySelection::gatewaysPath() const {
  return joinPath(programFolder_, kGatewaysFile);
}

std::string GatewaySelection::settingsPath() const {
  return joinPath(programFolder_, kSettingsFile);
}

void GatewaySelection::updateFolders(bool unnamed) {
  const std::string fileFolder = folderOfPath(gateway_.parameterFile);
  gatewayFolder_ = folderExists(fileFolder) ? fileFolder : programFolder_;
  toolFiles_ = toolFileNames(gatewayFolder_, unnamed);
}

void GatewaySelection::selectGateway(const std::string& name) {
  if (hooks.beforeChange) hooks.beforeChange();
  const GatewayFile file(gatewaysPath());
  const auto entry = file.read(name);
  if (name != kUnnamedGateway && (name == "0" || !entry)) {
    selectUnnamedGateway();
    return;
  }
  GatewayEntry e = entry.value_or(GatewayEntry{"0.0.0.0", std::to_string(kDefaultLanPort),
                                               std::to_string(kDefaultFirmwarePort), "", "", std::nullopt});
  TGateway g;
  g.name = name;
  g.host = e.host;
  std::replace(g.host.begin(), g.host.end(), ' ', '0');
  g.port = toInt(e.port).value_or(kDefaultLanPort);
  g.firmwarePort = toInt(e.fwPort).value_or(kDefaultFirmwarePort);
  g.userName = e.user;
  g.password = e.password;
  if (name == kUnnamedGateway) {
    g.parameterFile = joinPath(programFolder_, "unnamed.ini");
  } else {
    // A section without a usable File key must never point at gtws.ini itself: use the proposed file.
    const std::string stored = e.file.value_or("");
    g.parameterFile =
        (stored.empty() || stored == gatewaysPath()) ? proposedParameterFile(programFolder_, name) : stored;
  }
  gateway_ = g;

  if (rememberSelection) writeSelectedGateway(settingsPath(), name);
  makeFolders(folderOfPath(gateway_.parameterFile));
  updateFolders(false);

  if (fileExists(gateway_.parameterFile)) {
    if (hooks.loadParameterFile) hooks.loadParameterFile(gateway_.parameterFile);
  } else if (hooks.defaultSettings) {
    hooks.defaultSettings();
  }
  if (hooks.changed) hooks.changed();
}

void GatewaySelection::selectUnnamedGateway() {
  if (hooks.beforeChange) hooks.beforeChange();
  gateway_ = TGateway{};
  gateway_.parameterFile = joinPath(programFolder_, "unnamed.ini");
  host_.setStatusPanel(1, std::string(kUnnamedGateway) + " : " + captions_.at(cap::kDisconnected));
  updateFolders(true);
  if (hooks.unnamedDefaults) hooks.unnamedDefaults();
  if (rememberSelection) writeSelectedGateway(settingsPath(), kUnnamedGateway);
  if (hooks.changed) hooks.changed();
}

void GatewaySelection::adopt(const TGateway& record) {
  gateway_ = record;
  if (rememberSelection) writeSelectedGateway(settingsPath(), record.name);
  updateFolders(record.name == kUnnamedGateway);
}

}  // namespace gw
