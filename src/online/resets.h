#pragma once
// The two reset topics: the gateway reset and the factory parametres reset. Both ask first, show the reset
// window and wait for the gateway to come back: on the LAN by reconnecting, on the serial link by its
// "Init: OK".

#include "online/online_tool.h"

namespace gw {

enum class ResetOutcome {
  NotConnected,  // the link did not come up; nothing was sent
  Declined,      // the user answered No; nothing was sent
  Failed,        // the command was not taken, or the gateway did not come back (message 56 shown)
  Done,          // message 57 or 59 shown
};

ResetOutcome gatewayReset(OnlineContext& context);
// Clears the LCR (64) and mobility extension (32) records, interleaved, restores LCR record 00, then resets
// the gateway to its factory parametres.
ResetOutcome factoryReset(OnlineContext& context);

// The two reset topics: choosing one asks and resets at once; they have no page.
class GatewayResetTool : public OnlineTool {
 public:
  using OnlineTool::OnlineTool;
  bool enter() override {
    gatewayReset(ctx_);
    return true;
  }
};

class FactoryResetTool : public OnlineTool {
 public:
  using OnlineTool::OnlineTool;
  bool enter() override {
    factoryReset(ctx_);
    return true;
  }
};

}  // namespace gw
