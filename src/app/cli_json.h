#pragma once
// gwctl's JSON documents. Gateway texts are Latin-1 bytes; a byte that is not UTF-8 is replaced rather than
// ending the program.

#include <cstdio>
#include <nlohmann/json.hpp>

namespace gw {

inline constexpr int kJsonIndent = 2;

inline void printJson(std::FILE* out, const nlohmann::json& document) {
  const std::string text = document.dump(kJsonIndent, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fprintf(out, "%s\n", text.c_str());
  std::fflush(out);
}

}  // namespace gw
