#pragma once
// The whole configuration at once: every page from or to the gateway, every page from or to a parameter
// file, every page to its defaults, in the orders the pages depend on. Each gateway transfer comes twice:
// without messages (gwctl), returning which pages got through, and as the command of the main window, which
// shows the transfer window and the closing message by caption number.

#include <string>
#include <vector>

#include "pages/page_state.h"

namespace gw {

class Program;
class Page;

enum class WholeResult {
  NotConnected,  // the link stayed down; the connect step has said why
  Succeeded,
  Failed,      // errorList holds the lines of the pages that failed
  Unexpected,  // the transfer broke off (caption 62); the pages are as far as they got
};

struct WholeTransfer {
  WholeResult result = WholeResult::NotConnected;
  std::vector<Page*> done;    // read or written without an error line
  std::vector<Page*> failed;  // with error lines (read: the dump never arrived, or fields took defaults)
  std::vector<Page*> unread;  // load only: the dump never arrived, the page holds what it held before
};

// The orders the pages are visited in.
const std::vector<PageId>& pageOrder();       // gateway transfers
const std::vector<PageId>& imageCopyOrder();  // every page into the image
const std::vector<PageId>& defaultsOrder();   // "Default settings"

// tbLoadGateClick without its message: connect (warning of old firmware), every page from the gateway.
WholeTransfer loadAllFromGateway(Program& program);
// tbSaveGateClick without its message: connect, every page to the gateway; no page check runs.
WholeTransfer saveAllToGateway(Program& program);

// Every page into the image, in the image copy order.
void pagesToImage(Program& program);
// Every page from the image, in page order.
void imageToPages(Program& program);
// mDefaultClick: every page to its defaults.
void defaultSettings(Program& program);

// The main window's commands, with their messages.
void tbLoadGateClick(Program& program);
void tbSaveGateClick(Program& program);
// The current gateway's parameter file into every page (caption 436 when it is missing).
void tbLoadClick(Program& program);
// Every page into the current gateway's parameter file.
void tbSaveClick(Program& program);
// A chosen parameter file into every page; the gateway keeps its own file.
void mLoadOClick(Program& program);
// Every page into a chosen file, which becomes the gateway's parameter file.
void mSaveAsClick(Program& program);
void mDefaultClick(Program& program);

// The target of "Save as...": the chosen name with ".ini" unless it already ends so.
std::string saveAsTarget(const std::string& chosen);

}  // namespace gw
