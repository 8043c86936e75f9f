#pragma once
// Texts at the edge between the program logic (8-bit std::string) and Qt (QString). Captions are UTF-8;
// texts from the gateway are Latin-1, so a text that is not valid UTF-8 is taken as Latin-1 rather than
// shown with replacement characters.

#include <QString>
#include <string>
#include <string_view>

namespace gw::ui {

QString toQ(std::string_view text);
std::string fromQ(const QString& text);

// Texts that go to the gateway (page fields): one byte per character, Latin-1. A character beyond Latin-1
// becomes '?', as the gateway could not store it anyway.
QString fromGateway(std::string_view text);
std::string toGateway(const QString& text);

// A caption for a control that reads '&' as the mark of its shortcut letter ("Stop & Hang"): every '&'
// doubled so it shows as written.
QString mnemonicSafe(const QString& text);

}  // namespace gw::ui
