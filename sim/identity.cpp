#include "identity.h"

#include <array>

namespace gwsim {
namespace {

constexpr const char* kDefaultBootVersion = "01.05";
constexpr const char* kDefaultFirmwareVersion = "03.00.05";

struct EditionTraits {
  Edition edition;
  const char* productLine;
  const char* serialNumber;
  const char* prompt;
};

constexpr std::array<EditionTraits, 2> kEditions{{
    {Edition::Orvale, "Velquin Orvale QN4 GSM-VoIP gateway", "Q2041-00017", "QN login: "},
    {Edition::Kestrin, "Velquin Kestrin QNK1 GSM-VoIP gateway", "K427-00017", "QNK login: "},
}};

const EditionTraits& traitsOf(Edition edition) {
  for (const EditionTraits& traits : kEditions) {
    if (traits.edition == edition) return traits;
  }
  return kEditions.front();
}

}  // namespace

Identity identityFor(const SimOptions& options) {
  const EditionTraits& traits = traitsOf(options.edition);
  Identity identity;
  identity.edition = options.edition;
  identity.productLine = options.productLine.value_or(traits.productLine);
  identity.serialNumber = options.serialNumber.value_or(traits.serialNumber);
  identity.bootVersion = options.bootVersion.value_or(kDefaultBootVersion);
  identity.firmwareVersion = options.firmwareVersion.value_or(kDefaultFirmwareVersion);
  identity.prompt = options.prompt.value_or(traits.prompt);
  return identity;
}

std::vector<std::string> ati3Lines(const Identity& identity) {
  return {identity.productLine, "B-" + identity.bootVersion + " V-" + identity.firmwareVersion + " "};
}

std::vector<std::string> ati4Lines(const Identity& identity) {
  return {"SNumber: " + identity.serialNumber};
}

}  // namespace gwsim
