#include "telnet.h"

namespace gwsim {
namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kDont = 254;
constexpr unsigned char kDo = 253;
constexpr unsigned char kWill = 251;
constexpr unsigned char kSb = 250;
constexpr unsigned char kSe = 240;
constexpr unsigned char kOptionEcho = 1;
constexpr unsigned char kOptionSuppressGoAhead = 3;
constexpr unsigned char kOptionTerminalType = 24;
constexpr unsigned char kOptionWindowSize = 31;

}  // namespace

std::string telnetNegotiation() {
  const unsigned char burst[] = {kIac, kWill, kOptionEcho,       kIac, kWill, kOptionSuppressGoAhead,
                                 kIac, kDo,   kOptionWindowSize, kIac, kDo,   kOptionTerminalType};
  return std::string(reinterpret_cast<const char*>(burst), sizeof burst);
}

std::string TelnetFilter::filter(std::string_view bytes) {
  std::string data;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (state_) {
      case State::Data:
        if (byte == kIac) {
          state_ = State::Command;
        } else {
          data += c;
        }
        break;
      case State::Command:
        if (byte == kIac) {
          data += c;  // IAC IAC is a data byte 255
          state_ = State::Data;
        } else if (byte >= kWill && byte <= kDont) {
          state_ = State::Option;
        } else if (byte == kSb) {
          state_ = State::Subnegotiation;
        } else {
          state_ = State::Data;  // a two-byte command (NOP, GA, AYT ...)
        }
        break;
      case State::Option:
        state_ = State::Data;
        break;
      case State::Subnegotiation:
        if (byte == kIac) state_ = State::SubnegotiationCommand;
        break;
      case State::SubnegotiationCommand:
        state_ = byte == kSe ? State::Data : State::Subnegotiation;
        break;
    }
  }
  return data;
}

}  // namespace gwsim
