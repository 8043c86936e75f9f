#include "ui/drift_windows.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/caption_ids.h"
#include "base/cformat.h"
#include "ui/form_layout.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

constexpr int kDifferencesWidth = 760;
constexpr int kDifferencesHeight = 420;
constexpr int kHistoryWidth = 360;
constexpr int kHistoryHeight = 420;
constexpr std::size_t kSummaryBuffer = 128;

QString label(const CaptionList& captions, int caption, const char* english) {
  return toQ(captions.labelOr(caption, english));
}

}  // namespace

TfDifferences::TfDifferences(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fDifferences"));
  resize(kDifferencesWidth, kDifferencesHeight);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("lvDifferences"));
  list_->setColumnCount(4);
  list_->setRootIsDecorated(false);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblDifferences"));
  QPushButton* close = makeButton(this, QStringLiteral("btnDifferencesClose"), QStringLiteral("OK"));
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(summary_);
  layout->addLayout(buttonRow({close}));
}

void TfDifferences::showDrift(const Drift& drift, const CaptionList& captions) {
  drift_ = drift;
  setWindowTitle(
      label(captions, cap::kDifferencesTitle, "Differences between the parameter file and the gateway"));
  list_->setHeaderLabels({label(captions, cap::kDifferenceSection, "Section"),
                          label(captions, cap::kDifferenceKey, "Key"),
                          label(captions, cap::kDifferenceFileValue, "File value"),
                          label(captions, cap::kDifferenceGatewayValue, "Gateway value")});
  list_->clear();
  for (const KeyDifference& d : drift.differences) {
    list_->addTopLevelItem(new QTreeWidgetItem(
        {toQ(d.section), toQ(d.key), fromGateway(d.fileValue), fromGateway(d.gatewayValue)}));
  }
  const std::string format =
      captions.labelOr(cap::kDifferencesSummary, "Differences: %d, pages compared: %d");
  summary_->setText(toQ(cformatList(kSummaryBuffer, format,
                                    {FormatArg::ofNumber(static_cast<int>(drift.differences.size())),
                                     FormatArg::ofNumber(static_cast<int>(drift.compared.size()))})));
}

TfHistory::TfHistory(QWidget* parent, std::function<void(const HistoryEntry&)> restore)
    : QDialog(parent), restore_(std::move(restore)) {
  setObjectName(QStringLiteral("fHistory"));
  resize(kHistoryWidth, kHistoryHeight);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("lbHistory"));
  restoreButton_ = makeButton(this, QStringLiteral("btnRestore"), QStringLiteral("Restore"));
  QPushButton* close = makeButton(this, QStringLiteral("btnHistoryClose"), QStringLiteral("OK"));
  connect(restoreButton_, &QPushButton::clicked, this, [this] { restoreClick(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(list_, &QListWidget::currentRowChanged, this,
          [this](int row) { restoreButton_->setEnabled(row >= 0); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttonRow({restoreButton_, close}));
}

void TfHistory::setLabels(const CaptionList& captions) {
  setWindowTitle(label(captions, cap::kHistoryTitle, "Configuration history"));
  restoreButton_->setText(label(captions, cap::kRestoreButton, "Restore"));
}

void TfHistory::showEntries(const std::vector<HistoryEntry>& entries, const CaptionList& captions) {
  setLabels(captions);
  entries_.assign(entries.rbegin(), entries.rend());
  list_->clear();
  for (const HistoryEntry& e : entries_) list_->addItem(toQ(e.stamp));
  restoreButton_->setEnabled(false);
}

void TfHistory::restoreClick() {
  const int row = list_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return;
  restore_(entries_[static_cast<std::size_t>(row)]);
}

}  // namespace gw::ui
