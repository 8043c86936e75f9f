#pragma once
// The serial ports offered to the user: the serial devices that exist, in ascending order.

#include <string>
#include <string_view>
#include <vector>

namespace gw {

struct SerialPortScan {
  std::string devFolder = "/dev";
  std::string sysFolder = "/sys";  // where the kernel tells which ttyS ports have a UART behind them
  // Paths the user typed (pseudo-terminals, unusual drivers); listed when they exist.
  std::vector<std::string> userPaths;
};

// Port names such as "ttyUSB0" (and the user's paths as given) of the devices ttyS*, ttyUSB*, ttyACM*,
// ttyAMA* and rfcomm* that exist, ordered by name with their numbers compared as numbers.
std::vector<std::string> listSerialPorts(const SerialPortScan& scan = {});

// Name order with digit runs compared as numbers: ttyS2 before ttyS10.
bool portNameLess(std::string_view a, std::string_view b);

}  // namespace gw
