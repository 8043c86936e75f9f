#pragma once
// The main window driven by its control names against gwsim: connect and the status bar, the System page,
// the error summary and red marks, the language switch, the Kestrin edition, the factory reset and the close
// question.

#include <QObject>

namespace gw::test {

class WindowTests : public QObject {
  Q_OBJECT

 private slots:
  void connectShowsTheGatewayAndDisconnectClearsIt();
  void systemPageLoadsEditsAndSaves();
  void networkPageEditsEntriesAndSaves();
  void autoroutingPageEditsRecordsAndSaves();
  void saveErrorsAndRedMarks();
  void languageSwitchRelabelsMenusAndTree();
  void kestrinEditionHidesWhatItLacks();
  void factoryResetClearsTheTablesInOrder();
  void gatewayListAddsAGateway();
  void closeAsksToSaveChangedPages();
  void startStopsWithoutLanguagesFile();
};

}  // namespace gw::test
