// What the window says about the document and keeps from one start to the next: the caption, the
// recent set files, the window's place and page; and the other ways a set file is opened: the
// command line, a file dropped on the window, a path dropped on a field.

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <memory>

#include "app/program.h"
#include "window_session.h"

using namespace wintarvel;
using wintarvel::testing::WindowSession;

namespace {

// A copy of the example study in a folder of its own.
struct ExampleFolder {
  ExampleFolder() {
    for (const char* name : {"roommate.set", "roommate.txt"}) {
      QFile::copy(QStringLiteral(WINTARVEL_EXAMPLES "/") + name, dir.filePath(name));
    }
  }
  QString path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
  QTemporaryDir dir;
};

QAction* action(WindowSession& s, const char* name) {
  return s.find<QAction>(name);
}

// The recent set files as the File menu lists them.
QStringList recentMenu(WindowSession& s) {
  QStringList paths;
  for (QAction* a : s.find<QMenu>("RecentSetFiles")->actions()) {
    if (a->objectName().startsWith(QLatin1String("RecentFile"))) paths << a->statusTip();
  }
  return paths;
}

QString statusText(WindowSession& s) {
  return s.window().findChild<QStatusBar*>()->currentMessage();
}

// The caption as the window system shows it: Qt's modified mark resolved.
QString shownCaption(WindowSession& s) {
  return s.window().windowHandle()->title();
}

// Drops `urls` on `target` as a file manager does: enter, then drop. True when accepted.
bool drop(QWidget* target, const QList<QUrl>& urls) {
  QMimeData mime;
  mime.setUrls(urls);
  mime.setText(urls.isEmpty() ? QString() : urls.front().toString());
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
  return dropped.isAccepted();
}

}  // namespace

class SessionTest : public QObject {
  Q_OBJECT

 private slots:
  void captionNamesTheDocumentAndMarksUnsavedChanges();
  void recentFilesPlaceAndPageAreThereAtTheNextStart();
  void commandLineNamesTheFileToOpenAndAnswersHelpAndVersion();
  void droppedSetFileOpensAsFileOpenDoesAndAFieldTakesADroppedPath();
};

void SessionTest::captionNamesTheDocumentAndMarksUnsavedChanges() {
  WindowSession s;
  QVERIFY(s.show());
  ExampleFolder example;
  const QString copy = example.path("copy.set");
  const QString second = example.path("second.set");
  struct Step {
    const char* what;
    std::function<void()> act;
    QString caption;
  };
  auto typeTitle = [&] {
    QTest::keyClicks(s.find<QLineEdit>("TxtProgTitle"), QStringLiteral("x"));
  };
  auto typeSizes = [&] {
    QTest::keyClicks(s.find<QLineEdit>("TxtNumSubGroup1"), QStringLiteral("4"));
    QTest::keyClicks(s.find<QLineEdit>("TxtNumSubGroup2"), QStringLiteral("4"));
  };
  auto saveAs = [&](const QString& path) {
    s.ui.files.push_back(path.toStdString());
    action(s, "SaveSetFileAs1")->trigger();
  };
  const Step steps[] = {
      {"start", [] {}, QStringLiteral("WinTarvel")},
      {"new", [&] { action(s, "FileNewItem")->trigger(); }, QStringLiteral("WinTarvel - Untitled")},
      {"typed", typeSizes, QStringLiteral("WinTarvel - Untitled*")},
      {"saved as", [&] { saveAs(copy); }, QStringLiteral("WinTarvel - copy")},
      {"typed again", typeTitle, QStringLiteral("WinTarvel - copy*")},
      {"saved", [&] { action(s, "FileSaveItem")->trigger(); }, QStringLiteral("WinTarvel - copy")},
      {"saved as another", [&] { saveAs(second); }, QStringLiteral("WinTarvel - second")},
      {"opened",
       [&] {
         s.ui.files.push_back(example.path("roommate.set").toStdString());
         action(s, "FileOpenItem")->trigger();
       },
       QStringLiteral("WinTarvel - roommate")},
      {"new again", [&] { action(s, "FileNewItem")->trigger(); },
       QStringLiteral("WinTarvel - Untitled")},
      {"closed", [&] { action(s, "FileCloseItem")->trigger(); }, QStringLiteral("WinTarvel")},
  };
  for (const Step& step : steps) {
    step.act();
    QCOMPARE(shownCaption(s), step.caption);
    QCOMPARE(s.window().isWindowModified(), step.caption.endsWith('*'));
  }
  QVERIFY(s.ui.unexpected.empty());
  // The last save is reported with its path.
  QCOMPARE(statusText(s), QStringLiteral("Saved ") + second);
  QVERIFY(s.ui.messages.empty());
}

void SessionTest::recentFilesPlaceAndPageAreThereAtTheNextStart() {
  QTemporaryDir settings;
  ExampleFolder example;
  const QString roommate = example.path("roommate.set");
  const QString copy = example.path("copy.set");
  QRect placed;
  {
    WindowSession s(settings.path());
    QVERIFY(s.show());
    s.ui.files.push_back(roommate.toStdString());
    action(s, "FileOpenItem")->trigger();
    s.ui.files.push_back(copy.toStdString());
    action(s, "SaveSetFileAs1")->trigger();
    QCOMPARE(recentMenu(s), (QStringList{copy, roommate}));
    s.find<QTabWidget>("PageControl1")->setCurrentIndex(6);  // "Reorder"
    s.window().setGeometry(QRect(140, 120, 1000, 700));
    placed = s.window().geometry();
    QVERIFY(s.window().close());
  }
  WindowSession s(settings.path());
  QVERIFY(s.show());
  QCOMPARE(s.window().geometry(), placed);
  QCOMPARE(recentMenu(s), (QStringList{copy, roommate}));
  // The empty window offers them as links too.
  auto* hint = s.find<QLabel>("StartHint");
  QVERIFY(hint->isVisible());
  QVERIFY(hint->text().contains(
      QStringLiteral("Open a set file (Ctrl+O) or start a new study (Ctrl+N)")));
  QVERIFY(hint->text().contains(QStringLiteral("copy.set")));

  // The second entry opens the example, on the page shown when the program ended.
  action(s, "RecentFile2")->trigger();
  QCOMPARE(s.f.TxtSetFile.text(), roommate.toStdString());
  QVERIFY(!hint->isVisible());
  QCOMPARE(s.find<QTabWidget>("PageControl1")->currentIndex(), 6);
  QCOMPARE(s.f.PageControl1.activePage(), 6);
  QCOMPARE(recentMenu(s), (QStringList{roommate, copy}));

  // A file gone since is named and leaves the list.
  QVERIFY(QFile::remove(copy));
  action(s, "RecentFile2")->trigger();
  QCOMPARE(s.ui.messages.size(), std::size_t{1});
  QVERIFY(QString::fromStdString(s.ui.messages[0]).contains(copy));
  QCOMPARE(recentMenu(s), QStringList{roommate});
  QCOMPARE(s.f.TxtSetFile.text(), roommate.toStdString());

  // The list holds the last eight; Clear empties it.
  for (int i = 0; i < 9; ++i) {
    s.ui.files.push_back(example.path(QStringLiteral("copy%1.set").arg(i)).toStdString());
    action(s, "SaveSetFileAs1")->trigger();
  }
  QCOMPARE(recentMenu(s).size(), 8);
  QCOMPARE(recentMenu(s).front(), example.path("copy8.set"));
  action(s, "ClearRecentFiles")->trigger();
  QCOMPARE(recentMenu(s), QStringList());
  QVERIFY(s.ui.unexpected.empty());
}

void SessionTest::commandLineNamesTheFileToOpenAndAnswersHelpAndVersion() {
  const struct {
    QStringList arguments;
    QString file;
  } rows[] = {{{"wintarvel"}, {}}, {{"wintarvel", "my study.set"}, "my study.set"}};
  for (const auto& row : rows) QCOMPARE(view::setFileFromCommandLine(row.arguments), row.file);

  // A relative name opens from the folder the program was started in, as File > Open would.
  ExampleFolder example;
  WindowSession s;
  QVERIFY(s.show());
  const QString startFolder = QDir::currentPath();
  QDir::setCurrent(example.dir.path());
  s.windows.main.openSetFile(view::setFileFromCommandLine({"wintarvel", "roommate.set"}));
  QDir::setCurrent(startFolder);
  QCOMPARE(s.f.TxtSetFile.text(), example.path("roommate.set").toStdString());
  QCOMPARE(shownCaption(s), QStringLiteral("WinTarvel - roommate"));
  QVERIFY(s.ui.messages.empty());

  // The program itself answers --version and --help and ends.
  for (const auto& [option, expected] : {std::pair{"--version", "WinTarvel " WINTARVEL_VERSION},
                                         std::pair{"--help", "[file.set]"}}) {
    QProcess program;
    program.start(QStringLiteral(WINTARVEL_PROGRAM), {QString::fromLatin1(option)});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
    QVERIFY2(output.contains(QLatin1String(expected)), qPrintable(output));
  }
}

void SessionTest::droppedSetFileOpensAsFileOpenDoesAndAFieldTakesADroppedPath() {
  ExampleFolder example;
  const QUrl roommate = QUrl::fromLocalFile(example.dir.filePath(QStringLiteral("roommate.set")));
  const QUrl data = QUrl::fromLocalFile(example.dir.filePath(QStringLiteral("roommate.txt")));
  WindowSession s;
  QVERIFY(s.show());
  action(s, "FileNewItem")->trigger();
  QTest::keyClicks(s.find<QLineEdit>("TxtProgTitle"), QStringLiteral("Unsaved"));

  // Only a set file is taken by the window; unsaved changes are asked about first.
  QVERIFY(!drop(&s.window(), {data}));
  QVERIFY(!drop(&s.window(), {roommate, data}));
  s.ui.answers.push_back(Answer::Cancel);
  QVERIFY(drop(&s.window(), {roommate}));
  QCOMPARE(s.ui.questions.size(), std::size_t{1});
  QCOMPARE(s.f.TxtProgTitle.text(), std::string("Unsaved"));
  s.ui.answers.push_back(Answer::No);
  QVERIFY(drop(&s.window(), {roommate}));
  QCOMPARE(s.f.TxtSetFile.text(), example.path("roommate.set").toStdString());
  QCOMPARE(shownCaption(s), QStringLiteral("WinTarvel - roommate"));

  // A file dropped on a field gives the field its path, as if typed.
  auto* field = s.find<QLineEdit>("TxtDataFile");
  s.find<QTabWidget>("PageControl1")->setCurrentIndex(7);
  QVERIFY(drop(field, {data}));
  QCOMPARE(field->text(), example.path("roommate.txt"));
  QCOMPARE(s.f.TxtDataFile.text(), example.path("roommate.txt").toStdString());
  QVERIFY(s.ui.unexpected.empty());
}

QTEST_MAIN(SessionTest)
#include "session_tests.moc"
