#pragma once
// The gateway's flash memory as its upgrades see it: the CPU area that holds the firmware image (written by
// the serial boot loader at the Intel-HEX addresses, and over UDP at the area's start plus the image
// offset) and the CDR area. The firmware version the device reports comes from the image: the first
// "V-" followed by a version "NN.NN.NN" (and its letters and digits) found in the CPU area. With --flash
// FILE the CPU area's image is loaded from FILE at start and written there after every upgrade.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gwsim {

enum class FlashArea { Cpu = 1, Cdr = 2 };

struct AreaShape {
  std::uint32_t start;  // the area's first address over UDP
  std::uint32_t size;
};

class Flash {
 public:
  static constexpr std::uint32_t kCpuStart = 0x01000000;
  static constexpr std::uint32_t kCpuSize = 8u << 20;
  static constexpr std::uint32_t kCdrStart = 0x02000000;
  static constexpr std::uint32_t kCdrSize = 1u << 20;
  static constexpr std::uint8_t kErased = 0xFF;

  Flash();

  static AreaShape shape(FlashArea area);
  // False (nothing changes) for bytes outside the area.
  bool write(FlashArea area, std::uint32_t offset, const std::uint8_t* bytes, std::size_t count);
  void erase(FlashArea area, std::uint32_t offset, std::uint32_t count);
  void eraseAll(FlashArea area);
  // The CPU area up to its last byte that is not erased (the 0xFF a block is padded with is no part of it).
  std::vector<std::uint8_t> cpuImage() const;
  // The firmware version the CPU image carries, if any.
  std::optional<std::string> imageVersion() const;

  // --flash FILE.
  bool load(const std::string& path, std::string& error);
  bool save(const std::string& path, std::string& error) const;

 private:
  std::vector<std::uint8_t>& bytesOf(FlashArea area);
  std::size_t cpuEnd() const;

  std::vector<std::uint8_t> cpu_;
  std::vector<std::uint8_t> cdr_;
};

}  // namespace gwsim
