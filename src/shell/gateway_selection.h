#pragma once
// The selected gateway: which record is in use, its folder and the default file names of the online tools.
// Selecting a gateway also loads its parameter file into the pages, which the layers above provide as hooks.

#include <functional>
#include <string>

#include "base/captions.h"
#include "base/host.h"
#include "shell/gateway.h"
#include "shell/settings.h"

namespace gw {

struct SelectionHooks {
  // The selected gateway's parameter file exists: load it into the pages.
  std::function<void(const std::string& parameterFile)> loadParameterFile;
  // It does not: every page to its defaults (the "Default settings" command).
  std::function<void()> defaultSettings;
  // The fallback gateway: defaults of the pages and empty tables.
  std::function<void()> unnamedDefaults;
  // Another gateway is about to be selected: a link still open belongs to the one before and closes first.
  std::function<void()> beforeChange;
  // Another gateway has been selected.
  std::function<void()> changed;
};

class GatewaySelection {
 public:
  GatewaySelection(std::string programFolder, Host& host, const CaptionList& captions);

  const TGateway& selected() const { return gateway_; }
  TGateway& selected() { return gateway_; }
  bool isUnnamed() const { return gateway_.name == kUnnamedGateway; }
  // The parameter file's folder when it exists, otherwise the program folder.
  const std::string& gatewayFolder() const { return gatewayFolder_; }
  const ToolFileNames& toolFiles() const { return toolFiles_; }

  std::string gatewaysPath() const;
  std::string settingsPath() const;
  const std::string& programFolder() const { return programFolder_; }

  void selectGateway(const std::string& name);
  void selectUnnamedGateway();
  // Makes a record entered in the new-gateway dialog the selected gateway (the LAN connect asks for one when
  // the selected gateway has no address).
  void adopt(const TGateway& record);

  SelectionHooks hooks;
  // settings.ini remembers each selection; a run against several gateways at once leaves it alone.
  bool rememberSelection = true;

 private:
  void updateFolders(bool unnamed);

  std::string programFolder_;
  Host& host_;
  const CaptionList& captions_;
  TGateway gateway_;
  std::string gatewayFolder_;
  ToolFileNames toolFiles_;
};

}  // namespace gw
