#include "ui/screenshots.h"

#include <QDir>
#include <QImageWriter>
#include <QPixmap>
#include <QPushButton>
#include <cctype>
#include <cstdio>

#include "ui/main_window.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

// Time for layouts and paints to settle before a picture is taken.
constexpr int kSettleMs = 150;
// PNG quality 0 asks for the strongest compression; the pictures stay lossless.
constexpr int kPngQuality = 0;

struct ShotLanguage {
  Language language;
  const char* code;
};
constexpr ShotLanguage kLanguages[] = {
    {Language::English, "en"}, {Language::Czech, "cs"}, {Language::Spanish, "es"}};

// Presses the page's "Load from gate" button (sb<Page>Load), so the picture shows a gateway's values.
void loadPage(QWidget* page) {
  for (QPushButton* button : page->findChildren<QPushButton*>()) {
    const QString name = button->objectName();
    if (name.startsWith(QLatin1String("sb")) && name.endsWith(QLatin1String("Load"))) {
      button->click();
      return;
    }
  }
}

bool save(TfMain& window, const QString& path) {
  QImageWriter writer(path, "png");
  writer.setQuality(kPngQuality);
  return writer.write(window.grab().toImage());
}

}  // namespace

std::string screenshotName(const std::string& page) {
  std::string name = page;
  if (name.size() > 1 && name[0] == 'p') name.erase(0, 1);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

int takeScreenshots(TfMain& window, Program& program, QtHost& host, const std::string& folder) {
  host.interceptor = [](const Message& m) -> std::optional<Answer> {
    std::fprintf(stderr, "gwconfig: %s: %s\n", m.caption.c_str(), m.text.c_str());
    const bool question = m.kind == MessageKind::Question || m.kind == MessageKind::QuestionCancel;
    return question ? Answer::No : Answer::Ok;
  };
  QDir().mkpath(toQ(folder));
  int status = 0;
  for (const ShotLanguage& l : kLanguages) {
    // Connected in the picture's language, so the status bar speaks it too.
    window.setLanguage(l.language);
    if (program.link.comm.connected) window.mDisconnectClick();
    window.mConnectClick();
    if (!program.link.comm.connected) {
      std::fprintf(stderr, "gwconfig: the gateway could not be connected; no pictures taken\n");
      return 1;
    }
    for (const TfMain::PageTopic& topic : window.pageTopics()) {
      window.chooseTopic(topic.caption);
      loadPage(topic.widget);
      program.clock.sleep(kSettleMs);
      const QString path = toQ(folder) + QLatin1Char('/') + toQ(screenshotName(topic.page)) +
                           QLatin1Char('-') + QLatin1String(l.code) + QStringLiteral(".png");
      if (save(window, path)) {
        std::printf("%s\n", fromQ(path).c_str());
      } else {
        std::fprintf(stderr, "gwconfig: cannot write %s\n", fromQ(path).c_str());
        status = 1;
      }
    }
  }
  window.setLanguage(Language::English);
  return status;
}

}  // namespace gw::ui
