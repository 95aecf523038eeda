// The window on a small screen: a 1280 by 720 screen at twice the scale, 640 by 360 to the
// program. The window stays on it whatever it shows, and the pages scroll instead of pushing
// the window off the screen.

#include "window_session.h"

using namespace wintarvel;

class SmallScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowStaysOnTheScreenWhateverItShowsAndThePagesScroll();
};

void SmallScreenTest::theWindowStaysOnTheScreenWhateverItShowsAndThePagesScroll() {
  // A kept placement larger than the screen is pulled onto it.
  QTemporaryDir settings;
  testing::useSettingsIn(settings.path());
  QSettings().setValue(QStringLiteral("MainWindow/Geometry"), QRect(-300, -200, 2400, 1500));
  testing::WindowSession s(settings.path());
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

// The screen of small-screen.json at twice the scale. Set here, since Wine hands no QT_* variable
// to a Windows program.
int main(int argc, char* argv[]) {
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  SmallScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "small_screen_tests.moc"
