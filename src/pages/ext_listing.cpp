#include "pages/ext_listing.h"

#include "base/text.h"
#include "pages/table_dump.h"

namespace gw {

namespace {

enum Column : std::size_t { kNames, kDial, kBits };

// From the column of the names up to the column after it, without the blanks that pad it.
std::string namesCell(std::string_view line, std::ptrdiff_t names, std::ptrdiff_t dial) {
  if (dial <= names || names < 0 || static_cast<std::size_t>(names) >= line.size())
    return wordAt(line, names);
  std::string cell(line.substr(static_cast<std::size_t>(names), static_cast<std::size_t>(dial - names)));
  while (!cell.empty() && cell.back() == ' ') cell.pop_back();
  return cell;
}

}  // namespace

std::optional<std::vector<ListedExtension>> readExtensionListing(std::string_view text) {
  const std::optional<std::vector<std::ptrdiff_t>> columns =
      listingColumns(text, {"name/user/password", "dial", "cfgbits"});
  if (!columns) return std::nullopt;
  std::vector<ListedExtension> rows;
  for (std::size_t row : listingRows(text, kExtensionShape)) {
    const std::string_view line = rowLine(text, row);
    const std::string bits = wordAt(line, (*columns)[kBits]);
    ListedExtension e;
    e.names = splitFields(namesCell(line, (*columns)[kNames], (*columns)[kDial]), '/');
    e.gsmNumber = wordAt(line, (*columns)[kDial]);
    e.followMe = contains(bits, "A");
    e.smsAtNoAnswer = contains(bits, "S");
    e.registered = contains(bits, "R");
    rows.push_back(std::move(e));
  }
  return rows;
}

}  // namespace gw
