#include "program/topic_activation.h"

#include <algorithm>

#include "base/caption_ids.h"
#include "program/program.h"
#include "shell/caption_table.h"

namespace gw {

namespace {
// The order in which the dispatcher compares the chosen text with its topics.
const std::vector<int> kDispatchOrder = {
    cap::kTerminalTopic,       cap::kTracingTopic,           cap::kStatisticsTopic,
    cap::kCallDataTopic,       cap::kLogFileTopic,           cap::kLoginAccountTopic,
    cap::kFirmwareTopic,       cap::kVoiceMessageTopic,      cap::kDateTimeTopic,
    cap::kGatewayResetTopic,   cap::kFactoryResetTopic,      cap::kSystemTopic,
    cap::kEthernetTopic,       cap::kGsmBasicTopic,          cap::kGroupsAssignmentTopic,
    cap::kOutgoingGroupsTopic, cap::kIncomingGroupsTopic,    cap::kDiagnosticsTopic,
    cap::kActualCallsTopic,    cap::kMobilityExtensionTopic, cap::kAutoroutingTopic,
    cap::kLcrTableTopic,       cap::kNetworkListTopic,       cap::kSipRegistrationTopic};
}  // namespace

const std::vector<int>& TopicActivation::dispatchOrder() {
  return kDispatchOrder;
}

TopicActivation::TopicActivation(Program& program, MainWindowModel& window)
    : program_(program), window_(window) {
  for (int caption : kDispatchOrder) slots_.push_back({caption, {}});
}

void TopicActivation::setHandler(int caption, Handler handler) {
  for (Slot& slot : slots_) {
    if (slot.caption == caption) slot.handler = std::move(handler);
  }
}

bool TopicActivation::hasHandler(int caption) const {
  return std::any_of(slots_.begin(), slots_.end(),
                     [caption](const Slot& s) { return s.caption == caption && s.handler.enter; });
}

void TopicActivation::setPageTopic(int caption, std::string page, std::function<void()> onEnter,
                                   std::function<void()> onLeave, std::function<bool()> showPage) {
  setHandler(caption, Handler{[this, caption, page, onEnter, showPage] {
                                enterTitle(caption);
                                if (onEnter) onEnter();
                                if (!showPage || showPage()) {
                                  window_.page = page;
                                } else if (window_.page == page) {
                                  window_.page.clear();
                                }
                                return true;
                              },
                              [this, page, onLeave] {
                                if (onLeave) onLeave();
                                if (window_.page == page) window_.page.clear();
                              }});
}

std::string TopicActivation::topicText(int caption) const {
  for (const Topic& topic : topics()) {
    if (topic.caption == caption) return program_.captions.labelOr(caption, topic.englishDefault);
  }
  return program_.captions.at(caption);
}

void TopicActivation::enterTitle(int caption) {
  window_.title = program_.captions.at(caption);
  program_.currentTopic = caption;
}

void TopicActivation::tvTopicClick(const std::string& nodeText) {
  window_.title.clear();
  program_.currentTopic = -1;
  activateTopic(nodeText);
}

void TopicActivation::activateTopic(const std::string& nodeText) {
  const std::string text = nodeText;  // a handler may rebuild the tree the text came from
  for (const Slot& slot : slots_) {
    if (!slot.handler.enter) continue;
    if (text == topicText(slot.caption)) {
      if (!slot.handler.enter()) break;
    } else if (slot.handler.leave) {
      slot.handler.leave();
    }
  }
  window_.notify();
}

}  // namespace gw
