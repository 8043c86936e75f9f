#pragma once
// Caption-list entries of the firmware page and its upgrades: the gateway's own numbering (the upgrade
// stages, results and messages) and the program's block 2600-2699.

namespace gw::cap {

inline constexpr int kFileMissing = 71;
inline constexpr int kUpgradeStarting = 194;  // the serial upgrade's stages 0..8 are 194..202
inline constexpr int kUpgradeFinished = 202;
inline constexpr int kUpgradeBadPort = 206;  // the serial upgrade's results 1..7 are 206..212
inline constexpr int kImageIncompatible = 524;
inline constexpr int kLanUpgradeDone = 527;
inline constexpr int kLanUpgradeFailed = 528;

inline constexpr int kNotIntelHex = 2610;
inline constexpr int kBadHexLine = 2611;    // printf format: line number, reason
inline constexpr int kHexNotRecord = 2612;  // the reasons of kBadHexLine, in HexFault order
inline constexpr int kHexBadCharacters = 2613;
inline constexpr int kHexBadLength = 2614;
inline constexpr int kHexBadChecksum = 2615;
inline constexpr int kHexAfterEnd = 2616;
inline constexpr int kHexNoEnd = 2617;
inline constexpr int kHexTooLongForBootLoader = 2618;
inline constexpr int kImageTooLarge = 2619;  // printf format: image bytes, largest image
inline constexpr int kDialingClose = 2620;

}  // namespace gw::cap
