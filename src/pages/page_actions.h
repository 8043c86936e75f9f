#pragma once
// The four buttons every page shares. Each action comes twice: without messages (gwctl, the
// whole-configuration transfers), returning what happened and leaving the details in errorList, and as the
// button handler, which runs the action and shows its message by caption number.

#include "pages/page.h"

namespace gw {

enum class PageResult {
  NotConnected,  // the link stayed down; the connect step has said why
  Invalid,       // the page's check failed; nothing was sent or written
  Succeeded,
  Failed,  // errorList holds the lines (gateway), or the file could not be written
  Unread,  // "Load from gate" could not read the page's dump: the fields are as they were
};

// "Load from gate": connect, clear errorList, progress window, gateway to page, modified flag.
PageResult loadFromGate(Page& page);
// "Save to gate": check, connect, clear errorList, progress window, page to gateway. The flag stays.
PageResult saveToGate(Page& page);
// "Defaults": the page's defaults into image and page; no message, nothing sent.
void restoreDefaults(Page& page);
// "Save to file": check, page to image, the page's section into the gateway's parameter file.
PageResult saveToFile(Page& page);

void loadFromGateClick(Page& page);
void saveToGateClick(Page& page);
void defaultsClick(Page& page);
void saveToFileClick(Page& page);

// The summary after pages were read from or written to the gateway: success, or the header line and
// errorList under the warning caption. Also the closing message of the whole-configuration transfers.
void reportGateLoad(PageContext& context);
void reportGateSave(PageContext& context);

}  // namespace gw
