// The shipped languages.ini against the list of every caption the program uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/caption_ids.h"
#include "base/ini_file.h"
#include "base/text.h"
#include "shell/captions_file.h"
#include "shell/text_encoding.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

const std::string kShippedFile = GW_SOURCE_DIR "/data/languages.ini";

struct Use {
  int first;
  int last;
  const char* where;
};

// Every caption index the program shows, with where it shows it.
const std::vector<Use> kInventory = {
    {0, 16, "menu items File, Gateway, Settings, Help and their commands"},
    {17, 27, "menu items of the online tools; also their topic tree nodes"},
    {28, 42, "topic tree group and topic nodes"},
    {43, 44, "topic pane tabs: glossary, topics"},
    {45, 47, "warning title, old-firmware format, error title"},
    {49, 51, "port did not answer, login failed, identification failed"},
    {53, 66, "connected question, information title, resets, page and report results, login account"},
    {68, 78, "voice transfers, holidays, full lists and tables, parameter file loaded"},
    {79, 90, "communication settings dialog"},
    {91, 97, "gateway list dialog"},
    {98, 105, "new/edit gateway dialog titles and field labels"},
    {106, 107, "connecting window label and caption"},
    {108, 109, "reset window label and title"},
    {110, 115, "progress window: reading, saving, loading"},
    {117, 123, "day names Monday to Sunday"},
    {128, 128, "Load from gate buttons"},
    {149, 153, "tracing levels of the LAN trace type, Start and Stop"},
    {156, 156, "Save to file buttons"},
    {159, 161, "tracing levels of the message trace type"},
    {170, 171, "voice transfer status prefixes"},
    {176, 183, "voice name Dial number, Hang, Stop & Hang, the five message properties"},
    {185, 193, "voice message names (188 lies in the named range; the page uses 176 for Dial number)"},
    {194, 202, "serial firmware upgrade stages; 198 also the upgrade window title"},
    {204, 222,
     "invalid page, boot loader question, upgrade results, status bar, error list headers, "
     "port failure, progress window loading from gateway"},
    {305, 306, "holiday input box"},
    {346, 355, "called number input box; incoming call modes"},
    {362, 363, "network entry dialog field labels"},
    {365, 365, "network entry dialog title in Add mode"},
    {392, 394, "LCR groups items and network item word"},
    {403, 405, "fields to fill; function on and off"},
    {407, 416, "LCR dialog titles; new gateway dialog checks"},
    {418, 418, "main window caption, Orvale"},
    {427, 436, "voice transfer captions, call states, missing parameter file"},
    {438, 438, "cause pair dialog title"},
    {450, 451, "SIP registration header"},
    {453, 464, "registered, unregistered, extension length, close question, incoming mode help texts"},
    {477, 477, "voice message cannot be read"},
    {480, 482, "invalid IP address, deleting tables, network entry dialog title in Edit mode"},
    {489, 489, "voice message not in the gateway"},
    {504, 504, "main window caption, Kestrin"},
    {512, 512, "disable login question"},
    {517, 517, "CLIP keeping switched off"},
    {521, 528,
     "duplicate GSM number, recorded, duplicate cause, incompatible image, port checks, LAN upgrade"},
    {540, 540, "SIP registration state menu item and topic"},
    // The program's own entries (docs/captions.md).
    {1000, 1001, "Save to gate and Defaults buttons of every page"},
    {1100, 1127, "System page: group titles, field labels, hint, CDR mode items"},
    {2200, 2205, "Date/time page: synchronisation switch, time, date and day labels with their hints"},
    {2300, 2302, "report pages: file chooser button, Load & delete, file label"},
    {2400, 2413, "tracing page: group titles, trace file, Clear, detail boxes, trace types"},
    {2500, 2532,
     "voice page: message types, group titles, labels and buttons; overview window groups, a message not in "
     "the gateway, a file that cannot be read, an unanswered recording call"},
    {2900, 2935,
     "status bar words, connecting window, connection and lost-link messages, Remove all question, dialog "
     "titles, labels and buttons of the shell, message box buttons, toolbar hints, About window, a response "
     "time that is no number, why a serial port did not open, a gateway name unfit for gtws.ini"},
    {1500, 1537, "Outgoing groups page: group tabs, group titles, field labels, hints, list items, note"},
    {1600, 1626, "Incoming groups page: group tabs, group titles, field labels, hints, list buttons, note"},
    {1200, 1251, "Ethernet page: group titles, field labels, hints, bit rate and ring tone items"},
    {1300, 1354, "GSM basic page: group titles, field labels, list items, level scales; cause pair dialog"},
    {1400, 1410, "Groups assignment page: title, module and direction labels, group items"},
    {1700, 1718, "Network list page: list tabs, labels, table buttons, entry dialog, prefixes cut"},
    {1900, 1912, "Autorouting table page: columns, buttons, record dialog, records cut"},
    {2700, 2717, "Diagnostic and actual calls windows: value captions, module titles, window titles, chart"},
    {2800, 2805, "Login account page: field labels, Disable login, group title, the rules of the fields"},
    {1800, 1821,
     "LCR table page: columns, buttons, holidays, dates, record dialog, records and holidays cut"},
    {2000, 2014, "Mobility extension page: columns, buttons, record dialog, records cut"},
    {2100, 2100, "SIP registration state page: Register again"},
    {2600, 2608, "Firmware page: versions, file, upgrade buttons, the Ctrl note"},
    {2610, 2621, "firmware file refusals and their reasons, image too large, status window Close and title"},
    {3100, 3112,
     "configuration drift and history: restore question, Compare with gateway, differences window and its "
     "columns, history window, the keep-before-save setting, snapshot failure"},
};

// Captions used as printf formats, with the conversions they must hold in every language.
const std::map<int, std::vector<std::string>> kFormats = {
    {cap::kOldFirmware, {"%s", "%s"}},
    {cap::kConnectedLoadAll, {"%s"}},
    {cap::kHostUnreachable, {"%s", "%s"}},
    {cap::kNotAnInteger, {"%s"}},
    {2611, {"%s", "%s"}},
    {2619, {"%s", "%s"}},
    {cap::kRestoreQuestion, {"%s"}},
    {cap::kDifferencesSummary, {"%d", "%d"}},
    // Not a conversion: the SMS texts' own mark of the caller's number.
    {1524, {"%N"}},
    {1525, {"%N"}},
};

const std::vector<int> kLanguages = {kLanguageCzech, kLanguageEnglish, kLanguageSpanish};

std::set<int> inventoryIndices() {
  std::set<int> indices;
  for (const Use& use : kInventory) {
    for (int i = use.first; i <= use.last; ++i) indices.insert(i);
  }
  return indices;
}

std::vector<std::string> conversionsOf(const std::string& text) {
  std::vector<std::string> conversions;
  for (std::size_t pos = text.find('%'); pos != std::string::npos; pos = text.find('%', pos + 2)) {
    conversions.push_back(text.substr(pos, 2));
  }
  return conversions;
}

class ShippedCaptions : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (int language : kLanguages) captions_[language] = loadLabels(kShippedFile, language);
  }
  static const std::string& text(int language, int index) { return captions_.at(language).at(index); }
  static std::map<int, CaptionList> captions_;
};
std::map<int, CaptionList> ShippedCaptions::captions_;

TEST_F(ShippedCaptions, TheFileIsPlainUtf8WithOneKeyPerLine) {
  const std::string bytes = test::readFile(kShippedFile);
  ASSERT_FALSE(bytes.empty());
  EXPECT_TRUE(isValidUtf8(bytes));
  EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
  EXPECT_EQ(bytes.find('\\'), std::string::npos);  // no escapes: a line break is the program's business
  const IniFile ini = IniFile::load(kShippedFile);
  // Room for the program's own entries: every entry of the inventory lies below labels_count.
  EXPECT_GT(ini.readInt("main", "labels_count", 0), *inventoryIndices().rbegin());
}

TEST_F(ShippedCaptions, EveryLanguageHoldsExactlyTheInventoryInAscendingOrder) {
  const IniFile ini = IniFile::load(kShippedFile);
  const std::set<int> expected = inventoryIndices();
  for (int language : kLanguages) {
    std::vector<int> found;
    for (const std::string& key : ini.keys(std::to_string(language))) {
      ASSERT_TRUE(key.size() > 1 && key[0] == 's') << key;
      const auto index = toInt(key.substr(1));
      ASSERT_TRUE(index && std::to_string(*index) == key.substr(1)) << key;
      found.push_back(*index);
    }
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end())) << "language " << language;
    EXPECT_EQ(std::set<int>(found.begin(), found.end()), expected) << "language " << language;
    EXPECT_EQ(found.size(), expected.size()) << "a key twice in language " << language;
    for (int index : expected) EXPECT_FALSE(text(language, index).empty()) << language << ":" << index;
  }
}

TEST_F(ShippedCaptions, FormatsKeepTheirConversionsAndNoOtherCaptionHasAny) {
  for (int language : kLanguages) {
    for (int index : inventoryIndices()) {
      const auto format = kFormats.find(index);
      const std::vector<std::string> expected =
          format == kFormats.end() ? std::vector<std::string>{} : format->second;
      EXPECT_EQ(conversionsOf(text(language, index)), expected) << language << ":" << index;
    }
  }
}

TEST_F(ShippedCaptions, CzechAndSpanishAreTranslationsNotCopies) {
  for (int language : {kLanguageCzech, kLanguageSpanish}) {
    int same = 0;
    for (int index : inventoryIndices()) {
      if (text(language, index) == text(kLanguageEnglish, index)) ++same;
    }
    // Protocol names (TCP, Telnet), OK and a few technical words read the same in every language.
    EXPECT_LT(same * 20, static_cast<int>(inventoryIndices().size()))
        << "language " << language << ": " << same;
  }
  EXPECT_TRUE(contains(text(kLanguageCzech, 4), "\xC5\xBE"));  // ž of "Uložit"
  EXPECT_TRUE(contains(text(kLanguageSpanish, 14), "Idioma"));
  EXPECT_TRUE(contains(text(kLanguageSpanish, 58), "\xC2\xBF"));  // ¿ opens a Spanish question
}

TEST_F(ShippedCaptions, CaptionsThatIdentifySomethingStayDistinctInEveryLanguage) {
  // Topics are found by their caption text; the new/edit gateway dialog, the network entry dialog and the
  // LCR dialog tell their mode from their caption; the extension table tells a flag from its column text.
  const std::vector<std::vector<int>> groups = {{17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30,
                                                 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 540},
                                                {98, 99},
                                                {362, 363},
                                                {365, 482},
                                                {404, 405},
                                                {407, 408},
                                                {453, 454},
                                                {152, 153},
                                                {418, 504}};
  for (int language : kLanguages) {
    for (const auto& group : groups) {
      std::set<std::string> texts;
      for (int index : group) texts.insert(text(language, index));
      EXPECT_EQ(texts.size(), group.size()) << "language " << language << ", group of " << group.front();
    }
  }
}

TEST_F(ShippedCaptions, VoiceMessageNamesCanNameAFile) {
  for (int language : kLanguages) {
    for (int index : {185, 186, 187, 176, 189, 190, 191, 192, 193}) {
      EXPECT_EQ(text(language, index).find_first_of("/\\:*?\"<>|"), std::string::npos)
          << language << ":" << index;
    }
  }
}

TEST_F(ShippedCaptions, EnglishKeepsTheDefaultsOfCaptionsShownOutsideTheTable) {
  // Texts the program shows through labelOr with these defaults (the caption table checks its own rows).
  // Values are trimmed in the file, so a default's trailing blank cannot survive there.
  const std::map<int, std::string> defaults = {{108, "Gateway is reseting ... please wait ..."},
                                               {481, "Deleting LCR and ME table ... please wait ..."},
                                               {170, "Received packet :"},
                                               {171, "Transmitted packet : "},
                                               {427, "Writing voice message ... "},
                                               {428, "Reading voice message ... "},
                                               {429, "Conecting ... "},
                                               {430, "Proceeding ... "},
                                               {431, "Alerting ... "},
                                               {432, "Recording ... "},
                                               {433, "Disconnecting ... "},
                                               {434, "User busy ... "},
                                               {435, "Disconnected"},
                                               {177, "Hang"},
                                               {178, "Stop & Hang"},
                                               {185, "Disa"},
                                               {186, "Hello"},
                                               {187, "Mobility extension"},
                                               {176, "Dial number"},
                                               {189, "Text message"},
                                               {190, "Activated"},
                                               {191, "Deactivated"},
                                               {192, "Hold"},
                                               {193, "Back"},
                                               {159, "Messages from layers 2,3,4"},
                                               {160, "Messages from layers 3,4"},
                                               {161, "Messages from layer 4"},
                                               {348, "Reject incoming calls"},
                                               {349, "Ignore incoming calls"},
                                               {350, "Accept incoming calls + voice message"},
                                               {351, "Accept incoming calls + dialtone"},
                                               {352, "After ring, call back/refuse"},
                                               {353, "After ring, call back/ignore"},
                                               {354, "Report to PC + voice message"},
                                               {355, "Report to PC + dialtone"},
                                               {394, "Group "},
                                               {454, "Unregistered"},
                                               {128, "Load from gate"},
                                               {156, "Save to file"},
                                               {112, "Saving parametres"},
                                               {114, "Loading parametres"}};
  for (const auto& [index, english] : defaults)
    EXPECT_EQ(text(kLanguageEnglish, index), trim(english)) << index;
}

}  // namespace
}  // namespace gw
