// The pure rules applied to received and typed texts: terminators, the byte filter, the LAN display,
// addresses and port names.

#include <gtest/gtest.h>

#include "link/host_address.h"
#include "link/lan_display.h"
#include "link/response.h"
#include "link/serial_port_list.h"
#include "link/telnet_filter.h"
#include "support/temp_dir.h"

namespace gw::test {
namespace {

TEST(ResponseComplete, KnowsExactlyTheEightTerminators) {
  for (std::string_view t : {"\r\nOK\r\n", "\r\nBUSY\r\n", "\r\nERROR\r\n", "\r\n<SPACE>\r\n", "\r\n\x7f|",
                             "QN login:", "QNK login:", "QNC login:"}) {
    EXPECT_TRUE(responseComplete("S70=1" + std::string(t) + "tail")) << t;
  }
  for (std::string_view t :
       {"OK", "OK\r\n", "\r\nok\r\n", "\r\nOK\n", "QN login", "qn login:", "\r\n\x7f", ""}) {
    EXPECT_FALSE(responseComplete(t)) << t;
  }
}

TEST(ResponseCollector, FindsATerminatorSplitAcrossPiecesAndBeyondTheCapacity) {
  ResponseCollector split(100);
  for (std::string_view piece : {"A=1\r", "\nO", "K", "\r", "\n"}) {
    EXPECT_FALSE(split.complete());
    split.add(piece);
  }
  EXPECT_TRUE(split.complete());
  EXPECT_EQ(split.text(), "A=1\r\nOK\r\n");

  ResponseCollector cut(4);
  cut.add("0123456789\r\nQNC lo");
  EXPECT_FALSE(cut.complete());
  cut.add("gin:");
  EXPECT_TRUE(cut.complete());
  EXPECT_EQ(cut.text(), "0123");
}

TEST(FilterTelnetBytes, KeepsPrintableAsciiAndConsoleControlsOnly) {
  EXPECT_EQ(filterTelnetBytes("\xff\xfb\x01\xff\xfd\x03login\xff\xfa\x18\x01\xff\xf0"), "login");
  EXPECT_EQ(filterTelnetBytes(std::string("a\0b\x7f\x1b[0m\r\n\b\t~ ", 14)), "ab[0m\r\n\b\t~ ");
  EXPECT_EQ(filterTelnetBytes("\xff\xfb"
                              "A"),
            "A");                                  // a printable option code stays
  EXPECT_EQ(filterTelnetBytes("\xe9t\xe9"), "t");  // Latin-1 letters are not ASCII
}

TEST(RouteLanDisplay, StartsANewLineAtEachLineFeedButOnlyOneForLfLf) {
  const auto show = [](std::string_view text) {
    LineDisplay d;
    routeLanDisplay(text, d);
    return d;
  };
  EXPECT_EQ(show("a\nb").lines, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(show("a\n\nb").lines, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(show("a\r\n\r\nb").lines, (std::vector<std::string>{"a\r", "\r", "b"}));
  EXPECT_EQ(show("a\n\n\nb").lines, (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(show("").lines, (std::vector<std::string>{""}));
  const LineDisplay ended = show("OK\r\n");
  EXPECT_EQ(ended.lines, (std::vector<std::string>{"OK\r", ""}));
  EXPECT_EQ(ended.upArrowKeys, 1);
}

TEST(RouteLanDisplay, ContinuesTheLastLineAndCopiesToTheTraceFile) {
  LineDisplay d{{"first", "AT"}, 0};
  std::string trace;
  const auto traceFile = [&](std::string_view t) { trace.append(t); };
  EXPECT_TRUE(routeLanDisplay("I3\r\nQN", d, traceFile));
  EXPECT_EQ(d.lines, (std::vector<std::string>{"first", "ATI3\r", "QN"}));
  // The gateway's echoes of erased characters are neither shown nor traced; what came after them is.
  EXPECT_FALSE(routeLanDisplay("\b \b\b \b", d, traceFile));
  EXPECT_TRUE(routeLanDisplay("\b \bX", d, traceFile));
  EXPECT_TRUE(routeLanDisplay("\b ", d, traceFile));  // too short to be the echo
  EXPECT_EQ(trace, "I3\r\nQNX\b ");
  EXPECT_EQ(d.lines.back(), "QNX\b ");
}

TEST(NormalizeDottedQuad, ReadsPaddedOctetsAsDecimal) {
  EXPECT_EQ(normalizeDottedQuad("010.000.000.001"), "10.0.0.1");
  EXPECT_EQ(normalizeDottedQuad("192.168.  1.__5"), "192.168.1.5");
  EXPECT_EQ(normalizeDottedQuad("255.255.255.255"), "255.255.255.255");
  EXPECT_EQ(normalizeDottedQuad("0008.1.1.0255"), "8.1.1.255");
  for (std::string_view notAQuad : {"256.1.1.1", "1.2.3", "1.2.3.4.5", "99999999999.1.1.1", "1..2.3",
                                    "gateway.lan", "1.2.3.x", "", "__.1.1.1"}) {
    EXPECT_EQ(normalizeDottedQuad(notAQuad), std::nullopt) << notAQuad;
  }
}

TEST(ListSerialPorts, ListsExistingSerialDevicesInNumberOrder) {
  TempDir dev;
  TempDir sys;
  for (const char* name : {"ttyS0", "ttyS1", "ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "ttyAMA0", "rfcomm0",
                           "tty0", "ttyUSB", "ttyUSBx", "console", "ptmx"}) {
    dev.write(name, "");
  }
  dev.write("ttyUSB5/keep", "");             // a folder, not a device
  sys.write("class/tty/ttyS1/type", "0\n");  // registered but no UART behind it
  sys.write("class/tty/ttyS0/type", "4\n");
  const std::string pty = dev.write("pts/7", "");
  const std::vector<std::string> ports =
      listSerialPorts({dev.path(), sys.path(), {pty, dev.path() + "/ttyUSB0", dev.path() + "/pts/99"}});
  EXPECT_EQ(ports, (std::vector<std::string>{pty, "rfcomm0", "ttyACM1", "ttyAMA0", "ttyS0", "ttyS2", "ttyS10",
                                             "ttyUSB0"}));
  EXPECT_TRUE(listSerialPorts({dev.path() + "/none", sys.path(), {}}).empty());
}

}  // namespace
}  // namespace gw::test
