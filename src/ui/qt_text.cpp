#include "ui/qt_text.h"

#include <QStringDecoder>

namespace gw::ui {

QString toQ(std::string_view text) {
  // Stateless: a sequence cut off at the end is an error too, not left for more input.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QString decoded = utf8(bytes);
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(bytes);
}

std::string fromQ(const QString& text) {
  return text.toStdString();
}

QString fromGateway(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toGateway(const QString& text) {
  return text.toLatin1().toStdString();
}

QString mnemonicSafe(const QString& text) {
  QString escaped = text;
  escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
  return escaped;
}

}  // namespace gw::ui
