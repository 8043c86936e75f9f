#include "pages/cause_dialog.h"

#include <algorithm>

#include "pages/basic_page.h"

namespace gw {

namespace {

constexpr int kTitleCaption = 438;  // "Cause transfer"

// The help table: GSM cause, its meaning, the SIP response it stands for.
const std::vector<std::vector<std::string>>& helpRows() {
  static const std::vector<std::vector<std::string>> rows = {
      {"1", "Unallocated (unassigned) number", "410 Gone"},
      {"3", "No route to destination", "404 Not Found"},
      {"6", "Channel unacceptable", "503 Service Unavailable"},
      {"16", "Normal call clearing", "480 Temporarily Unavailable"},
      {"17", "User busy", "486 Busy Here"},
      {"18", "No user responding", "480 Temporarily Unavailable"},
      {"19", "No answer from user", "480 Temporarily Unavailable"},
      {"21", "Call rejected", "603 Declined"},
      {"22", "Number changed", "410 Gone"},
      {"27", "Destination out of order", "404 Not Found"},
      {"28", "Invalid number format", "484 Address Incomplete"},
      {"29", "Facilities rejected", "501 Not Implemented"},
      {"31", "Normal, unspecified", "404 Not Found"},
      {"34", "No circuit/channel available", "503 Service Unavailable"},
      {"38", "Network out of order", "503 Service Unavailable"},
      {"41", "Temporary failure", "503 Service Unavailable"},
      {"42", "Switching equipment congestion", "503 Service Unavailable"},
      {"44", "Requested circuit/channel not available", "503 Service Unavailable"},
      {"47", "Resource unavailable, unspecified", "503 Service Unavailable"},
      {"50", "Requested facility not subscribed", "503 Service Unavailable"},
      {"55", "Incoming calls barred within CUG", "603 Declined"},
      {"57", "Bearer capability not authorized", "501 Not Implemented"},
      {"58", "Bearer capability not presently available", "501 Not Implemented"},
      {"63", "Service or option not available, unspec.", "503 Service Unavailable"},
      {"65", "Bearer capability not implemented", "501 Not Implemented"},
      {"79", "Service or option not implemented, unspec.", "501 Not Implemented"},
      {"87", "User not a member of CUG", "603 Declined"},
      {"88", "Incompatible destination", "400 Bad Request"},
      {"95", "Invalid message, unspecified", "400 Bad Request"},
      {"102", "Recovery on timer expiry", "408 Request Timeout"},
      {"All others up to 127", "", "500 Internal Server Error"},
  };
  return rows;
}

}  // namespace

CauseDialog::CauseDialog(const PageContext& context, std::vector<int> taken)
    : RecordDialog(context), taken_(std::move(taken)) {
  for (NumberField* f : {&se1, &se2}) {
    f->min = kLowestCause;
    f->max = kHighestCause;
    f->value = kLowestCause;
  }
  lvCauseHelp.items = helpRows();
  lvCauseHelp.visible = false;
  markTaken();
}

const FormLayout& CauseDialog::layout() const {
  using K = ControlKind;
  static const FormLayout layout{"fCause",
                                 {{{
                                     {nullptr,
                                      {},
                                      1,
                                      {
                                          {K::Spin, "se1", {1347, "GSM cause :"}},
                                          {K::Spin, "se2", {1348, "Tranfer to cause :"}},
                                          {K::Button, "sbCauseHelp", {1349, "?"}},
                                          {.kind = K::Table,
                                           .name = "lvCauseHelp",
                                           .columns = {{1350, "GSM Cause -->"}, {}, {1351, "SIP Response"}},
                                           .wide = true},
                                      }},
                                 }}}};
  return layout;
}

std::string CauseDialog::title() const {
  return ctx_.captions.at(kTitleCaption);
}

std::vector<NamedField> CauseDialog::fields() {
  return {{"se1", &se1}, {"se2", &se2}, {"lvCauseHelp", &lvCauseHelp}};
}

std::vector<ControlSet::Button> CauseDialog::buttons() {
  return {{"sbCauseHelp", [this] { lvCauseHelp.visible = !lvCauseHelp.visible; }}};
}

void CauseDialog::edited(std::string_view name) {
  if (name == "se1") markTaken();
}

void CauseDialog::markTaken() {
  se1.marked = std::find(taken_.begin(), taken_.end(), se1.value) != taken_.end();
}

}  // namespace gw
