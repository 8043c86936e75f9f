#pragma once
// Caption-list indices of the message texts and window titles the program logic shows directly. Control
// captions (menu items, buttons, tree nodes, columns) live in the caption table of the shell.

namespace gw::cap {

// Message box titles.
inline constexpr int kWarningTitle = 45;
inline constexpr int kErrorTitle = 47;
inline constexpr int kQuestionTitle = 54;  // also the title of information boxes

// Connection and identification.
inline constexpr int kOldFirmware = 46;   // printf format: firmware version, "2.00y"
inline constexpr int kPortNoAnswer = 49;  // a serial port that did not answer at any rate
inline constexpr int kLoginFailed = 50;
inline constexpr int kIdentificationFailed = 51;
inline constexpr int kConnectedLoadAll = 53;  // printf format: edition name
inline constexpr int kConnectingRate = 106;   // "Connecting..." window label, before the bit rate
inline constexpr int kConnecting = 107;       // "Connecting..." window caption
inline constexpr int kFirmwareUpgradeTitle = 198;
inline constexpr int kBootLoaderFound = 205;
inline constexpr int kConnectedTo = 213;
inline constexpr int kDisconnected = 214;
inline constexpr int kBitRate = 215;
inline constexpr int kLanIdentificationFailed = 216;
inline constexpr int kSerialNumber = 217;
inline constexpr int kPortOpenFailed = 220;

// Progress window kinds.
inline constexpr int kSavingCaption = 112;
inline constexpr int kSavingLabel = 113;
inline constexpr int kLoadingCaption = 114;
inline constexpr int kLoadingLabel = 115;
inline constexpr int kReadingCaption = 110;
inline constexpr int kReadingLabel = 111;
inline constexpr int kLoadingGatewayCaption = 221;
inline constexpr int kLoadingGatewayLabel = 222;

// Resets.
inline constexpr int kResetQuestion = 55;
inline constexpr int kResetFailed = 56;
inline constexpr int kResetDone = 57;
inline constexpr int kFactoryResetQuestion = 58;
inline constexpr int kFactoryResetDone = 59;
inline constexpr int kResetting = 108;
inline constexpr int kResetWindowTitle = 109;
inline constexpr int kDeletingTables = 481;

// Tracing: a start or stop the gateway did not take.
inline constexpr int kCommunicationFailed = 56;
inline constexpr int kTraceStart = 152;
inline constexpr int kTraceStop = 153;

// Pages and parameter files.
inline constexpr int kFileWriteFailed = 60;
inline constexpr int kLoadedWithoutError = 61;
inline constexpr int kTransferFailed = 62;
inline constexpr int kSavedWithoutError = 66;
inline constexpr int kSavedToFile = 75;
inline constexpr int kLoadedFromFile = 78;
inline constexpr int kInvalidValues = 204;
inline constexpr int kLoadErrorsHeader = 218;
inline constexpr int kSaveErrorsHeader = 219;
inline constexpr int kParameterFileMissing = 436;
inline constexpr int kSaveChangesQuestion = 456;
inline constexpr int kInvalidIp = 480;

// Gateway list and communication settings.
inline constexpr int kLanSettingsGroup = 85;
inline constexpr int kSerialSettingsGroup = 86;
inline constexpr int kSerialSettingsLabel = 87;
inline constexpr int kLanSettingsLabel = 88;
inline constexpr int kNewGatewayTitle = 98;
inline constexpr int kEditGatewayTitle = 99;
inline constexpr int kPortEmpty = 409;
inline constexpr int kNameInvalid = 410;
inline constexpr int kPasswordEmpty = 411;
inline constexpr int kFileEmpty = 412;
inline constexpr int kAddressEmpty = 413;
inline constexpr int kGatewaysFileFailed = 414;
inline constexpr int kGatewayExists = 415;
inline constexpr int kUserEmpty = 416;
inline constexpr int kFirmwarePortEmpty = 525;
inline constexpr int kPortNotNumber = 526;

// The program's own entries for the main window, the status bar, the shell's dialogs and the connection
// messages (the block 2900-2999 of languages.ini).
inline constexpr int kGatewayPrompt = 2900;    // status panel 2 while no gateway is connected
inline constexpr int kBootWord = 2901;         // "Boot" of the identification text
inline constexpr int kFirmwareWord = 2902;     // "Firmware" of the identification text
inline constexpr int kTryingToConnect = 2903;  // "Connecting..." window label before a port is tried
inline constexpr int kConnectCancelled = 2904;
inline constexpr int kHostUnreachable = 2905;   // printf format: address, port
inline constexpr int kNoAnswer = 2906;          // the connection came up, the gateway never answered
inline constexpr int kStoppedAnswering = 2907;  // a page action's summary when the link died under it
inline constexpr int kLinkLost = 2908;          // the keep-alive found the gateway silent
inline constexpr int kLoggedOut = 2909;         // the keep-alive found the console asking for a login
inline constexpr int kRemoveAllQuestion = 2910;
inline constexpr int kCommSettingsLocked = 2912;  // why the communication settings cannot change now
inline constexpr int kNotAnInteger = 2930;        // printf format: the text that is no number
inline constexpr int kPortInUse = 2931;           // why a serial port did not open
inline constexpr int kPortNoPermission = 2932;
inline constexpr int kPortNotSerial = 2933;
inline constexpr int kPortBadRate = 2934;
inline constexpr int kNameCharacters = 2935;  // a gateway name that cannot be a gtws.ini section and a folder
inline constexpr int kYesButton = 2915;
inline constexpr int kNoButton = 2916;
inline constexpr int kOkButton = 89;
inline constexpr int kCancelButton = 90;

// Main window.
inline constexpr int kOrvaleProgramTitle = 418;
inline constexpr int kKestrinProgramTitle = 504;

// Topics: each is its tree node's caption (the online tools share their menu items' captions).
inline constexpr int kLoginAccountTopic = 17;
inline constexpr int kDateTimeTopic = 18;
inline constexpr int kFirmwareTopic = 19;
inline constexpr int kTracingTopic = 20;
inline constexpr int kTerminalTopic = 21;
inline constexpr int kLogFileTopic = 22;
inline constexpr int kCallDataTopic = 23;
inline constexpr int kStatisticsTopic = 24;
inline constexpr int kVoiceMessageTopic = 25;
inline constexpr int kDiagnosticsTopic = 26;
inline constexpr int kActualCallsTopic = 27;
inline constexpr int kOnlineGroup = 28;
inline constexpr int kConfigurationGroup = 29;
inline constexpr int kSystemTopic = 30;
inline constexpr int kEthernetTopic = 31;
inline constexpr int kGsmBasicTopic = 32;
inline constexpr int kGroupsAssignmentTopic = 33;
inline constexpr int kOutgoingGroupsTopic = 34;
inline constexpr int kIncomingGroupsTopic = 35;
inline constexpr int kNetworkListTopic = 36;
inline constexpr int kLcrTableTopic = 37;
inline constexpr int kAutoroutingTopic = 38;
inline constexpr int kMobilityExtensionTopic = 39;
inline constexpr int kResetGroup = 40;
inline constexpr int kGatewayResetTopic = 41;
inline constexpr int kFactoryResetTopic = 42;
inline constexpr int kSipRegistrationTopic = 540;

// Texts every page shares. "Load from gate" and "Save to file" have captions of the original numbering; the
// others are the program's own entries (docs/captions.md lists the blocks from 1000 on).
inline constexpr int kLoadFromGate = 128;
inline constexpr int kSaveToFile = 156;
inline constexpr int kSaveToGate = 1000;
inline constexpr int kDefaults = 1001;

// Configuration drift, history and several gateways (block 3100-3199).
inline constexpr int kRestoreQuestion = 3100;  // printf format: the entry's stamp
inline constexpr int kCompareWithGateway = 3101;
inline constexpr int kDifferencesTitle = 3102;
inline constexpr int kNoDifferences = 3103;
inline constexpr int kHistoryTitle = 3104;
inline constexpr int kKeepBeforeSave = 3105;
inline constexpr int kRestoreButton = 3106;
inline constexpr int kDifferenceSection = 3107;
inline constexpr int kDifferenceKey = 3108;
inline constexpr int kDifferenceFileValue = 3109;
inline constexpr int kDifferenceGatewayValue = 3110;
inline constexpr int kDifferencesSummary = 3111;  // printf format: differences, pages compared
inline constexpr int kSnapshotFailed = 3112;

}  // namespace gw::cap
