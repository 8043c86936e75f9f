#include "session.h"

#include "reply.h"

namespace gwsim {
namespace {

// The part of a reply that leaves before --drop-after closes the line.
std::string firstHalf(const std::string& reply) {
  return reply.substr(0, reply.size() / 2);
}

}  // namespace

Session::Session(Device& device, bool loggedIn, bool serialLine)
    : device_(device),
      phase_(device.loginEnabled() && !loggedIn ? Phase::User : Phase::Commands),
      serialLine_(serialLine) {}

std::vector<Emission> Session::greeting() const {
  if (phase_ != Phase::User || device_.muted()) return {};
  return {{Emission::Kind::Reply, device_.identity().prompt}};
}

FeedResult Session::feed(std::string_view bytes) {
  FeedResult result;
  for (char byte : bytes) {
    if (result.restart || result.drop || result.transfer || result.bootLoader) break;
    if (takePageAnswer(byte, result)) continue;
    LineEditor::Step step = editor_.feed(byte);
    if (!step.echo.empty()) emit(result, Emission::Kind::Echo, step.echo);
    if (step.line) takeLine(*step.line, result);
  }
  return result;
}

void Session::emit(FeedResult& result, Emission::Kind kind, const std::string& bytes) const {
  if (device_.muted() || bytes.empty()) return;
  if (kind == Emission::Kind::Echo && !result.out.empty() && result.out.back().kind == kind) {
    result.out.back().bytes += bytes;
    return;
  }
  result.out.push_back({kind, bytes});
}

void Session::takeLine(const TakenLine& line, FeedResult& result) {
  device_.record(line.text);
  switch (phase_) {
    case Phase::User:
      return takeUser(line, result);
    case Phase::Password:
      return takePassword(line, result);
    case Phase::Commands:
      return takeCommand(line, result);
  }
}

void Session::takeUser(const TakenLine& line, FeedResult& result) {
  if (line.text.empty()) {
    emit(result, Emission::Kind::Reply, device_.identity().prompt);
    return;
  }
  user_ = line.text;
  phase_ = Phase::Password;
  editor_.setEcho(false);
  emit(result, Emission::Kind::Reply, kPasswordPrompt);
}

void Session::takePassword(const TakenLine& line, FeedResult& result) {
  editor_.setEcho(true);
  if (!line.overflowed && device_.acceptsLogin(user_, line.text)) {
    phase_ = Phase::Commands;
    emit(result, Emission::Kind::Reply, okReply());
    return;
  }
  phase_ = Phase::User;
  emit(result, Emission::Kind::Reply, loginIncorrectReply(device_.identity().prompt));
}

void Session::takeCommand(const TakenLine& line, FeedResult& result) {
  if (device_.muted()) return;
  const LineVerdict verdict = device_.countCommandLine();
  Command command = line.overflowed ? Command{} : parseCommand(line.text);
  // Voice messages travel by XMODEM over the serial line only.
  const bool transfer = command.kind == CommandKind::VoiceRead || command.kind == CommandKind::VoiceWrite;
  if (transfer && !serialLine_) command = Command{};
  const CommandOutcome outcome = device_.execute(command);
  pages_.assign(outcome.laterPages.begin(), outcome.laterPages.end());
  pageKey_ = outcome.pageKey;
  pagesDeleteRecords_ = outcome.pagesDeleteRecords;
  stallAtEnd_ = outcome.stalls;
  stalled_ = stallAtEnd_ && pages_.empty();
  answer(outcome.reply, verdict, result);
  if (outcome.trace) result.trace = outcome.trace;
  if (outcome.transfer) result.transfer = outcome.transfer;
  if (outcome.call) result.call = outcome.call;
  result.restart = outcome.effect == CommandEffect::Restart || outcome.effect == CommandEffect::VoiceRestart;
  result.bootLoader = outcome.effect == CommandEffect::BootLoader;
}

bool Session::takePageAnswer(char byte, FeedResult& result) {
  if (pages_.empty() && !stalled_) return false;
  if (byte == '\n' || byte == '\0') return true;
  if (byte != pageKey_) {
    pages_.clear();
    stalled_ = false;
    return false;
  }
  if (stalled_ || device_.muted()) return true;
  const LineVerdict verdict = device_.countCommandLine();
  if (pagesDeleteRecords_) device_.recordTaken();
  const std::string page = pages_.front();
  pages_.pop_front();
  answer(page, verdict, result);
  stalled_ = stallAtEnd_ && pages_.empty();
  return true;
}

void Session::answer(const std::string& reply, LineVerdict verdict, FeedResult& result) {
  // The line that reaches --silent-after is still answered: push directly, not through emit().
  if (verdict == LineVerdict::CutAndDrop) {
    result.out.push_back({Emission::Kind::Reply, firstHalf(reply)});
    result.drop = true;
    pages_.clear();
  } else {
    result.out.push_back({Emission::Kind::Reply, reply});
  }
}

}  // namespace gwsim
