#pragma once
// The windows of "Compare with gateway" and of the configuration history: fDifferences lists every key the
// gateway holds differently from the parameter file; fHistory lists the kept versions and writes a chosen
// one back to the gateway. Both stay open beside the main window.

#include <QDialog>
#include <functional>
#include <vector>

#include "base/captions.h"
#include "paramfile/file_history.h"
#include "program/drift.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace gw::ui {

class TfDifferences : public QDialog {
  Q_OBJECT

 public:
  explicit TfDifferences(QWidget* parent);

  // The differences of `drift`, with the count line; the captions of the current language.
  void showDrift(const Drift& drift, const CaptionList& captions);
  // The texts of a new language (the differences stay).
  void setLabels(const CaptionList& captions) { showDrift(drift_, captions); }

 private:
  Drift drift_;
  QTreeWidget* list_;
  QLabel* summary_;
};

class TfHistory : public QDialog {
  Q_OBJECT

 public:
  // `restore` writes the chosen entry back (it asks first).
  TfHistory(QWidget* parent, std::function<void(const HistoryEntry&)> restore);

  // The entries, newest first.
  void showEntries(const std::vector<HistoryEntry>& entries, const CaptionList& captions);
  void setLabels(const CaptionList& captions);

 private:
  void restoreClick();

  std::function<void(const HistoryEntry&)> restore_;
  std::vector<HistoryEntry> entries_;
  QListWidget* list_;
  QPushButton* restoreButton_;
};

}  // namespace gw::ui
