#include "pages/ethernet_page.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "base/text.h"
#include "pages/ethernet_registers.h"
#include "pages/image_rows.h"
#include "paramfile/parameter_file.h"

namespace gw {

namespace {

using namespace ethernet;

constexpr std::string_view kAllParametres = "SIP settings - All parametres\n";
constexpr std::string_view kDtmfUnread = "SIP settings - Sending DTMF according to RFC2833\n";

constexpr int kHighestDay = 31;
constexpr int kPortDigits = 5;
constexpr int kRequestDigits = 4;
constexpr int kNameLength = 15;
constexpr std::array<int, 3> kMostBlocks = {20, 4, 10};
constexpr std::array<int, 3> kDefaultBlocks = {4, 1, 2};
constexpr int kG729Choice = 0;
constexpr int kG723Choice = 1;
constexpr int kLowRateIndex = 1;  // "5.3 kbps"

constexpr const char* kSipPort = "5060";
constexpr const char* kStunPort = "3478";

constexpr int kBitRateItemsCaption = 1217;
constexpr int kRingItemsCaption = 1238;

// The copies every field of the image part takes as it is; the codecs, the flags words and the default-port
// boxes follow by hand.
const ImageTable<EthernetPart>& imageRows() {
  static const ImageTable<EthernetPart> table = {
      {"cbEthernetMode", &EthernetPart::protocolMode},
      {"seEthernetDay", &EthernetPart::statsDeleteDay},
      {"edEthernetFirst", &EthernetPart::firstRtpPort},
      {"edEthernetLast", &EthernetPart::lastRtpPort},
      {"edEthernetExpires", &EthernetPart::registrationExpires},
      {"edEthernetRegistration", &EthernetPart::reattemptRegistration},
      {"edEthernetRegisterDomain", &EthernetPart::registerDomain},
      {"edEthernetUser", &EthernetPart::user},
      {"edEthernetPassword", &EthernetPart::password},
      {"edEthernetName", &EthernetPart::name},
      {"seEthernetCodecs1", &EthernetPart::g711Blocks},
      {"seEthernetCodecs2", &EthernetPart::g723Blocks},
      {"seEthernetCodecs3", &EthernetPart::g729Blocks},
      {"cbEthernetCodecs1", &EthernetPart::g711Vad},
      {"cbEthernetCodecs2", &EthernetPart::g723Vad},
      {"cbEthernetCodecs3", &EthernetPart::g729Vad},
      {"cbEthernetBitrate", &EthernetPart::g723BitRate},
      {"edEthernetSipProxyIP", &EthernetPart::sipProxyIpToGsm},
      {"edEthernetSipProxyGsm", &EthernetPart::sipProxyGsmToIp},
      {"edEthernetSipRegister", &EthernetPart::sipRegister},
      {"edEthernetNatFirewall", &EthernetPart::natFirewall},
      {"edEthernetStunServer", &EthernetPart::stunServer},
      {"edEthernetRequest", &EthernetPart::nextStunRequest},
      {"edEthernetDefault1", &EthernetPart::proxyIpToGsmPort},
      {"edEthernetDefault2", &EthernetPart::proxyGsmToIpPort},
      {"edEthernetDefault3", &EthernetPart::registerPort},
      {"edEthernetDefault4", &EthernetPart::stunPort},
      {"cbEthernetGenToVoip", &EthernetPart::ringToneFromVoip},
  };
  return table;
}

int withBit(int word, int bit, bool on) {
  return on ? (word | bit) : (word & ~bit);
}

char codecOf(const ChoiceField& list) {
  const std::size_t i = static_cast<std::size_t>(list.index);
  return i < list.items.size() && !list.items[i].empty() ? list.items[i].front() : '\0';
}

}  // namespace

EthernetPage::EthernetPage(const PageContext& context)
    : Page(context, PageTraits{PageId::Ethernet, ParamSection::Ethernet, cap::kQuestionTitle, "Ethernet"}) {
  cbEthernetMode.items = {"SIP"};
  seEthernetDay.max = kHighestDay;
  rbEthernetCodec.buttons = {"rbEthernetG729", "rbEthernetG723"};
  for (std::size_t i = 0; i < kPriorityListCount; ++i) priorities()[i]->items = priorityItems(false, i);
  selectPrioritiesFrom({'1', '8', '0'});
  const std::pair<TextField*, const char*> numbers[] = {{&edEthernetFirst, "8000"},
                                                        {&edEthernetLast, "8998"},
                                                        {&edEthernetExpires, "600"},
                                                        {&edEthernetRegistration, "10"}};
  for (const auto& [field, text] : numbers) {
    makeDigitField(*field, kPortDigits);
    field->text = text;
  }
  makeDigitField(edEthernetRequest, kRequestDigits);
  edEthernetRequest.text = "600";
  edEthernetRegisterDomain.maxLength = static_cast<int>(kMaxRegisterDomain);
  edEthernetName.maxLength = kNameLength;
  const std::array<NumberField*, 3> blocks = {&seEthernetCodecs1, &seEthernetCodecs2, &seEthernetCodecs3};
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    blocks[i]->min = 1;
    blocks[i]->max = kMostBlocks[i];
    blocks[i]->value = kDefaultBlocks[i];
  }
  cbEthernetBitrate.items = {"6.3 kbps", "5.3 kbps"};
  cbEthernetBitrate.firstItemCaption = kBitRateItemsCaption;
  for (TextField* f : {&edEthernetSipProxyIP, &edEthernetSipProxyGsm, &edEthernetSipRegister,
                       &edEthernetNatFirewall, &edEthernetStunServer}) {
    makeIpField(*f);
  }
  for (const ServerPort& server : serverPorts()) {
    makeDigitField(*server.port, kPortDigits);
    server.useDefault->checked = true;
    applyDefaultPort(server);
  }
  cbEthernetGenToVoip.items = {"Transfer from GSM", "European", "Czech", "Hungarian", "English"};
  cbEthernetGenToVoip.firstItemCaption = kRingItemsCaption;
}

std::array<EthernetPage::ServerPort, 4> EthernetPage::serverPorts() {
  return {ServerPort{&cbEthernetDefault1, &edEthernetDefault1, kSipPort},
          ServerPort{&cbEthernetDefault2, &edEthernetDefault2, kSipPort},
          ServerPort{&cbEthernetDefault3, &edEthernetDefault3, kSipPort},
          ServerPort{&cbEthernetDefault4, &edEthernetDefault4, kStunPort}};
}

std::vector<NamedField> EthernetPage::fields() {
  return {
      {"GroupBox12", &GroupBox12},
      {"cbEthernetMode", &cbEthernetMode},
      {"seEthernetDay", &seEthernetDay},
      {"cbEthernetSimClient", &cbEthernetSimClient},
      {"rbEthernetCodec", &rbEthernetCodec},
      {"cbEthernetPriority1", &cbEthernetPriority1},
      {"cbEthernetPriority2", &cbEthernetPriority2},
      {"cbEthernetPriority3", &cbEthernetPriority3},
      {"edEthernetFirst", &edEthernetFirst},
      {"edEthernetLast", &edEthernetLast},
      {"edEthernetExpires", &edEthernetExpires},
      {"edEthernetRegistration", &edEthernetRegistration},
      {"edEthernetRegisterDomain", &edEthernetRegisterDomain},
      {"edEthernetUser", &edEthernetUser},
      {"edEthernetPassword", &edEthernetPassword},
      {"edEthernetName", &edEthernetName},
      {"gbEthernet5", &gbEthernet5},
      {"lbEthernetNumber", &lbEthernetNumber},
      {"seEthernetCodecs1", &seEthernetCodecs1},
      {"seEthernetCodecs2", &seEthernetCodecs2},
      {"seEthernetCodecs3", &seEthernetCodecs3},
      {"cbEthernetCodecs1", &cbEthernetCodecs1},
      {"cbEthernetCodecs2", &cbEthernetCodecs2},
      {"cbEthernetCodecs3", &cbEthernetCodecs3},
      {"cbEthernetBitrate", &cbEthernetBitrate},
      {"cbEthernetSend180", &cbEthernetSend180},
      {"cbEthernetSend200", &cbEthernetSend200},
      {"cbEthernetSend486", &cbEthernetSend486},
      {"cbEthernetClip", &cbEthernetClip},
      {"cbEthernetSending", &cbEthernetSending},
      {"edEthernetSipProxyIP", &edEthernetSipProxyIP},
      {"edEthernetSipProxyGsm", &edEthernetSipProxyGsm},
      {"edEthernetSipRegister", &edEthernetSipRegister},
      {"edEthernetNatFirewall", &edEthernetNatFirewall},
      {"edEthernetStunServer", &edEthernetStunServer},
      {"edEthernetRequest", &edEthernetRequest},
      {"cbEthernetDefault1", &cbEthernetDefault1},
      {"cbEthernetDefault2", &cbEthernetDefault2},
      {"cbEthernetDefault3", &cbEthernetDefault3},
      {"cbEthernetDefault4", &cbEthernetDefault4},
      {"edEthernetDefault1", &edEthernetDefault1},
      {"edEthernetDefault2", &edEthernetDefault2},
      {"edEthernetDefault3", &edEthernetDefault3},
      {"edEthernetDefault4", &edEthernetDefault4},
      {"cbEthernetGenToVoip", &cbEthernetGenToVoip},
  };
}

std::vector<std::string> EthernetPage::tableProblems() {
  std::vector<std::string> problems;
  for (const RegisterTable* table : allTables()) {
    for (std::string& p : registerTableProblems(*table, fields())) problems.push_back(std::move(p));
  }
  for (std::string& p : imageTableProblems(imageRows(), fields())) problems.push_back(std::move(p));
  return problems;
}

std::size_t EthernetPage::activePriorityLists() const {
  return kestrin() ? kKestrinPriorityLists : kPriorityListCount;
}

// --- Gateway to page ---

bool EthernetPage::ethernetLoad() {
  std::string dump;
  if (readDump(kSipRead, dump)) {
    cbEthernetMode.select(0);
    loadRegisters(dayRows(), dump);
    loadCodecs(dump);
    loadRegisters(rtpRows(), dump);
    if (!kestrin()) {
      loadRegisters(g711Rows(), dump);
      loadRegisters(g723Rows(), dump);
      loadG723BitRate(dump);
      loadRegisters(g729Rows(), dump);
    }
    loadRegisters(registrationRows(), dump);
    loadRegisters(nameRows(), dump);
    // The gateway never shows the SIP account.
    edEthernetUser.set("");
    edEthernetPassword.set("");
    loadSipFlags(dump);
    loadServers(dump);
  } else {
    appendError(kAllParametres);
  }
  std::string gsmDump;
  const bool dtmfRead = readDump(kGsmRead, gsmDump);
  if (dtmfRead) {
    loadDtmf(gsmDump);
  } else {
    appendError(kDtmfUnread);
  }
  ethernetSaveFile();
  return dtmfRead;
}

// E01: the codec choice follows a G.723 in the list; each list takes the codec of its field, a missing field
// leaves its list as it was.
void EthernetPage::loadCodecs(std::string_view dump) {
  const std::vector<std::string> codecs = dumpFields("E01=", dump);
  if (!kestrin()) {
    const std::size_t seen = std::min(codecs.size(), kPriorityListCount);
    const bool g723 = std::find(codecs.begin(), codecs.begin() + static_cast<long>(seen), "4") !=
                      codecs.begin() + static_cast<long>(seen);
    chooseCodec(g723 ? kG723Choice : kG729Choice);
  }
  for (std::size_t i = 0; i < activePriorityLists() && i < codecs.size(); ++i) {
    const char codec = codecs[i].empty() ? '\0' : codecs[i].front();
    selectPriority(i, priorityIndex(codec, i, kestrin()));
  }
}

// E23 field 2 is the VAD plus 2 for 5.3 kbps.
void EthernetPage::loadG723BitRate(std::string_view dump) {
  constexpr std::size_t kVadField = 1;
  if (const std::optional<int> v = fieldNumber(dumpFields("E23=", dump), kVadField))
    cbEthernetBitrate.select(*v > 1 ? kLowRateIndex : 0);
}

// E08: the whole flags words go to the image, so the bits of other owners stay in the file.
void EthernetPage::loadSipFlags(std::string_view dump) {
  const std::vector<std::string> e08 = dumpFields("E08=", dump);
  if (e08.empty()) return;
  EthernetPart& part = ctx_.image.ethernet;
  if (const std::optional<int> word = fieldNumber(e08, 0)) {
    part.sipFlags = *word;
    cbEthernetSend180.checked = (*word & kSend180Bit) != 0;
    cbEthernetSend200.checked = (*word & kSend200Bit) != 0;
    cbEthernetSend486.checked = (*word & kSend486Bit) != 0;
    cbEthernetClip.checked = (*word & kReplaceClipBit) != 0;
  }
  if (!cbEthernetGenToVoip.select(fieldNumber(e08, 1).value_or(-1))) cbEthernetGenToVoip.select(0);
  const std::optional<int> second = fieldNumber(e08, 2);
  if (second) part.sipFlags2 = *second;
  cbEthernetSimClient.checked = second && (*second & kSimClientBit) != 0;
}

// "address:port"; a missing value or part leaves its field as it was.
void EthernetPage::loadServers(std::string_view dump) {
  const std::pair<const char*, TextField*> addressed[] = {{"E10=", &edEthernetSipProxyIP},
                                                          {"E11=", &edEthernetSipProxyGsm},
                                                          {"E14=", &edEthernetSipRegister},
                                                          {"E17=", &edEthernetStunServer}};
  for (std::size_t i = 0; i < serverPorts().size(); ++i) {
    const std::vector<std::string> parts = dumpFields(addressed[i].first, dump, ':');
    if (!parts.empty()) addressed[i].second->set(parts[0]);
    if (parts.size() < 2) continue;
    const ServerPort server = serverPorts()[i];
    server.port->set(parts[1]);
    server.useDefault->checked = parts[1] == server.defaultPort;
    applyDefaultPort(server);
  }
  const std::string nat = dumpValue("E16=", dump);
  if (!nat.empty()) edEthernetNatFirewall.set(nat);
}

void EthernetPage::loadDtmf(std::string_view gsmDump) {
  if (const std::optional<int> word = fieldNumber(dumpFields("G09=", gsmDump), 0))
    cbEthernetSending.checked = (*word & kRfc2833Bit) != 0;
}

// --- Check ---

bool EthernetPage::ethernetValid() {
  bool good = requireText({&edEthernetFirst, &edEthernetLast, &edEthernetExpires, &edEthernetRegistration,
                           &edEthernetRequest, &edEthernetDefault1, &edEthernetDefault2, &edEthernetDefault3,
                           &edEthernetDefault4});
  // A register domain or SIP account longer than the command buffer takes would be cut with its line end.
  if (edEthernetRegisterDomain.text.size() > kMaxRegisterDomain) {
    edEthernetRegisterDomain.marked = true;
    good = false;
  }
  if (edEthernetUser.text.size() + edEthernetPassword.text.size() > kMaxSipAccount) {
    edEthernetUser.marked = true;
    edEthernetPassword.marked = true;
    good = false;
  }
  return good;
}

// --- Page and image ---

int EthernetPage::sipFlags(int word) const {
  word = withBit(word, kSend180Bit, cbEthernetSend180.checked);
  word = withBit(word, kSend200Bit, cbEthernetSend200.checked);
  word = withBit(word, kSend486Bit, cbEthernetSend486.checked);
  return withBit(word, kReplaceClipBit, cbEthernetClip.checked);
}

void EthernetPage::ethernetSaveFile() {
  EthernetPart& part = ctx_.image.ethernet;
  copyToImage(imageRows(), fields(), part);
  part.codecChoice = rbEthernetCodec.index == kG729Choice ? 1 : 0;
  const std::array<char, kPriorityListCount> codecs = priorityCodecs();
  part.codecPriority1 = codecs[0];
  part.codecPriority2 = codecs[1];
  part.codecPriority3 = codecs[2];
  // Only this page's bits change: the outgoing groups' bit 0x20 and bits this program does not know stay.
  part.sipFlags = sipFlags(part.sipFlags);
  part.sipFlags2 = withBit(part.sipFlags2, kSimClientBit, cbEthernetSimClient.checked);
  ctx_.image.basic.g09Flags = withBit(ctx_.image.basic.g09Flags, kRfc2833Bit, cbEthernetSending.checked);
}

void EthernetPage::ethernetLoadFile() {
  const EthernetPart& part = ctx_.image.ethernet;
  copyFromImage(imageRows(), fields(), part);
  const std::array<char, kPriorityListCount> codecs = {part.codecPriority1, part.codecPriority2,
                                                       part.codecPriority3};
  chooseCodec(std::find(codecs.begin(), codecs.end(), '4') != codecs.end() ? kG723Choice : kG729Choice);
  for (std::size_t i = 0; i < kPriorityListCount; ++i)
    selectPriority(i, priorityIndex(codecs[i], i, kestrin()));
  cbEthernetSend180.checked = (part.sipFlags & kSend180Bit) != 0;
  cbEthernetSend200.checked = (part.sipFlags & kSend200Bit) != 0;
  cbEthernetSend486.checked = (part.sipFlags & kSend486Bit) != 0;
  cbEthernetClip.checked = (part.sipFlags & kReplaceClipBit) != 0;
  cbEthernetSimClient.checked = (part.sipFlags2 & kSimClientBit) != 0;
  cbEthernetSending.checked = (ctx_.image.basic.g09Flags & kRfc2833Bit) != 0;
  tickDefaultPorts();
}

void EthernetPage::loadDefaults() {
  loadParameterFile(ctx_.image, defaultsPath(), traits().section, ctx_.host, ctx_.captions);
  if (kestrin()) {
    ctx_.image.ethernet.codecPriority1 = '0';
    ctx_.image.ethernet.codecPriority2 = '8';
  }
  ethernetLoadFile();
  setModified();
}

// --- The codec lists ---

void EthernetPage::chooseCodec(int index) {
  rbEthernetCodec.select(index);
  if (kestrin()) return;  // its lists have no G.729 or G.723 item to rename
  const std::string_view first = index == kG723Choice ? kG723Item : kG729Item;
  for (ChoiceField* list : priorities()) {
    if (!list->items.empty()) list->items.front() = first;
  }
}

void EthernetPage::selectPriority(std::size_t list, int index) {
  if (!priorities()[list]->select(index)) priorities()[list]->select(0);
  shownPriority_[list] = priorities()[list]->index;
}

std::array<char, kPriorityListCount> EthernetPage::priorityCodecs() const {
  return {codecOf(cbEthernetPriority1), codecOf(cbEthernetPriority2), codecOf(cbEthernetPriority3)};
}

void EthernetPage::selectPrioritiesFrom(const std::array<char, kPriorityListCount>& codecs) {
  for (std::size_t i = 0; i < kPriorityListCount; ++i)
    selectPriority(i, priorityIndex(codecs[i], i, kestrin()));
}

// The list the user changed takes the codec; a list that held it takes the changed list's former codec.
void EthernetPage::keepPrioritiesDistinct(std::size_t changed) {
  const int picked = priorities()[changed]->index;
  const int former = shownPriority_[changed];
  for (std::size_t other = 0; other < activePriorityLists(); ++other) {
    if (other != changed && priorities()[other]->index == picked) selectPriority(other, former);
  }
  if (kestrin() && changed < kKestrinPriorityLists) selectPriority(1 - changed, 1 - picked);
  shownPriority_[changed] = picked;
}

void EthernetPage::applyEdition() {
  const std::array<char, kPriorityListCount> shown = priorityCodecs();
  for (std::size_t i = 0; i < kKestrinPriorityLists; ++i)
    priorities()[i]->items = priorityItems(kestrin(), i);
  chooseCodec(rbEthernetCodec.index);
  // The codecs the lists showed stay where the edition offers them all, distinct; otherwise the edition's
  // own first choice.
  selectPrioritiesFrom(shown);
  std::vector<int> picked;
  for (std::size_t i = 0; i < activePriorityLists(); ++i) picked.push_back(priorities()[i]->index);
  std::sort(picked.begin(), picked.end());
  if (std::adjacent_find(picked.begin(), picked.end()) != picked.end()) {
    for (std::size_t i = 0; i < activePriorityLists(); ++i)
      selectPriority(i, editionDefaultIndex(i, kestrin()));
  }

  const bool shownOnOrvale = !kestrin();
  for (FieldView* v : std::initializer_list<FieldView*>{
           &GroupBox12,         &cbEthernetMode,        &seEthernetDay,        &cbEthernetSimClient,
           &gbEthernet5,        &lbEthernetNumber,      &seEthernetCodecs1,    &seEthernetCodecs2,
           &seEthernetCodecs3,  &cbEthernetCodecs1,     &cbEthernetCodecs2,    &cbEthernetCodecs3,
           &cbEthernetBitrate,  &edEthernetNatFirewall, &edEthernetStunServer, &edEthernetRequest,
           &cbEthernetDefault4, &edEthernetDefault4,    &cbEthernetSend200,    &cbEthernetClip,
           &cbEthernetSending,  &rbEthernetCodec,       &cbEthernetPriority3}) {
    v->visible = shownOnOrvale;
  }
}

// --- Default ports ---

void EthernetPage::applyDefaultPort(const ServerPort& server) {
  server.port->enabled = !server.useDefault->checked;
  if (server.useDefault->checked) server.port->set(server.defaultPort);
}

void EthernetPage::tickDefaultPorts() {
  for (const ServerPort& server : serverPorts()) {
    server.useDefault->checked = server.port->text == server.defaultPort;
    applyDefaultPort(server);
  }
}

// --- The user's edits ---

void EthernetPage::edited(std::string_view name) {
  if (name == "rbEthernetCodec") {
    chooseCodec(rbEthernetCodec.index);
    return;
  }
  constexpr std::array<std::string_view, kPriorityListCount> kPriorityNames = {
      "cbEthernetPriority1", "cbEthernetPriority2", "cbEthernetPriority3"};
  for (std::size_t i = 0; i < kPriorityListCount; ++i) {
    if (name == kPriorityNames[i]) keepPrioritiesDistinct(i);
  }
  for (const ServerPort& server : serverPorts()) {
    if (findField<CheckField>(fields(), name) == server.useDefault) applyDefaultPort(server);
  }
}

}  // namespace gw
