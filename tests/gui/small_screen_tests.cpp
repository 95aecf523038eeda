// The window on a small screen: a 1280 by 720 screen at twice the scale, 640 by 360 to the
// program. The window stays on it whatever it shows, and the pages scroll instead of pushing
// the window off the screen.

#include "app/window_placement.h"
#include "window_session.h"

using namespace wintarvel;
using wintarvel::testing::WindowSession;

class SmallScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void fitOnScreenMovesAFrameOntoTheAreaAndShrinksOnlyWhatIsTooLarge();
  void theWindowStaysOnTheScreenWhateverItShowsAndThePagesScroll();
};

void SmallScreenTest::fitOnScreenMovesAFrameOntoTheAreaAndShrinksOnlyWhatIsTooLarge() {
  const QRect area(0, 30, 800, 470);  // a panel at the top
  const std::pair<QRect, QRect> rows[] = {
      {{100, 100, 400, 300}, {100, 100, 400, 300}},   // fits: stays
      {{-50, 0, 400, 300}, {0, 30, 400, 300}},        // off the left and the top: moved
      {{600, 400, 400, 300}, {400, 200, 400, 300}},   // off the right and the bottom: moved
      {{-200, -200, 1200, 1000}, {0, 30, 800, 470}},  // too large every way: the area
  };
  for (const auto& [frame, fitted] : rows) QCOMPARE(view::fitOnScreen(frame, area), fitted);
}

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

  // A control out of sight comes into view when Tab reaches it.
  pages->setCurrentIndex(7);
  auto* area = qobject_cast<QScrollArea*>(pages->widget(7));
  QWidget* run = s.find<QWidget>("GenInstr");
  s.windows.binder.run([&] { s.f.GenInstr.setEnabled(true); });
  area->verticalScrollBar()->setValue(0);
  const auto inSight = [&] {
    return area->viewport()->rect().contains(
        QRect(run->mapTo(area->viewport(), QPoint()), run->size()));
  };
  QVERIFY(!inSight());
  s.find<QWidget>("TxtOutFile")->setFocus();
  for (int i = 0; i < 8 && QApplication::focusWidget() != run; ++i)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), run);
  QVERIFY(inSight());
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
