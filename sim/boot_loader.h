#pragma once
// The serial boot loader (--boot). It takes Intel-HEX records sent as text without line ends and answers
// only records: the BOOT mode test ":00000012EE" with "[ BOOT ]", every other complete record with "X"
// (refused: this loader takes no image). Bytes outside a record are ignored and nothing is echoed.

#include <string>
#include <string_view>

#include "transcript.h"

namespace gwsim {

class BootLoader {
 public:
  explicit BootLoader(Transcript& transcript) : transcript_(transcript) {}

  // The loader's answers to the records completed by `bytes`.
  std::string feed(std::string_view bytes);
  void dropPartialRecord() { record_.clear(); }

 private:
  std::string answer(const std::string& record) const;

  Transcript& transcript_;
  std::string record_;  // the record being received, from its ':'; empty between records
};

}  // namespace gwsim
