// The set file commands of the File menu on the real window: a golden set file opened with
// "&Open" fills every page, "Save &As" writes it back byte for byte, and choosing "No Reorder
// Record" hides the records again.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "window_session.h"

using namespace wintarvel;
using wintarvel::testing::WindowSession;

namespace {

QString golden(const QString& name) {
  return QDir::toNativeSeparators(QStringLiteral(WINTARVEL_TEST_DATA "/") + name);
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QStringList itemsOf(QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

enum Page { Basic, Variables, DataFormat, Output, Constructs, CorErrorPage, Reorder, FileNames };

}  // namespace

class SetFileMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void openFillsEveryPageAndSaveAsWritesTheSameBytes();
  void everyGoldenFileSurvivesOpenAndSaveAsUnchanged_data();
  void everyGoldenFileSurvivesOpenAndSaveAsUnchanged();
  void noReorderRecordHidesTheRecordChoiceAndTheMemo();

 private:
  QWidget& window() { return s_->window(); }
  template <class W>
  W* find(const char* name) {
    return s_->find<W>(name);
  }
  QWidget* page(Page p) { return find<QTabWidget>("PageControl1")->widget(p); }
  bool shownOn(const char* name, Page p) { return find<QWidget>(name)->isVisibleTo(page(p)); }
  void trigger(const char* action) { find<QAction>(action)->trigger(); }
  void openThroughMenu(const QString& path);
  void saveAsThroughMenu(const QString& path);

  std::unique_ptr<WindowSession> s_;
  QTemporaryDir saved_;
};

void SetFileMenuTest::init() {
  s_ = std::make_unique<WindowSession>();
  QVERIFY(s_->show());
}

void SetFileMenuTest::cleanup() {
  QVERIFY2(s_->ui.unexpected.empty(), s_->firstUnexpected());
  QVERIFY2(s_->ui.messages.empty(), s_->ui.messages.empty() ? "" : s_->ui.messages[0].c_str());
  QVERIFY(s_->ui.errors.empty());
  s_.reset();
}

void SetFileMenuTest::openThroughMenu(const QString& path) {
  s_->ui.files.push_back(QDir::toNativeSeparators(path).toStdString());
  trigger("FileOpenItem");
  QVERIFY(s_->ui.files.empty());
  QVERIFY(!s_->f.Modified);
}

void SetFileMenuTest::saveAsThroughMenu(const QString& path) {
  s_->ui.files.push_back(QDir::toNativeSeparators(path).toStdString());
  trigger("SaveSetFileAs1");
  QVERIFY(s_->ui.files.empty());
  QVERIFY(!s_->f.Modified);
}

void SetFileMenuTest::openFillsEveryPageAndSaveAsWritesTheSameBytes() {
  const QString path = golden("roommate.set");
  openThroughMenu(path);
  QCOMPARE(window().windowTitle(), QStringLiteral("WinTarvel - roommate[*]"));
  auto* pages = find<QTabWidget>("PageControl1");
  QVERIFY(pages->isVisible());
  QCOMPARE(pages->currentIndex(), int(Basic));
  QVERIFY(find<QAction>("BtnSaveSet")->isEnabled());
  QVERIFY(!find<QAction>("BtnRun")->isEnabled());

  // Basic: the title keeps its blanks to column 64; an asymmetric block names its subgroups.
  QCOMPARE(find<QLineEdit>("TxtProgTitle")->text(),
           QStringLiteral("Roommate study").leftJustified(64));
  QCOMPARE(find<QLineEdit>("TxtNumGroups")->text(), QStringLiteral("12"));
  QCOMPARE(find<QLineEdit>("TxtNumSubGroup1")->text(), QStringLiteral("4"));
  QCOMPARE(s_->checked({"RadDesTy1", "ChkDropSub"}), QStringLiteral("11"));
  QVERIFY(shownOn("TxtNameSubGroup1", Basic));
  QCOMPARE(find<QLineEdit>("TxtNameSubGroup1")->text(), QStringLiteral("Women   "));
  auto* subjects = find<QComboBox>("CmbDrop");
  QVERIFY(subjects->isEnabled());
  QCOMPARE(subjects->count(), 8);
  QCOMPARE(subjects->itemText(2), QStringLiteral("Subject3 D"));

  // Variables: TRUST is reverse scored with its sum as the file holds it.
  QCOMPARE(itemsOf(find<QListWidget>("CmbDyVar")), (QStringList{"LIKE", "TRUST R", "ANXIOUS"}));
  QCOMPARE(itemsOf(find<QListWidget>("CmbPerVar")), (QStringList{"AGE", "EXTRAV"}));
  QCOMPARE(s_->checked({"ChkSelfM", "ChkReverseVar"}), QStringLiteral("11"));
  QVERIFY(shownOn("TxtRevScore", Variables));
  QCOMPARE(find<QLineEdit>("TxtRevScore")->text(), QStringLiteral("00008"));

  // Data Format: block with dyad input clears "after", so neither read order is selected.
  QCOMPARE(find<QLineEdit>("TxtGroupFortran")->text(), QStringLiteral("(3F2.0,2F3.0)"));
  QCOMPARE(s_->checked({"RadInpPat0", "RBPerBeforeDy", "RBPerAfterDy", "ChkSecFmt"}),
           QStringLiteral("1000"));
  QVERIFY(find<QGroupBox>("GroupBoxPV")->isEnabled());
  QVERIFY(!shownOn("TxtGroup2Fortran", DataFormat));

  // Output, Constructs, Reorder, File Names.
  QCOMPARE(s_->checked({"RadOut2", "RadAP1", "ChkTechOut", "RadRePat0"}), QStringLiteral("1101"));
  QCOMPARE(find<QListWidget>("CmbConst")->count(), 0);
  QVERIFY(!pages->isTabVisible(CorErrorPage));
  QVERIFY(!shownOn("MemoReorder", Reorder));
  QCOMPARE(find<QLineEdit>("TxtSetFile")->text(), path);

  const QString copy = QDir::toNativeSeparators(saved_.filePath(QStringLiteral("copy.set")));
  saveAsThroughMenu(copy);
  QCOMPARE(bytesOf(copy), bytesOf(path));
  QCOMPARE(find<QLineEdit>("TxtSetFile")->text(), copy);
  QCOMPARE(window().windowTitle(), QStringLiteral("WinTarvel - copy[*]"));  // named after the copy
  QCOMPARE(s_->ui.questions.size(), std::size_t{0});
}

void SetFileMenuTest::everyGoldenFileSurvivesOpenAndSaveAsUnchanged_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("widget");  // one control each file shows on its page
  QTest::addColumn<int>("page");
  QTest::newRow("constructs") << "constructs.set"
                              << "CmbConst" << int(Constructs);
  QTest::newRow("reorder") << "reorder.set"
                           << "MemoReorder" << int(Reorder);
  QTest::newRow("two formats") << "format50_100.set"
                               << "TxtGroup2Fortran" << int(DataFormat);
  QTest::newRow("17 variables") << "dyadic17.set"
                                << "CmbDyVar" << int(Variables);
  QTest::newRow("dropped") << "dropped.set"
                           << "CmbDrop" << int(Basic);
}

void SetFileMenuTest::everyGoldenFileSurvivesOpenAndSaveAsUnchanged() {
  QFETCH(QString, file);
  QFETCH(QString, widget);
  QFETCH(int, page);
  const QString path = golden(file);
  openThroughMenu(path);
  QVERIFY(shownOn(widget.toLatin1().constData(), Page(page)));
  QVERIFY(find<QWidget>(widget.toLatin1().constData())->isEnabled());
  if (file == QLatin1String("constructs.set")) {
    QVERIFY(find<QTabWidget>("PageControl1")->isTabVisible(CorErrorPage));
    QCOMPARE(itemsOf(find<QListWidget>("CorAvailVarList")),
             (QStringList{"LIKE", "TRUST", "ANXIOUS", "HOSTILE"}));
    QVERIFY(!find<QWidget>("PBCorConnect")->isEnabled());
  }
  if (file == QLatin1String("reorder.set")) {
    QCOMPARE(find<QPlainTextEdit>("MemoReorder")->toPlainText(),
             QStringLiteral("2 1 4 3\n1 2 3 4\n4 3 2 1\n3 4 1 2\n"));
    QCOMPARE(find<QLabel>("LblNumReor")->text(), QStringLiteral("4 record(s) needed"));
  }

  const QString copy = saved_.filePath(file);
  saveAsThroughMenu(copy);
  QCOMPARE(bytesOf(copy), bytesOf(path));
}

void SetFileMenuTest::noReorderRecordHidesTheRecordChoiceAndTheMemo() {
  trigger("FileNewItem");
  auto* pages = find<QTabWidget>("PageControl1");
  pages->setCurrentIndex(Reorder);
  QVERIFY(!shownOn("MemoReorder", Reorder));
  QVERIFY(!shownOn("GroupBox17", Reorder));

  QTest::keyClicks(find<QLineEdit>("TxtNumSubGroup1"), QStringLiteral("3"));
  QTest::keyClicks(find<QLineEdit>("TxtNumSubGroup2"), QStringLiteral("3"));
  pages->setCurrentIndex(Reorder);
  auto* rows = find<QRadioButton>("RadRePat1");
  QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(8, rows->height() / 2));
  QVERIFY(rows->isChecked());
  QVERIFY(shownOn("MemoReorder", Reorder));
  QVERIFY(shownOn("GroupBox17", Reorder));
  QCOMPARE(find<QLabel>("LblNumReor")->text(), QStringLiteral("1 record(s) needed"));

  auto* none = find<QRadioButton>("RadRePat0");
  QCOMPARE(none->text(), QStringLiteral("No Reorder Record"));
  QTest::mouseClick(none, Qt::LeftButton, {}, QPoint(8, none->height() / 2));
  QVERIFY(none->isChecked());
  QVERIFY(s_->f.RadRePat0.checked());
  QVERIFY(!shownOn("MemoReorder", Reorder));
  QVERIFY(!shownOn("GroupBox17", Reorder));
  QCOMPARE(find<QLabel>("LblNumReor")->text(), QStringLiteral("0 record(s) needed"));
}

QTEST_MAIN(SetFileMenuTest)
#include "set_file_menu_tests.moc"
