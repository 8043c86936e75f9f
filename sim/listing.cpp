#include "listing.h"

#include <algorithm>
#include <string_view>

#include "reply.h"

namespace gwsim {
namespace {

struct Column {
  std::string_view title;
  std::size_t width;  // of the widest value or the title; one space separates the columns
  bool rightAligned = false;
};

// The limit is right-aligned under its word: a client reads it three characters into the word, or one further
// when it has one digit.
constexpr Column kLcrColumns[] = {
    {"idx", 3}, {"netw", 4}, {"from/to/wend", 15}, {"groups", 7}, {"limit", 5, true}};
constexpr Column kAutoroutingColumns[] = {
    {"idx", 3}, {"gsm.dial (max 47)", 47}, {"voip.dial (max 14)", 18}, {"limit", 5}};
constexpr Column kExtensionColumns[] = {{"idx", 3}, {"name/user/password", 49}, {"dial", 16}, {"cfgbits", 7}};

// Each cell is padded to its column's width; a value wider than its column still leaves one space before the
// next column, so that values never run into each other.
std::string formatLine(const Column* columns, std::size_t count, const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string cell = i < cells.size() ? cells[i] : std::string();
    const std::string fill(cell.size() < columns[i].width ? columns[i].width - cell.size() : 0, ' ');
    if (i > 0) line += ' ';
    line += columns[i].rightAligned ? fill + cell : cell + fill;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

template <std::size_t N>
std::string header(const Column (&columns)[N]) {
  std::vector<std::string> titles;
  for (const Column& column : columns) titles.emplace_back(column.title);
  return formatLine(columns, N, titles);
}

std::vector<std::string> recordFields(const std::string& record) {
  std::vector<std::string> fields;
  for (std::string_view field : splitFields(record)) fields.emplace_back(field);
  return fields;
}

// Follow me "A", SMS at no answer "S", registered "R".
std::string configurationBits(const std::vector<std::string>& fields, bool registered) {
  std::string bits;
  if (fields.size() > 2 && fields[2] == "1") bits += 'A';
  if (fields.size() > 3 && fields[3] == "1") bits += 'S';
  if (registered) bits += 'R';
  return bits;
}

template <std::size_t N>
std::vector<std::string> lines(const Column (&columns)[N], TableId table, const RegisterStore& store,
                               const RegisteredQuery& registered) {
  std::vector<std::string> out{header(columns)};
  for (const auto& [index, record] : store.records(table)) {
    std::vector<std::string> cells{recordKey(table, index)};
    std::vector<std::string> fields = recordFields(record);
    if (table == TableId::Extension) {
      const std::string bits = configurationBits(fields, registered && registered(index));
      fields.resize(2);
      fields.push_back(bits);
    }
    cells.insert(cells.end(), fields.begin(), fields.end());
    out.push_back(formatLine(columns, N, cells));
  }
  return out;
}

}  // namespace

std::vector<std::string> listingLines(TableId table, const RegisterStore& store,
                                      const RegisteredQuery& registered) {
  switch (table) {
    case TableId::Lcr:
      return lines(kLcrColumns, table, store, registered);
    case TableId::Autorouting:
      return lines(kAutoroutingColumns, table, store, registered);
    case TableId::Extension:
      return lines(kExtensionColumns, table, store, registered);
    case TableId::None:
      break;
  }
  return {};
}

std::vector<std::string> pagedReplies(const std::vector<std::string>& lines, std::size_t linesPerPage) {
  const std::size_t perPage = std::max<std::size_t>(linesPerPage, 1);
  std::vector<std::string> pages;
  for (std::size_t first = 0; first < lines.size() || pages.empty(); first += perPage) {
    const std::size_t end = std::min(lines.size(), first + perPage);
    const std::vector<std::string> page(lines.begin() + static_cast<std::ptrdiff_t>(std::min(first, end)),
                                        lines.begin() + static_cast<std::ptrdiff_t>(end));
    pages.push_back(end == lines.size() ? okReply(page) : pageReply(page));
  }
  return pages;
}

}  // namespace gwsim
