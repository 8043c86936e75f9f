#pragma once
// Everything a page works with, owned by the program object: the link and its connection, the selected
// gateway, the windows, the captions of the current language, the parameter image and the shared state.
// The program builds one and hands it to every page.

#include "base/captions.h"
#include "base/host.h"
#include "link/link.h"
#include "pages/page_state.h"
#include "paramfile/parametres.h"
#include "shell/connection.h"
#include "shell/gateway_selection.h"

namespace gw {

class DialogRunner;

struct PageContext {
  Link& link;
  Connection& connection;
  GatewaySelection& selection;
  Host& host;
  const CaptionList& captions;
  TParametres& image;
  PageState& state;
  // Shows the record dialogs of the pages; none: every dialog counts as cancelled.
  DialogRunner* dialogs = nullptr;

  bool kestrinEdition() const { return connection.kestrinEdition; }
  bool lanLink() const { return link.comm.linkType == kLanLink; }
};

}  // namespace gw
