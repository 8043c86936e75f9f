#pragma once
// Pictures of the main window for the documentation: connected to a gateway, every page filled from it and
// shown in turn, in English and in Czech.

#include <string>

#include "program/program.h"

namespace gw::ui {

class QtHost;
class TfMain;

// Saves <folder>/<page>-<language>.png ("system-en.png", "system-cs.png") for every page the window has.
// Message boxes are answered without showing (Ok; No to questions). Returns the exit status: 0, or 1 when
// the gateway could not be connected or a picture not written.
int takeScreenshots(TfMain& window, Program& program, QtHost& host, const std::string& folder);

// "pSystem" -> "system".
std::string screenshotName(const std::string& page);

}  // namespace gw::ui
