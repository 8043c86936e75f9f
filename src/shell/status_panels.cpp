#include "shell/status_panels.h"

#include "base/caption_ids.h"
#include "shell/edition.h"

namespace gw {

namespace {
constexpr const char* kBootDefault = "Boot";
constexpr const char* kFirmwareDefault = "Firmware";
constexpr const char* kGatewayPromptDefault = "Gateway :";
}  // namespace

std::string serialDescription(const CaptionList& captions, const std::string& port, int bitRate) {
  return "[" + port + "] " + captions.at(cap::kConnectedTo) + " , " + captions.at(cap::kBitRate) + " " +
         std::to_string(bitRate) + "Bd/s";
}

std::string lanDescription(const CaptionList& captions, const std::string& host) {
  return "[" + host + "] " + captions.at(cap::kConnectedTo);
}

std::string identificationText(const CaptionList& captions, const GatewayIdentity& id) {
  return captions.at(cap::kSerialNumber) + " : " + id.serialNumber + ", " +
         captions.labelOr(cap::kBootWord, kBootDefault) + " : " + id.boot + ", " +
         captions.labelOr(cap::kFirmwareWord, kFirmwareDefault) + " : " + id.firmware;
}

std::string statusPanel1(const StatusPanels& panels, const CaptionList& captions) {
  std::string state;
  switch (panels.link) {
    case StatusPanels::Link::Disconnected:
      state = captions.at(cap::kDisconnected);
      break;
    case StatusPanels::Link::Serial:
      state = serialDescription(captions, panels.place, panels.bitRate);
      break;
    case StatusPanels::Link::Lan:
      state = lanDescription(captions, panels.place);
      break;
  }
  if (panels.showEdition) state += ", " + std::string(editionName(panels.kestrin));
  return panels.gatewayName + " : " + state;
}

std::string statusPanel2(const StatusPanels& panels, const CaptionList& captions) {
  switch (panels.identity) {
    case StatusPanels::Identity::None:
      return {};
    case StatusPanels::Identity::Prompt:
      return captions.labelOr(cap::kGatewayPrompt, kGatewayPromptDefault);
    case StatusPanels::Identity::Identified:
      return identificationText(captions, panels.id);
    case StatusPanels::Identity::Failed:
      return captions.at(panels.failedCaption);
  }
  return {};
}

}  // namespace gw
