#pragma once
// What the gateway says about its GSM modules and its calls: the module state reply of "AT&S0n", the signal
// reply of "AT&Qn" and the calls in progress of "AT&X". Pure functions over the received text; whatever the
// gateway sends gives some (possibly empty) values.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

inline constexpr int kGsmModules = 4;

// A value of the module state reply: the key it follows and the suffix of its label ("lb2layer2").
struct ModuleStateKey {
  const char* key;
  const char* suffix;
};
inline constexpr std::size_t kModuleStateValues = 9;
inline constexpr std::array<ModuleStateKey, kModuleStateValues> kModuleStateKeys{{
    {"Layer2: ", "layer2"},
    {"Layer3: ", "layer3"},
    {"Network: ", "network"},
    {"Netid: ", "net"},
    {"Netcell: ", "cell"},
    {"Modid: ", "module"},
    {"Revid: ", "revision"},
    {"Sernum: ", "serial"},
    {"Simid: ", "sim"},
}};
inline constexpr const char* kSignalSuffix = "signal";

// The values in the order of kModuleStateKeys: each the word after its key (spaces skipped, up to the next
// space or CR), empty when the key is missing.
std::array<std::string, kModuleStateValues> moduleStateValues(std::string_view reply);

struct SignalReading {
  std::string shown;       // "-71 dBm"; empty when the module does not know its level or the key is missing
  std::optional<int> dbm;  // the level, when the gateway gave a number
};
// The level after "Signal: (g0" + module + ")".
SignalReading signalReading(std::string_view reply, int module);

// What the actual-calls window shows of an "AT&X" reply: from "cha-layer3" on (when it occurs), without the
// closing OK and the line end before it.
std::string actualCallsText(std::string_view reply);

}  // namespace gw
