#pragma once
// The GSM basic page's registers as small tables, in the order the page reads and writes them, and its image
// copies; G09's flags and termination flags and G101's cause pairs are the page's own code in between.

#include <optional>
#include <string_view>

#include "pages/image_rows.h"
#include "pages/register_rows.h"
#include "paramfile/parametres.h"

namespace gw::basic {

inline constexpr std::string_view kGsmRead = "AT&V0\r\n";
inline constexpr std::string_view kAudioRead = "AT&VE\r\n";
inline constexpr std::string_view kAudioLevelLine = "Basic settings - Audio level\n";

// This page formats its commands into buffers of this size.
inline constexpr std::size_t kCommandBuffer = 128;

inline constexpr int kSiemensPositions = 5;
inline constexpr int kWavecomPositions = 7;
inline constexpr int kHighestAudioLevel = 63;

// The voice level track bars run from low to high; their registers put the middle level at 0 and then
// alternate above and below it. Nothing for a register value the table lacks.
int siemensLevelValue(int position);
std::optional<int> siemensLevelPosition(int value);
int wavecomLevelValue(int position);
std::optional<int> wavecomLevelPosition(int value);

const RegisterTable& delayRows();   // G08
const RegisterTable& toneRows();    // G09 fields 2 to 4, read only
const RegisterTable& causeRows();   // G100
const RegisterTable& moduleRows();  // G02, G04, G103
const RegisterTable& audioRows();   // E04, from the second dump
const ImageTable<GsmBasicPart>& imageRows();

}  // namespace gw::basic
