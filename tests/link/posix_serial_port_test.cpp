// The termios port on a pseudo-terminal pair: the test holds the master side as the "gateway".

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "link/posix_serial_port.h"
#include "support/temp_dir.h"

namespace gw::test {
namespace {

constexpr int kReadWaitMs = 1000;

class PtyPort : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[128] = {};
    ASSERT_EQ(::openpty(&master_, &slave_, name, nullptr, nullptr), 0);
    path_ = name;
    ::close(slave_);  // the port opens it by its path, as the user types it
    slave_ = -1;
  }
  void TearDown() override { ::close(master_); }

  void gatewaySends(const std::string& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::string gatewayReads(std::size_t count) {
    std::string got;
    while (got.size() < count) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, kReadWaitMs) <= 0) break;
      char buffer[256];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }
  std::string portReads(SerialPort& port, std::size_t count) {
    std::string got;
    while (got.size() < count) {
      const std::optional<char> byte = port.readByte(kReadWaitMs);
      if (!byte) break;
      got.push_back(*byte);
    }
    return got;
  }

  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

TEST_F(PtyPort, MovesEveryByteRawInBothDirections) {
  SerialOpenResult opened = PosixSerialPort::open(path_, 115200);
  ASSERT_TRUE(opened.port) << static_cast<int>(opened.error);
  SerialPort& port = *opened.port;
  const std::string raw("AT\r\n\x03\x11\x13\x7f\xff\x00|", 11);
  EXPECT_EQ(port.write(raw), static_cast<int>(raw.size()));
  EXPECT_EQ(gatewayReads(raw.size()), raw);
  gatewaySends(raw);
  EXPECT_EQ(portReads(port, raw.size()), raw);
  EXPECT_EQ(port.readTimeouts(), kOpenReadTimeouts);
  EXPECT_TRUE(port.setReadTimeouts(kTerminalReadTimeouts));
  EXPECT_EQ(port.readTimeouts(), kTerminalReadTimeouts);
}

TEST_F(PtyPort, ASecondOpenOfTheSamePortIsRefusedUntilTheFirstCloses) {
  SerialOpenResult first = PosixSerialPort::open(path_, 57600);
  ASSERT_TRUE(first.port);
  SerialOpenResult second = PosixSerialPort::open(path_, 57600);
  EXPECT_FALSE(second.port);
  EXPECT_EQ(second.error, SerialOpenError::InUse);
  first.port->close();
  EXPECT_FALSE(first.port->isOpen());
  EXPECT_EQ(first.port->write("x"), 0);
  EXPECT_TRUE(PosixSerialPort::open(path_, 57600).port);
}

TEST_F(PtyPort, OpeningAndChangingTheRateDiscardUnreadInput) {
  gatewaySends("stale");
  SerialOpenResult opened = PosixSerialPort::open(path_, 57600);
  ASSERT_TRUE(opened.port);
  EXPECT_EQ(opened.port->readByte(50), std::nullopt);
  gatewaySends("noise");
  ::usleep(20'000);  // let the pty move it to the port's input
  EXPECT_TRUE(opened.port->setRate(921600));
  EXPECT_EQ(opened.port->rate(), 921600);
  EXPECT_EQ(opened.port->readByte(50), std::nullopt);
  EXPECT_FALSE(opened.port->setRate(12345));
  EXPECT_EQ(opened.port->rate(), 921600);
}

TEST_F(PtyPort, ReadsWaitOutTheirTimeOutWhenSilentOrHungUp) {
  SerialOpenResult opened = PosixSerialPort::open(path_, 57600);
  ASSERT_TRUE(opened.port);
  const auto silentStart = std::chrono::steady_clock::now();
  EXPECT_EQ(opened.port->readByte(30), std::nullopt);
  const auto waited = std::chrono::steady_clock::now() - silentStart;
  EXPECT_GE(waited, std::chrono::milliseconds(30));
  EXPECT_LT(waited, std::chrono::milliseconds(1000));
  EXPECT_FALSE(opened.port->gone());
  // A gateway that hung up answers every read at once; a reader must not spin on it, and learns it is gone.
  ::close(master_);
  master_ = ::open("/dev/null", O_RDONLY);  // keeps TearDown's close harmless
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(opened.port->readByte(40), std::nullopt);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
  EXPECT_TRUE(opened.port->gone());
}

TEST(PosixSerialPortOpen, SaysWhyAPortCannotBeOpened) {
  EXPECT_EQ(PosixSerialPort::open("ttyNoSuchPort77", 57600).error, SerialOpenError::NotFound);
  EXPECT_EQ(PosixSerialPort::open("", 57600).error, SerialOpenError::NotFound);
  EXPECT_EQ(PosixSerialPort::open("/dev/null", 57600).error, SerialOpenError::NotSerial);
  TempDir folder;
  EXPECT_EQ(PosixSerialPort::open(folder.write("plain", "x"), 57600).error, SerialOpenError::NotSerial);
  EXPECT_EQ(PosixSerialPort::open("/dev/null", 1234).error, SerialOpenError::BadRate);
  EXPECT_EQ(serialDevicePath("ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(serialDevicePath("/dev/pts/3"), "/dev/pts/3");
  EXPECT_EQ(serialDevicePath("pts/3"), "pts/3");
}

}  // namespace
}  // namespace gw::test
