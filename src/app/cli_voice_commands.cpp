// gwctl commands of the voice messages: voice info, voice read, voice write, voice record.

#include "app/cli.h"
#include "app/cli_suggest.h"
#include "base/text.h"
#include "online/voice_call.h"
#include "online/voice_transfer.h"

namespace gw {

namespace {

constexpr const char* kSubcommands[] = {"info", "read", "write", "record"};

int exitStatusOf(VoiceOutcome outcome) {
  switch (outcome) {
    case VoiceOutcome::NotConnected:
      return kExitNoConnection;
    case VoiceOutcome::Declined:
    case VoiceOutcome::Refused:
    case VoiceOutcome::Failed:
      return kExitReportedErrors;
    case VoiceOutcome::FileError:
      return kExitFileError;
    case VoiceOutcome::Done:
      break;
  }
  return kExitOk;
}

int usage(CliContext& c, const std::string& why) {
  c.fail(why + helpPointer("voice"));
  return kExitUsage;
}

std::optional<int> messageNumber(const std::string& text) {
  const std::optional<int> n = toInt(text);
  if (!n || *n < 0 || *n >= kVoiceMessageCount || text != std::to_string(*n)) return std::nullopt;
  return n;
}

int info(CliContext& c) {
  VoiceOverview overview;
  const VoiceOutcome outcome = readVoiceOverview(c.program.onlineContext, overview);
  if (outcome != VoiceOutcome::Done) return exitStatusOf(outcome);
  const CaptionList& captions = c.program.captions;
  for (int m = 0; m < kVoiceMessageCount; ++m) {
    const VoiceProperties& p = overview[static_cast<std::size_t>(m)];
    if (!p.present()) continue;
    std::string properties;
    for (const std::string& line : voicePropertyLines(captions, p))
      properties += (properties.empty() ? "" : ", ") + line;
    std::fprintf(c.out, "%d  %s: %s\n", m, voiceMessageItem(captions, m).c_str(), properties.c_str());
  }
  std::fflush(c.out);
  return kExitOk;
}

int transfer(CliContext& c, const std::vector<std::string>& args, bool reading) {
  if (args.size() != 3)
    return usage(c, std::string("voice ") + (reading ? "read" : "write") + " needs N FILE");
  const std::optional<int> message = messageNumber(args[1]);
  if (!message) return usage(c, "the message number is 0 to 8, not \"" + args[1] + "\"");
  std::vector<std::string> memo;
  OnlineContext& context = c.program.onlineContext;
  const VoiceOutcome outcome = reading ? readVoiceMessage(context, *message, args[2], memo)
                                       : writeVoiceMessage(context, *message, args[2], memo);
  if (outcome == VoiceOutcome::Declined) c.fail("not confirmed (give --yes to overwrite " + args[2] + ")");
  for (const std::string& line : memo) std::fprintf(c.out, "%s\n", line.c_str());
  std::fflush(c.out);
  return exitStatusOf(outcome);
}

int record(CliContext& c, const std::vector<std::string>& args) {
  std::optional<std::string> number;
  bool erase = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--erase") {
      erase = true;
    } else if (startsWith(args[i], "-") || number) {
      return usage(c, "unknown argument " + args[i] + didYouMean(args[i], {"--erase"}));
    } else {
      number = args[i];
    }
  }
  if (!number || number->empty()) return usage(c, "voice record needs the NUMBER to dial");
  if (std::ssize(*number) > VoiceCall::kMaxNumberLength) {
    return usage(c,
                 "the number is longer than " + std::to_string(VoiceCall::kMaxNumberLength) + " characters");
  }
  VoiceCall call(c.program.onlineContext);
  if (!call.dial(*number, erase))
    return c.program.link.comm.connected ? kExitReportedErrors : kExitNoConnection;
  const CaptionList& captions = c.program.captions;
  int shown = -1;
  const auto showState = [&] {
    if (call.statusCaption() == shown) return;
    shown = call.statusCaption();
    const CaptionText text = voiceCallStatusText(shown);
    std::fprintf(c.out, "%s\n", trim(captions.labelOr(text.caption, text.text)).c_str());
    std::fflush(c.out);
  };
  showState();
  while (call.active()) {
    if (c.interrupted()) {
      c.interrupts.handled();
      call.hangUp();  // the gateway is not left in the call
      break;
    }
    c.program.clock.sleep(VoiceCall::kPollIntervalMs);
    call.poll();
    showState();
  }
  showState();
  return call.lastEnd() == VoiceCall::End::Recorded ? kExitOk : kExitReportedErrors;
}

int voiceCommand(CliContext& c, const std::vector<std::string>& args) {
  const std::vector<std::string> known(std::begin(kSubcommands), std::end(kSubcommands));
  if (args.empty()) return usage(c, "voice needs one of info, read, write, record");
  const std::string& what = args[0];
  if (what == "info") return args.size() == 1 ? info(c) : usage(c, "voice info takes no arguments");
  if (what == "read" || what == "write") return transfer(c, args, what == "read");
  if (what == "record") return record(c, args);
  return usage(c, "unknown voice command \"" + what + "\"" + didYouMean(what, known));
}

}  // namespace

std::vector<CliCommand> voiceCommands() {
  return {
      {"voice", "voice info | read N FILE | write N FILE | record NUMBER [--erase]",
       "the gateway's voice messages",
       "voice info            the messages the gateway holds, one per line: number, type, the five "
       "properties\n"
       "voice read N FILE     message N (0 to 8) into a WAV file, by XMODEM over the serial link; asks "
       "before\n"
       "                      overwriting FILE (--yes answers Yes). FILE is replaced only once the whole\n"
       "                      message has arrived. The properties are printed on stdout.\n"
       "voice write N FILE    a WAV file into message N, by XMODEM over the serial link\n"
       "voice record NUMBER [--erase]\n"
       "                      records message 0 through a GSM call: the gateway dials NUMBER (--erase "
       "clears\n"
       "                      the message first) and records what the called party says, for at most 60 s.\n"
       "                      The call's states are printed as they change; Ctrl+C hangs up. A call not\n"
       "                      answered within 60 s is hung up.\n"
       "Exit 1 when the gateway refused or the transfer or the call failed (or was not answered, or the "
       "line\n"
       "was busy), 4 when FILE cannot be read or written; read and write over the LAN link exit 1.\n",
       voiceCommand},
  };
}

}  // namespace gw
