#pragma once
// Taking the gateway's identification answers apart: the "ATI4" and "ATI3" replies.

#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The lines of a reply as the identification keeps them: scanning up to the third-last character and
// stopping at the first "OK", each CR LF preceded by at least two characters since the last line taken ends a
// line; a CR LF passed over stays inside the next line.
std::vector<std::string> identificationLines(std::string_view reply);
// The lines, each followed by ", " (the gatewayAti3Text / gatewayAti4Text form).
std::string joinIdentificationLines(std::string_view reply);

// The text after "SNumber:", leading spaces skipped, up to the next CR or the reply's last character (not
// included); at most 99 characters. Empty when the reply has no "SNumber:".
std::string serialNumberOf(std::string_view ati4Reply);

// The text after `marker` ("B-", "V-") up to and including the next space, or to the end; empty without it.
std::string versionAfter(std::string_view ati3Reply, std::string_view marker);

// The seven firmware versions below 3 that are known to work.
const std::vector<std::string_view>& knownFirmwareVersions();
inline constexpr std::string_view kOldFirmwareLimit = "2.00y";

// Whether connecting should warn about the firmware: its major number (the leading decimal number, as
// "%d.%d.%s" reads it) is below 3, or is no number or out of an int's range, and the reply names none of the
// known versions.
bool firmwareNeedsWarning(std::string_view firmwareVersion, std::string_view ati3Reply);

}  // namespace gw
