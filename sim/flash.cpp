#include "flash.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace gwsim {
namespace {

constexpr std::string_view kVersionMark = "V-";
constexpr std::size_t kVersionDigits = 8;  // "NN.NN.NN"
constexpr std::size_t kVersionTailMax = 8;

bool versionAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  for (std::size_t i = 0; i < kVersionDigits; ++i) {
    const char c = static_cast<char>(bytes[at + i]);
    const bool dot = i == 2 || i == 5;
    if (dot ? c != '.' : !std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

Flash::Flash() : cpu_(kCpuSize, kErased), cdr_(kCdrSize, kErased) {}

AreaShape Flash::shape(FlashArea area) {
  return area == FlashArea::Cpu ? AreaShape{kCpuStart, kCpuSize} : AreaShape{kCdrStart, kCdrSize};
}

std::vector<std::uint8_t>& Flash::bytesOf(FlashArea area) {
  return area == FlashArea::Cpu ? cpu_ : cdr_;
}

bool Flash::write(FlashArea area, std::uint32_t offset, const std::uint8_t* bytes, std::size_t count) {
  std::vector<std::uint8_t>& memory = bytesOf(area);
  if (offset > memory.size() || count > memory.size() - offset) return false;
  std::copy(bytes, bytes + count, memory.begin() + offset);
  return true;
}

void Flash::erase(FlashArea area, std::uint32_t offset, std::uint32_t count) {
  std::vector<std::uint8_t>& memory = bytesOf(area);
  if (offset >= memory.size()) return;
  count = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(memory.size()) - offset);
  std::fill_n(memory.begin() + offset, count, kErased);
}

void Flash::eraseAll(FlashArea area) {
  erase(area, 0, shape(area).size);
}

std::size_t Flash::cpuEnd() const {
  std::size_t end = cpu_.size();
  while (end > 0 && cpu_[end - 1] == kErased) --end;
  return end;
}

std::vector<std::uint8_t> Flash::cpuImage() const {
  return std::vector<std::uint8_t>(cpu_.begin(), cpu_.begin() + static_cast<std::ptrdiff_t>(cpuEnd()));
}

std::optional<std::string> Flash::imageVersion() const {
  const std::size_t end = cpuEnd();
  for (std::size_t at = 0; at + kVersionMark.size() + kVersionDigits <= end; ++at) {
    if (cpu_[at] != 'V' || cpu_[at + 1] != '-' || !versionAt(cpu_, at + kVersionMark.size())) continue;
    std::size_t stop = at + kVersionMark.size() + kVersionDigits;
    const std::size_t tailEnd = std::min(end, stop + kVersionTailMax);
    while (stop < tailEnd && std::isalnum(cpu_[stop])) ++stop;
    return std::string(cpu_.begin() + static_cast<std::ptrdiff_t>(at + kVersionMark.size()),
                       cpu_.begin() + static_cast<std::ptrdiff_t>(stop));
  }
  return std::nullopt;
}

bool Flash::load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return true;  // no file yet: an erased flash
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() > kCpuSize) {
    error = path + ": larger than the flash";
    return false;
  }
  eraseAll(FlashArea::Cpu);
  write(FlashArea::Cpu, 0, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return true;
}

bool Flash::save(const std::string& path, std::string& error) const {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  const std::vector<std::uint8_t> image = cpuImage();
  const bool written = file != nullptr && std::fwrite(image.data(), 1, image.size(), file) == image.size();
  if (file != nullptr && std::fclose(file) != 0) error = path + ": " + std::strerror(errno);
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace gwsim
