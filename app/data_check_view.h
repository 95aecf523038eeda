#pragma once
// The format records explained on the "Data Format" page, and "Check Data": the first records
// of the data file in a table, each value as the format reads it, the columns it comes from
// marked in the record's text, and the warnings of the check. The reading and checking are the
// core's (options/data_check.h); this is only their view.

#include <QAbstractTableModel>
#include <QDialog>
#include <QFont>

#include "app/binder.h"
#include "options/data_check.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace wintarvel::view {

// The line under a format record that says what it reads, kept up to date with the record.
QLabel* formatExplanation(Binder& b, const Edit& record, const char* name);

// The "Check Data" button, enabled while the data file named on the "File Names" page exists.
QPushButton* checkDataButton(TFrm1& f, Binder& b, QWidget* page);

class DataCheckModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The lines of a record's text, for the delegate that marks the columns read.
  static constexpr int kLinesRole = Qt::UserRole + 1;

  explicit DataCheckModel(QObject* parent = nullptr);
  void setCheck(DataCheck check, FormatLayout layout);
  const FormatLayout& layout() const { return layout_; }
  const DataCheck& check() const { return check_; }

  // Columns: the line, the record's text, one per value, the warnings.
  static constexpr int kLineColumn = 0;
  static constexpr int kTextColumn = 1;
  static constexpr int kFirstValueColumn = 2;
  int warningsColumn() const { return kFirstValueColumn + static_cast<int>(layout_.fields.size()); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString columnsText(const FormatField& field) const;

  DataCheck check_;
  FormatLayout layout_;
  QFont fixed_;
};

// A window of its own, so that the table can be as wide as the records and stay open beside
// the page while the format record is corrected.
class DataCheckView : public QDialog {
  Q_OBJECT

 public:
  DataCheckView(TFrm1& f, QWidget* parent);
  // Reads the data file named on the "File Names" page with the chosen format record.
  void runCheck();

  QTableView* table() const { return table_; }
  DataCheckModel* model() const { return model_; }

 private:
  TFrm1& f_;
  QLabel* summary_;
  QComboBox* record_;
  QTableView* table_;
  DataCheckModel* model_;
};

}  // namespace wintarvel::view
