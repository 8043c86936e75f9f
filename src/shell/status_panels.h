#pragma once
// The two panels of the status bar, kept as their parts rather than as finished texts, so that a language
// switch says them again in the new language: panel 1 names the gateway and the state of its link, panel 2
// what the gateway told about itself.

#include <string>

#include "base/captions.h"

namespace gw {

// What "ATI4" and "ATI3" told: the serial number and the boot and firmware versions (each with the space
// that ends it in the reply).
struct GatewayIdentity {
  std::string serialNumber;
  std::string boot;
  std::string firmware;
};

struct StatusPanels {
  enum class Link { Disconnected, Serial, Lan };
  enum class Identity { None, Prompt, Identified, Failed };

  std::string gatewayName;
  Link link = Link::Disconnected;
  std::string place;  // the serial port or the gateway's address, while connected
  int bitRate = 0;    // serial link only
  bool showEdition = false;
  bool kestrin = false;

  Identity identity = Identity::None;
  GatewayIdentity id;
  int failedCaption = 0;  // the caption panel 2 shows after a failed identification
};

// "[port] Connected , Speed 115200Bd/s" / "[10.0.0.5] Connected", from the captions 213 and 215.
std::string serialDescription(const CaptionList& captions, const std::string& port, int bitRate);
std::string lanDescription(const CaptionList& captions, const std::string& host);
// "Serial number : Q2041-00017, Boot : 01.05 , Firmware : 03.00.05 ".
std::string identificationText(const CaptionList& captions, const GatewayIdentity& id);

// Gateway name + " : " + the link's description or "Disconnected", with the edition where it belongs.
std::string statusPanel1(const StatusPanels& panels, const CaptionList& captions);
std::string statusPanel2(const StatusPanels& panels, const CaptionList& captions);

}  // namespace gw
