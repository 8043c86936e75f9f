#pragma once
// What an online tool works with: the link and its connection, the selected gateway (whose folder takes the
// tools' files), the windows, the captions of the current language and the clock. The program builds one
// and hands it to every tool; a tool sees nothing else of the program state.

#include "base/captions.h"
#include "base/clock.h"
#include "base/host.h"
#include "link/link.h"
#include "pages/record_dialog.h"
#include "shell/connection.h"
#include "shell/gateway_selection.h"
#include "shell/main_window_model.h"

namespace gw {

struct OnlineContext {
  Clock& clock;
  Link& link;
  Connection& connection;
  GatewaySelection& selection;
  Host& host;
  const CaptionList& captions;
  // The main window's state (the commands a running terminal or trace disables); none without a window.
  MainWindowModel* window = nullptr;
  // Shows a tool's windows of its own (the voice messages' overview); none: they are not shown.
  DialogRunner* dialogs = nullptr;
};

}  // namespace gw
