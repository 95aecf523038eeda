// The Qt answers to the program's requests: message boxes, questions, file dialogs and the
// wait for the engine with its Stop button.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/program.h"
#include "app/qt_platform.h"
#include "app/qt_ui.h"

using namespace wintarvel;

namespace {

void writeProgram(const QString& path, const QByteArray& content) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString canonical(const QString& path) {
  return QFileInfo(path).canonicalFilePath();
}

// Runs `act` on the next modal dialog as soon as it is up.
void whenModalOpens(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    }
  });
  timer->start(20);
}

}  // namespace

class QtServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("WinTarvel")); }

  void filtersAreWrittenInQtsForm() {
    QCOMPARE(view::qtNameFilters("All files (*.*)|*.*"), QStringList{"All files (*)"});
    QCOMPARE(view::qtNameFilters("Dat Files|*.txt;*.dat"), QStringList{"Dat Files (*.txt *.dat)"});
    QCOMPARE(view::qtNameFilters("Output Files|*.out|Any|*.*"),
             (QStringList{"Output Files (*.out)", "Any (*)"}));
    QCOMPARE(view::qtNameFilters(""), QStringList());
    QCOMPARE(view::qtNameFilters("dangling"), QStringList());
  }

  void aMessageWithoutCaptionShowsTheProgramsTitle() {
    view::QtUi ui;
    QString title, text;
    whenModalOpens([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      title = box->windowTitle();
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    ui.showMessage("Data inconsistency", "");
    QCOMPARE(title, QStringLiteral("WinTarvel"));
    QCOMPARE(text, QStringLiteral("Data inconsistency"));
  }

  void questionsOfferTheRequestedButtonsAndReturnTheAnswer() {
    view::QtUi ui;
    QMessageBox::StandardButtons offered;
    whenModalOpens([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      offered = box->standardButtons();
      box->button(QMessageBox::Cancel)->click();
    });
    QCOMPARE(
        ui.ask("Changes have been made, do you want to save it?", "Confirm", Buttons::YesNoCancel),
        Answer::Cancel);
    QCOMPARE(offered, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    whenModalOpens([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      offered = box->standardButtons();
      QCOMPARE(box->windowTitle(), QStringLiteral("Confirm"));
      box->button(QMessageBox::No)->click();
    });
    QCOMPARE(ui.ask("?", "Confirm", Buttons::YesNo), Answer::No);
    QCOMPARE(offered, QMessageBox::Yes | QMessageBox::No);
  }

  void theFileDialogUsesTheSettingsAndReturnsTheChosenPath() {
    QTemporaryDir dir;
    view::QtUi ui;
    FileDialog dialog(FileDialogKind::Open);
    dialog.setTitle("Choose The Data File");
    dialog.setDefaultExt("txt");
    dialog.setFilter("Dat Files|*.txt;*.dat");
    const std::string wanted = QDir::toNativeSeparators(dir.filePath("study.dat")).toStdString();
    dialog.setFileName(wanted);
    QString title, filter;
    bool anyFile = false;
    whenModalOpens([&](QWidget* w) {
      auto* box = qobject_cast<QFileDialog*>(w);
      title = box->windowTitle();
      filter = box->selectedNameFilter();
      anyFile = box->fileMode() == QFileDialog::AnyFile;
      QMetaObject::invokeMethod(box, "accept");
    });
    QVERIFY(ui.execute(dialog));
    QCOMPARE(title, QStringLiteral("Choose The Data File"));
    QCOMPARE(filter, QStringLiteral("Dat Files (*.txt *.dat)"));
    QVERIFY(anyFile);
    QCOMPARE(dialog.fileName(), wanted);

    whenModalOpens([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    dialog.setFileName("*.set");
    QVERIFY(!ui.execute(dialog));
    QCOMPARE(dialog.fileName(), std::string("*.set"));
  }

#ifdef WINTARVEL_ENGINE
  void theEngineRunsInItsFolderWhileTheWaitIsShown() {
    // Without an instruction file the stand-in ends at once with its own exit code 2.
    QTemporaryDir dir;
    view::QtPlatform platform;
    QCOMPARE(platform.runEngine(WINTARVEL_ENGINE, dir.path().toStdString()), std::optional<int>(2));
    QCOMPARE(
        platform.runEngine(dir.path().toStdString() + "/missing.exe", dir.path().toStdString()),
        std::nullopt);
  }

  void anEmptyWorkingFolderStartsNoEngine() {
    // A set file named without a folder gives no working folder; the engine must not run in
    // whatever folder happens to be current, just as the native platform refuses it.
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    view::QtPlatform platform;
    const std::optional<int> result = platform.runEngine(WINTARVEL_ENGINE, "");
    QDir::setCurrent(previous);
    QCOMPARE(result, std::nullopt);
    QCOMPARE(NativePlatform().runEngine(WINTARVEL_ENGINE, ""), std::nullopt);
  }
#endif

#ifndef _WIN32
  void aWindowsEngineRunsThroughWineOrNotAtAll() {
    // A stand-in for Wine on PATH notes the folder and arguments it was started with.
    QTemporaryDir dir, bin, empty;
    const QString engine = dir.filePath(QStringLiteral("tarvel.exe"));
    writeProgram(engine, QByteArray("MZ\x90\0", 4));
    writeProgram(bin.filePath(QStringLiteral("wine")),
                 "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$@\" > ran\nexit 6\n");
    writeProgram(bin.filePath(QStringLiteral("winepath")), "#!/bin/sh\n");
    const QByteArray path = qgetenv("PATH");
    view::QtPlatform platform;
    qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
    const std::optional<int> withWine =
        platform.runEngine(engine.toStdString(), dir.path().toStdString());
    qputenv("PATH", empty.path().toLocal8Bit());
    const std::optional<int> withoutWine =
        platform.runEngine(engine.toStdString(), dir.path().toStdString());
    qputenv("PATH", path);
    QCOMPARE(withWine, std::optional<int>(6));
    QFile ran(dir.filePath(QStringLiteral("ran")));
    QVERIFY(ran.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(ran.readAll()), dir.path() + "\n" + engine + "\n");
    QCOMPARE(withoutWine, std::nullopt);
  }

  void startedFromTheDesktopTheProgramWorksInTheHomeFolder() {
    QTemporaryDir home, elsewhere;
    const QString previous = QDir::currentPath();
    const QByteArray oldHome = qgetenv("HOME");
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    qputenv("HOME", home.path().toLocal8Bit());
    const std::string fromShell = view::currentFolder();
    qputenv("WINTARVEL_START_IN_HOME", "1");
    const std::string fromDesktop = view::currentFolder();
    const QString current = QDir::currentPath();
    qunsetenv("WINTARVEL_START_IN_HOME");
    qputenv("HOME", oldHome);
    QDir::setCurrent(previous);
    QCOMPARE(canonical(QString::fromStdString(fromShell)), canonical(elsewhere.path()));
    QCOMPARE(canonical(QString::fromStdString(fromDesktop)), canonical(home.path()));
    QCOMPARE(canonical(current), canonical(home.path()));
  }

  // A shell script stands in for an engine that runs until it is stopped.
  void stoppingTheEngineEndsItAndReportsNoResult() {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("tarvel.exe"));
    writeProgram(script, "#!/bin/sh\nexec sleep 60\n");
    view::QtPlatform platform;
    QString title, elapsed;
    whenModalOpens([&](QWidget* w) {
      title = w->windowTitle();
      elapsed = w->findChild<QLabel*>(QStringLiteral("EngineWaitElapsed"))->text();
      w->findChild<QPushButton*>(QStringLiteral("EngineWaitStop"))->click();
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(platform.runEngine(script.toStdString(), dir.path().toStdString()), std::nullopt);
    QVERIFY(clock.elapsed() < 20000);
    QCOMPARE(title, QStringLiteral("Tarvel is running"));
    QVERIFY(elapsed.startsWith(QStringLiteral("Elapsed time: 0:00:0")));
  }
#endif
};

QTEST_MAIN(QtServicesTest)
#include "qt_services_tests.moc"
