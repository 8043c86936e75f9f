#include "link/login.h"

#include <array>
#include <string_view>

#include "base/text.h"

namespace gw {

namespace {

constexpr std::size_t kLoginBufferSize = 1024;
constexpr int kWakeUpTries = 10;
constexpr int kWakeUpPauseMs = 200;
constexpr int kCredentialPauseMs = 1000;
constexpr int kNoLoginPauseMs = 100;
constexpr int kUpgradePauseMs = 100;

constexpr std::array<std::string_view, 3> kLoginPrompts = {"QN login:", "QNK login:", "QNC login:"};
constexpr std::string_view kPasswordPrompt = "Password:";

bool hasLoginPrompt(std::string_view text) {
  for (std::string_view prompt : kLoginPrompts) {
    if (contains(text, prompt)) return true;
  }
  return false;
}

// A send counts only when the link took every byte.
bool sendAll(Link& link, const std::string& text) {
  const std::string_view line = untilNul(text);
  return link.commSend(line) == static_cast<int>(line.size());
}

enum class WakeUp { Prompt, NoLoginNeeded, SendFailed };

// Sends "\r\n" until a login prompt shows, at most kWakeUpTries times.
WakeUp wakeUntilPrompt(Link& link) {
  for (int attempt = 0; attempt < kWakeUpTries; ++attempt) {
    if (!sendAll(link, "\r\n")) return WakeUp::SendFailed;
    link.clock().sleep(kWakeUpPauseMs);
    if (hasLoginPrompt(link.commReadChunk(kLoginBufferSize))) return WakeUp::Prompt;
  }
  return WakeUp::NoLoginNeeded;
}

bool answersAt(Link& link) {
  if (!sendAll(link, "AT\r\n")) return false;
  link.clock().sleep(kNoLoginPauseMs);
  return contains(link.commReceive(kLoginBufferSize), "OK\r\n");
}

}  // namespace

bool asksForLogin(std::string_view text) {
  return hasLoginPrompt(text) || contains(text, kPasswordPrompt);
}

bool gatewayLogin(Link& link, const std::string& user, const std::string& password,
                  const std::string& greeting) {
  if (contains(greeting, kPasswordPrompt)) {
    // The gateway still waits for the password of an earlier login: an empty one ends it.
    if (!sendAll(link, "\r")) return false;
  } else if (!hasLoginPrompt(greeting)) {
    switch (wakeUntilPrompt(link)) {
      case WakeUp::SendFailed:
        return false;
      case WakeUp::NoLoginNeeded:
        return answersAt(link);
      case WakeUp::Prompt:
        break;
    }
  }
  if (!sendAll(link, user + "\r")) return false;
  link.clock().sleep(kCredentialPauseMs);
  link.commReadChunk(kLoginBufferSize);  // the password prompt
  if (!sendAll(link, password + "\r")) return false;
  link.clock().sleep(kCredentialPauseMs);
  return contains(link.commReceive(kLoginBufferSize), "OK");
}

bool upgradeLogin(Link& link, const std::string& user, const std::string& password) {
  const std::string waiting = link.commReceive(kLoginBufferSize);
  link.clock().sleep(kUpgradePauseMs);
  if (!hasLoginPrompt(waiting)) return true;
  if (!sendAll(link, user + "\r\n")) return false;
  link.clock().sleep(kUpgradePauseMs);
  link.commReadChunk(kLoginBufferSize);
  if (!sendAll(link, password + "\r\n")) return false;
  link.clock().sleep(kUpgradePauseMs);
  return contains(link.commReadChunk(kLoginBufferSize), "OK");
}

}  // namespace gw
