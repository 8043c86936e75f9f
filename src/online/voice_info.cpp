#include "online/voice_info.h"

#include <string>

#include "online/report_text.h"

namespace gw {

namespace {

constexpr int kNotInGateway = 2530;
constexpr int kFirstGroupCaption = 2521;
constexpr int kGroupsPerRow = 3;

// The control names of message i, made once: the layout keeps pointers to them.
struct InfoNames {
  std::array<std::string, kVoiceMessageCount> groups;
  std::array<std::string, kVoiceMessageCount> types;
  std::array<std::string, kVoiceMessageCount> properties;
};

const InfoNames& names() {
  static const InfoNames made = [] {
    InfoNames n;
    for (int i = 0; i < kVoiceMessageCount; ++i) {
      const std::string index = std::to_string(i);
      n.groups[static_cast<std::size_t>(i)] = "gbVoiceInfo" + index;
      n.types[static_cast<std::size_t>(i)] = "lbVoiceInfoType" + index;
      n.properties[static_cast<std::size_t>(i)] = "lbVoiceInfo" + index;
    }
    return n;
  }();
  return made;
}

constexpr std::array<const char*, kVoiceMessageCount> kGroupTitles = {
    "Voice message #0", "Voice message #1", "Voice message #2", "Voice message #3", "Voice message #4",
    "Voice message #5", "Voice message #6", "Voice message #7", "Voice message #8"};

}  // namespace

VoiceInfo::VoiceInfo(const OnlineContext& context, const VoiceOverview& overview)
    : ControlSet(context.host, context.captions, context.connection) {
  for (std::size_t i = 0; i < overview.size(); ++i) {
    types[i].text = voiceMessageItem(captions_, static_cast<int>(i));
    const VoiceProperties& p = overview[i];
    if (!p.present()) {
      properties[i].text = captions_.labelOr(kNotInGateway, "Voice message is not in the gateway");
      continue;
    }
    const std::array<std::string, 5> lines = voicePropertyLines(captions_, p);
    properties[i].text = memoText({lines.begin(), lines.end()});
  }
}

std::vector<NamedField> VoiceInfo::fields() {
  std::vector<NamedField> all;
  for (std::size_t i = 0; i < types.size(); ++i) {
    all.push_back({names().types[i], &types[i]});
    all.push_back({names().properties[i], &properties[i]});
  }
  return all;
}

const FormLayout& voiceInfoLayout() {
  static const FormLayout layout = [] {
    using K = ControlKind;
    FormLayout made{"fVoice", {}};
    for (std::size_t i = 0; i < kVoiceMessageCount; ++i) {
      if (i % kGroupsPerRow == 0) made.rows.emplace_back();
      made.rows.back().groups.push_back(
          {names().groups[i].c_str(),
           {kFirstGroupCaption + static_cast<int>(i), kGroupTitles[i]},
           1,
           {{K::Label, names().types[i].c_str(), {}, nullptr, {}, 0, {}, true},
            {K::Label, names().properties[i].c_str(), {}, nullptr, {}, 0, {}, true}}});
    }
    return made;
  }();
  return layout;
}

}  // namespace gw
