#pragma once
// "Compare with gateway": pages read from the gateway and compared with a parameter file key by key, in the
// file's own terms. The image is used as scratch: it holds the file, then the pages read from the gateway
// are copied over it and written into a copy of the file. The pages end up holding what the gateway holds;
// the desktop program puts back what they held before (keepPagesAround).

#include <functional>
#include <string>
#include <vector>

#include "paramfile/file_diff.h"

namespace gw {

class Program;
class Page;

enum class DriftResult {
  NotConnected,  // the link stayed down; the connect step has said why
  FileError,     // the file is missing or could not be read whole (fileErrors says why)
  Compared,      // every page was read and compared
  Incomplete,    // some pages could not be read (unread) and were not compared; errorList holds the lines
};

struct Drift {
  DriftResult result = DriftResult::NotConnected;
  std::vector<KeyDifference> differences;
  std::vector<Page*> compared;
  std::vector<Page*> unread;
  std::vector<std::string> fileErrors;
};

struct GatewayRead {
  bool connected = true;
  std::vector<Page*> read;    // read whole or with fields that took defaults
  std::vector<Page*> unread;  // the dump never arrived, or a whole transfer broke off before the page
};
// `all`: every page, read as "Load" reads them; otherwise `pages` one by one as "Load from gate" does. The
// pages hold what was read; errorList holds the lines of every page.
GatewayRead readPagesFromGateway(Program& program, const std::vector<Page*>& pages, bool all);

// These pages into the image, in the image copy order (a page that names network lists finds them there).
void copyIntoImage(Program& program, const std::vector<Page*>& pages);

// `all`: every page, read as "Load" reads them; otherwise `pages` one by one as "Load from gate" does.
Drift compareWithGateway(Program& program, const std::vector<Page*>& pages, bool all,
                         const std::string& file);

// Runs `work` and afterwards puts the pages, the image and the modified flags back as they were.
void keepPagesAround(Program& program, const std::function<void()>& work);

}  // namespace gw
