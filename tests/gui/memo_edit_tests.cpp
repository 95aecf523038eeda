// The memo editor on its own, over a core memo it edits in place: its line index, the keys and
// the mouse of a text editor, the clipboard, the undo history, and a source that changes or
// refuses an edit.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QInputMethod>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "allocation_watch.h"
#include "app/memo_edit.h"
#include "app/memo_lines.h"

using namespace wintarvel;
using view::MemoEdit;

namespace {

// The lines of `text` as a fresh index sees them.
std::vector<std::pair<std::size_t, std::size_t>> linesOf(const view::MemoLines& lines,
                                                         const std::string& text) {
  std::vector<std::pair<std::size_t, std::size_t>> result;
  for (std::size_t i = 0; i < lines.count(); ++i) {
    result.emplace_back(lines.start(i), lines.end(i, text));
  }
  return result;
}

}  // namespace

class MemoEditTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    memo_ = std::make_unique<Memo>();
    // What the source does with an edit; the core's memo takes it as it is unless a test says.
    applyEdit_ = [this](std::size_t position, std::size_t length, const std::string& insert) {
      memo_->replace(position, length, insert);
    };
    editor_ = std::make_unique<MemoEdit>(
        *memo_, [this](std::size_t position, std::size_t length, const std::string& insert) {
          applyEdit_(position, length, insert);
        });
    editor_->resize(320, 200);
  }
  void cleanup() {
    editor_.reset();
    memo_.reset();
  }

  void theLineIndexFollowsEveryEditAsAFreshIndexWould() {
    std::mt19937 random(7);
    const std::string pieces[] = {"", "a", "bc", "\r\n", "\n", "\r", "x\r\ny", "\r\n\r\n", "zz\n"};
    std::string text = "first\r\nsecond\nthird";
    view::MemoLines lines;
    lines.reindex(text);
    for (int i = 0; i < 3000; ++i) {
      const std::size_t position = random() % (text.size() + 1);
      const std::size_t length = random() % 4 == 0 ? 0 : random() % (text.size() - position + 1);
      const std::string& insert = pieces[random() % std::size(pieces)];
      const std::size_t removed = std::min(length, text.size() - position);
      text.replace(position, removed, insert);
      lines.replace(position, removed, insert);
      view::MemoLines fresh;
      fresh.reindex(text);
      QCOMPARE(linesOf(lines, text), linesOf(fresh, text));
      if (text.size() > 300) text.erase(0, 200), lines.reindex(text);
    }
    lines.reindex("ab\r\n\r\ncd\r\n");
    QCOMPARE(lines.count(), std::size_t{4});  // the final line break opens an empty line
    QCOMPARE(lines.length(0, "ab\r\n\r\ncd\r\n"), std::size_t{2});
    QCOMPARE(lines.length(1, "ab\r\n\r\ncd\r\n"), std::size_t{0});
    QCOMPARE(lines.widest("ab\r\n\r\ncd\r\n"), std::size_t{2});
  }

  void theCursorKeysMoveAsInATextEditor() {
    load("abc def\r\nxy\r\nlonger line");
    key(Qt::Key_Right);
    QCOMPARE(editor_->cursorPosition(), std::size_t{1});
    key(Qt::Key_End);
    QCOMPARE(editor_->cursorPosition(), std::size_t{7});
    key(Qt::Key_Right);  // over the line break, never between its CR and LF
    QCOMPARE(editor_->cursorPosition(), std::size_t{9});
    key(Qt::Key_Left);
    QCOMPARE(editor_->cursorPosition(), std::size_t{7});
    // Up and down keep the column through a shorter line.
    key(Qt::Key_Down);
    QCOMPARE(editor_->cursorPosition(), std::size_t{11});
    key(Qt::Key_Down);
    QCOMPARE(editor_->cursorPosition(), std::size_t{13 + 7});
    key(Qt::Key_Down);  // the last line: nowhere to go
    QCOMPARE(editor_->cursorPosition(), std::size_t{20});
    key(Qt::Key_Home);
    QCOMPARE(editor_->cursorPosition(), std::size_t{13});
    key(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(editor_->cursorPosition(), std::size_t{13 + 7});  // the start of "line"
    key(Qt::Key_Left, Qt::ControlModifier);
    key(Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(editor_->cursorPosition(), std::size_t{11});  // the end of the line before
    key(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(editor_->cursorPosition(), memo_->text().size());
    key(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(editor_->cursorPosition(), std::size_t{0});
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    QCOMPARE(editor_->cursorPosition(), std::size_t{0});
    // Moving never changed the text, and a position inside a line break is moved before it.
    QCOMPARE(memo_->text(), std::string("abc def\r\nxy\r\nlonger line"));
    editor_->setCursorPosition(8);
    QCOMPARE(editor_->cursorPosition(), std::size_t{7});
  }

  void shiftSelectsAndWhatIsTypedReplacesTheSelection() {
    load("abc\r\ndef");
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(editor_->selectedText(), QStringLiteral("ab"));
    QTest::keyClicks(editor_.get(), QStringLiteral("Z"));
    QCOMPARE(memo_->text(), std::string("Zc\r\ndef"));
    // A selection across the line break reads with '\n' and goes with one key.
    key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(editor_->selectedText(), QStringLiteral("c\nd"));
    key(Qt::Key_Right);  // collapses the selection to its end
    QVERIFY(!editor_->hasSelection());
    QCOMPARE(editor_->cursorPosition(), std::size_t{5});
    key(Qt::Key_Left, Qt::ShiftModifier);
    key(Qt::Key_Left, Qt::ShiftModifier);
    key(Qt::Key_Left, Qt::ShiftModifier);
    key(Qt::Key_Delete);
    QCOMPARE(memo_->text(), std::string("Zef"));
    key(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(editor_->selectedText(), QStringLiteral("Zef"));
    key(Qt::Key_Backspace);
    QCOMPARE(memo_->text(), std::string());
  }

  void deletingJoinsLinesAndTheHistoryUndoesRunsOfTyping() {
    load("");
    QTest::keyClicks(editor_.get(), QStringLiteral("abc"));
    key(Qt::Key_Return);
    QTest::keyClicks(editor_.get(), QStringLiteral("de"));
    QCOMPARE(memo_->text(), std::string("abc\r\nde"));
    for (int i = 0; i < 3; ++i) key(Qt::Key_Backspace);
    QCOMPARE(memo_->text(), std::string("abc"));
    key(Qt::Key_Z, Qt::ControlModifier);  // the three backspaces are one step
    QCOMPARE(memo_->text(), std::string("abc\r\nde"));
    QCOMPARE(editor_->cursorPosition(), std::size_t{7});
    editor_->undo();  // "de"
    QCOMPARE(memo_->text(), std::string("abc\r\n"));
    editor_->undo();  // the line break
    editor_->undo();  // "abc"
    QCOMPARE(memo_->text(), std::string());
    QVERIFY(!editor_->isUndoAvailable());
    editor_->redo();
    editor_->redo();
    QCOMPARE(memo_->text(), std::string("abc\r\n"));
    // A new edit forgets what could have been redone.
    QTest::keyClicks(editor_.get(), QStringLiteral("x"));
    QVERIFY(!editor_->isRedoAvailable());
    QCOMPARE(memo_->text(), std::string("abc\r\nx"));
    // Delete at a line's end joins the next line; a run of deletes undoes as one.
    load("ab\r\ncd");
    key(Qt::Key_End);
    key(Qt::Key_Delete);
    key(Qt::Key_Delete);
    QCOMPARE(memo_->text(), std::string("abd"));
    editor_->undo();
    QCOMPARE(memo_->text(), std::string("ab\r\ncd"));
  }

  void anEditThatJoinsALoneCrToALfLeavesTheCursorBeforeTheLineBreak() {
    load("a\rX\nb");
    editor_->setCursorPosition(3);
    key(Qt::Key_Backspace);  // the CR and the LF now make one line break
    QCOMPARE(memo_->text(), std::string("a\r\nb"));
    QCOMPARE(editor_->cursorPosition(), std::size_t{1});
    QTest::keyClicks(editor_.get(), QStringLiteral("Z"));
    QCOMPARE(memo_->text(), std::string("aZ\r\nb"));
    editor_->undo();
    editor_->undo();
    QCOMPARE(memo_->text(), std::string("a\rX\nb"));
    editor_->redo();
    QCOMPARE(memo_->text(), std::string("a\r\nb"));
    QCOMPARE(editor_->cursorPosition(), std::size_t{1});
  }

  void theClipboardCarriesLinesInEveryLineBreakStyle() {
    load("ab\r\ncd");
    editor_->setCursorPosition(1);
    editor_->setCursorPosition(5, true);
    key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b\nc"));
    QGuiApplication::clipboard()->setText(QStringLiteral("1\r\n2\r3\n4"));
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo_->text(), std::string("a1\r\n2\r\n3\r\n4d"));
    // Text the core cannot store is refused whole.
    QGuiApplication::clipboard()->setText(QStringLiteral("5 \u20ac"));
    editor_->paste();
    QCOMPARE(memo_->text(), std::string("a1\r\n2\r\n3\r\n4d"));
    editor_->selectAll();
    editor_->cut();
    QCOMPARE(memo_->text(), std::string());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a1\n2\n3\n4d"));
    // Paragraph and line separators, as rich text gives them, break lines too.
    QGuiApplication::clipboard()->setText(QStringLiteral("5\u20296\u20287"));
    editor_->paste();
    QCOMPARE(memo_->text(), std::string("5\r\n6\r\n7"));
  }

  void onlyCharactersTheCoreCanStoreAreTyped() {
    load("");
    QTest::keyClicks(editor_.get(), QStringLiteral("1"));
    QKeyEvent eAcute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9"));
    QApplication::sendEvent(editor_.get(), &eAcute);
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u20ac"));
    QApplication::sendEvent(editor_.get(), &euro);
    QKeyEvent controlB(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier, QStringLiteral("\x02"));
    QApplication::sendEvent(editor_.get(), &controlB);
    QCOMPARE(memo_->text(), std::string("1\xe9"));
  }

  void theMousePlacesTheCursorDragsASelectionAndPicksWords() {
    load("12 345 6\r\nab cd");
    show();
    QTest::mouseClick(editor_->viewport(), Qt::LeftButton, {}, at(1, 2));
    QCOMPARE(editor_->cursorPosition(), std::size_t{10 + 2});
    QTest::mouseClick(editor_->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(0, 3));
    QCOMPARE(editor_->selectedText(), QStringLiteral("345 6\nab"));
    QTest::mousePress(editor_->viewport(), Qt::LeftButton, {}, at(0, 0));
    QTest::mouseMove(editor_->viewport(), at(0, 2));
    QMouseEvent move(QEvent::MouseMove, at(0, 2), editor_->viewport()->mapToGlobal(at(0, 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor_->viewport(), &move);
    QTest::mouseRelease(editor_->viewport(), Qt::LeftButton, {}, at(0, 2));
    QCOMPARE(editor_->selectedText(), QStringLiteral("12"));
    QTest::mouseDClick(editor_->viewport(), Qt::LeftButton, {}, at(0, 4));
    QCOMPARE(editor_->selectedText(), QStringLiteral("345"));
    // Past the end of a line or of the text: the nearest position.
    QTest::mouseClick(editor_->viewport(), Qt::LeftButton, {}, at(1, 40));
    QCOMPARE(editor_->cursorPosition(), memo_->text().size());
    QTest::mouseClick(editor_->viewport(), Qt::LeftButton, {}, at(9, 1));
    QCOMPARE(editor_->cursorPosition(), std::size_t{11});
  }

  void aDragBeyondTheViewStopsScrollingWhenTheEditorLosesTheFocus() {
    std::string text;
    for (int i = 0; i < 500; ++i) text += std::to_string(i) + "\r\n";
    load(text);
    show();
    editor_->activateWindow();
    editor_->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(editor_.get()));
    const QPoint below(10, editor_->viewport()->height() + 30);
    QTest::mousePress(editor_->viewport(), Qt::LeftButton, {}, at(0, 0));
    QMouseEvent move(QEvent::MouseMove, below, editor_->viewport()->mapToGlobal(below),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor_->viewport(), &move);
    QTRY_VERIFY(editor_->verticalScrollBar()->value() > 0);  // scrolls on while held there
    // Another window takes the mouse and the focus: the button's release never comes here.
    editor_->clearFocus();
    const std::size_t cursor = editor_->cursorPosition();
    QTest::qWait(200);
    QCOMPARE(editor_->cursorPosition(), cursor);
  }

  void anInputMethodIsToldWhereTheCaretIs() {
    load("ab\r\ncd");
    show();
    editor_->activateWindow();
    editor_->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(editor_.get()));
    QSignalSpy moved(QGuiApplication::inputMethod(), &QInputMethod::cursorRectangleChanged);
    key(Qt::Key_Down);
    QVERIFY(!moved.isEmpty());
    // The rectangle is in the editor's coordinates, where the caret is drawn.
    QInputMethodQueryEvent query(Qt::ImCursorRectangle);
    QApplication::sendEvent(editor_.get(), &query);
    const QRect caret = query.value(Qt::ImCursorRectangle).toRect();
    const QImage image = editor_->grab().toImage();
    const QColor text = editor_->palette().color(QPalette::Active, QPalette::Text);
    QCOMPARE(image.pixelColor(caret.center()), text);
    QCOMPARE(caret.center().y() / caret.height(), 1);  // on the second line
  }

  void aTextChangedBehindTheEditorIsShownAnew() {
    load("one\r\ntwo\r\nthree");
    QTest::keyClick(editor_.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor_.get(), QStringLiteral("!"));
    // The program shortens the text without telling the editor: drawing and keys must not read
    // past the new end, and start again from the new text.
    memo_->setText("1");
    editor_->grab();
    QCOMPARE(editor_->cursorPosition(), std::size_t{0});
    QVERIFY(!editor_->isUndoAvailable());
    QTest::keyClicks(editor_.get(), QStringLiteral("x"));
    QCOMPARE(memo_->text(), std::string("x1"));

    // A source that changes what it was given: the editor shows the source's text.
    applyEdit_ = [this](std::size_t position, std::size_t length, const std::string& insert) {
      memo_->replace(position, length, insert + insert);
    };
    QTest::keyClicks(editor_.get(), QStringLiteral("y"));
    QCOMPARE(memo_->text(), std::string("xyy1"));
    QCOMPARE(editor_->toPlainText(), QStringLiteral("xyy1"));
    QVERIFY(!editor_->isUndoAvailable());
    // A source that refuses: nothing changes, and there is nothing to undo.
    applyEdit_ = [](std::size_t, std::size_t, const std::string&) {};
    QTest::keyClicks(editor_.get(), QStringLiteral("z"));
    QCOMPARE(memo_->text(), std::string("xyy1"));
    QVERIFY(!editor_->isUndoAvailable());
  }

  void theViewScrollsToTheCursorAndTheScrollBarsSpanTheText() {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += std::to_string(i) + "\r\n";
    text += std::string(200, 'w');
    load(text);
    show();
    QScrollBar* vertical = editor_->verticalScrollBar();
    QScrollBar* horizontal = editor_->horizontalScrollBar();
    QCOMPARE(vertical->maximum(), 1001 - vertical->pageStep());
    QVERIFY(horizontal->maximum() > 0);
    key(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(vertical->value(), vertical->maximum());
    QCOMPARE(horizontal->value(), horizontal->maximum());
    key(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(vertical->value(), 0);
    QCOMPARE(horizontal->value(), 0);
    key(Qt::Key_PageDown);
    const std::string pageDown = std::to_string(vertical->pageStep()) + "\r\n";
    QCOMPARE(memo_->text().substr(editor_->cursorPosition(), pageDown.size()), pageDown);
    // The view turns a whole page with the cursor, which keeps its row on the screen.
    QCOMPARE(vertical->value(), vertical->pageStep());
    key(Qt::Key_Down);
    key(Qt::Key_PageUp);
    QCOMPARE(vertical->value(), 0);
    QCOMPARE(editor_->cursorPosition(), std::size_t{3});  // the start of the second line
    // Selected text is drawn in the highlight colour, and only then.
    editor_->setFocus();
    const QColor highlight = editor_->palette().color(
        editor_->isActiveWindow() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
    QVERIFY(!showsColour(highlight));
    editor_->selectAll();
    QVERIFY(showsColour(highlight));
  }

  void theContextMenuOffersWhatCanBeDoneNow() {
    load("ab");
    QGuiApplication::clipboard()->clear();
    QCOMPARE(enabledMenuItems(), QStringList({QStringLiteral("Select All")}));
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    editor_->selectAll();
    QCOMPARE(enabledMenuItems(),
             QStringList({QStringLiteral("Cu&t"), QStringLiteral("&Copy"), QStringLiteral("&Paste"),
                          QStringLiteral("Delete"), QStringLiteral("Select All")}));
    editor_->paste();
    editor_->undo();
    QCOMPARE(enabledMenuItems(),
             QStringList({QStringLiteral("&Redo"), QStringLiteral("Cu&t"), QStringLiteral("&Copy"),
                          QStringLiteral("&Paste"), QStringLiteral("Delete"),
                          QStringLiteral("Select All")}));
  }

  void everyByteKeepsItsColumnOnTheScreen() {
    show();
    // A soft hyphen would take no room if drawn as it is, moving what follows it off its column.
    load(
        "\xad"
        "X\tY");
    const QImage softHyphen = editor_->viewport()->grab().toImage();
    load("-X Y");
    QCOMPARE(editor_->viewport()->grab().toImage(), softHyphen);
  }

  void deletingAndRestoringALargeTextKeepsOneCopyOfIt() {
    std::string text;
    for (int i = 0; i < 20000; ++i)
      text += "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20\r\n";
    load(text);
    editor_->selectAll();
    testing::allocations::watch(text.size());
    key(Qt::Key_Delete);
    editor_->undo();
    editor_->redo();
    editor_->undo();
    testing::allocations::stop();
    QVERIFY(memo_->text() == text);
    // The history's copy of the deleted text, and nothing more.
    QCOMPARE(testing::allocations::counted.load(), 1);
  }

 private:
  void load(const std::string& text) {
    memo_->setText(text);
    editor_->syncWithSource();
  }
  void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(editor_.get(), k, modifiers);
  }
  void show() {
    editor_->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
  }
  // The middle of a character cell on the screen (4 pixels of margin around the text).
  QPoint at(int line, int column) const {
    const QFontMetricsF metrics(editor_->font());
    const qreal x = 4 + (column + 0.4) * metrics.horizontalAdvance(QLatin1Char('0'));
    const qreal y = 4 + (line + 0.5) * std::ceil(metrics.height());
    return QPointF(x, y).toPoint();
  }
  // The captions of the context menu's items that can be chosen.
  QStringList enabledMenuItems() {
    QStringList enabled;
    QTimer::singleShot(0, editor_.get(), [&] {
      auto* menu = editor_->findChild<QMenu*>();
      if (menu == nullptr) return;
      for (QAction* item : menu->actions()) {
        if (!item->isSeparator() && item->isEnabled()) enabled << item->text();
      }
      menu->close();
    });
    const QPoint point(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                            editor_->viewport()->mapToGlobal(point));
    QApplication::sendEvent(editor_->viewport(), &event);
    return enabled;
  }
  bool showsColour(const QColor& colour) {
    const QImage image = editor_->viewport()->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == colour) return true;
      }
    }
    return false;
  }

  std::unique_ptr<Memo> memo_;
  std::function<void(std::size_t, std::size_t, const std::string&)> applyEdit_;
  std::unique_ptr<MemoEdit> editor_;
};

QTEST_MAIN(MemoEditTest)
#include "memo_edit_tests.moc"
