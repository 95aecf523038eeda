// The set file on the real window: opened and saved through the File menu, the command line and a
// drop; the caption that names it; what the set file panel and Check Data show of what the engine
// will read; and what the window keeps for the next start (recent files, place, page, panel).

#include <memory>

#include "app/data_check_view.h"
#include "app/set_file_view.h"
#include "window_session.h"

using namespace wintarvel;
using testing::WindowSession;

namespace {

QString golden(const char* name) {
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

// The recent set files as the File menu lists them.
QStringList recentMenu(WindowSession& s) {
  QStringList paths;
  for (QAction* a : s.find<QMenu>("RecentSetFiles")->actions())
    if (a->objectName().startsWith(QLatin1String("RecentFile"))) paths << a->statusTip();
  return paths;
}

// Drops `urls` on `target` as a file manager does: enter, then drop. True when accepted.
bool drop(QWidget* target, const QList<QUrl>& urls) {
  QMimeData mime;
  mime.setUrls(urls);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
  return dropped.isAccepted();
}

void retype(WindowSession& s, const char* edit, const QString& text) {
  s.find<QLineEdit>(edit)->selectAll();
  s.type(edit, text);
}

}  // namespace

class SetFileTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    s_ = std::make_unique<WindowSession>();
    QVERIFY(s_->show());
  }
  void cleanup() {
    QVERIFY2(s_->ui.unexpected.empty(), s_->firstUnexpected());
    s_.reset();
  }
  void openFillsEveryPageAndSaveAsWritesEveryGoldenFileBackUnchanged();
  void theCaptionNamesTheDocumentAndMarksUnsavedChanges();
  void thePanelShowsTheSavedBytesFollowsEditsAndLeadsToTheControl();
  void checkDataReadsTheExampleDataFileThroughTheFormatRecord();
  void recentFilesPlacePageAndPanelAreThereAtTheNextStart();
  void theCommandLineAndADropOpenASetFileAndAFieldTakesADroppedPath();

 private:
  QString checked(std::initializer_list<const char*> names) {
    QString states;
    for (const char* name : names)
      states += s_->find<QAbstractButton>(name)->isChecked() ? '1' : '0';
    return states;
  }
  bool shown(const char* name) {
    QWidget* w = s_->find(name);
    return w->isVisibleTo(s_->pageOf(w));
  }

  std::unique_ptr<WindowSession> s_;
};

void SetFileTest::openFillsEveryPageAndSaveAsWritesEveryGoldenFileBackUnchanged() {
  QTemporaryDir saved;
  s_->choose("FileOpenItem", golden("roommate.set"));
  // Every kind of control shows what the file holds; the title keeps its blanks to column 64.
  const std::pair<const char*, QString> fields[] = {
      {"TxtProgTitle", QString("Roommate study").leftJustified(64)},
      {"TxtNumGroups", "12"},
      {"TxtNameSubGroup1", "Women   "},
      {"TxtRevScore", "00008"},
      {"TxtGroupFortran", "(3F2.0,2F3.0)"},
      {"TxtSetFile", golden("roommate.set")}};
  for (const auto& [name, text] : fields) QCOMPARE(s_->find<QLineEdit>(name)->text(), text);
  QCOMPARE(s_->find<QComboBox>("CmbDrop")->itemText(2), QStringLiteral("Subject3 D"));
  QCOMPARE(itemsOf(s_->find<QListWidget>("CmbDyVar")), (QStringList{"LIKE", "TRUST R", "ANXIOUS"}));
  // Block with dyad input clears "after", so neither read order is selected.
  QCOMPARE(checked({"RadDesTy1", "ChkDropSub", "ChkSelfM", "ChkReverseVar", "RadInpPat0",
                    "RBPerBeforeDy", "RBPerAfterDy", "ChkSecFmt", "RadOut2", "RadAP1", "ChkTechOut",
                    "RadRePat0"}),
           QStringLiteral("111110001101"));
  QVERIFY(shown("TxtNameSubGroup1") && shown("TxtRevScore") && !shown("TxtGroup2Fortran"));
  QVERIFY(s_->find("GroupBoxPV")->isEnabled() && s_->find("CmbDrop")->isEnabled());
  QVERIFY(!s_->pages()->isTabVisible(5) && !shown("MemoReorder"));

  // Each golden file, with a control only it shows, comes back byte for byte from Save As.
  const std::pair<const char*, const char*> rows[] = {
      {"roommate.set", "CmbDrop"},    {"constructs.set", "CorAvailVarList"},
      {"reorder.set", "MemoReorder"}, {"format50_100.set", "TxtGroup2Fortran"},
      {"dyadic17.set", "CmbDyVar"},   {"dropped.set", "CmbDrop"}};
  for (const auto& [file, widget] : rows) {
    s_->choose("FileOpenItem", golden(file));
    QVERIFY2(shown(widget) && s_->find(widget)->isEnabled(), file);
    const QString copy = QDir::toNativeSeparators(saved.filePath(QString::fromLatin1(file)));
    s_->choose("SaveSetFileAs1", copy);
    QCOMPARE(bytesOf(copy), bytesOf(golden(file)));
    QCOMPARE(s_->find<QLineEdit>("TxtSetFile")->text(), copy);
    QVERIFY(!s_->f.Modified);
    if (QByteArray(file) == "constructs.set") {
      QVERIFY(s_->pages()->isTabVisible(5) && !s_->find("PBCorConnect")->isEnabled());
      QCOMPARE(itemsOf(s_->find<QListWidget>("CorAvailVarList")),
               (QStringList{"LIKE", "TRUST", "ANXIOUS", "HOSTILE"}));
    }
    if (QByteArray(file) == "reorder.set") {
      QCOMPARE(s_->find<QPlainTextEdit>("MemoReorder")->toPlainText(),
               QStringLiteral("2 1 4 3\n1 2 3 4\n4 3 2 1\n3 4 1 2\n"));
      QCOMPARE(s_->find<QLabel>("LblNumReor")->text(), QStringLiteral("4 record(s) needed"));
    }
  }
  QVERIFY(s_->ui.messages.empty() && s_->ui.errors.empty() && s_->ui.questions.empty());
}

void SetFileTest::theCaptionNamesTheDocumentAndMarksUnsavedChanges() {
  testing::ExampleCopy example;
  const std::pair<std::function<void()>, QString> steps[] = {
      {[] {}, "WinTarvel"},
      {[&] { s_->trigger("FileNewItem"); }, "WinTarvel - Untitled"},
      {[&] {
         s_->type("TxtNumSubGroup1", "4");
         s_->type("TxtNumSubGroup2", "4");
       },
       "WinTarvel - Untitled*"},
      {[&] { s_->choose("SaveSetFileAs1", example.path("copy.set")); }, "WinTarvel - copy"},
      {[&] { s_->type("TxtProgTitle", "x"); }, "WinTarvel - copy*"},
      {[&] { s_->trigger("FileSaveItem"); }, "WinTarvel - copy"},
      {[&] { s_->choose("FileOpenItem", example.path("roommate.set")); }, "WinTarvel - roommate"},
      {[&] { s_->trigger("FileCloseItem"); }, "WinTarvel"},
  };
  for (const auto& [act, caption] : steps) {
    act();
    QCOMPARE(s_->window().windowHandle()->title(), caption);
    QCOMPARE(s_->window().isWindowModified(), caption.endsWith('*'));
  }
  QVERIFY(s_->ui.messages.empty());
}

void SetFileTest::thePanelShowsTheSavedBytesFollowsEditsAndLeadsToTheControl() {
  const QString example = QStringLiteral(WINTARVEL_EXAMPLES "/roommate.set");
  s_->choose("FileOpenItem", example);
  auto* panel = s_->find<view::SetFilePanel>("SetFileView");
  QVERIFY(panel->isHidden());
  s_->trigger("ViewSetFile");
  view::SetFileText* text = panel->text();
  QVERIFY(panel->isVisible() && text->isVisible());
  QByteArray shownText;
  for (std::size_t line = 1; line <= text->lineCount(); ++line)
    shownText += text->lineText(line).toLatin1() + "\r\n";
  QCOMPARE(shownText, bytesOf(example));

  // Typing changes nothing until the typing pauses; then the line holds the new number.
  const QString before = text->lineText(2);
  retype(*s_, "TxtNumGroups", QStringLiteral("15"));
  QCOMPARE(text->lineText(2), before);
  QTRY_COMPARE(text->lineText(2), QStringLiteral(" 4 4 3 151022 210001 010011"));

  // Pointing at the number names it, in the tool tip and in the status bar.
  QCOMPARE(text->describe(2, 8), QStringLiteral("Number of groups, columns 7-9: \" 15\""));
  QTest::mouseMove(text->viewport(), text->cellCenter(2, 8));
  QTRY_COMPARE(s_->status(), text->describe(2, 8));
  QCOMPARE(text->cellAt(text->cellCenter(6, 3)), QPoint(3, 6));

  // Double-clicking the format record brings up its page and edit.
  QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, text->cellCenter(6, 3));
  QCOMPARE(s_->pages()->currentWidget()->objectName(), QStringLiteral("TabSheet2"));
  QCOMPARE(s_->f.PageControl1.activePage(), 2);
  QTRY_COMPARE(QApplication::focusWidget(), s_->find("TxtGroupFortran"));

  // A number a save would refuse shows the save's message instead of the text.
  retype(*s_, "TxtNumGroups", QStringLiteral("0"));
  auto* message = s_->find<QLabel>("SetFileMessage");
  QTRY_VERIFY(message->isVisible());
  QVERIFY(message->text().contains("The number of groups must be a whole number from 1 to 999."));
  QVERIFY(!text->isVisible());
}

void SetFileTest::checkDataReadsTheExampleDataFileThroughTheFormatRecord() {
  s_->choose("FileOpenItem", QStringLiteral(WINTARVEL_EXAMPLES "/roommate.set"));
  auto* check = s_->find<QPushButton>("CmdCheckData");
  QVERIFY(!check->isEnabled());  // no data file named yet
  retype(*s_, "TxtDataFile", QStringLiteral(WINTARVEL_EXAMPLES "/roommate.txt"));
  QVERIFY(check->isEnabled());
  s_->click("CmdCheckData");
  auto* view = s_->window().findChild<view::DataCheckView*>(QStringLiteral("DataCheckView"));
  QVERIFY(view != nullptr && view->isVisible());
  const QAbstractItemModel* table = view->table()->model();
  QCOMPARE(table->rowCount(), 480);
  QCOMPARE(table->columnCount(), 8);  // line, record, five values, warnings
  QCOMPARE(table->headerData(4, Qt::Horizontal).toString(), QStringLiteral("F2.0\n5-6"));
  QCOMPARE(table->data(table->index(0, 1)).toString(), QStringLiteral(" 3 4 1 24 38"));
  QCOMPARE(table->data(table->index(0, 5)).toString(), QStringLiteral("24"));
  QCOMPARE(table->data(table->index(0, 7)).toString(), QString());
  QVERIFY(s_->find<QLabel>("DataCheckSummary")->text().contains(QStringLiteral("no warnings")));

  // A record read two columns too far: the line under it says so first, then every record warns.
  retype(*s_, "TxtGroupFortran", QStringLiteral("(3F2.0,2F4.0)"));
  QCOMPARE(s_->find<QLabel>("LblGroupFortranReads")->text(),
           QStringLiteral("reads 5 values per record from columns 1-14, 1 record per line"));
  s_->click("CmdCheckData");
  QCOMPARE(table->data(table->index(0, 7)).toString(),
           QStringLiteral("line 1 has 12 columns; the format reads to column 14"));
  QVERIFY(s_->find<QLabel>("DataCheckSummary")->text().contains(QStringLiteral("480 warning(s)")));
}

void SetFileTest::recentFilesPlacePageAndPanelAreThereAtTheNextStart() {
  testing::ExampleCopy example;
  const QString roommate = example.path("roommate.set"), copy = example.path("copy.set");
  QTemporaryDir settings;
  s_ = std::make_unique<WindowSession>(settings.path());
  QVERIFY(s_->show());
  s_->choose("FileOpenItem", roommate);
  s_->choose("SaveSetFileAs1", copy);
  QCOMPARE(recentMenu(*s_), (QStringList{copy, roommate}));
  s_->pages()->setCurrentIndex(6);  // "Reorder"
  s_->trigger("ViewSetFile");
  s_->window().setGeometry(QRect(140, 120, 1000, 700));
  QCoreApplication::processEvents();
  const QRect placed = s_->window().geometry();
  QVERIFY(s_->window().close());

  s_ = std::make_unique<WindowSession>(settings.path());
  QVERIFY(s_->show());
  // The place and height; the width grows by the restored panel's.
  QCOMPARE(s_->window().geometry().topLeft(), placed.topLeft());
  QCOMPARE(s_->window().height(), placed.height());
  auto* panel = s_->find<view::SetFilePanel>("SetFileView");
  QVERIFY(panel->isVisible());
  QCOMPARE(s_->windows.main.dockWidgetArea(panel), Qt::RightDockWidgetArea);
  QTRY_COMPARE(s_->find<QLabel>("SetFileMessage")->text(), QStringLiteral("No set file is open."));
  QCOMPARE(recentMenu(*s_), (QStringList{copy, roommate}));
  // The empty window offers them as links too.
  auto* hint = s_->find<QLabel>("StartHint");
  QVERIFY(hint->isVisible() && hint->text().contains(QStringLiteral("copy.set")));
  QVERIFY(hint->text().contains("Open a set file (Ctrl+O) or start a new study (Ctrl+N)"));

  // The second entry opens the example, on the page shown when the program ended.
  s_->trigger("RecentFile2");
  QCOMPARE(s_->f.TxtSetFile.text(), roommate.toStdString());
  QCOMPARE(s_->pages()->currentIndex(), 6);
  QCOMPARE(s_->f.PageControl1.activePage(), 6);
  QCOMPARE(recentMenu(*s_), (QStringList{roommate, copy}));

  // A file gone since is named and leaves the list.
  QVERIFY(QFile::remove(copy));
  s_->trigger("RecentFile2");
  QCOMPARE(s_->ui.messages.size(), std::size_t{1});
  QVERIFY(QString::fromStdString(s_->ui.messages[0]).contains(copy));
  QCOMPARE(recentMenu(*s_), QStringList{roommate});

  // The list holds the last eight; Clear empties it.
  for (int i = 0; i < 9; ++i)
    s_->choose("SaveSetFileAs1", example.dir.filePath(QString("c%1.set").arg(i)));
  QCOMPARE(recentMenu(*s_).size(), 8);
  QCOMPARE(recentMenu(*s_).front(), example.path("c8.set"));
  s_->trigger("ClearRecentFiles");
  QCOMPARE(recentMenu(*s_), QStringList());
}

void SetFileTest::theCommandLineAndADropOpenASetFileAndAFieldTakesADroppedPath() {
  testing::ExampleCopy example;
  // A relative name opens from the folder the program was started in, as File > Open would.
  QCOMPARE(view::setFileFromCommandLine({"wintarvel"}), QString());
  const QString startFolder = QDir::currentPath();
  QDir::setCurrent(example.dir.path());
  s_->windows.main.openSetFile(view::setFileFromCommandLine({"wintarvel", "roommate.set"}));
  QDir::setCurrent(startFolder);
  QCOMPARE(s_->f.TxtSetFile.text(), example.path("roommate.set").toStdString());

  // Only a set file is taken by the window; unsaved changes are asked about first.
  const QUrl roommate = QUrl::fromLocalFile(example.dir.filePath(QStringLiteral("roommate.set")));
  const QUrl data = QUrl::fromLocalFile(example.dir.filePath(QStringLiteral("roommate.txt")));
  s_->trigger("FileNewItem");
  s_->type("TxtProgTitle", QStringLiteral("Unsaved"));
  QVERIFY(!drop(&s_->window(), {data}));
  QVERIFY(!drop(&s_->window(), {roommate, data}));
  s_->ui.answers = {Answer::Cancel, Answer::No};
  QVERIFY(drop(&s_->window(), {roommate}));
  QCOMPARE(s_->f.TxtProgTitle.text(), std::string("Unsaved"));
  QVERIFY(drop(&s_->window(), {roommate}));
  QCOMPARE(s_->ui.questions.size(), std::size_t{2});
  QCOMPARE(s_->window().windowHandle()->title(), QStringLiteral("WinTarvel - roommate"));

  // A file dropped on a field gives the field its path, as if typed.
  s_->pages()->setCurrentIndex(7);
  QVERIFY(drop(s_->find("TxtDataFile"), {data}));
  QCOMPARE(s_->f.TxtDataFile.text(), example.path("roommate.txt").toStdString());
}

QTEST_MAIN(SetFileTest)
#include "set_file_tests.moc"
