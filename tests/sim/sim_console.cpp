#include "sim_console.h"

#include "options.h"

namespace gwsim::test {
namespace {

constexpr int kMaxPages = 100;  // more means the listing never ends

DeviceConfig withoutLogin(Edition edition, DeviceConfig config) {
  SimOptions options;
  options.edition = edition;
  config.identity = identityFor(options);
  config.loginEnabled = false;
  return config;
}

}  // namespace

bool endsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

SimConsole::SimConsole(Edition edition, DeviceConfig config)
    : device(withoutLogin(edition, std::move(config)), RegisterStore(edition), transcript) {}

std::string SimConsole::send(const std::string& bytes) {
  last = session.feed(bytes);
  std::string out;
  for (const Emission& emission : last.out) out += emission.bytes;
  return out;
}

std::string SimConsole::reply(const std::string& command) {
  const std::string out = send(command + "\r");
  const std::string echo = command + "\r\n";
  return out.rfind(echo, 0) == 0 ? out.substr(echo.size()) : out;
}

std::string SimConsole::collect(const std::string& command) {
  std::string page = send(command + "\r");
  std::string text = page;
  for (int pages = 1; pages < kMaxPages && endsWith(page, kPageEnd); ++pages) {
    page = send(" ");
    text += page;
  }
  return text;
}

}  // namespace gwsim::test
