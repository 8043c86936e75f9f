// The firmware page's serial upgrade driven by its control names against gwsim's boot loader: TfFirm shows
// the progress, the main window is disabled and refuses to close while the engine runs, and the image ends
// byte for byte in gwsim's flash.

#include <QDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "online/firmware_tool.h"
#include "support/firmware_image.h"
#include "support/temp_dir.h"
#include "ui_harness.h"
#include "window_tests.h"

namespace gw::test {

namespace {

constexpr std::size_t kImageBytes = 1024;
constexpr int kUpgradeLimitMs = 50'000;  // the port tests' fixed waits, the image, the reconnect

}  // namespace

void WindowTests::serialUpgradeShowsItsProgressAndHoldsTheCloseOff() {
  TempDir ptyDir;
  const std::string pty = ptyDir.file("ttyGW");
  const std::string flash = ptyDir.file("flash.bin");
  UiHarness h({"--pty", pty, "--boot", "--flash", flash, "--reset-time", "100"});
  REQUIRE_READY(h);
  const std::string bytes = firmwareBytes(kImageBytes, "03.01.02");
  const std::string hex = ptyDir.file("image.hex");
  QVERIFY(writeIntelHex(bytes, ptyDir.file("image.bin"), hex));
  Link& link = h.program->link;
  link.comm.linkType = kSerialLink;
  link.comm.portName = pty;
  link.comm.portList = {pty};

  QVERIFY(h.clickNode(QStringLiteral("Firmware")));
  h.type("edFirmUpdate", QString::fromStdString(hex));
  // Ctrl held: no compatibility check.
  QTest::mouseClick(h.find<QPushButton>("sbFirmUpgrade"), Qt::LeftButton, Qt::ControlModifier);
  FirmwareTool& tool = h.program->tool<FirmwareTool>();
  QVERIFY(tool.serialUpgradeRunning());
  auto* firm = h.window->findChild<QDialog*>(QStringLiteral("fFirm"));
  QVERIFY(firm != nullptr && firm->isVisible());
  QVERIFY(!h.window->centralWidget()->isEnabled());
  QVERIFY(!h.window->close());  // the engine owns the port: the program stays

  QTRY_VERIFY_WITH_TIMEOUT(!tool.serialUpgradeRunning(), kUpgradeLimitMs);
  QCOMPARE(tool.lastSerialResult(), static_cast<int>(CFWUpgradeThread::kSucceeded));
  QVERIFY(!firm->isVisible());
  QVERIFY(h.window->centralWidget()->isEnabled());
  QCOMPARE(firm->findChild<QProgressBar*>(QStringLiteral("pbStatus"))->value(), 100);
  QVERIFY(readFile(flash) == bytes);
  QVERIFY(link.comm.connected);  // the link is opened again
  QVERIFY(h.labels().empty());
}

}  // namespace gw::test
