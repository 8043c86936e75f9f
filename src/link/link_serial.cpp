// The serial side of the link: reads and writes on the open port, its time-out profiles.

#include "link/link.h"

namespace gw {

SerialOpenResult Link::openSerialPort(const std::string& name, int bitsPerSecond) {
  if (!openSerial_) return {nullptr, SerialOpenError::NotFound};
  SerialOpenResult opened = openSerial_(name, bitsPerSecond);
  if (opened.port) linkOpened();
  return opened;
}

int Link::serialWrite(std::string_view bytes) {
  touchActivity();
  if (!comm.portHandle) return 0;
  return comm.portHandle->write(bytes);
}

char Link::serialReadByte() {
  std::optional<char> byte;
  if (comm.portHandle) byte = comm.portHandle->readByte(comm.portHandle->readTimeouts().oneByteMs());
  touchActivity();
  return byte.value_or('\0');
}

std::string Link::serialRead(std::size_t capacity) {
  const std::atomic<bool> never = false;
  return serialRead(capacity, never, true);
}

std::string Link::serialRead(std::size_t capacity, const std::atomic<bool>& stopping, bool log) {
  std::string text;
  while (text.size() < capacity && !cancelRequested() && !stopping) {
    const char byte = serialReadByte();
    if (byte == '\0') break;  // silence, or a NUL that ends the text
    text.push_back(byte);
  }
  touchActivity();
  if (log) logReceive(text);
  return text;
}

bool Link::setCommandTimeouts() {
  return comm.portHandle && comm.portHandle->setReadTimeouts(kCommandReadTimeouts);
}

bool Link::setTerminalTimeouts() {
  return comm.portHandle && comm.portHandle->setReadTimeouts(kTerminalReadTimeouts);
}

void Link::closeSerial() {
  if (comm.portHandle) comm.portHandle->close();
  comm.portHandle.reset();
  comm.baudRate = 0;
}

}  // namespace gw
