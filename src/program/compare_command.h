#pragma once
// The desktop program's "Compare with gateway" and "Save to gate" with the gateway's configuration kept
// first: the pages keep what the user has in them while the gateway is read.

#include "paramfile/file_history.h"
#include "program/drift.h"

namespace gw {

class Program;
class Page;

// Every page read from the gateway and compared with the gateway's parameter file. The pages keep what they
// held; each page's controls that differ are marked (PageState::differing). A missing file is reported
// (caption 436), a failed section in its box, an equal gateway in an information box; a gateway that
// differs is for the caller to show (the differences window).
Drift compareWithGatewayClick(Program& program);

// Before a "Save to gate" of `pages` (all: every page): when the program keeps the gateway's configuration
// (Program::keepBeforeSave), it is read and kept in the history, the pages keeping what they hold. False
// (with the message shown) when it could not be kept: the save must not go on.
bool keepBeforeSave(Program& program, const std::vector<Page*>& pages, bool all);

// The history window's "Restore": after the question, the entry into every page and "Save to gate" of the
// whole configuration (which keeps what the gateway holds first, when the program keeps it).
void restoreClick(Program& program, const HistoryEntry& entry);

}  // namespace gw
