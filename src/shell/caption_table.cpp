#include "shell/caption_table.h"

namespace gw {

namespace {

using P = CaptionProperty;
using S = CaptionState;

constexpr const char* kCommSettings = "TfCommSettings";
constexpr const char* kGatewayList = "TfGatewayList";
constexpr const char* kNewGateway = "TfNewGateway";
constexpr const char* kResetWindow = "TwReset";
constexpr const char* kProgressWindow = "TfParam";
constexpr const char* kConnectingWindow = "TfSpeedConnect";
constexpr const char* kInsertIp = "TfInsertIp";
constexpr const char* kAbout = "TfHelp";

std::vector<CaptionRow> tableRows() {
  return {
      // Menus.
      {0, "mConnect", P::MenuItem, -1, "Connect gateway"},
      {1, "mDisconnect", P::MenuItem, -1, "Disconnect gateway"},
      {2, "mGatewayList", P::MenuItem, -1, "List of gateways..."},
      {3, "mLoad", P::MenuItem, -1, "Load"},
      {4, "mSave", P::MenuItem, -1, "Save"},
      {5, "mLoadO", P::MenuItem, -1, "Load otherwise..."},
      {6, "mSaveAs", P::MenuItem, -1, "Save as..."},
      {7, "mDefault", P::MenuItem, -1, "Default settings"},
      {3101, "mCompare", P::MenuItem, -1, "Compare with gateway"},
      {3104, "mHistory", P::MenuItem, -1, "Configuration history"},
      {3105, "mKeepBeforeSave", P::MenuItem, -1, "Keep the gateway's configuration before each save"},
      {8, "mClose", P::MenuItem, -1, "Close"},
      {9, "mFile", P::MenuItem, -1, "File"},
      {10, "mGateway", P::MenuItem, -1, "Gateway"},
      {11, "mGatewayControl", P::MenuItem, -1, "Gateway control"},
      {12, "mSettings", P::MenuItem, -1, "Settings"},
      {13, "mCommSett", P::MenuItem, -1, "Communication settings..."},
      {14, "mLanguage", P::MenuItem, -1, "Language"},
      {15, "mHelp", P::MenuItem, -1, "Help"},
      {16, "mAbout", P::MenuItem, -1, "About..."},
      {17, "mLogin", P::MenuItem, -1, "Login account"},
      {18, "mDate", P::MenuItem, -1, "Date/time"},
      {19, "mFirm", P::MenuItem, -1, "Firmware"},
      {20, "mTrac", P::MenuItem, -1, "Tracing"},
      {21, "mTerm", P::MenuItem, -1, "Terminal"},
      {22, "mLogFile", P::MenuItem, -1, "Log file"},
      {23, "mCallData", P::MenuItem, -1, "Call data records"},
      {24, "mStat", P::MenuItem, -1, "Statistics"},
      {25, "mVoiceMess", P::MenuItem, -1, "Voice message"},
      {26, "mDiag", P::MenuItem, -1, "Diagnostic calls..."},
      {27, "mActual", P::MenuItem, -1, "Actual calls..."},
      {540, "mSipReg", P::MenuItem, -1, "SIP registration state"},

      // Topic tree in the Orvale edition's order; the online topics share the captions of their menu items.
      {28, "tvTopic", P::TreeNode, 0, "Online configuration"},
      {17, "tvTopic", P::TreeNode, 1, "Login account"},
      {18, "tvTopic", P::TreeNode, 2, "Date/time"},
      {19, "tvTopic", P::TreeNode, 3, "Firmware"},
      {20, "tvTopic", P::TreeNode, 4, "Tracing"},
      {21, "tvTopic", P::TreeNode, 5, "Terminal"},
      {22, "tvTopic", P::TreeNode, 6, "Log file"},
      {23, "tvTopic", P::TreeNode, 7, "Call data records"},
      {25, "tvTopic", P::TreeNode, 8, "Voice message"},
      {24, "tvTopic", P::TreeNode, 9, "Statistics"},
      {27, "tvTopic", P::TreeNode, 10, "Actual calls..."},
      {26, "tvTopic", P::TreeNode, 11, "Diagnostic calls..."},
      {540, "tvTopic", P::TreeNode, 12, "SIP registration state"},
      {29, "tvTopic", P::TreeNode, 13, "Configuration parametres"},
      {30, "tvTopic", P::TreeNode, 14, "System parametres"},
      {31, "tvTopic", P::TreeNode, 15, "Ethernet parametres"},
      {32, "tvTopic", P::TreeNode, 16, "GSM basic parametres"},
      {33, "tvTopic", P::TreeNode, 17, "GSM groups assignment"},
      {34, "tvTopic", P::TreeNode, 18, "GSM outgoing groups"},
      {35, "tvTopic", P::TreeNode, 19, "GSM incoming groups"},
      {36, "tvTopic", P::TreeNode, 20, "Network list"},
      {37, "tvTopic", P::TreeNode, 21, "LCR table"},
      {38, "tvTopic", P::TreeNode, 22, "Autorouting table"},
      {39, "tvTopic", P::TreeNode, 23, "Mobility extension"},
      {40, "tvTopic", P::TreeNode, 24, "Reset"},
      {41, "tvTopic", P::TreeNode, 25, "Gateway reset"},
      {42, "tvTopic", P::TreeNode, 26, "Factory parametres reset"},

      // Topic pane tabs.
      {43, "tsAlfa", P::PageTab, -1, "Alphabetical glossary"},
      {44, "tsTopic", P::PageTab, -1, "Topics"},

      // Main window caption by edition.
      {418, kMainForm, P::WindowTitle, -1, "Velquin Orvale Program", kMainForm, S::OrvaleEdition},
      {504, kMainForm, P::WindowTitle, -1, "Velquin Kestrin Program", kMainForm, S::KestrinEdition},

      // Day of the week on the date/time page; list index + 1 is the gateway's weekday.
      {117, "cbDay", P::ListItem, 0, "Monday"},
      {118, "cbDay", P::ListItem, 1, "Tuesday"},
      {119, "cbDay", P::ListItem, 2, "Wednesday"},
      {120, "cbDay", P::ListItem, 3, "Thursday"},
      {121, "cbDay", P::ListItem, 4, "Friday"},
      {122, "cbDay", P::ListItem, 5, "Saturday"},
      {123, "cbDay", P::ListItem, 6, "Sunday"},

      // Tracing start button by state, and the tracing levels of the message trace type (no fallback).
      {152, "sbTracStart", P::Text, -1, "Start", kMainForm, S::TracingStopped},
      {153, "sbTracStart", P::Text, -1, "Stop", kMainForm, S::TracingRunning},
      {159, "rbTracIpTcpTelnet", P::Text, -1, nullptr, kMainForm, S::TracingTypeMessages},
      {160, "rbTracTcpTelnet", P::Text, -1, nullptr, kMainForm, S::TracingTypeMessages},
      {161, "rbTracTelnet", P::Text, -1, nullptr, kMainForm, S::TracingTypeMessages},

      // Communication settings dialog. The link group and its label follow the link type.
      {79, "cbCommType", P::FieldLabel, -1, "Type of communication", kCommSettings},
      {80, "cbCommType", P::ListItem, 0, "Serial communication", kCommSettings},
      {81, "cbCommType", P::ListItem, 1, "LAN communication", kCommSettings},
      {82, "gbCommLog", P::Text, -1, "Communication LOG", kCommSettings},
      {83, "cbSaveLog", P::Text, -1, "Save communication LOG to a file", kCommSettings},
      {84, "cbAppendLog", P::Text, -1, "Append LOG file", kCommSettings},
      {86, "gbCommLink", P::Text, -1, "Serial communication settings : ", kCommSettings, S::SerialLink},
      {85, "gbCommLink", P::Text, -1, "LAN communication settings : ", kCommSettings, S::LanLink},
      {87, "lbCommLink", P::Text, -1, "Serial port :", kCommSettings, S::SerialLink},
      {88, "lbCommLink", P::Text, -1, "Response time [ms] :", kCommSettings, S::LanLink},
      {89, "sbOk", P::Text, -1, "OK", kCommSettings},
      {90, "sbCancel", P::Text, -1, "Cancel", kCommSettings},
      {2911, kCommSettings, P::WindowTitle, -1, "Communication settings", kCommSettings},

      // Gateway list dialog.
      {91, "sbNew", P::Text, -1, "New", kGatewayList},
      {92, "sbEdit", P::Text, -1, "Edit", kGatewayList},
      {93, "sbRemove", P::Text, -1, "Remove", kGatewayList},
      {94, "sbRemoveAll", P::Text, -1, "Remove all", kGatewayList},
      {95, "sbSelect", P::Text, -1, "Select", kGatewayList},
      {96, "sbConnect", P::Text, -1, "Connect", kGatewayList},
      {97, kGatewayList, P::WindowTitle, -1, "Gateway list", kGatewayList},
      {2913, "sbQuit", P::Text, -1, "Quit", kGatewayList},

      // New/edit gateway dialog; its mode is told by its caption, so the two titles must differ.
      {98, kNewGateway, P::WindowTitle, -1, "New gateway", kNewGateway, S::NewGateway},
      {99, kNewGateway, P::WindowTitle, -1, "Edit gateway", kNewGateway, S::EditGateway},
      {100, "edName", P::FieldLabel, -1, "Gateway name : ", kNewGateway},
      {101, "edIp", P::FieldLabel, -1, "Gateway IP address :", kNewGateway},
      {102, "edPort", P::FieldLabel, -1, "Port :", kNewGateway},
      {103, "edUser", P::FieldLabel, -1, "Username (only for LAN) :", kNewGateway},
      {104, "edPassword", P::FieldLabel, -1, "Password (only for LAN) :", kNewGateway},
      {105, "edFile", P::FieldLabel, -1, "File of gateway parametres : ", kNewGateway},
      {2914, "edFwPort", P::FieldLabel, -1, "Firmware port :", kNewGateway},
      {89, "sbOk", P::Text, -1, "OK", kNewGateway},
      {90, "sbCancel", P::Text, -1, "Cancel", kNewGateway},

      // IP entry dialog of the LAN firmware upgrade.
      {2925, kInsertIp, P::WindowTitle, -1, "Gateway address", kInsertIp},
      {2926, "Edit1", P::FieldLabel, -1, "IP address :", kInsertIp},
      {2927, "Edit2", P::FieldLabel, -1, "Username :", kInsertIp},
      {2928, "Edit3", P::FieldLabel, -1, "Password :", kInsertIp},
      {102, "Edit4", P::FieldLabel, -1, "Port :", kInsertIp},
      {89, "BitBtn1", P::Text, -1, "OK", kInsertIp},
      {90, "BitBtn2", P::Text, -1, "Cancel", kInsertIp},

      // About window; its version line is put together by the window.
      {2921, kAbout, P::WindowTitle, -1, "About", kAbout},
      {2923, "lbPurpose", P::Text, -1, "Configuration and service program for GSM\u2013VoIP gateways",
       kAbout},
      {2924, "lbFirmware", P::Text, -1, "For gateway firmware V-02.07.31r1 and newer", kAbout},
      {89, "sbOk", P::Text, -1, "OK", kAbout},

      // Reset window.
      {109, kResetWindow, P::WindowTitle, -1, "Gateway restart", kResetWindow},
      {108, "lbReset", P::Text, -1, "Gateway is reseting ... please wait ...", kResetWindow},

      // Progress window, by the kind showProgress was given.
      {112, kProgressWindow, P::WindowTitle, -1, "Saving parametres", kProgressWindow, S::ProgressSaving},
      {113, "lb1", P::Text, -1, "Saving parametres ... please wait", kProgressWindow, S::ProgressSaving},
      {114, kProgressWindow, P::WindowTitle, -1, "Loading parametres", kProgressWindow, S::ProgressLoading},
      {115, "lb1", P::Text, -1, "Loading parametres ... please wait", kProgressWindow, S::ProgressLoading},
      {110, kProgressWindow, P::WindowTitle, -1, "Reading information", kProgressWindow, S::ProgressReading},
      {111, "lb1", P::Text, -1, "Reading information about gateway ... please wait", kProgressWindow,
       S::ProgressReading},
      {221, kProgressWindow, P::WindowTitle, -1, "Loading from gateway", kProgressWindow,
       S::ProgressLoadingFromGateway},
      {222, "lb1", P::Text, -1, "Loading from gateway ... please wait", kProgressWindow,
       S::ProgressLoadingFromGateway},
      {90, "sbCancel", P::Text, -1, "Cancel", kProgressWindow},

      // Connecting window: its first words, before a port or address is tried.
      {107, kConnectingWindow, P::WindowTitle, -1, "Connecting...", kConnectingWindow},
      {2903, "lbSpeedConnect", P::Text, -1, "Trying to connect ", kConnectingWindow},
      {90, "sbCancel", P::Text, -1, "Cancel", kConnectingWindow},
  };
}

std::vector<TopicGroupNode> groupRows() {
  return {
      {TopicGroup::Online, 28, "Online configuration"},
      {TopicGroup::Configuration, 29, "Configuration parametres"},
      {TopicGroup::Reset, 40, "Reset"},
  };
}

std::vector<Topic> topicRows() {
  return {
      {17, "Login account", TopicGroup::Online, true},
      {18, "Date/time", TopicGroup::Online, true},
      {19, "Firmware", TopicGroup::Online, true},
      {20, "Tracing", TopicGroup::Online, true},
      {21, "Terminal", TopicGroup::Online, false},
      {22, "Log file", TopicGroup::Online, false},
      {23, "Call data records", TopicGroup::Online, false},
      {25, "Voice message", TopicGroup::Online, false},
      {24, "Statistics", TopicGroup::Online, false},
      {27, "Actual calls...", TopicGroup::Online, false},
      {26, "Diagnostic calls...", TopicGroup::Online, false},
      {540, "SIP registration state", TopicGroup::Online, false},
      {30, "System parametres", TopicGroup::Configuration, true},
      {31, "Ethernet parametres", TopicGroup::Configuration, true},
      {32, "GSM basic parametres", TopicGroup::Configuration, true},
      {33, "GSM groups assignment", TopicGroup::Configuration, false},
      {34, "GSM outgoing groups", TopicGroup::Configuration, true},
      {35, "GSM incoming groups", TopicGroup::Configuration, true},
      {36, "Network list", TopicGroup::Configuration, true},
      {37, "LCR table", TopicGroup::Configuration, false},
      {38, "Autorouting table", TopicGroup::Configuration, false},
      {39, "Mobility extension", TopicGroup::Configuration, false},
      {41, "Gateway reset", TopicGroup::Reset, true},
      {42, "Factory parametres reset", TopicGroup::Reset, true},
  };
}

std::vector<LanguageItem> languageRows() {
  return {
      {0, "mCzech", "tbCzech", "\xC4\x8C\x65\xC5\xA1tina"},
      {1, "mEnglish", "tbEnglish", "English"},
      {2, "mSpanish", "tbSpanish", "Espa\xC3\xB1ol"},
  };
}

}  // namespace

const std::vector<CaptionRow>& captionTable() {
  static const std::vector<CaptionRow> rows = tableRows();
  return rows;
}

std::vector<CaptionRow> rowsFor(std::string_view control) {
  std::vector<CaptionRow> rows;
  for (const CaptionRow& row : captionTable()) {
    if (control == row.control) rows.push_back(row);
  }
  return rows;
}

std::vector<CaptionRow> rowsFor(std::string_view form, std::string_view control) {
  std::vector<CaptionRow> rows;
  for (const CaptionRow& row : captionTable()) {
    if (form == row.form && control == row.control) rows.push_back(row);
  }
  return rows;
}

std::string captionText(const CaptionRow& row, const CaptionList& captions) {
  if (row.englishDefault == nullptr) return captions.at(row.index);
  return captions.labelOr(row.index, row.englishDefault);
}

bool rowApplies(const CaptionRow& row, CaptionState state) {
  return row.state == CaptionState::Always || row.state == state;
}

CaptionState linkState(int linkType) {
  return linkType == 2 ? CaptionState::LanLink : CaptionState::SerialLink;
}

CaptionState editionState(bool kestrinEdition) {
  return kestrinEdition ? CaptionState::KestrinEdition : CaptionState::OrvaleEdition;
}

CaptionState progressState(int kind) {
  switch (kind) {
    case 1:
      return CaptionState::ProgressLoading;
    case 2:
      return CaptionState::ProgressReading;
    case 3:
      return CaptionState::ProgressLoadingFromGateway;
    default:
      return CaptionState::ProgressSaving;
  }
}

const std::vector<TopicGroupNode>& topicGroups() {
  static const std::vector<TopicGroupNode> groups = groupRows();
  return groups;
}

const std::vector<Topic>& topics() {
  static const std::vector<Topic> all = topicRows();
  return all;
}

std::vector<Topic> topicsOf(TopicGroup group, bool kestrinEdition) {
  std::vector<Topic> result;
  for (const Topic& topic : topics()) {
    if (topic.group == group && (topic.kestrin || !kestrinEdition)) result.push_back(topic);
  }
  return result;
}

const std::vector<LanguageItem>& languageItems() {
  static const std::vector<LanguageItem> items = languageRows();
  return items;
}

}  // namespace gw
