#include "app/data_check_view.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "app/fixed_font.h"
#include "app/latin1.h"
#include "app/pages.h"

namespace wintarvel::view {

namespace {

const QColor kFieldShades[] = {QColor(255, 236, 179), QColor(200, 228, 255)};
const QColor kWarningShade(255, 196, 196);
const QColor kErrorText(170, 0, 0);
// The text column shows at most this many columns of a record's lines.
constexpr int kShownColumns = 200;

QString columns(int first, int last) {
  return first == last ? QString::number(first) : QStringLiteral("%1-%2").arg(first).arg(last);
}

// Runs `action` whenever the watched widget is shown.
class ShowWatcher : public QObject {
 public:
  ShowWatcher(QWidget* target, std::function<void()> action)
      : QObject(target), action_(std::move(action)) {
    target->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) action_();
    return false;
  }

 private:
  std::function<void()> action_;
};

// Draws a record's lines in a fixed-pitch font with the columns of each value shaded, and the
// columns a value would read past the end of its line shaded as a warning.
class MarkedTextDelegate : public QStyledItemDelegate {
 public:
  MarkedTextDelegate(const DataCheckModel& model, QObject* parent)
      : QStyledItemDelegate(parent), model_(model), font_(fixedPitchFont()) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter,
                                        option.widget);
    const QStringList lines = index.data(DataCheckModel::kLinesRole).toStringList();
    const QFontMetrics metrics(font_);
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const int lineHeight = metrics.lineSpacing();
    const QPoint origin = option.rect.topLeft() + QPoint(4, 3);
    painter->save();
    painter->setClipRect(option.rect);
    const std::vector<FormatField>& fields = model_.layout().fields;
    for (std::size_t j = 0; j < fields.size(); ++j) {
      const FormatField& field = fields[j];
      const int line = field.line - 1;
      if (field.column > kShownColumns) continue;
      const int length = line < lines.size() ? static_cast<int>(lines[line].size()) : 0;
      const int y = origin.y() + line * lineHeight;
      const int x = origin.x() + (field.column - 1) * charWidth;
      const int inside = std::clamp(length - (field.column - 1), 0, field.width);
      painter->fillRect(QRect(x, y, inside * charWidth, lineHeight), kFieldShades[j % 2]);
      painter->fillRect(
          QRect(x + inside * charWidth, y, (field.width - inside) * charWidth, lineHeight),
          kWarningShade);
    }
    painter->setFont(font_);
    painter->setPen(option.palette.color(QPalette::Text));
    for (int line = 0; line < lines.size(); ++line) {
      painter->drawText(origin + QPoint(0, line * lineHeight + metrics.ascent()),
                        lines[line].left(kShownColumns));
    }
    painter->restore();
  }

 private:
  const DataCheckModel& model_;
  QFont font_;
};

QString summaryOf(const DataCheck& check, const std::string& path, const std::string& record) {
  if (!check.error.empty()) return toQt(check.error);
  const FormatLayout layout = ParseFortranFormat(record);
  QString text = QStringLiteral("Data file %1, format record %2: %3.\n")
                     .arg(toQt(path), toQt(record), toQt(ExplainFormat(layout)));
  text += check.wholeFile
              ? QStringLiteral("The whole file read: %1 lines, ").arg(check.linesRead)
              : QStringLiteral("The first %1 lines read (the file goes on), ").arg(check.linesRead);
  const std::size_t warnings = check.warningCount();
  text += QStringLiteral("%1 record(s), ").arg(check.records.size());
  text += warnings == 0 ? QStringLiteral("no warnings.")
                        : QStringLiteral("%1 warning(s).").arg(warnings);
  return text;
}

}  // namespace

QLabel* formatExplanation(Binder& b, const Edit& record, const char* name) {
  auto* label = new QLabel;
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  keepPlaceWhenHidden(label);
  const QPalette normal = label->palette();
  b.watch(record, [label, &record, normal] {
    const FormatLayout layout = ParseFortranFormat(record.text());
    label->setText(toQt(ExplainFormat(layout)));
    QPalette colors = normal;
    if (!layout.error.empty()) colors.setColor(QPalette::WindowText, kErrorText);
    label->setPalette(colors);
    label->setVisible(record.visible());
  });
  return label;
}

QPushButton* checkDataButton(TFrm1& f, Binder& b, QWidget* page) {
  auto* button = new QPushButton(QStringLiteral("Check &Data"));
  button->setObjectName(QStringLiteral("CmdCheckData"));
  const auto update = [button, &f] { button->setEnabled(DataFileExists(f.TxtDataFile.text())); };
  b.watch(f.TxtDataFile, update);
  // The file may come or go while the program runs: looked at again whenever the page shows.
  new ShowWatcher(page, update);
  QObject::connect(button, &QPushButton::clicked, button, [button, &f] {
    QWidget* window = button->window();
    auto* view = window->findChild<DataCheckView*>(QStringLiteral("DataCheckView"));
    if (view == nullptr) view = new DataCheckView(f, window);
    view->show();
    view->raise();
    view->activateWindow();
    view->runCheck();
  });
  return button;
}

// ---- DataCheckModel ------------------------------------------------------------------------

DataCheckModel::DataCheckModel(QObject* parent)
    : QAbstractTableModel(parent), fixed_(fixedPitchFont()) {}

void DataCheckModel::setCheck(DataCheck check, FormatLayout layout) {
  beginResetModel();
  check_ = std::move(check);
  layout_ = std::move(layout);
  endResetModel();
}

int DataCheckModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(check_.records.size());
}

int DataCheckModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || check_.records.empty() ? 0 : warningsColumn() + 1;
}

QString DataCheckModel::columnsText(const FormatField& field) const {
  const QString range = columns(field.column, field.column + field.width - 1);
  return layout_.lines > 1 ? QStringLiteral("line %1, %2").arg(field.line).arg(range) : range;
}

QVariant DataCheckModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const CheckedRecord& record = check_.records[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  const bool warned = !record.warnings.empty();
  if (column == kLineColumn) {
    const int last = record.firstLine + static_cast<int>(record.lines.size()) - 1;
    if (role == Qt::DisplayRole) return columns(record.firstLine, std::max(last, record.firstLine));
    if (role == Qt::BackgroundRole && warned) return kWarningShade;
    return {};
  }
  if (column == kTextColumn) {
    QStringList lines;
    for (const std::string& line : record.lines) lines << toQt(line);
    if (role == kLinesRole) return lines;
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return lines.join(QLatin1Char('\n'));
    if (role == Qt::FontRole) return fixed_;
    return {};
  }
  if (column == warningsColumn()) {
    QStringList warnings;
    for (const std::string& w : record.warnings) warnings << toQt(w);
    if (role == Qt::DisplayRole) return warnings.join(QStringLiteral("; "));
    if (role == Qt::ToolTipRole && warned) return warnings.join(QLatin1Char('\n'));
    if (role == Qt::ForegroundRole && warned) return kErrorText;
    return {};
  }
  const auto j = static_cast<std::size_t>(column - kFirstValueColumn);
  const ReadValue& value = record.values[j];
  const FormatField& field = layout_.fields[j];
  switch (role) {
    case Qt::DisplayRole:
      return toQt(value.problem.empty() ? value.value : value.text);
    case Qt::ToolTipRole:
      return QStringLiteral("%1 reads columns %2: \"%3\"%4")
          .arg(toQt(DescriptorText(field, layout_.decimals[j])), columnsText(field),
               toQt(value.text),
               value.problem.empty() ? QStringLiteral(" as %1").arg(toQt(value.value))
                                     : QStringLiteral(": ") + toQt(value.problem));
    case Qt::BackgroundRole:
      return value.problem.empty() ? QVariant() : QVariant(kWarningShade);
    case Qt::TextAlignmentRole:
      return static_cast<int>(field.type == 'A' ? Qt::AlignLeft | Qt::AlignVCenter
                                                : Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant DataCheckModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  if (section == kLineColumn) return QStringLiteral("Line");
  if (section == kTextColumn) return QStringLiteral("Record");
  if (section == warningsColumn()) return QStringLiteral("Warnings");
  const auto j = static_cast<std::size_t>(section - kFirstValueColumn);
  if (j >= layout_.fields.size()) return {};
  const FormatField& field = layout_.fields[j];
  const QString descriptor = toQt(DescriptorText(field, layout_.decimals[j]));
  if (role == Qt::ToolTipRole) {
    return QStringLiteral("Value %1: %2 reads columns %3")
        .arg(j + 1)
        .arg(descriptor, columnsText(field));
  }
  return descriptor + QLatin1Char('\n') + columnsText(field);
}

// ---- DataCheckView -------------------------------------------------------------------------

DataCheckView::DataCheckView(TFrm1& f, QWidget* parent)
    : QDialog(parent),
      f_(f),
      summary_(new QLabel(this)),
      record_(new QComboBox(this)),
      table_(new QTableView(this)),
      model_(new DataCheckModel(this)) {
  setObjectName(QStringLiteral("DataCheckView"));
  setWindowTitle(QStringLiteral("Check Data"));
  summary_->setObjectName(QStringLiteral("DataCheckSummary"));
  summary_->setWordWrap(true);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  record_->setObjectName(QStringLiteral("CmbCheckFormat"));
  record_->setAccessibleName(QStringLiteral("Format record to read the data with"));
  record_->addItems({QStringLiteral("Group data input format record"),
                     QStringLiteral("Second variable format record for subgroup 2")});
  table_->setObjectName(QStringLiteral("DataCheckTable"));
  table_->setModel(model_);
  table_->setItemDelegateForColumn(DataCheckModel::kTextColumn,
                                   new MarkedTextDelegate(*model_, this));
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setWordWrap(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(record_, &QComboBox::currentIndexChanged, this, [this] { runCheck(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(record_);
  layout->addWidget(table_, 1);
  layout->addWidget(buttons);
  resize(860, 520);
}

void DataCheckView::runCheck() {
  const bool two = f_.ChkSecFmt.checked();
  record_->setVisible(two);
  const std::string& record =
      two && record_->currentIndex() == 1 ? f_.TxtGroup2Fortran.text() : f_.TxtGroupFortran.text();
  const std::string& path = f_.TxtDataFile.text();
  DataCheck check = CheckDataFile(path, record);
  summary_->setText(summaryOf(check, path, record));
  model_->setCheck(std::move(check), ParseFortranFormat(record));

  const QFontMetrics fixed(fixedPitchFont());
  const int charWidth = fixed.horizontalAdvance(QLatin1Char('0'));
  int widest = 0;
  for (const CheckedRecord& r : model_->check().records) {
    for (const std::string& line : r.lines)
      widest = std::max(widest, static_cast<int>(line.size()));
  }
  for (const FormatField& field : model_->layout().fields) {
    widest = std::max(widest, field.column + field.width - 1);
  }
  table_->verticalHeader()->setDefaultSectionSize(
      std::max(1, model_->layout().lines) * fixed.lineSpacing() + 6);
  table_->setColumnWidth(DataCheckModel::kTextColumn,
                         std::min(widest, kShownColumns) * charWidth + 12);
  const QFontMetrics header(table_->horizontalHeader()->font());
  for (int c = DataCheckModel::kFirstValueColumn; c < model_->warningsColumn(); ++c) {
    int width = 0;
    for (const QString& part : model_->headerData(c, Qt::Horizontal, Qt::DisplayRole)
                                   .toString()
                                   .split(QLatin1Char('\n'))) {
      width = std::max(width, header.horizontalAdvance(part));
    }
    const FormatField& field =
        model_->layout().fields[static_cast<std::size_t>(c - DataCheckModel::kFirstValueColumn)];
    table_->setColumnWidth(c, std::max(width + 16, (field.width + 2) * charWidth));
  }
  table_->resizeColumnToContents(DataCheckModel::kLineColumn);
}

}  // namespace wintarvel::view
