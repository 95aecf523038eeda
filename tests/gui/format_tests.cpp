// What the engine will read, on the real window: the set file panel shows the bytes a save
// writes, follows an edit once the typing pauses, names the field under the pointer and brings
// up the control of a double-clicked line; the format record is explained under it and Check Data
// reads the example study's data file through it.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

#include "app/data_check_view.h"
#include "app/set_file_view.h"
#include "window_session.h"

using namespace wintarvel;
using wintarvel::testing::WindowSession;

namespace {

QString example(const char* name) {
  return QStringLiteral(WINTARVEL_EXAMPLES "/") + QLatin1String(name);
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The text the panel shows, with the line ends a file has.
QByteArray shownText(const view::SetFileText* text) {
  QByteArray shown;
  for (std::size_t line = 1; line <= text->lineCount(); ++line) {
    shown += text->lineText(line).toLatin1() + "\r\n";
  }
  return shown;
}

}  // namespace

class FormatTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void thePanelShowsTheSavedBytesFollowsAnEditAndLeadsToTheControl();
  void thePanelKeepsItsPlaceForTheNextSession();
  void checkDataReadsTheExampleDataFileThroughTheFormatRecord();

 private:
  template <class W>
  W* find(const char* name) {
    return s_->find<W>(name);
  }
  void openExample();
  view::SetFilePanel* panel() { return find<view::SetFilePanel>("SetFileView"); }
  void retype(const char* edit, const QString& text);

  std::unique_ptr<WindowSession> s_;
};

void FormatTest::init() {
  s_ = std::make_unique<WindowSession>();
  QVERIFY(s_->show());
}

void FormatTest::cleanup() {
  QVERIFY2(s_->ui.unexpected.empty(), s_->firstUnexpected());
  s_.reset();
}

void FormatTest::openExample() {
  s_->ui.files.push_back(example("roommate.set").toStdString());
  find<QAction>("FileOpenItem")->trigger();
  QVERIFY(!s_->f.Modified);
}

void FormatTest::retype(const char* edit, const QString& text) {
  auto* line = find<QLineEdit>(edit);
  line->selectAll();
  QTest::keyClicks(line, text);
}

void FormatTest::thePanelShowsTheSavedBytesFollowsAnEditAndLeadsToTheControl() {
  openExample();
  QVERIFY(panel()->isHidden());
  QCOMPARE(find<QAction>("ViewSetFile")->shortcut(), QKeySequence(QStringLiteral("Ctrl+U")));
  find<QAction>("ViewSetFile")->trigger();
  QVERIFY(panel()->isVisible());
  view::SetFileText* text = panel()->text();
  QVERIFY(text != nullptr && text->isVisible());
  QCOMPARE(shownText(text), bytesOf(example("roommate.set")));

  // Typing changes nothing until the typing pauses; then the line holds the new number.
  const QByteArray before = shownText(text);
  retype("TxtNumGroups", QStringLiteral("15"));
  QCOMPARE(shownText(text), before);
  QTRY_COMPARE(text->lineText(2), QStringLiteral(" 4 4 3 151022 210001 010011"));

  // Pointing at the number names it, in the tool tip and in the status bar.
  QCOMPARE(text->describe(2, 8), QStringLiteral("Number of groups, columns 7-9: \" 15\""));
  QTest::mouseMove(text->viewport(), text->cellCenter(2, 8));
  QTRY_COMPARE(s_->window().findChild<QStatusBar*>()->currentMessage(), text->describe(2, 8));
  QCOMPARE(text->cellAt(text->cellCenter(6, 3)), QPoint(3, 6));

  // Double-clicking the format record brings up its page and edit.
  QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, text->cellCenter(6, 3));
  QCOMPARE(find<QTabWidget>("PageControl1")->currentWidget()->objectName(),
           QStringLiteral("TabSheet2"));
  QCOMPARE(s_->f.PageControl1.activePage(), 2);
  QTRY_COMPARE(QApplication::focusWidget(), find<QWidget>("TxtGroupFortran"));

  // A number a save would refuse shows the save's message instead of the text.
  retype("TxtNumGroups", QStringLiteral("0"));
  auto* message = find<QLabel>("SetFileMessage");
  QTRY_VERIFY(message->isVisible());
  QVERIFY(message->text().contains(
      QStringLiteral("The number of groups must be a whole number from 1 to 999.")));
  QVERIFY(!text->isVisible());
}

void FormatTest::thePanelKeepsItsPlaceForTheNextSession() {
  QVERIFY(panel()->isHidden());
  find<QAction>("ViewSetFile")->trigger();
  s_->window().close();  // the program asks nothing: no study is open
  TFrm1 next(s_->ui, s_->platform, s_->startDir.path().toStdString());
  view::Windows windows(next);
  windows.main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&windows.main));
  auto* restored = windows.main.findChild<view::SetFilePanel*>(QStringLiteral("SetFileView"));
  QVERIFY(restored->isVisible());
  QCOMPARE(windows.main.dockWidgetArea(restored), Qt::RightDockWidgetArea);
  QTRY_VERIFY(restored->findChild<QLabel*>(QStringLiteral("SetFileMessage")) != nullptr);
  QCOMPARE(restored->findChild<QLabel*>(QStringLiteral("SetFileMessage"))->text(),
           QStringLiteral("No set file is open."));
}

void FormatTest::checkDataReadsTheExampleDataFileThroughTheFormatRecord() {
  openExample();
  auto* explained = find<QLabel>("LblGroupFortranReads");
  QCOMPARE(explained->text(),
           QStringLiteral("reads 5 values per record from columns 1-12, 1 record per line"));
  auto* check = find<QPushButton>("CmdCheckData");
  QVERIFY(!check->isEnabled());  // no data file named yet
  retype("TxtDataFile", example("roommate.txt"));
  QVERIFY(check->isEnabled());

  find<QTabWidget>("PageControl1")->setCurrentIndex(2);
  QTest::mouseClick(check, Qt::LeftButton);
  auto* view = s_->window().findChild<view::DataCheckView*>(QStringLiteral("DataCheckView"));
  QVERIFY(view != nullptr && view->isVisible());
  const QAbstractItemModel* table = view->table()->model();
  QCOMPARE(table->rowCount(), 480);
  QCOMPARE(table->columnCount(), 8);  // line, record, five values, warnings
  QCOMPARE(table->headerData(4, Qt::Horizontal).toString(), QStringLiteral("F2.0\n5-6"));
  QCOMPARE(table->data(table->index(0, 1)).toString(), QStringLiteral(" 3 4 1 24 38"));
  QCOMPARE(table->data(table->index(0, 5)).toString(), QStringLiteral("24"));
  QCOMPARE(table->data(table->index(0, 7)).toString(), QString());
  QVERIFY(find<QLabel>("DataCheckSummary")->text().contains(QStringLiteral("no warnings")));

  // A record read two columns too far: every line is short of it, and the label says so first.
  retype("TxtGroupFortran", QStringLiteral("(3F2.0,2F4.0)"));
  QCOMPARE(explained->text(),
           QStringLiteral("reads 5 values per record from columns 1-14, 1 record per line"));
  QTest::mouseClick(check, Qt::LeftButton);
  QCOMPARE(table->data(table->index(0, 7)).toString(),
           QStringLiteral("line 1 has 12 columns; the format reads to column 14"));
  QVERIFY(find<QLabel>("DataCheckSummary")->text().contains(QStringLiteral("480 warning(s)")));

  retype("TxtGroupFortran", QStringLiteral("(3F2.0,2F)"));
  QCOMPARE(explained->text(), QStringLiteral("position 10: a width is missing after F"));
}

QTEST_MAIN(FormatTest)
#include "format_tests.moc"
