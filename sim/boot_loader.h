#pragma once
// The serial boot loader. It takes Intel-HEX records sent as text without line ends, echoes nothing and
// answers records only:
// - ":00000012EE", the BOOT mode test: "[ BOOT ]"; it also starts a new upgrade attempt;
// - data and base-address records (types 00, 02, 04) are gathered into a batch without answer;
// - ":00000005FB" ends a batch: its records go into the flash and "." answers; "X" refuses a batch (a record
//   with a wrong checksum in it, or --boot-refuse), and its records are dropped;
// - a type 09 record sets the base address (its address field shifted left by 16): ".";
// - the end record (type 01): "."; the upgrade is finished and the gateway starts its new firmware;
// - any other record: "X".
// Bytes outside a record are ignored.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "flash.h"
#include "transcript.h"

namespace gwsim {

struct BootOptions {
  // --boot-refuse N: the batch holding the Nth data record of an upgrade attempt is refused, in the first
  // attempt that reaches it.
  std::optional<long> refuseRecord;
  // --boot-lose N: the answer to the Nth batch end is not sent (once); the batch is taken all the same.
  std::optional<long> loseAnswer;
  // --boot-stay: after the end record the gateway stays in its boot loader.
  bool stay = false;
};

class BootLoader {
 public:
  BootLoader(Transcript& transcript, Flash& flash, BootOptions options)
      : transcript_(transcript), flash_(flash), options_(options) {}
  // A loader with a flash of its own.
  explicit BootLoader(Transcript& transcript)
      : ownFlash_(std::make_unique<Flash>()), transcript_(transcript), flash_(*ownFlash_) {}

  // The loader's answers to the records completed by `bytes`.
  std::string feed(std::string_view bytes);
  // True once after the end record was taken: the image is complete.
  bool takeFinished() { return std::exchange(finished_, false); }
  void dropPartialRecord() { record_.clear(); }
  // The gateway entered its boot loader (after "at!K3WP"): a new upgrade attempt.
  void startAttempt();
  bool stays() const { return options_.stay; }

 private:
  struct Record {
    std::uint8_t type = 0;
    std::uint16_t address = 0;
    std::vector<std::uint8_t> data;
  };

  std::string answer(const std::string& text, bool& finished);
  std::string endBatch();
  void commit(const Record& record);

  std::unique_ptr<Flash> ownFlash_;
  Transcript& transcript_;
  Flash& flash_;
  BootOptions options_;
  std::string record_;  // the record being received, from its ':'; empty between records
  std::vector<Record> batch_;
  bool batchBroken_ = false;  // a record of the batch was not valid
  std::uint32_t base_ = 0;
  long dataCommitted_ = 0;  // data records of this attempt in the flash
  long batchEnds_ = 0;      // batch ends of the whole run
  bool refusalStruck_ = false;
  bool refusalDone_ = false;
  bool finished_ = false;
};

}  // namespace gwsim
