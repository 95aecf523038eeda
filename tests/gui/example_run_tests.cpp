// The program's Qt services, for real: the example study run through the window by the stand-in
// engine from folders whose names have blanks (on Windows, and under Wine, the instruction file
// then holds 8.3 short paths), the wait for the engine with its Stop button, the message boxes
// and the file dialogs.

#include "window_session.h"

using namespace wintarvel;
using testing::whenModalOpens;

namespace {

std::string native(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeProgram(const QString& path, const QByteArray& content) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

class ExampleRunTest : public QObject {
  Q_OBJECT

 private slots:
  void theExampleRunsFromFoldersWithBlanksAndLeavesItsReport();
  void messagesAndFileDialogsShowWhatTheProgramAsks();
  void theEngineRunsOnlyInAFolderAndStopEndsIt();
};

// The walkthrough of the README: choose the engine, open the example, name the files, run.
void ExampleRunTest::theExampleRunsFromFoldersWithBlanksAndLeavesItsReport() {
  testing::WindowSession s;
  QVERIFY(s.show());
  s.platform.realEngine = true;
  s.trigger("EditOptions1");
  QTest::keyClicks(s.find("TxttvlPath"), QString::fromStdString(native(WINTARVEL_ENGINE)));
  QTest::mouseClick(s.find("CmdOptSave"), Qt::LeftButton);
  testing::ExampleCopy study;
  s.choose("FileOpenItem", study.path("roommate.set"));
  QCOMPARE(s.pages()->currentWidget()->objectName(), QStringLiteral("Groups"));
  auto* run = s.find<QPushButton>("GenInstr");
  const std::pair<const char*, const char*> names[] = {{"TxtDataFile", "roommate.txt"},
                                                       {"TxtOutFile", "roommate.out"},
                                                       {"TxtIndDif", "roommate.eff"}};
  for (const auto& [field, name] : names) {
    // Run Tarvel waits for the set, data and output file names.
    QCOMPARE(run->isEnabled(), QByteArray(field) == "TxtIndDif");
    QCOMPARE(s.find<QAction>("BtnRun")->isEnabled(), run->isEnabled());
    s.type(field, study.path(name));
  }
  QVERIFY(run->isEnabled() && s.find<QAction>("BtnRun")->isEnabled());
  s.click("GenInstr");

  QCOMPARE(s.ui.messages, std::vector<std::string>{});
  QCOMPARE(s.platform.viewerStarts, std::vector<std::string>{native(study.path("roommate.out"))});
  QVERIFY(s.find<QLabel>("RunOutcome")->text().startsWith("Tarvel ended with exit code 0 after "));
  const QByteArray report = contentsOf(study.path("roommate.out"));
  QVERIFY2(report.contains("The set file was read whole and the data file was found."),
           report.constData());
  QVERIFY2(QString::fromLatin1(report).contains(QRegularExpression("Number of groups: +12\r\n")),
           report.constData());
  std::string expected;  // on Windows the 8.3 forms, without blanks; elsewhere the paths
  for (const char* name : {"roommate.set", "roommate.txt", "roommate.out", "roommate.eff"}) {
    std::string shortForm;
    s.platform.shortPath(native(study.path(name)), shortForm);
    expected += shortForm + "\r\n";
#ifdef _WIN32
    QVERIFY2(shortForm.find(' ') == std::string::npos, shortForm.c_str());
#endif
  }
  QCOMPARE(contentsOf(study.path("xkb.ist")).toStdString(), expected);
  QVERIFY(!s.f.Modified);
}

void ExampleRunTest::messagesAndFileDialogsShowWhatTheProgramAsks() {
  view::nameApplication();
  view::QtUi ui;
  QString title, text;
  whenModalOpens([&](QWidget* w) {
    title = w->windowTitle();
    text = qobject_cast<QMessageBox*>(w)->text();
    qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
  });
  ui.showMessage("Data inconsistency", "");
  QCOMPARE(title + ": " + text, QStringLiteral("WinTarvel: Data inconsistency"));

  // The program's filters in Qt's form; "*.*" means any name, which here need not hold a dot.
  QCOMPARE(view::qtNameFilters("Output Files|*.out|All files (*.*)|*.*"),
           (QStringList{"Output Files (*.out)", "All files (*)"}));
  QCOMPARE(view::qtNameFilters("dangling"), QStringList());
  QTemporaryDir dir;
  FileDialog dialog(FileDialogKind::Open);
  dialog.setTitle("Choose The Data File");
  dialog.setFilter("Dat Files|*.txt;*.dat");
  const std::string wanted = native(dir.filePath("study.dat"));
  dialog.setFileName(wanted);
  QString filter;
  bool anyFile = false;
  whenModalOpens([&](QWidget* w) {
    auto* box = qobject_cast<QFileDialog*>(w);
    title = box->windowTitle();
    filter = box->selectedNameFilter();
    anyFile = box->fileMode() == QFileDialog::AnyFile;
    QMetaObject::invokeMethod(box, "accept");
  });
  QVERIFY(ui.execute(dialog));
  QCOMPARE(title + ": " + filter, QStringLiteral("Choose The Data File: Dat Files (*.txt *.dat)"));
  QVERIFY(anyFile);
  QCOMPARE(dialog.fileName(), wanted);
  whenModalOpens([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  dialog.setFileName("*.set");
  QVERIFY(!ui.execute(dialog));
  QCOMPARE(dialog.fileName(), std::string("*.set"));
}

void ExampleRunTest::theEngineRunsOnlyInAFolderAndStopEndsIt() {
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
  QCOMPARE(contentsOf(dir.filePath("ran")), (dir.path() + "\n" + engine + "\n").toLocal8Bit());

  // An engine that runs until it is stopped: Stop in the wait ends it, with no result.
  writeProgram(engine, "#!/bin/sh\nexec sleep 600\n");
  QString title, elapsed;
  whenModalOpens([&](QWidget* w) {
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

QTEST_MAIN(ExampleRunTest)
#include "example_run_tests.moc"
