// The example study run for real through the window: the stand-in engine started by the
// program's own platform services from folders whose names have blanks, as a user's studies
// often are. On Windows (and under Wine) the instruction file then holds 8.3 short paths.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt_platform.h"
#include "app/windows.h"
#include "scripted_ui.h"

using namespace wintarvel;

namespace {

// The real platform, less the text viewer: the report is read by the test instead.
class ReportReadingPlatform : public view::QtPlatform {
 public:
  bool startViewer(const std::string& path) override {
    viewed.push_back(path);
    return true;
  }
  std::vector<std::string> viewed;
};

std::string native(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ExampleRunTest : public QObject {
  Q_OBJECT

 private slots:
  void theExampleRunsFromFoldersWithBlanksAndLeavesItsReport() {
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("My Studies/Room mates")));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Start Folder")));
    const QDir study(root.filePath(QStringLiteral("My Studies/Room mates")));
    for (const char* name : {"roommate.set", "roommate.txt"}) {
      QVERIFY(QFile::copy(QStringLiteral(WINTARVEL_EXAMPLES "/") + name, study.filePath(name)));
    }
    // The engine setting of the start folder names the stand-in engine.
    const QString startDir = root.filePath(QStringLiteral("Start Folder"));
    QFile config(startDir + QStringLiteral("/wintvl.cfg"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("tvlpath " + QByteArray::fromStdString(native(WINTARVEL_ENGINE)) + "\r\n");
    config.close();

    testing::ScriptedUi ui;
    ReportReadingPlatform platform;
    TFrm1 f(ui, platform, native(startDir));
    view::Windows windows(f);
    ui.window = &windows.main;
    platform.setMainWindow(&windows.main);
    windows.main.show();

    ui.files.push_back(native(study.filePath(QStringLiteral("roommate.set"))));
    windows.main.findChild<QAction*>(QStringLiteral("FileOpenItem"))->trigger();
    const std::pair<const char*, const char*> names[] = {{"TxtDataFile", "roommate.txt"},
                                                         {"TxtOutFile", "roommate.out"},
                                                         {"TxtIndDif", "roommate.eff"}};
    for (const auto& [field, name] : names) {
      auto* edit = windows.main.findChild<QLineEdit*>(QString::fromLatin1(field));
      QTest::keyClicks(edit,
                       QString::fromStdString(native(study.filePath(QString::fromLatin1(name)))));
    }
    windows.main.findChild<QPushButton*>(QStringLiteral("GenInstr"))->click();

    QCOMPARE(ui.messages, std::vector<std::string>{});
    QCOMPARE(platform.viewed, std::vector<std::string>{native(study.filePath("roommate.out"))});
    const QByteArray report = contentsOf(study.filePath(QStringLiteral("roommate.out")));
    // The stand-in read the set file whole and found the data file.
    QVERIFY2(report.contains("The set file was read whole and the data file was found."),
             report.constData());
    QVERIFY2(QString::fromLatin1(report).contains(QRegularExpression("Number of groups: +12\r\n")),
             report.constData());
    const QList<QByteArray> lines =
        contentsOf(study.filePath(QStringLiteral("xkb.ist"))).split('\n');
    QCOMPARE(lines.size(), 5);  // four paths, each ended by CR LF
    for (int i = 0; i < 4; ++i) {
      QVERIFY(lines[i].endsWith('\r'));
#ifdef _WIN32
      // 8.3 short forms: no blanks, no part longer than eight characters and its extension.
      QVERIFY2(!lines[i].contains(' '), lines[i].constData());
#endif
    }
  }
};

QTEST_MAIN(ExampleRunTest)
#include "example_run_tests.moc"
