#include "ui/icons.h"

#include <QString>

#include "shell/main_window_model.h"

// The resource initialiser lives in the global namespace; a static library's resources are not
// registered unless something calls it.
static void registerIconResources() {
  Q_INIT_RESOURCE(icons);
}

namespace gw::ui {

QIcon icon(const char* name) {
  static const bool registered = (registerIconResources(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(name) + QStringLiteral(".svg"));
}

QIcon nodeIcon(int image) {
  switch (image) {
    case kImageGroup:
      return icon("group");
    case kImageGroupExpanded:
      return icon("group-open");
    case kImageOnlineConnected:
      return icon("online-on");
    case kImageOnlineDisconnected:
      return icon("online-off");
    default:
      return icon("topic");
  }
}

}  // namespace gw::ui
