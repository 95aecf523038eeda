// The window on a small screen: a 1280 by 720 screen at twice the scale, 640 by 360 to the
// program. The window stays on it whatever it shows, and the pages scroll instead of pushing
// the window off the screen.

#include "window_session.h"

using namespace wintarvel;
using wintarvel::testing::WindowSession;

class SmallScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowStaysOnTheScreenWhateverItShowsAndThePagesScroll();
};

void SmallScreenTest::theWindowStaysOnTheScreenWhateverItShowsAndThePagesScroll() {
  QTemporaryDir settings;
  {
    WindowSession first(settings.path());  // points the settings at the folder
    QSettings().setValue(QStringLiteral("MainWindow/Geometry"), QRect(-300, -200, 2400, 1500));
  }
  WindowSession s(settings.path());  // a kept placement larger than the screen is pulled onto it
  QVERIFY(s.show());
  QWidget& window = s.window();
  const QRect available = window.screen()->availableGeometry();
  QCOMPARE(available.size(), QSize(640, 360));
  auto onScreen = [&] {
    QCoreApplication::processEvents();
    return available.contains(window.frameGeometry());
  };
  QVERIFY(onScreen());

  s.trigger("FileNewItem");
  QVERIFY(onScreen());
  for (const char* name : {"Self", "Other"}) {  // the Correlated Errors tab appears
    s.type("TxtConstruct", QString::fromLatin1(name));
    QTest::keyClick(s.find("TxtConstruct"), Qt::Key_Return);
  }
  QTabWidget* pages = s.pages();
  QVERIFY(pages->isTabVisible(5));
  QVERIFY(onScreen());

  // Each page keeps the room its controls need and scrolls where the window has less.
  int scrolling = 0;
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QVERIFY(onScreen());
    auto* area = qobject_cast<QScrollArea*>(pages->widget(i));
    QVERIFY(area != nullptr);
    const QWidget* content = area->widget();
    const QSize least = content->minimumSizeHint();
    QVERIFY2(content->width() >= least.width() && content->height() >= least.height(),
             qPrintable(area->objectName()));
    if (area->verticalScrollBar()->maximum() > 0 || area->horizontalScrollBar()->maximum() > 0)
      ++scrolling;
  }
  QVERIFY(scrolling > 0);
}

int main(int argc, char* argv[]) {
  // The offscreen screen is configured before the application starts, in a file of the current
  // folder: a name with a drive letter's colon would end the platform option.
  QFile file(QStringLiteral("small-screen.json"));
  if (!file.open(QIODevice::WriteOnly)) return 1;
  file.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1280, "height": 720}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=small-screen.json");
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  SmallScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "small_screen_tests.moc"
