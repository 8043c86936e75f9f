#pragma once
// The pieces of the desktop program that need no gateway: file filters, texts at the Qt edge, caption rows
// on widgets, the topic tree's choosing, the windows that cannot be closed, the command line and the demo
// folder.

#include <QObject>

namespace gw::test {

class PieceTests : public QObject {
  Q_OBJECT

 private slots:
  void fileFiltersBecomeQtFilters();
  void textsFromTheGatewayAndCaptions();
  void captionRowsLabelTheirControls();
  void topicTreeChoosesOncePerClickOrKey();
  void busyWindowsRefuseToClose();
  void pageBinderCopiesBothWays();
  void everyRegisteredPageBindsEveryControl();
  void recordDialogsBindLikePages();
  void commandLine();
  void demoFolderPointsAtTheSimulator();
};

}  // namespace gw::test
