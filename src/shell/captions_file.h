#pragma once
// languages.ini: the caption tables of the three user-interface languages.
//
// Section "main" holds labels_count; sections "0" (Czech), "1" (English) and "2" (Spanish) hold the keys
// s0, s1, ... one per caption. Captions are UTF-8; a value that is not valid UTF-8 comes from an older file
// written in the language's Windows code page and is converted value by value (see decodeCaptionValue), so a
// file edited by hand may mix both.

#include <string>
#include <string_view>

#include "base/captions.h"

namespace gw {

inline constexpr int kLanguageCzech = 0;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageSpanish = 2;

// Fewer captions than this are never loaded, whatever labels_count says.
inline constexpr int kMinLabelsCount = 600;
// A hostile or broken labels_count cannot make the list larger than this.
inline constexpr int kMaxLabelsCount = 10000;
// Only this much of languages.ini is read; the shipped file is a few kilobytes.
inline constexpr std::size_t kMaxLanguagesFileBytes = 8u * 1024u * 1024u;

// Shown (under kLanguageFileMissingCaption, error icon) when languages.ini is missing at start-up; the
// program then ends. In both languages because no caption table could be read.
inline constexpr const char* kLanguageFileMissingText =
    "Language file not found, program will be closed.\n"
    "Soubor s jazykovým nastavením nebyl nalezen, program bude ukončen.";
inline constexpr const char* kLanguageFileMissingCaption = "Error";

bool languagesFileExists(const std::string& programFolder);

// The caption list of `language` from the file at `languagesPath`: labels_count entries (default 600, raised
// to at least kMinLabelsCount, capped at kMaxLabelsCount). A missing file, section or key gives empty
// captions.
CaptionList loadLabels(const std::string& languagesPath, int language);
// The same over the file's bytes.
CaptionList labelsFromText(std::string_view bytes, int language);

// A raw value as UTF-8: valid UTF-8 stays as it is; otherwise Windows-1250 for Czech, Windows-1252 for the
// other languages.
std::string decodeCaptionValue(std::string_view bytes, int language);

}  // namespace gw
