#pragma once
// The mobility extension listing ("AT&M\r"): a header naming the columns "idx", "name/user/password", "dial"
// and "cfgbits", and one row per extension (M00 ... M31). Both the mobility extension page and the SIP
// registration state read it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/record_table.h"
#include "paramfile/record_text.h"

namespace gw {

inline constexpr std::string_view kExtensionListCommand = "AT&M\r";
inline constexpr int kExtensionCapacity = 32;
inline constexpr RecordTableShape kExtensionShape{'M', kExtensionCapacity, kExtRecordFields,
                                                  kExtensionCapacity};

struct ListedExtension {
  std::vector<std::string> names;  // the name, user and password, as far as the row has them
  std::string gsmNumber;
  bool followMe = false;       // "A" in cfgbits
  bool smsAtNoAnswer = false;  // "S"
  bool registered = false;     // "R"
};

// The rows of a listing, up to the first missing index; nothing when the header lacks a column. The
// name/user/password column is read up to the next column, so a name with a blank in it stays whole.
std::optional<std::vector<ListedExtension>> readExtensionListing(std::string_view text);

}  // namespace gw
