#pragma once
// The table pages' records (autorouting, mobility extension, LCR) are kept in the image and the file as their
// fields joined by commas, and the file keeps all records of a table as one comma-separated list that is cut
// back into records by counting fields. A comma inside a field cannot be told from a separator, so it never
// goes in, and a record always goes out with exactly its table's number of fields.

#include <cstddef>
#include <string>
#include <vector>

namespace gw {

inline constexpr std::size_t kAutoRecordFields = 4;
inline constexpr std::size_t kExtRecordFields = 7;
inline constexpr std::size_t kLcrRecordFields = 4;

// A record text from its fields; commas, CR and LF inside a field are dropped.
std::string joinRecord(const std::vector<std::string>& fields);

// `record` cut to exactly `count` fields: missing fields are added empty; surplus fields (a comma that came
// in with a field) are joined, without their commas, to the first field, so the fields at the end stay where
// they belong and no record shifts the ones after it.
std::vector<std::string> recordFields(const std::string& record, std::size_t count);

}  // namespace gw
