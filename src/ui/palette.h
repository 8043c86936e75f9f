#pragma once
// Light or dark, as the desktop prefers: the Fusion style draws every control from the application palette,
// so one palette gives the whole window its colours, and the few colours of our own (red marks, alerts) are
// chosen to read on either.

#include <QString>

namespace gw::ui {

enum class ColorScheme { Light, Dark };

// The desktop's preference: a dark palette offered by the platform theme, GTK_THEME naming a dark variant, or
// GNOME's colour-scheme setting. Light when nothing says dark. Call before the style is set.
ColorScheme systemColorScheme();

// The Fusion palette of the scheme, for the whole application.
void applyColorScheme(ColorScheme scheme);

// Whether the application's palette is dark (read from the palette itself, whoever set it).
bool darkPalette();

// A field marked as refused, and a warning label, in colours that read on the current palette.
QString markedFieldStyle();
QString alertLabelStyle();
// The label of a control whose value the gateway holds differently from the parameter file.
QString differingFieldStyle();

}  // namespace gw::ui
