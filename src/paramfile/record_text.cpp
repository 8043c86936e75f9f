#include "paramfile/record_text.h"

#include "base/text.h"

namespace gw {

std::string joinRecord(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    for (char c : fields[i]) {
      if (c != ',' && c != '\r' && c != '\n') out += c;
    }
  }
  return out;
}

std::vector<std::string> recordFields(const std::string& record, std::size_t count) {
  std::vector<std::string> fields = splitFields(record);
  if (count == 0) return {};
  while (fields.size() > count) {
    fields[0] += fields[1];
    fields.erase(fields.begin() + 1);
  }
  fields.resize(count);
  return fields;
}

}  // namespace gw
