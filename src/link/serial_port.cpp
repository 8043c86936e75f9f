#include "link/serial_port.h"

namespace gw {

std::string_view openErrorReason(SerialOpenError error) {
  switch (error) {
    case SerialOpenError::InUse:
      return "in use by another program";
    case SerialOpenError::NoPermission:
      return "permission denied";
    case SerialOpenError::NotSerial:
      return "not a serial port";
    case SerialOpenError::BadRate:
      return "bit rate not supported";
    case SerialOpenError::None:
    case SerialOpenError::NotFound:
    case SerialOpenError::Other:
      break;
  }
  return {};
}

}  // namespace gw
