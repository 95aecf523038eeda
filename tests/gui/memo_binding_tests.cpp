// The reorder memo is bound edit by edit: after every kind of edit through the real widget the
// core's text must equal the widget's with CR LF line ends, and a text the program sets must reach
// the widget whole, as a fresh document.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <memory>
#include <string>

#include "window_session.h"

using namespace wintarvel;

namespace {

std::string asCore(QString text) {
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  const QByteArray latin1 = text.toLatin1();
  return std::string(latin1.constData(), static_cast<std::size_t>(latin1.size()));
}

}  // namespace

class MemoBindingTest : public QObject {
  Q_OBJECT

 private slots:
  void typingPastingUndoAndLoadingKeepTheCoreInStep();

 private:
  // Puts the cursor at `from` and, when `to` is given, selects up to there.
  void select(int from, int to = -1) {
    QTextCursor cursor = memo_->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to < 0 ? from : to, QTextCursor::KeepAnchor);
    memo_->setTextCursor(cursor);
  }
  void paste(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(memo_, Qt::Key_V, Qt::ControlModifier);
  }
  void programSets(const std::string& text) {
    s_->windows.binder.run([&] { s_->f.MemoReorder.setText(text); });
  }
  const std::string& core() const { return s_->f.MemoReorder.text(); }

  std::unique_ptr<testing::WindowSession> s_;
  QPlainTextEdit* memo_ = nullptr;
};

void MemoBindingTest::typingPastingUndoAndLoadingKeepTheCoreInStep() {
  s_ = std::make_unique<testing::WindowSession>();
  s_->windows.binder.run([this] {
    s_->f.BtnNewSetClick();
    s_->f.RadRePat1.setChecked(true);
  });
  memo_ = s_->find<QPlainTextEdit>("MemoReorder");
  QVERIFY(memo_ != nullptr);

  // Typed lines, Enter and Shift+Enter alike, reach the core with CR LF.
  QTest::keyClicks(memo_, QStringLiteral("1 2 3"));
  QTest::keyClick(memo_, Qt::Key_Return);
  QTest::keyClicks(memo_, QStringLiteral("3 2 1"));
  QTest::keyClick(memo_, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClicks(memo_, QStringLiteral("2 1 3"));
  QCOMPARE(core(), std::string("1 2 3\r\n3 2 1\r\n2 1 3"));
  QCOMPARE(s_->f.MemoReorder.lineCount(), std::size_t{3});

  // Edits across line breaks: a paste over a selection spanning two breaks, a joined line.
  select(4, 14);  // "3\n3 2 1\n2 "
  paste(QStringLiteral("9\r\n8 7\n6 "));
  QCOMPARE(core(), std::string("1 2 9\r\n8 7\r\n6 1 3"));
  select(5);
  QTest::keyClick(memo_, Qt::Key_Delete);
  QCOMPARE(core(), std::string("1 2 98 7\r\n6 1 3"));
  QCOMPARE(core(), asCore(memo_->toPlainText()));

  // Characters outside Latin-1, typed or pasted, are refused; Latin-1 beyond ASCII is kept.
  QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u20ac"));
  QApplication::sendEvent(memo_, &euro);
  paste(QStringLiteral("x\u0100y"));
  QCOMPARE(core(), std::string("1 2 98 7\r\n6 1 3"));
  paste(QStringLiteral("\u00e9"));
  QCOMPARE(core(), std::string("1 2 9\xe9") + "8 7\r\n6 1 3");

  // The widget's undo and redo reach the core as edits too, back to the empty memo.
  const std::string beforeUndo = core();
  while (memo_->document()->isUndoAvailable()) {
    QTest::keyClick(memo_, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(core(), asCore(memo_->toPlainText()));
  }
  QCOMPARE(core(), std::string());
  while (memo_->document()->isRedoAvailable()) {
    QTest::keyClick(memo_, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(core(), asCore(memo_->toPlainText()));
  }
  QCOMPARE(core(), beforeUndo);

  // A text the program sets arrives whole as a fresh document: cursor at the start, no history;
  // typing goes on from there and the count label follows every key.
  programSets("1 2\r\n2 1\r\n");
  QCOMPARE(memo_->toPlainText(), QStringLiteral("1 2\n2 1\n"));
  QVERIFY(!memo_->document()->isUndoAvailable());
  QCOMPARE(memo_->textCursor().position(), 0);
  QTest::keyClick(memo_, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(memo_, QStringLiteral("3"));
  QCOMPARE(core(), std::string("1 2\r\n2 1\r\n3"));
  QCOMPARE(s_->f.LblNumReor.caption(), std::string("Perhaps you have too many record(s)"));

  // Line breaks of the program's text that are not CR LF show as line breaks: at the first edit
  // the core takes the text the user sees.
  programSets("a\nb\rc\r\nd");
  QCOMPARE(memo_->document()->blockCount(), 4);
  QTest::keyClick(memo_, Qt::Key_X);
  QCOMPARE(core(), std::string("xa\r\nb\r\nc\r\nd"));

  // A long text: every key is one change of the core, at the place typed.
  std::string big;
  for (int i = 0; i < 200000; ++i) big += "1 2 3 4 5 6\r\n";
  programSets(big);
  QCOMPARE(memo_->document()->blockCount(), 200001);
  select(12 * 150000 + 2);  // line 150,001, column 3
  const std::uint64_t revision = s_->f.MemoReorder.revision();
  QTest::keyClicks(memo_, QStringLiteral("77"));
  QCOMPARE(s_->f.MemoReorder.revision(), revision + 2);
  QCOMPARE(core().substr(13 * 150000, 15), std::string("1 772 3 4 5 6\r\n"));
  QTest::keyClick(memo_, Qt::Key_Z, Qt::ControlModifier);
  QVERIFY(core() == big);

  // The scroll bars follow the memo's width although it lays no line out again when it changes.
  programSets(std::string(300, '1') + "\r\n2");
  auto* pages = s_->find<QTabWidget>("PageControl1");
  QVERIFY(s_->show());
  pages->setCurrentWidget(s_->find<QWidget>("Reorder"));
  QApplication::processEvents();
  QVERIFY(memo_->horizontalScrollBar()->maximum() > 0);
  const int lineWidth = memo_->fontMetrics().horizontalAdvance(QString(300, QLatin1Char('1')));
  s_->window().resize(s_->window().width() + lineWidth, s_->window().height());
  QApplication::processEvents();
  QCOMPARE(memo_->horizontalScrollBar()->maximum(), 0);
}

QTEST_MAIN(MemoBindingTest)
#include "memo_binding_tests.moc"
