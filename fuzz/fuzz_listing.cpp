// The paged listings (LCR, autorouting, mobility extensions): header columns, rows, the words of a row, the
// LCR limit column and the mobility extension reader, over any text a gateway may send. Input: a choice byte,
// then the listing.

#include <array>
#include <initializer_list>
#include <string>

#include "fuzz_support.h"
#include "pages/ext_listing.h"
#include "pages/record_table.h"
#include "pages/table_dump.h"

namespace {

using Words = std::initializer_list<std::string_view>;

// The header words each table page looks for, as its reader names them.
const std::array<Words, 3> kHeaders = {{
    {"netw", "from/to/wend", "groups"},
    {"gsm.dial (max", "voip.dial (max", "limit"},
    {"name/user/password", "dial", "cfgbits"},
}};
constexpr std::array<gw::RecordTableShape, 3> kShapes = {{
    {'R', 64, 4, 64},
    {'A', 96, 4, 95},
    gw::kExtensionShape,
}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::fuzz::Input in(data, size);
  const std::size_t table = in.byte() % kShapes.size();
  const std::string text(in.rest());
  const gw::RecordTableShape& shape = kShapes[table];

  const auto columns = gw::listingColumns(text, kHeaders[table]);
  // The LCR reader finds the limit a few characters into the "limit" header word, which may stand anywhere.
  const std::optional<std::ptrdiff_t> limitWord = gw::columnOffset(text, "limit");
  const std::vector<std::size_t> rows = gw::listingRows(text, shape);
  FUZZ_CHECK(rows.size() <= static_cast<std::size_t>(shape.capacity));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    FUZZ_CHECK(rows[i] < text.size());
    FUZZ_CHECK(text[rows[i]] == shape.letter);
    FUZZ_CHECK(gw::findTableRow(text, shape.letter, static_cast<int>(i)) == rows[i]);
    const std::string_view line = gw::rowLine(text, rows[i]);
    FUZZ_CHECK(line.find('\r') == std::string_view::npos);
    if (limitWord) FUZZ_CHECK(gw::wordAt(line, *limitWord + 4).size() <= line.size());
    if (!columns) continue;
    const std::vector<std::string> words = gw::rowWords(text, rows[i], *columns);
    FUZZ_CHECK(words.size() == columns->size());
    for (const std::string& word : words) FUZZ_CHECK(line.find(word) != std::string_view::npos);
  }

  const auto extensions = gw::readExtensionListing(text);
  FUZZ_CHECK(!extensions || extensions->size() <= static_cast<std::size_t>(gw::kExtensionCapacity));
  if (extensions) {
    const auto again = gw::readExtensionListing(text);
    FUZZ_CHECK(again && again->size() == extensions->size());
  }
  for (const std::ptrdiff_t position :
       {std::ptrdiff_t{-1}, std::ptrdiff_t{0}, static_cast<std::ptrdiff_t>(text.size())}) {
    FUZZ_CHECK(gw::wordAt(text, position).size() <= text.size());
  }
  return 0;
}
