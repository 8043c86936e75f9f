#include "ui/palette.h"

#include <QApplication>
#include <QPalette>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>

namespace gw::ui {

namespace {

constexpr int kDarkLightness = 128;           // a window colour darker than this is a dark palette
constexpr int kSettingsReadTimeoutMs = 1000;  // gsettings answers at once; a stuck session bus must not

bool gtkThemeIsDark() {
  const QString theme = qEnvironmentVariable("GTK_THEME").toLower();
  return theme.endsWith(QStringLiteral(":dark")) || theme.contains(QStringLiteral("-dark"));
}

bool gnomePrefersDark() {
  const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
  if (gsettings.isEmpty()) return false;
  QProcess process;
  process.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                            QStringLiteral("color-scheme")});
  if (!process.waitForFinished(kSettingsReadTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  return QString::fromUtf8(process.readAllStandardOutput()).contains(QStringLiteral("prefer-dark"));
}

QPalette darkFusionPalette() {
  const QColor window(53, 53, 53);
  const QColor base(35, 35, 35);
  const QColor text(230, 230, 230);
  const QColor disabledText(127, 127, 127);
  const QColor highlight(42, 130, 218);
  QPalette p;
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, disabledText);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::red);
  p.setColor(QPalette::Link, highlight);
  p.setColor(QPalette::Highlight, highlight);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Light, window.lighter(150));
  p.setColor(QPalette::Midlight, window.lighter(125));
  p.setColor(QPalette::Mid, window.darker(125));
  p.setColor(QPalette::Dark, window.darker(200));
  p.setColor(QPalette::Shadow, Qt::black);
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabledText);
  p.setColor(QPalette::Disabled, QPalette::Base, window);
  return p;
}

}  // namespace

ColorScheme systemColorScheme() {
  const bool dark = QApplication::palette().color(QPalette::Window).lightness() < kDarkLightness ||
                    gtkThemeIsDark() || gnomePrefersDark();
  return dark ? ColorScheme::Dark : ColorScheme::Light;
}

void applyColorScheme(ColorScheme scheme) {
  QApplication::setPalette(scheme == ColorScheme::Dark ? darkFusionPalette()
                                                       : QApplication::style()->standardPalette());
}

bool darkPalette() {
  return QApplication::palette().color(QPalette::Window).lightness() < kDarkLightness;
}

QString markedFieldStyle() {
  return darkPalette() ? QStringLiteral(
                             "QLineEdit { background: #5a1f1f; color: #ffffff; border: 1px solid "
                             "#ef5350; border-radius: 3px; }")
                       : QStringLiteral(
                             "QLineEdit { background: #ffebee; color: #000000; border: 1px solid "
                             "#e53935; border-radius: 3px; }");
}

QString alertLabelStyle() {
  return darkPalette() ? QStringLiteral("QLabel { color: #ef9a9a; }")
                       : QStringLiteral("QLabel { color: #c62828; }");
}

}  // namespace gw::ui

namespace gw::ui {

QString differingFieldStyle() {
  return darkPalette() ? QStringLiteral("color: #ffb74d; font-weight: bold;")
                       : QStringLiteral("color: #e65100; font-weight: bold;");
}

}  // namespace gw::ui
