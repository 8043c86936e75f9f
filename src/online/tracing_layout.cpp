// The tracing page as the window shows it: the trace type and level beside the details, the trace file,
// the Start/Stop and Clear buttons, and the trace itself below them.

#include "online/tracing.h"

namespace gw {

const FormLayout& tracingPageLayout() {
  using K = ControlKind;
  static const FormLayout layout{
      "pTracing",
      {
          {{
              {"gbTracType",
               {2400, "Type of tracing :"},
               1,
               {
                   {K::Combo, "cbTracType", {}, nullptr, {}, 0, {}, true},
                   {K::Radio, "rbTracIpTcpTelnet", {149, "IP, TCP, Telnet"}},
                   {K::Radio, "rbTracTcpTelnet", {150, "TCP, Telnet"}},
                   {K::Radio, "rbTracTelnet", {151, "Telnet"}},
               }},
              {"gbTracDetails",
               {2401, "Details :"},
               2,
               {
                   {K::Check, "cbTracState34", {2406, "State of layers 3, 4"}},
                   {K::Check, "cbTracTimestamp", {2407, "Timestamp for each message"}},
                   {K::Check, "cbTracSmp", {2408, "SMP Bus packets (CPU <-> AUX)"}},
                   {K::Check, "cbTracState2", {2409, "State of layer 2"}},
                   {K::Check, "cbTracLcr", {2410, "LCR routing and Sim select "}},
                   {K::Check, "cbTracFull", {2411, "Full tracing"}},
                   {K::Button, "sbTracDefaults", {1001, "Defaults"}},
               }},
          }},
          {{
              {"gbTracFile",
               {2402, "Trace file :"},
               3,
               {
                   {K::Edit, "edTracFile", {2403, "File name :"}, nullptr, {}, 0, {}, true},
                   {K::Button, "sbTracFile", {2404, "..."}},
                   {K::Check, "cbTracSave", {156, "Save to file"}},
               }},
          }},
          {{
              {nullptr,
               {},
               2,
               {
                   {K::Button, "sbTracStart", {152, "Start"}},
                   {K::Button, "sbTracClear", {2405, "Clear"}},
               }},
          }},
          {{
              {nullptr, {}, 1, {{K::Memo, "mTracing", {}, nullptr, {}, 0, {}, true}}},
          }},
      }};
  return layout;
}

}  // namespace gw
