#include "ui/form_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/form_layout.h"
#include "ui/qt_text.h"

namespace gw::ui {

namespace {

using K = ControlKind;

constexpr int kCellColumns = 3;  // label, field, gap
constexpr int kCellGap = 24;
constexpr int kCharPadding = 3;  // an edit shows a few characters more than it takes
constexpr int kListMinimumHeight = 120;
const QString kAlertStyle = QStringLiteral("QLabel { color: #c62828; }");
constexpr int kMemoMinimumHeight = 320;

QString nameOf(const char* name) {
  return QString::fromLatin1(name);
}

QString englishOf(const CaptionText& text) {
  return text.text != nullptr ? toQ(text.text) : QString();
}

int charsWidth(const QWidget* widget, int chars) {
  return widget->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (chars + kCharPadding);
}

QWidget* makeField(const ControlSpec& spec) {
  QWidget* widget = nullptr;
  switch (spec.kind) {
    case K::Edit:
    case K::Password: {
      auto* edit = new QLineEdit;
      if (spec.kind == K::Password) edit->setEchoMode(QLineEdit::Password);
      widget = edit;
      break;
    }
    case K::Combo: {
      auto* combo = new QComboBox;
      // The items come later and in every language: the list is as wide as its longest item.
      combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      widget = combo;
      break;
    }
    case K::Check:
      widget = new QCheckBox(englishOf(spec.label));
      break;
    case K::Spin:
      widget = new QSpinBox;
      break;
    case K::Track: {
      auto* slider = new QSlider(Qt::Horizontal);
      slider->setTickPosition(QSlider::TicksBelow);
      widget = slider;
      break;
    }
    case K::Radio:
      widget = new QRadioButton(englishOf(spec.label));
      break;
    case K::List: {
      auto* list = new QListWidget;
      list->setMinimumHeight(kListMinimumHeight);
      widget = list;
      break;
    }
    case K::Table: {
      auto* table = new QTreeWidget;
      table->setRootIsDecorated(false);
      table->setUniformRowHeights(true);
      table->setAllColumnsShowFocus(true);
      table->setColumnCount(static_cast<int>(spec.columns.size()));
      table->setMinimumHeight(kListMinimumHeight);
      // A report list: whole rows selected, every column the same share of the width.
      table->setSelectionBehavior(QAbstractItemView::SelectRows);
      table->setEditTriggers(QAbstractItemView::NoEditTriggers);
      table->header()->setSectionResizeMode(QHeaderView::Stretch);
      widget = table;
      break;
    }
    case K::Tabs: {
      auto* tabs = new QTabBar;
      tabs->setExpanding(false);
      // Many tabs scroll instead of widening the page.
      tabs->setUsesScrollButtons(true);
      widget = tabs;
      break;
    }
    case K::Memo: {
      // Reports keep their columns: a fixed pitch, no wrapping, room for a page of lines.
      auto* memo = new QPlainTextEdit;
      memo->setLineWrapMode(QPlainTextEdit::NoWrap);
      memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
      memo->setMinimumHeight(spec.report ? kListMinimumHeight : kMemoMinimumHeight);
      memo->setReadOnly(spec.report);
      widget = memo;
      break;
    }
    case K::Label: {
      auto* label = new QLabel(englishOf(spec.label));
      label->setWordWrap(spec.wide);  // a label of its own line wraps rather than widen the page
      if (spec.alert) label->setStyleSheet(kAlertStyle);
      widget = label;
      break;
    }
    case K::Button: {
      auto* button = new QPushButton(englishOf(spec.label));
      button->setAutoDefault(false);
      widget = button;
      break;
    }
  }
  widget->setObjectName(nameOf(spec.name));
  if (spec.widthChars > 0) widget->setMaximumWidth(charsWidth(widget, spec.widthChars));
  return widget;
}

// Controls that carry their own text take the label's cell as well.
bool ownText(ControlKind kind) {
  return kind == K::Check || kind == K::Radio || kind == K::Label || kind == K::Button;
}

// A field with its hint after it, in one cell.
QWidget* withHint(QWidget* field, const ControlSpec& spec) {
  if (spec.hint.text == nullptr) return field;
  auto* box = new QWidget;
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(field);
  auto* hint = new QLabel(englishOf(spec.hint));
  hint->setObjectName(hintNameFor(field->objectName()));
  hint->setProperty("hintOf", field->objectName());
  hint->setEnabled(false);
  row->addWidget(hint);
  row->addStretch(1);
  return box;
}

void wire(QWidget* field, const ControlSpec& spec, const std::function<void(const std::string&)>& pressed) {
  if (auto* button = qobject_cast<QPushButton*>(field)) {
    QObject::connect(button, &QPushButton::clicked, button,
                     [pressed, name = std::string(spec.name)] { pressed(name); });
  }
  if (spec.activateButton == nullptr) return;
  const std::string target = spec.activateButton;
  if (auto* list = qobject_cast<QListWidget*>(field)) {
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [pressed, target] { pressed(target); });
  } else if (auto* table = qobject_cast<QTreeWidget*>(field)) {
    // A row is opened by a double click or Enter (activation) and by Space.
    QObject::connect(table, &QTreeWidget::itemActivated, table, [pressed, target] { pressed(target); });
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), table, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(space, &QShortcut::activated, table, [pressed, target] { pressed(target); });
  }
}

QWidget* buildGroup(const GroupSpec& group, const std::function<void(const std::string&)>& pressed) {
  QWidget* box = nullptr;
  if (group.name != nullptr) {
    auto* groupBox = new QGroupBox(englishOf(group.title));
    groupBox->setObjectName(nameOf(group.name));
    box = groupBox;
  } else {
    box = new QWidget;
  }
  auto* grid = new QGridLayout(box);
  const int columns = std::max(1, group.columns);
  int line = 0;
  int cell = 0;
  for (const ControlSpec& spec : group.controls) {
    if (spec.wide && cell > 0) {
      ++line;
      cell = 0;
    }
    QWidget* field = makeField(spec);
    wire(field, spec, pressed);
    const int column = cell * kCellColumns;
    if (spec.wide) {
      if (spec.label.text != nullptr && !ownText(spec.kind)) {
        auto* label = new QLabel(englishOf(spec.label));
        label->setObjectName(spec.labelName != nullptr ? nameOf(spec.labelName)
                                                       : labelNameFor(field->objectName()));
        label->setBuddy(field);
        grid->addWidget(label, line++, 0, 1, columns * kCellColumns);
      }
      // A whole line includes the stretch column after the cells: lists and list views take the width.
      grid->addWidget(withHint(field, spec), line, 0, 1, columns * kCellColumns + 1);
      ++line;
      continue;
    }
    if (ownText(spec.kind)) {
      grid->addWidget(field, line, column, 1, 2);
    } else {
      auto* label = new QLabel(englishOf(spec.label));
      label->setObjectName(spec.labelName != nullptr ? nameOf(spec.labelName)
                                                     : labelNameFor(field->objectName()));
      label->setBuddy(field);
      grid->addWidget(label, line, column);
      grid->addWidget(withHint(field, spec), line, column + 1);
    }
    if (++cell == columns) {
      cell = 0;
      ++line;
    }
  }
  for (int c = 1; c < columns; ++c) grid->setColumnMinimumWidth(c * kCellColumns - 1, kCellGap);
  grid->setColumnStretch(columns * kCellColumns, 1);
  return box;
}

template <class W>
W* child(QWidget* root, const char* name) {
  return name != nullptr ? root->findChild<W*>(nameOf(name)) : nullptr;
}

QString captionOf(const CaptionText& text, const CaptionList& captions) {
  if (text.text == nullptr) return {};
  return toQ(captions.labelOr(text.caption, text.text));
}

void applyControl(QWidget* root, const ControlSpec& spec, const CaptionList& captions) {
  const QString label = captionOf(spec.label, captions);
  QWidget* field = child<QWidget>(root, spec.name);
  if (field == nullptr) return;
  if (auto* button = qobject_cast<QAbstractButton*>(field)) {
    button->setText(mnemonicSafe(label));
  } else if (auto* own = qobject_cast<QLabel*>(field); own != nullptr && spec.kind == K::Label) {
    if (spec.label.text != nullptr) own->setText(label);  // a label without a caption shows the model's text
  } else if (spec.label.text != nullptr) {
    const QString labelName =
        spec.labelName != nullptr ? nameOf(spec.labelName) : labelNameFor(field->objectName());
    if (auto* fieldLabel = root->findChild<QLabel*>(labelName)) fieldLabel->setText(label);
  }
  if (spec.hint.text != nullptr) {
    if (auto* hint = root->findChild<QLabel*>(hintNameFor(field->objectName())))
      hint->setText(captionOf(spec.hint, captions));
  }
  if (auto* table = qobject_cast<QTreeWidget*>(field)) {
    QStringList headers;
    for (const CaptionText& column : spec.columns) headers << captionOf(column, captions);
    table->setHeaderLabels(headers);
  }
}

// A row with a list view or a report takes the height the window has to spare.
bool rowHasTable(const RowSpec& row) {
  for (const GroupSpec& group : row.groups) {
    for (const ControlSpec& spec : group.controls) {
      if (spec.kind == K::Table || spec.report) return true;
    }
  }
  return false;
}

}  // namespace

QString hintNameFor(const QString& fieldName) {
  return labelNameFor(fieldName) + QStringLiteral("Hint");
}

bool buildForm(QVBoxLayout* rows, const FormLayout& layout,
               const std::function<void(const std::string& button)>& pressed) {
  bool grows = false;
  for (const RowSpec& row : layout.rows) {
    auto* line = new QHBoxLayout;
    for (const GroupSpec& group : row.groups) line->addWidget(buildGroup(group, pressed), 1);
    const bool table = rowHasTable(row);
    rows->addLayout(line, table ? 1 : 0);
    grows = grows || table;
  }
  return grows;
}

void applyFormCaptions(QWidget* root, const FormLayout& layout, const CaptionList& captions) {
  for (const RowSpec& row : layout.rows) {
    for (const GroupSpec& group : row.groups) {
      if (auto* box = child<QGroupBox>(root, group.name)) box->setTitle(captionOf(group.title, captions));
      for (const ControlSpec& spec : group.controls) applyControl(root, spec, captions);
    }
  }
}

}  // namespace gw::ui
