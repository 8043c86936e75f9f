#pragma once
// The program's icons: SVG files compiled in as Qt resources, so they stay sharp at any scale.

#include <QIcon>

namespace gw::ui {

// ":/icons/<name>.svg"; the resources are registered on first use.
QIcon icon(const char* name);
// The topic tree's node images: group closed/open, topic, online topic after a connect attempt, online
// topic while disconnected.
QIcon nodeIcon(int image);

}  // namespace gw::ui
