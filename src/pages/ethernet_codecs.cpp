#include "pages/ethernet_codecs.h"

namespace gw {

namespace {

constexpr int kG729PayloadType = 18;
constexpr int kG711aPayloadType = 8;

// Orvale item positions.
constexpr int kChosenItem = 0;  // G.729 or G.723
constexpr int kUlawItem = 1;
constexpr int kAlawItem = 2;
// Kestrin item positions.
constexpr int kKestrinUlaw = 0;
constexpr int kKestrinAlaw = 1;

}  // namespace

std::vector<std::string> priorityItems(bool kestrinEdition, std::size_t list) {
  // The texts are the gateway program's own, the stray semicolons included.
  if (kestrinEdition) {
    if (list == 0) return {"0 - G.711u", "8 - G.711a"};
    return {"0 - G.711u", "8 - G.711a;"};
  }
  if (list + 1 == kPriorityListCount) return {"18 - G.729", "0 - G.711u", "8 - G.711a"};
  return {"18 - G.729", "0 - G.711u", "8 - G.711a;"};
}

int priorityIndex(char codec, std::size_t list, bool kestrinEdition) {
  if (kestrinEdition && list < kKestrinPriorityLists) {
    if (codec == '0') return kKestrinUlaw;
    if (codec == '8') return kKestrinAlaw;
    return list == 0 ? kKestrinUlaw : kKestrinAlaw;
  }
  const bool chosen = codec == '1' || codec == '4';
  switch (list) {
    case 0:
      return codec == '0' ? kUlawItem : codec == '8' ? kAlawItem : kChosenItem;
    case 1:
      return codec == '0' ? kUlawItem : chosen ? kChosenItem : codec == '8' ? kAlawItem : kUlawItem;
    default:
      return codec == '0' ? kUlawItem : chosen ? kChosenItem : kAlawItem;
  }
}

int editionDefaultIndex(std::size_t list, bool kestrinEdition) {
  if (kestrinEdition) return list == 0 ? kKestrinUlaw : kKestrinAlaw;
  return list == 0 ? kChosenItem : list == 1 ? kAlawItem : kUlawItem;
}

int payloadType(std::string_view item) {
  const char first = item.empty() ? '\0' : item.front();
  switch (first) {
    case '1':
      return kG729PayloadType;
    case '4':
      return kG723PayloadType;
    case '8':
      return kG711aPayloadType;
    default:
      return 0;
  }
}

}  // namespace gw
