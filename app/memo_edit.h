#pragma once
// The editor of the reorder records. It shows and edits the core's memo text where it lies: at
// 200,000 lines a second copy of the text (a text document holds three times its size) would
// double what the program needs. The editor keeps only where each line starts and its own undo
// history; every edit of the user reaches the core as one replacement of a byte range.
//
// One byte is one character (Latin-1) and the text is drawn in a fixed-pitch font, so a column
// is a byte and a fixed width on the screen. Lines are never wrapped.

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/memo_lines.h"
#include "model/controls.h"

namespace wintarvel::view {

class MemoEdit : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Replaces `length` bytes of the source's text at `position` by `insert`.
  using EditFunction =
      std::function<void(std::size_t position, std::size_t length, const std::string& insert)>;

  MemoEdit(const Memo& source, EditFunction applyEdit, QWidget* parent = nullptr);

  // Shows the source's text anew when it changed other than by this editor (the program set it):
  // cursor at the start, undo history emptied, as when a document is loaded.
  void syncWithSource();

  // The text with '\n' line breaks.
  QString toPlainText() const;
  std::size_t lineCount() const { return lines_.count(); }
  // Positions are byte offsets in the source's text.
  std::size_t cursorPosition() const { return cursor_; }
  void setCursorPosition(std::size_t position, bool keepAnchor = false);
  bool hasSelection() const { return cursor_ != anchor_; }
  QString selectedText() const;
  bool isUndoAvailable() const { return !undo_.empty(); }
  bool isRedoAvailable() const { return !redo_.empty(); }

  // Replaces the selection by `text`, whose line breaks may be LF, CR LF, CR or the line and
  // paragraph separators of rich text. Text holding another character outside Latin-1 is refused
  // with a beep: the core could not store it.
  void insertText(const QString& text);
  void selectAll();
  void undo();
  void redo();
  void cut();
  void copy() const;
  void paste();
  void deleteSelection();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  // How an edit may join the previous undo step: typing and deleting go back a run at a time.
  enum class EditKind { Typing, Backspace, ForwardDelete, Other };
  struct UndoStep {
    std::size_t position;
    std::string removed;
    std::string inserted;
    std::size_t cursorBefore;
    std::size_t anchorBefore;
    EditKind kind;
  };
  enum class Move {
    NextChar,
    PreviousChar,
    NextWord,
    PreviousWord,
    StartOfLine,
    EndOfLine,
    NextLine,
    PreviousLine,
    NextPage,
    PreviousPage,
    StartOfText,
    EndOfText
  };

  const std::string& text() const { return source_.text(); }
  void reloadFromSource();

  // Editing (memo_edit.cpp).
  void edit(std::size_t position, std::size_t length, const std::string& insert, EditKind kind);
  enum class EditResult {
    Taken,     // as it was asked
    Refused,   // nothing changed
    ShownAnew  // the source changed the text further: shown as it now is, history emptied
  };
  EditResult replaceInSource(std::size_t position, std::size_t length, const std::string& insert);
  void recordUndo(UndoStep step);
  void replayLast(std::vector<UndoStep>& from, std::vector<UndoStep>& to, bool backwards);
  void replaceSelection(const std::string& insert, EditKind kind);
  void deleteBackward(bool wholeWord);
  void deleteForward(bool wholeWord);
  bool handleEditingKey(QKeyEvent* event);
  bool handleMoveKey(QKeyEvent* event);
  static bool isEditingKey(QKeyEvent* event);
  std::size_t target(Move move) const;
  std::size_t nextWord(std::size_t position) const;
  std::size_t previousWord(std::size_t position) const;
  std::size_t validPosition(std::size_t position) const;
  std::size_t column(std::size_t position) const;
  std::size_t selectionStart() const { return std::min(cursor_, anchor_); }
  std::size_t selectionEnd() const { return std::max(cursor_, anchor_); }
  void moveCursor(std::size_t position, bool keepAnchor);

  // Display (memo_edit_display.cpp).
  void updateMetrics();
  void updateScrollBars();
  void ensureCursorVisible();
  void scrollAlong(std::size_t position);
  int visibleRows() const;
  std::size_t positionAt(QPoint point) const;
  QRect caretRect() const;
  void restartBlinking();
  void dragTo(QPoint point);
  void selectWordAt(std::size_t position);

  const Memo& source_;
  EditFunction applyEdit_;
  MemoLines lines_;
  std::uint64_t shownTextRevision_ = UINT64_MAX;
  bool applyingEdit_ = false;

  std::size_t cursor_ = 0;
  std::size_t anchor_ = 0;
  // The column kept while moving up and down through shorter lines; none after other moves.
  std::size_t preferredColumn_ = SIZE_MAX;
  std::vector<UndoStep> undo_;
  std::vector<UndoStep> redo_;
  bool mayJoinUndoStep_ = false;

  qreal charWidth_ = 8;
  int lineHeight_ = 16;
  int ascent_ = 12;
  std::size_t widest_ = 0;
  bool caretShown_ = true;
  QBasicTimer blinkTimer_;
  QBasicTimer autoScrollTimer_;
  QPoint lastDragPoint_;
};

}  // namespace wintarvel::view
