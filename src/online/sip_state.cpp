#include "online/sip_state.h"

#include "base/caption_ids.h"
#include "base/text.h"
#include "pages/table_dump.h"
#include "shell/text_encoding.h"

namespace gw {

namespace {

constexpr int kNameWord = 450;
constexpr int kUserWord = 451;
constexpr int kRegisteredWord = 453;
constexpr int kUnregisteredWord = 454;
constexpr const char* kUnregistered = "Unregistered";
constexpr int kCommunicationFailed = 56;
constexpr int kRegisteredAgain = 66;

constexpr std::string_view kRegisterAgain = "AT&m=reg\r\n";
constexpr std::size_t kRegisterReplyCapacity = 256;
constexpr std::string_view kOk = "OK";

// Characters of a UTF-8 text: every byte that does not continue a sequence starts one.
std::size_t characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

// Blanks appended up to `width` characters; a longer text stays whole.
std::string padded(std::string text, std::size_t width) {
  const std::size_t length = characters(text);
  if (length < width) text.append(width - length, ' ');
  return text;
}

}  // namespace

std::string sipStateView(const CaptionList& captions, const std::vector<ListedExtension>& extensions) {
  const std::string header = padded(captions.at(kNameWord), kSipRegColumnWidth) +
                             padded(captions.at(kUserWord), kSipRegColumnWidth) +
                             captions.at(kRegisteredWord);
  std::string view = header + "\n" + std::string(characters(header), '-');
  for (const ListedExtension& e : extensions) {
    std::string line;
    // The gateway's texts are Latin-1; the view is the program's own, in UTF-8.
    for (std::size_t i = 0; i < 2 && i < e.names.size(); ++i)
      line += padded(latin1ToUtf8(e.names[i]), kSipRegColumnWidth);
    line += e.registered ? captions.at(kRegisteredWord) : captions.labelOr(kUnregisteredWord, kUnregistered);
    view += "\n" + line;
  }
  return view;
}

SipStateTool::SipStateTool(const OnlineContext& context) : OnlineTool(context) {
  memSipReg.utf8 = true;
}

std::vector<ControlSet::Button> SipStateTool::buttons() {
  return {{"btnSipReg", [this] { btnSipRegClick(); }}};
}

bool SipStateTool::enter() {
  if (ctx_.connection.commConnect(false)) sipRegStart();
  return true;
}

void SipStateTool::sipRegStart() {
  polling_ = true;
  tSipRegTimer();
}

bool SipStateTool::linkTaken() const {
  return ctx_.link.inExchange() || ctx_.link.commBusy;
}

void SipStateTool::tSipRegTimer() {
  if (!polling_ || busy_ || linkTaken()) return;
  // A link closed meanwhile (the user disconnected) ends the poll quietly: there is nothing to ask.
  if (!ctx_.link.comm.connected) {
    polling_ = false;
    return;
  }
  if (!sipRegLoad()) sipRegLoadError();
}

bool SipStateTool::sipRegLoad() {
  busy_ = true;
  const TableDump dump = collectTableDump(ctx_.link, kExtensionListCommand);
  std::optional<std::vector<ListedExtension>> listing;
  if (dump.failure == TableReadFailure::None) listing = readExtensionListing(dump.text);
  if (listing) {
    listed_ = *listing;
    memSipReg.set(sipStateView(captions_, *listing));
  } else {
    polling_ = false;
  }
  busy_ = false;
  return listing.has_value();
}

void SipStateTool::sipRegLoadError() {
  polling_ = false;
  show(kCommunicationFailed, cap::kErrorTitle, MessageKind::Error);
  busy_ = false;
}

void SipStateTool::btnSipRegClick() {
  if (busy_ || !ctx_.connection.commConnect(false)) return;
  busy_ = true;
  const bool sent = ctx_.link.commSend(kRegisterAgain) == static_cast<int>(kRegisterAgain.size());
  const bool taken = sent && contains(ctx_.link.commReceive(kRegisterReplyCapacity), kOk);
  busy_ = false;
  if (!taken) {
    show(kCommunicationFailed, cap::kErrorTitle, MessageKind::Error);
    return;
  }
  // A refresh that fails has stopped the poll: the next tick would only fail again.
  if (!sipRegLoad()) {
    sipRegLoadError();
    return;
  }
  show(kRegisteredAgain, cap::kQuestionTitle, MessageKind::Information);
  polling_ = true;
}

void SipStateTool::show(int label, int caption, MessageKind kind) {
  ctx_.host.messageBox(Message{captions_.at(label), captions_.at(caption), kind, label, caption});
}

}  // namespace gw
