#include "shell/text_encoding.h"

#include <array>
#include <cstdint>

namespace gw {

namespace {

constexpr char16_t kNone = 0xFFFD;  // a byte the code page leaves undefined
constexpr char kUnrepresentable = '?';

using HighHalf = std::array<char16_t, 128>;  // code points of the bytes 0x80..0xFF

constexpr HighHalf kWindows1250 = {
    0x20AC, kNone,  0x201A, kNone,  0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    kNone,  0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    kNone,  0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    kNone,  0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr HighHalf makeWindows1252() {
  constexpr std::array<char16_t, 32> kC1 = {
      0x20AC, kNone,  0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, kNone,  0x017D, kNone,   // 0x88
      kNone,  0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, kNone,  0x017E, 0x0178,  // 0x98
  };
  HighHalf table{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i] = i < kC1.size() ? kC1[i] : static_cast<char16_t>(0x80 + i);
  }
  return table;
}
constexpr HighHalf kWindows1252 = makeWindows1252();

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string codePageToUtf8(std::string_view bytes, const HighHalf& high) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{high[b - 0x80]});
  }
  return out;
}

// One decoded UTF-8 sequence: its code point and length, or length 0 when the bytes at `pos` are malformed.
struct Utf8Step {
  char32_t codePoint = 0;
  std::size_t length = 0;
};

Utf8Step decodeAt(std::string_view s, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return {lead, 1};
  // Length, payload bits of the lead byte, and the smallest code point that needs this length (overlong
  // check).
  struct Form {
    std::size_t length;
    unsigned char payloadMask;
    char32_t minimum;
  };
  Form form{};
  if (lead >= 0xC2 && lead <= 0xDF) {
    form = {2, 0x1F, 0x80};
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    form = {3, 0x0F, 0x800};
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    form = {4, 0x07, 0x10000};
  } else {
    return {};
  }
  const std::size_t length = form.length;
  char32_t cp = lead & form.payloadMask;
  if (s.size() - pos < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (b & 0x3F);
  }
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  if (cp < form.minimum || surrogate || cp > 0x10FFFF) return {};
  return {cp, length};
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const Utf8Step step = decodeAt(bytes, pos);
    if (step.length == 0) return false;
    pos += step.length;
  }
  return true;
}

std::string windows1250ToUtf8(std::string_view bytes) {
  return codePageToUtf8(bytes, kWindows1250);
}

std::string windows1252ToUtf8(std::string_view bytes) {
  return codePageToUtf8(bytes, kWindows1252);
}

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) appendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

std::string utf8ToLatin1(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const Utf8Step step = decodeAt(utf8, pos);
    if (step.length == 0) {
      out += kUnrepresentable;
      ++pos;
      continue;
    }
    out += step.codePoint <= 0xFF ? static_cast<char>(step.codePoint) : kUnrepresentable;
    pos += step.length;
  }
  return out;
}

}  // namespace gw
