// The UI test program: "test_ui pieces [functions]" or "test_ui window [functions]"; without a group both
// run. QT_QPA_PLATFORM=offscreen is set by CTest.

#include <QApplication>
#include <QStyleFactory>
#include <cstring>
#include <vector>

#include <QTest>

#include "piece_tests.h"
#include "window_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  const char* group = argc > 1 ? argv[1] : "";
  const bool named = std::strcmp(group, "pieces") == 0 || std::strcmp(group, "window") == 0;
  std::vector<char*> rest = {argv[0]};
  for (int i = named ? 2 : 1; i < argc; ++i) rest.push_back(argv[i]);
  const int count = static_cast<int>(rest.size());

  int status = 0;
  if (!named || std::strcmp(group, "pieces") == 0) {
    gw::test::PieceTests pieces;
    status |= QTest::qExec(&pieces, count, rest.data());
  }
  if (!named || std::strcmp(group, "window") == 0) {
    gw::test::WindowTests window;
    status |= QTest::qExec(&window, count, rest.data());
  }
  return status;
}
