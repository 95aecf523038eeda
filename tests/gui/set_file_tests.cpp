// The set file on the real window: File menu, drops, panel, Check Data, the next start, the run.

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

std::string native(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
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

  void openFillsEveryPageAndSaveAsWritesEveryGoldenFileBackUnchanged() {
    QTemporaryDir saved;
    s_->choose("FileOpenItem", golden("roommate.set"));
    // Every kind of control shows what the file holds; the title keeps its blanks to column 64.
    const std::pair<const char*, QString> fields[] = {
        {"TxtProgTitle", QString("Roommate study").leftJustified(64)},
        {"TxtNumGroups", "12"},
        {"TxtGroupFortran", "(3F2.0,2F3.0)"},
        {"TxtSetFile", golden("roommate.set")}};
    for (const auto& [name, text] : fields) QCOMPARE(s_->find<QLineEdit>(name)->text(), text);
    QCOMPARE(testing::itemsOf(s_->find<QListWidget>("CmbDyVar")),
             (QStringList{"LIKE", "TRUST R", "ANXIOUS"}));
    // Block with dyad input clears "after", so neither read order is selected.
    QCOMPARE(checked({"RadDesTy1", "ChkDropSub", "ChkSelfM", "ChkReverseVar", "RadInpPat0",
                      "RBPerBeforeDy", "RBPerAfterDy", "ChkSecFmt", "RadOut2", "RadAP1",
                      "ChkTechOut", "RadRePat0"}),
             QStringLiteral("111110001101"));
    QVERIFY(shown("TxtNameSubGroup1") && shown("TxtRevScore") && !shown("TxtGroup2Fortran"));
    QVERIFY(!s_->pages()->isTabVisible(5) && !shown("MemoReorder"));

    // A golden file, with a control only it shows, comes back byte for byte from Save As.
    const std::pair<const char*, const char*> rows[] = {{"constructs.set", "CorAvailVarList"},
                                                        {"reorder.set", "MemoReorder"}};
    for (const auto& [file, widget] : rows) {
      s_->choose("FileOpenItem", golden(file));
      QVERIFY2(shown(widget) && s_->find(widget)->isEnabled(), file);
      const QString copy = QDir::toNativeSeparators(saved.filePath(QString::fromLatin1(file)));
      s_->choose("SaveSetFileAs1", copy);
      QCOMPARE(bytesOf(copy), bytesOf(golden(file)));
      QCOMPARE(s_->find<QLineEdit>("TxtSetFile")->text(), copy);
      QVERIFY(!s_->f.Modified);
    }
    QVERIFY(s_->ui.messages.empty() && s_->ui.errors.empty() && s_->ui.questions.empty());
  }

  void thePanelShowsTheSavedBytesFollowsEditsAndLeadsToTheControl() {
    const QString example = QStringLiteral(WINTARVEL_EXAMPLES "/roommate.set");
    s_->choose("FileOpenItem", example);
    auto* panel = s_->find<view::SetFilePanel>("SetFileView");
    QVERIFY(panel->isHidden());
    // Shown, the panel widens the window; closed by its own button, it gives the width back.
    const int width = s_->window().width();
    s_->trigger("ViewSetFile");
    QVERIFY(s_->window().width() > width);
    QVERIFY(panel->close());
    QCOMPARE(s_->window().width(), width);
    s_->trigger("ViewSetFile");
    view::SetFileText* text = panel->text();
    QVERIFY(panel->isVisible() && text->isVisible());
    QByteArray shownText;
    for (std::size_t line = 1; line <= text->lineCount(); ++line)
      shownText += text->lineText(line).toLatin1() + "\r\n";
    QCOMPARE(shownText, bytesOf(example));

    // Once the typing pauses, the line holds the new number.
    retype(*s_, "TxtNumGroups", QStringLiteral("15"));
    QTRY_COMPARE(text->lineText(2), QStringLiteral(" 4 4 3 151022 210001 010011"));

    // Pointing at the number names it, in the tool tip and in the status bar.
    QCOMPARE(text->describe(2, 8), QStringLiteral("Number of groups, columns 7-9: \" 15\""));
    QTest::mouseMove(text->viewport(), text->cellCenter(2, 8));
    QTRY_COMPARE(s_->status(), text->describe(2, 8));

    // Double-clicking the format record brings up its page and edit.
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, text->cellCenter(6, 3));
    QCOMPARE(s_->pages()->currentWidget()->objectName(), QStringLiteral("TabSheet2"));
    QTRY_COMPARE(QApplication::focusWidget(), s_->find("TxtGroupFortran"));

    // A number a save would refuse shows the save's message instead of the text.
    retype(*s_, "TxtNumGroups", QStringLiteral("0"));
    auto* message = s_->find<QLabel>("SetFileMessage");
    QTRY_VERIFY(message->isVisible());
    QVERIFY(message->text().contains("The number of groups must be a whole number from 1 to 999."));
    QVERIFY(!text->isVisible());
  }

  void checkDataReadsTheExampleDataFileThroughTheFormatRecord() {
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
    QCOMPARE(table->headerData(4, Qt::Horizontal).toString(), QStringLiteral("F2.0\n5-6"));
    QCOMPARE(table->data(table->index(0, 5)).toString(), QStringLiteral("24"));
    QVERIFY(s_->find<QLabel>("DataCheckSummary")->text().contains(QStringLiteral("no warnings")));
  }

  void recentFilesPlacePageAndPanelAreThereAtTheNextStart() {
    testing::ExampleCopy example;
    const QString roommate = example.path("roommate.set"), copy = example.path("copy.set");
    QTemporaryDir settings;
    s_ = std::make_unique<WindowSession>(settings.path());
    QVERIFY(s_->show());
    s_->choose("FileOpenItem", roommate);
    s_->choose("SaveSetFileAs1", copy);
    QCOMPARE(recentMenu(*s_), (QStringList{copy, roommate}));
    s_->type("TxtNumGroups", QStringLiteral("1"));  // 12 groups become 121
    s_->trigger("FileSaveItem");
    s_->pages()->setCurrentIndex(6);  // "Reorder"
    s_->trigger("ViewSetFile");
    s_->window().setGeometry(QRect(140, 120, 1000, 700));
    QCoreApplication::processEvents();
    const QRect placed = s_->window().geometry();
    QVERIFY(s_->window().close());

    s_ = std::make_unique<WindowSession>(settings.path());
    QVERIFY(s_->show());
    QCOMPARE(s_->window().geometry(), placed);
    auto* panel = s_->find<view::SetFilePanel>("SetFileView");
    QVERIFY(panel->isVisible());
    QCOMPARE(recentMenu(*s_), (QStringList{copy, roommate}));

    // The second entry opens the example, on the page shown when the program ended.
    s_->trigger("RecentFile2");
    QCOMPARE(s_->f.TxtSetFile.text(), roommate.toStdString());
    QCOMPARE(s_->pages()->currentIndex(), 6);
    QCOMPARE(recentMenu(*s_), (QStringList{roommate, copy}));

    // A file gone since is named and leaves the list.
    QVERIFY(QFile::remove(copy));
    s_->trigger("RecentFile2");
    QCOMPARE(s_->ui.messages.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(s_->ui.messages[0]).contains(copy));
    QCOMPARE(recentMenu(*s_), QStringList{roommate});
  }

  void aDroppedSetFileOpensAsFileOpenDoesAndAFieldTakesADroppedPath() {
    testing::ExampleCopy example;
    // Only a set file is taken by the window; unsaved changes are asked about first.
    const QUrl roommate = QUrl::fromLocalFile(example.dir.filePath(QStringLiteral("roommate.set")));
    const QUrl data = QUrl::fromLocalFile(example.dir.filePath(QStringLiteral("roommate.txt")));
    s_->trigger("FileNewItem");
    s_->type("TxtProgTitle", QStringLiteral("Unsaved"));
    QVERIFY(!drop(&s_->window(), {data}) && !drop(&s_->window(), {roommate, data}));
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

  // The walkthrough of the README: choose the engine, open the example, name the files, run.
  void theExampleRunsFromFoldersWithBlanksAndLeavesItsReport() {
    s_->platform.realEngine = true;
    s_->trigger("EditOptions1");
    QTest::keyClicks(s_->find("TxttvlPath"), QString::fromStdString(native(WINTARVEL_ENGINE)));
    QTest::mouseClick(s_->find("CmdOptSave"), Qt::LeftButton);
    testing::ExampleCopy study;
    s_->choose("FileOpenItem", study.path("roommate.set"));
    const std::pair<const char*, const char*> names[] = {{"TxtDataFile", "roommate.txt"},
                                                         {"TxtOutFile", "roommate.out"},
                                                         {"TxtIndDif", "roommate.eff"}};
    for (const auto& [field, name] : names) s_->type(field, study.path(name));
    QVERIFY(s_->find<QAction>("BtnRun")->isEnabled());
    s_->click("GenInstr");

    QCOMPARE(s_->ui.messages, std::vector<std::string>{});
    QCOMPARE(s_->platform.viewerStarts,
             std::vector<std::string>{native(study.path("roommate.out"))});
    QVERIFY(
        s_->find<QLabel>("RunOutcome")->text().startsWith("Tarvel ended with exit code 0 after "));
    const QByteArray report = bytesOf(study.path("roommate.out"));
    QVERIFY2(report.contains("The set file was read whole and the data file was found."),
             report.constData());
    std::string expected;  // on Windows the 8.3 forms, without blanks; elsewhere the paths
    for (const char* name : {"roommate.set", "roommate.txt", "roommate.out", "roommate.eff"}) {
      std::string shortForm;
      s_->platform.shortPath(native(study.path(name)), shortForm);
      expected += shortForm + "\r\n";
#ifdef _WIN32
      QVERIFY2(shortForm.find(' ') == std::string::npos, shortForm.c_str());
#endif
    }
    QCOMPARE(bytesOf(study.path("xkb.ist")).toStdString(), expected);
    QVERIFY(!s_->f.Modified);
  }

  void theEngineRunsOnlyInAFolderAndStopEndsIt() {
    // Without an instruction file the stand-in ends at once with its own exit code 2. A set file
    // named without a folder gives no working folder: no engine runs in whatever folder is current.
    QTemporaryDir dir;
    view::QtPlatform platform;
    const std::string folder = native(dir.path());
    QCOMPARE(platform.runEngine(WINTARVEL_ENGINE, folder), std::optional<int>(2));
    QCOMPARE(platform.runEngine(folder + "/missing.exe", folder), std::nullopt);
    QCOMPARE(platform.runEngine(WINTARVEL_ENGINE, ""), std::nullopt);
#ifndef _WIN32
    // A Windows engine runs through Wine: a stand-in for it on PATH notes its folder and arguments.
    const auto writeProgram = [](const QString& path, const QByteArray& content) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
      file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    QTemporaryDir bin;
    const QString engine = dir.filePath(QStringLiteral("tarvel.exe"));
    writeProgram(engine, QByteArray("MZ\x90\0", 4));
    writeProgram(bin.filePath("wine"), "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$@\" > ran\nexit 6\n");
    writeProgram(bin.filePath(QStringLiteral("winepath")), "#!/bin/sh\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
    const std::optional<int> withWine = platform.runEngine(engine.toStdString(), folder);
    qputenv("PATH", path);
    QCOMPARE(withWine, std::optional<int>(6));
    QCOMPARE(bytesOf(dir.filePath("ran")), (dir.path() + "\n" + engine + "\n").toLocal8Bit());

    // An engine that runs until it is stopped: Stop in the wait ends it, with no result.
    writeProgram(engine, "#!/bin/sh\nexec sleep 600\n");
    QString title, elapsed;
    testing::whenModalOpens([&](QWidget* w) {
      title = w->windowTitle();
      elapsed = w->findChild<QLabel*>(QStringLiteral("EngineWaitElapsed"))->text();
      w->findChild<QPushButton*>(QStringLiteral("EngineWaitStop"))->click();
    });
    QCOMPARE(platform.runEngine(engine.toStdString(), folder), std::nullopt);
    QVERIFY(platform.engineWasStopped());
    QCOMPARE(title, QStringLiteral("Tarvel is running"));
    QVERIFY(elapsed.startsWith(QStringLiteral("Elapsed time: 0:00:")));
#endif
  }

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

QTEST_MAIN(SetFileTest)
#include "set_file_tests.moc"
