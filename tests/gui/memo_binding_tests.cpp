// The reorder memo is bound edit by edit: the core's text must equal the widget's after every
// kind of edit, with CR LF line ends, and a text the program sets must reach the widget.

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "allocation_watch.h"
#include "app/memo_edit.h"
#include "app/windows.h"
#include "scripted_ui.h"

using namespace wintarvel;

namespace {

struct Session {
  QTemporaryDir startDir;
  testing::ScriptedUi ui;
  testing::RecordingPlatform platform;
  TFrm1 f{ui, platform, startDir.path().toStdString()};
  view::Windows windows{f};
};

std::string asCore(QString text) {
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text.toStdString();
}

}  // namespace

class MemoBindingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    s_ = std::make_unique<Session>();
    s_->windows.binder.run([this] {
      s_->f.BtnNewSetClick();
      s_->f.RadRePat1.setChecked(true);
    });
    memo_ = s_->windows.main.findChild<view::MemoEdit*>(QStringLiteral("MemoReorder"));
    QVERIFY(memo_ != nullptr);
  }
  void cleanup() { s_.reset(); }

  void typedLinesReachTheCoreWithCrLf() {
    QTest::keyClicks(memo_, QStringLiteral("1 2 3"));
    QTest::keyClick(memo_, Qt::Key_Return);
    QTest::keyClicks(memo_, QStringLiteral("3 2 1"));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("1 2 3\r\n3 2 1"));
    QCOMPARE(s_->f.MemoReorder.lineCount(), std::size_t{2});
    // Shift+Enter breaks the line like Enter.
    QTest::keyClick(memo_, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(memo_, QStringLiteral("2 1 3"));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("1 2 3\r\n3 2 1\r\n2 1 3"));
  }

  void editsInTheMiddleAcrossLineBreaksAndUndoStayInStep() {
    QTest::keyClicks(memo_, QStringLiteral("aaa"));
    QTest::keyClick(memo_, Qt::Key_Return);
    QTest::keyClicks(memo_, QStringLiteral("bbb"));
    QTest::keyClick(memo_, Qt::Key_Return);
    QTest::keyClicks(memo_, QStringLiteral("ccc"));
    // Join the first two lines by deleting the line break after "aaa".
    memo_->setCursorPosition(3);
    QTest::keyClick(memo_, Qt::Key_Delete);
    QCOMPARE(s_->f.MemoReorder.text(), asCore(memo_->toPlainText()));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("aaabbb\r\nccc"));
    // Select across the remaining break and replace the selection.
    memo_->setCursorPosition(4);
    memo_->setCursorPosition(10, true);
    QTest::keyClicks(memo_, QStringLiteral("X"));
    QCOMPARE(memo_->toPlainText(), QStringLiteral("aaabXc"));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("aaabXc"));
    QTest::keyClick(memo_, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s_->f.MemoReorder.text(), asCore(memo_->toPlainText()));
    memo_->selectAll();
    QTest::keyClicks(memo_, QStringLiteral("z"));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("z"));
    QTest::keyClick(memo_, Qt::Key_Backspace);
    QCOMPARE(s_->f.MemoReorder.text(), std::string());
  }

  void aTextSetByTheProgramReachesTheWidgetAndEditsGoOnFromThere() {
    s_->windows.binder.run([this] { s_->f.MemoReorder.setText("1 2\r\n2 1\r\n"); });
    QCOMPARE(memo_->toPlainText(), QStringLiteral("1 2\n2 1\n"));
    QTest::keyClick(memo_, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(memo_, QStringLiteral("3"));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("1 2\r\n2 1\r\n3"));
    // The count label follows every keystroke.
    auto* label = s_->windows.main.findChild<QWidget*>(QStringLiteral("LblNumReor"));
    QVERIFY(label != nullptr);
    QCOMPARE(s_->f.LblNumReor.caption(), std::string("Perhaps you have too many record(s)"));
  }

  void charactersOutsideLatin1AreRefused() {
    QTest::keyClicks(memo_, QStringLiteral("ab"));
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u20ac"));
    QApplication::sendEvent(memo_, &euro);
    QCOMPARE(memo_->toPlainText(), QStringLiteral("ab"));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("ab"));
  }

  void typingIntoALargeTextEditsTheCoreInPlace() {
    std::string big;
    for (int i = 0; i < 200000; ++i) big += "1 2 3 4 5 6\r\n";
    s_->windows.binder.run([&] { s_->f.MemoReorder.setText(big); });
    QCOMPARE(memo_->lineCount(), std::size_t{200001});
    // The core's buffer may grow once on the first edit, as a string grows, by doubling.
    QTest::keyClick(memo_, Qt::Key_7);
    const std::uint64_t coreRevision = s_->f.MemoReorder.revision();

    testing::allocations::watch();
    for (int i = 0; i < 50; ++i) QTest::keyClick(memo_, Qt::Key_7);
    testing::allocations::stop();

    // Each key made one change of the core, and nothing as large as the text was allocated: no
    // copy of the text exists in the view, and the editor's line index was updated in place.
    QCOMPARE(s_->f.MemoReorder.revision(), coreRevision + 50);
    const std::size_t largest = testing::allocations::largest;
    QVERIFY2(largest < big.size() / 10,
             qPrintable(QString::number(largest) + " bytes allocated at once"));
    QCOMPARE(s_->f.MemoReorder.text().substr(0, 53), std::string(51, '7') + "1 ");
    QCOMPARE(s_->f.MemoReorder.text().size(), big.size() + 51);
    QCOMPARE(s_->f.MemoReorder.lineCount(), std::size_t{200000});
    // The history kept the typing, which undoes as one run, and the cursor followed it.
    QCOMPARE(memo_->cursorPosition(), std::size_t{51});
    memo_->undo();
    QVERIFY(s_->f.MemoReorder.text() == big);
    QCOMPARE(memo_->cursorPosition(), std::size_t{0});
  }

  void aLongTextSetByTheProgramArrivesWholeAndStartsAFreshHistory() {
    QTest::keyClicks(memo_, QStringLiteral("typed"));
    std::string big;
    for (int i = 0; i < 150000; ++i) big += std::to_string(i) + " 2 3 4 5 6 7 8 9 10 11 12\r\n";
    big += "last";
    s_->windows.binder.run([&] { s_->f.MemoReorder.setText(big); });
    QCOMPARE(memo_->lineCount(), std::size_t{150001});
    QVERIFY(asCore(memo_->toPlainText()) == big);
    QVERIFY(!memo_->isUndoAvailable());
    QCOMPARE(memo_->cursorPosition(), std::size_t{0});

    QTest::keyClick(memo_, Qt::Key_9);
    QCOMPARE(s_->f.MemoReorder.text().substr(0, 4), std::string("90 2"));
    memo_->undo();
    QVERIFY(s_->f.MemoReorder.text() == big);

    s_->windows.binder.run([this] { s_->f.MemoReorder.setText("1 2\r\n2 1"); });
    QCOMPARE(memo_->toPlainText(), QStringLiteral("1 2\n2 1"));
    QVERIFY(!memo_->isUndoAvailable());
  }

  void switchingTheMemoOffAndOnKeepsTheTextItsCursorAndItsHistory() {
    QTest::keyClicks(memo_, QStringLiteral("1 2"));
    s_->windows.binder.run([this] { s_->f.MemoReorder.setEnabled(false); });
    QVERIFY(!memo_->isEnabled());
    s_->windows.binder.run([this] { s_->f.MemoReorder.setEnabled(true); });
    QVERIFY(memo_->isEnabled());
    QCOMPARE(memo_->cursorPosition(), std::size_t{3});
    QVERIFY(memo_->isUndoAvailable());
  }

  void theScrollBarsFollowTheMemosWidth() {
    s_->windows.binder.run([this] { s_->f.MemoReorder.setText(std::string(300, '1') + "\r\n2"); });
    auto* pages = s_->windows.main.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    s_->windows.main.show();
    pages->setCurrentWidget(s_->windows.main.findChild<QWidget*>(QStringLiteral("Reorder")));
    QVERIFY(QTest::qWaitForWindowExposed(&s_->windows.main));
    QApplication::processEvents();
    const int lineWidth = memo_->fontMetrics().horizontalAdvance(QString(300, QLatin1Char('1')));
    QVERIFY(memo_->viewport()->width() < lineWidth);
    QVERIFY(memo_->horizontalScrollBar()->maximum() > 0);
    // Wider than the line: nothing left to scroll to; narrower again: the line scrolls again.
    s_->windows.main.resize(s_->windows.main.width() + lineWidth, s_->windows.main.height());
    QApplication::processEvents();
    QCOMPARE(memo_->horizontalScrollBar()->maximum(), 0);
    s_->windows.main.resize(s_->windows.main.width() - lineWidth, s_->windows.main.height());
    QApplication::processEvents();
    QVERIFY(memo_->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(memo_->toPlainText(), QString(300, QLatin1Char('1')) + QStringLiteral("\n2"));
  }

 private:
  std::unique_ptr<Session> s_;
  view::MemoEdit* memo_ = nullptr;
};

QTEST_MAIN(MemoBindingTest)
#include "memo_binding_tests.moc"
