#pragma once
// The codec priority lists of the Ethernet page. Each item is a payload type, " - " and the codec name; the
// first character of the item identifies the codec ('1' for 18 = G.729, '4' G.723, '0' G.711u, '8' G.711a)
// and is what the parameter image keeps. The Orvale edition offers three lists whose first item is the
// codec chosen with the G.729/G.723 switch; the Kestrin edition two lists of G.711 only.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

inline constexpr std::size_t kPriorityListCount = 3;
inline constexpr std::size_t kKestrinPriorityLists = 2;

// The first item of the Orvale lists after a choice of G.729 or G.723.
inline constexpr std::string_view kG729Item = "18 - G729";
inline constexpr std::string_view kG723Item = "4 - G723";
inline constexpr int kG723PayloadType = 4;

// The items of list `list` (0-based) as an edition fills it.
std::vector<std::string> priorityItems(bool kestrinEdition, std::size_t list);

// The item index list `list` shows for a stored or reported codec character.
int priorityIndex(char codec, std::size_t list, bool kestrinEdition);

// What a list selects when the edition changes and the codecs it showed cannot stay.
int editionDefaultIndex(std::size_t list, bool kestrinEdition);

// The payload type an item stands for: 18, 4, 0 or 8.
int payloadType(std::string_view item);

}  // namespace gw
