#pragma once
// The gateway's table listings ("AT&R", "AT&A", "AT&M"): a header line naming the columns, then one line per
// record that holds a value, in index order, starting with the record key ("R00") under "idx" and with each
// value under its column word. Long listings leave in pages: a page ends in "<SPACE>" and the next one
// follows when the client sends a space; the last page ends in "OK".

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "register_store.h"

namespace gwsim {

// True when the mobility extension with this index is registered.
using RegisteredQuery = std::function<bool(int index)>;

std::vector<std::string> listingLines(TableId table, const RegisterStore& store,
                                      const RegisteredQuery& registered);

// The lines cut into pages of at most `linesPerPage` lines, each page framed as it leaves the console: all
// but the last closed by "\r\n<SPACE>\r\n", the last by "\r\nOK\r\n".
std::vector<std::string> pagedReplies(const std::vector<std::string>& lines, std::size_t linesPerPage);

}  // namespace gwsim
