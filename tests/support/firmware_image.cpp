#include "support/firmware_image.h"

#include <fstream>
#include <random>

#include "support/run_process.h"

namespace gw::test {

namespace {

constexpr std::size_t kVersionAt = 0x100;
constexpr unsigned kSeed = 4713;
constexpr char kLastByte = 0x5A;
constexpr int kObjcopyTimeoutMs = 30'000;
constexpr const char* kObjcopy = "/usr/bin/objcopy";

}  // namespace

std::string firmwareBytes(std::size_t size, const std::string& version) {
  std::string bytes(size, '\0');
  std::mt19937 random(kSeed);
  for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
  const std::string mark = "V-" + version;
  if (size > kVersionAt + mark.size()) bytes.replace(kVersionAt, mark.size(), mark);
  if (!bytes.empty()) bytes.back() = kLastByte;
  return bytes;
}

bool writeIntelHex(const std::string& bytes, const std::string& binPath, const std::string& hexPath) {
  std::ofstream bin(binPath, std::ios::binary | std::ios::trunc);
  bin.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bin.close();
  if (!bin) return false;
  const ProcessResult r =
      runProcess(kObjcopy, {"-I", "binary", "-O", "ihex", binPath, hexPath}, kObjcopyTimeoutMs);
  return r.exitCode == 0;
}

}  // namespace gw::test
