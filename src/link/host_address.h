#pragma once
// Gateway addresses as the user types them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// An address of four dot-separated decimal octets, possibly padded with zeros, spaces or the underscores of
// an address mask ("010.000.000.001", "192.168.  1.__5"), written the plain way ("10.0.0.1"). The octets
// are decimal: a leading zero never makes one octal. Anything else (a host name) gives nothing.
std::optional<std::string> normalizeDottedQuad(std::string_view host);

}  // namespace gw
