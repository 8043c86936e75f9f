#pragma once
// The main window driven by its control names against gwsim: connect and the status bar, the System page,
// the outgoing and incoming groups pages, the error summary and red marks, the language switch, the Kestrin
// edition, the factory reset and the close question; cancelling a connect, connecting elsewhere, the status
// bar's layout, a serial reset and the communication settings.
// the error summary and red marks, the language switch, the Kestrin edition, the factory reset and the close
// question; cancelling a connect, connecting elsewhere, the status bar's layout, a serial reset and the
// communication settings; tracing under load and the terminal.

#include <QObject>

namespace gw::test {

class WindowTests : public QObject {
  Q_OBJECT

 private slots:
  void connectShowsTheGatewayAndDisconnectClearsIt();
  void systemPageLoadsEditsAndSaves();
  void toolbarLoadsAndSavesTheWholeConfiguration();
  void outgoingPageLoadsEditsAndSaves();
  void incomingPageLoadsEditsAndSaves();
  void networkPageEditsEntriesAndSaves();
  void autoroutingPageEditsRecordsAndSaves();
  void saveErrorsAndRedMarks();
  void languageSwitchRelabelsMenusAndTree();
  void kestrinEditionHidesWhatItLacks();
  void factoryResetClearsTheTablesInOrder();
  void gatewayListAddsAGateway();
  void closeAsksToSaveChangedPages();
  void startStopsWithoutLanguagesFile();
  void connectCanBeCancelledAndSaysSo();
  void connectingElsewhereClosesTheOpenLinkFirst();
  void statusPanelsGiveWayInsteadOfOverlapping();
  void serialResetLeavesAConsoleThatTakesCommands();
  void commSettingsKeepATypedPortAndSayWhyTheyAreLocked();
  void ethernetPageLoadsEditsAndSaves();
  void basicPageLoadsEditsAndSaves();
  void groupsPageLoadsEditsAndSaves();
  // report_window_tests.cpp
  void dateTimePageReadsTypesAndSetsTheGatewayClock();
  void logPageLoadsTheLogAndAppendsItToAFile();
  void callPageLoadsAndDeletesTheRecords();
  void statisticsPageLoadsAndClearsTheCounters();
  void tracingAtTwoThousandLinesASecondLeavesTheWindowTakingKeys();
  void terminalSendsKeysAsTypedAndGivesWayToTheNextTopic();
  // live_window_tests.cpp
  void diagnosticWindowPollsDrawsTheLevelsAndStopsWhenClosed();
  void actualCallsWindowRefreshesAndClosesByItsCloseBoxAndEsc();
  void loginPageKeepsItsRulesAndRefusesOverTheLan();
  void lcrPageEditsRecordsHolidaysAndSaves();
  void extensionPageEditsRecordsAndSaves();
  void sipStatePollsWithoutOverlappingASave();
  // voice_tests.cpp
  void voicePageRecordsThroughACallAndShowsTheOverview();
  // firmware_tests.cpp
  void serialUpgradeShowsItsProgressAndHoldsTheCloseOff();
  // drift_window_tests.cpp
  void compareMarksDifferencesAndHistoryWritesAVersionBack();
};

}  // namespace gw::test
