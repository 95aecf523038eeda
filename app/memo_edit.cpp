// The memo editor's text, cursor, edits, undo history and keys.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "app/latin1.h"
#include "app/memo_edit.h"

namespace wintarvel::view {

namespace {

const std::string kLineBreak = "\r\n";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// Text a key may type: Latin-1 without control characters (Ctrl+letter gives those).
bool isTypeable(const QString& text) {
  if (text.isEmpty()) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    const char16_t u = c.unicode();
    return u >= 0x20 && u <= 0xFF && !(u >= 0x7F && u < 0xA0);
  });
}

bool isLineSeparator(QChar c) {
  return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Text the core can store: Latin-1, the line separators of rich text becoming line breaks.
bool isStorable(const QString& text) {
  return std::all_of(text.begin(), text.end(),
                     [](QChar c) { return c.unicode() <= 0xFF || isLineSeparator(c); });
}

// Every kind of line break as the core's CR LF.
std::string withCoreLineBreaks(const QString& text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) continue;
    if (c == u'\r' || c == u'\n' || isLineSeparator(text[i])) {
      result += kLineBreak;
    } else {
      result += static_cast<char>(c);
    }
  }
  return result;
}

// Bytes `from` to `to` of the core's text with each CR LF as one '\n', as Qt shows line breaks.
QString withLfLineBreaks(const std::string& t, std::size_t from, std::size_t to) {
  QString result;
  result.reserve(static_cast<qsizetype>(to - from));
  for (std::size_t i = from; i < to; ++i) {
    if (t[i] == '\r' && i + 1 < to && t[i + 1] == '\n') continue;
    result += QLatin1Char(t[i]);
  }
  return result;
}

template <typename Step>
Step takeLast(std::vector<Step>& steps) {
  Step last = std::move(steps.back());
  steps.pop_back();
  return last;
}

}  // namespace

MemoEdit::MemoEdit(const Memo& source, EditFunction applyEdit, QWidget* parent)
    : QAbstractScrollArea(parent), source_(source), applyEdit_(std::move(applyEdit)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  updateMetrics();
  syncWithSource();
}

void MemoEdit::syncWithSource() {
  // During an edit of its own the editor updates its lines itself, once the source has it.
  if (applyingEdit_ || source_.textRevision() == shownTextRevision_) return;
  reloadFromSource();
}

void MemoEdit::reloadFromSource() {
  lines_.reindex(text());
  shownTextRevision_ = source_.textRevision();
  cursor_ = anchor_ = 0;
  preferredColumn_ = SIZE_MAX;
  undo_.clear();
  redo_.clear();
  mayJoinUndoStep_ = false;
  widest_ = lines_.widest(text());
  updateScrollBars();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  viewport()->update();
}

QString MemoEdit::toPlainText() const {
  return withLfLineBreaks(text(), 0, text().size());
}

QString MemoEdit::selectedText() const {
  const std::size_t from = std::min(selectionStart(), text().size());
  return withLfLineBreaks(text(), from, std::min(selectionEnd(), text().size()));
}

// A position on a character boundary: inside the text, and never between the CR and LF of one
// line break.
std::size_t MemoEdit::validPosition(std::size_t position) const {
  const std::string& t = text();
  position = std::min(position, t.size());
  if (position > 0 && position < t.size() && t[position] == '\n' && t[position - 1] == '\r') {
    --position;
  }
  return position;
}

std::size_t MemoEdit::column(std::size_t position) const {
  return position - lines_.start(lines_.lineOf(position));
}

void MemoEdit::setCursorPosition(std::size_t position, bool keepAnchor) {
  syncWithSource();
  moveCursor(validPosition(position), keepAnchor);
  preferredColumn_ = SIZE_MAX;
}

void MemoEdit::moveCursor(std::size_t position, bool keepAnchor) {
  cursor_ = position;
  if (!keepAnchor) anchor_ = position;
  mayJoinUndoStep_ = false;
  ensureCursorVisible();
  restartBlinking();
  viewport()->update();
  updateMicroFocus();  // an input method places its window by the caret
}

void MemoEdit::selectAll() {
  syncWithSource();
  anchor_ = 0;
  moveCursor(text().size(), true);
}

// --- Edits ---------------------------------------------------------------------------------

void MemoEdit::edit(std::size_t position, std::size_t length, const std::string& insert,
                    EditKind kind) {
  syncWithSource();
  position = std::min(position, text().size());
  length = std::min(length, text().size() - position);
  if (length == 0 && insert.empty()) return;
  const std::size_t cursorBefore = cursor_;
  const std::size_t anchorBefore = anchor_;
  std::string removed = text().substr(position, length);
  // Refused, or changed further by the program and so shown anew: nothing to undo here.
  if (replaceInSource(position, length, insert) != EditResult::Taken) return;
  recordUndo({position, std::move(removed), insert, cursorBefore, anchorBefore, kind});
  // A lone CR before the edit and a lone LF after it may now make one line break.
  moveCursor(validPosition(position + insert.size()), false);
  mayJoinUndoStep_ = true;
  preferredColumn_ = SIZE_MAX;
}

MemoEdit::EditResult MemoEdit::replaceInSource(std::size_t position, std::size_t length,
                                               const std::string& insert) {
  const std::uint64_t revisionBefore = source_.textRevision();
  const std::size_t expectedSize = text().size() - length + insert.size();
  applyingEdit_ = true;
  applyEdit_(position, length, insert);
  applyingEdit_ = false;
  const std::uint64_t revision = source_.textRevision();
  if (revision == revisionBefore) return EditResult::Refused;
  if (revision != revisionBefore + 1 || text().size() != expectedSize) {
    reloadFromSource();
    return EditResult::ShownAnew;
  }
  lines_.replace(position, length, insert);
  shownTextRevision_ = revision;
  widest_ = lines_.widest(text());
  updateScrollBars();
  viewport()->update();
  return EditResult::Taken;
}

void MemoEdit::recordUndo(UndoStep step) {
  redo_.clear();
  if (mayJoinUndoStep_ && !undo_.empty() && undo_.back().kind == step.kind) {
    UndoStep& last = undo_.back();
    if (step.kind == EditKind::Typing && step.removed.empty() &&
        last.position + last.inserted.size() == step.position) {
      last.inserted += step.inserted;
      return;
    }
    if (step.kind == EditKind::Backspace && step.position + step.removed.size() == last.position) {
      last.removed.insert(0, step.removed);
      last.position = step.position;
      return;
    }
    if (step.kind == EditKind::ForwardDelete && step.position == last.position) {
      last.removed += step.removed;
      return;
    }
  }
  undo_.push_back(std::move(step));
}

void MemoEdit::undo() {
  replayLast(undo_, redo_, true);
}

void MemoEdit::redo() {
  replayLast(redo_, undo_, false);
}

// Applies the last step of `from` (`backwards`: undoes it) and moves it over to `to`. The step is
// taken out of its history before it is applied: a source that changes the text further empties
// the history while taking it, and a deleted text is never copied again.
void MemoEdit::replayLast(std::vector<UndoStep>& from, std::vector<UndoStep>& to, bool backwards) {
  syncWithSource();
  if (from.empty()) return;
  UndoStep step = takeLast(from);
  const std::size_t replaced = backwards ? step.inserted.size() : step.removed.size();
  const EditResult result =
      replaceInSource(step.position, replaced, backwards ? step.removed : step.inserted);
  if (result == EditResult::Refused) from.push_back(std::move(step));
  if (result != EditResult::Taken) return;
  if (backwards) {
    anchor_ = validPosition(step.anchorBefore);
    moveCursor(validPosition(step.cursorBefore), true);
  } else {
    moveCursor(validPosition(step.position + step.inserted.size()), false);
  }
  to.push_back(std::move(step));
}

void MemoEdit::replaceSelection(const std::string& insert, EditKind kind) {
  syncWithSource();
  edit(selectionStart(), selectionEnd() - selectionStart(), insert, kind);
}

void MemoEdit::insertText(const QString& typed) {
  if (!isStorable(typed)) {
    QApplication::beep();
    return;
  }
  replaceSelection(withCoreLineBreaks(typed), EditKind::Other);
}

void MemoEdit::deleteSelection() {
  replaceSelection({}, EditKind::Other);
}

void MemoEdit::deleteBackward(bool wholeWord) {
  if (hasSelection()) return deleteSelection();
  const std::size_t from = wholeWord ? previousWord(cursor_) : target(Move::PreviousChar);
  edit(from, cursor_ - from, {}, wholeWord ? EditKind::Other : EditKind::Backspace);
}

void MemoEdit::deleteForward(bool wholeWord) {
  if (hasSelection()) return deleteSelection();
  const std::size_t to = wholeWord ? nextWord(cursor_) : target(Move::NextChar);
  edit(cursor_, to - cursor_, {}, wholeWord ? EditKind::Other : EditKind::ForwardDelete);
}

void MemoEdit::cut() {
  if (!hasSelection()) return;
  copy();
  deleteSelection();
}

void MemoEdit::copy() const {
  if (hasSelection()) QGuiApplication::clipboard()->setText(selectedText());
}

void MemoEdit::paste() {
  const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
  if (clip != nullptr && clip->hasText()) insertText(clip->text());
}

// --- Cursor movement -----------------------------------------------------------------------

std::size_t MemoEdit::nextWord(std::size_t position) const {
  const std::string& t = text();
  const std::size_t line = lines_.lineOf(position);
  const std::size_t end = lines_.end(line, t);
  if (position >= end) return target(Move::NextChar);
  while (position < end && !isBlank(t[position])) ++position;
  while (position < end && isBlank(t[position])) ++position;
  return position;
}

std::size_t MemoEdit::previousWord(std::size_t position) const {
  const std::string& t = text();
  const std::size_t start = lines_.start(lines_.lineOf(position));
  if (position <= start) return target(Move::PreviousChar);
  while (position > start && isBlank(t[position - 1])) --position;
  while (position > start && !isBlank(t[position - 1])) --position;
  return position;
}

// Where a move from the cursor ends.
std::size_t MemoEdit::target(Move move) const {
  const std::string& t = text();
  const std::size_t line = lines_.lineOf(cursor_);
  const std::size_t last = lines_.count() - 1;
  const auto onLine = [&](std::size_t other) {
    const std::size_t wanted = preferredColumn_ != SIZE_MAX ? preferredColumn_ : column(cursor_);
    return lines_.start(other) + std::min(wanted, lines_.length(other, t));
  };
  const auto rows = static_cast<std::size_t>(visibleRows());
  switch (move) {
    case Move::NextChar:
      if (cursor_ < lines_.end(line, t)) return cursor_ + 1;
      return line < last ? lines_.start(line + 1) : cursor_;
    case Move::PreviousChar:
      if (cursor_ > lines_.start(line)) return cursor_ - 1;
      return line > 0 ? lines_.end(line - 1, t) : cursor_;
    case Move::NextWord:
      return nextWord(cursor_);
    case Move::PreviousWord:
      return previousWord(cursor_);
    case Move::StartOfLine:
      return lines_.start(line);
    case Move::EndOfLine:
      return lines_.end(line, t);
    case Move::NextLine:
      return line < last ? onLine(line + 1) : cursor_;
    case Move::PreviousLine:
      return line > 0 ? onLine(line - 1) : cursor_;
    case Move::NextPage:
      return onLine(std::min(last, line + rows));
    case Move::PreviousPage:
      return onLine(line > rows ? line - rows : 0);
    case Move::StartOfText:
      return 0;
    case Move::EndOfText:
      return t.size();
  }
  return cursor_;
}

// --- Keys ----------------------------------------------------------------------------------

namespace {

struct MoveKey {
  QKeySequence::StandardKey move;
  QKeySequence::StandardKey select;
  int step;  // a MemoEdit::Move
};

constexpr QKeySequence::StandardKey kEditingKeys[] = {QKeySequence::Undo,
                                                      QKeySequence::Redo,
                                                      QKeySequence::Cut,
                                                      QKeySequence::Copy,
                                                      QKeySequence::Paste,
                                                      QKeySequence::SelectAll,
                                                      QKeySequence::Delete,
                                                      QKeySequence::Backspace,
                                                      QKeySequence::DeleteEndOfWord,
                                                      QKeySequence::DeleteStartOfWord,
                                                      QKeySequence::InsertParagraphSeparator,
                                                      QKeySequence::InsertLineSeparator};

}  // namespace

bool MemoEdit::handleMoveKey(QKeyEvent* event) {
  static const MoveKey kMoveKeys[] = {
      {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, int(Move::NextChar)},
      {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, int(Move::PreviousChar)},
      {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, int(Move::NextWord)},
      {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, int(Move::PreviousWord)},
      {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, int(Move::StartOfLine)},
      {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, int(Move::EndOfLine)},
      {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, int(Move::NextLine)},
      {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, int(Move::PreviousLine)},
      {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, int(Move::NextPage)},
      {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, int(Move::PreviousPage)},
      {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument,
       int(Move::StartOfText)},
      {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, int(Move::EndOfText)},
  };
  for (const MoveKey& key : kMoveKeys) {
    const bool select = event->matches(key.select);
    if (!select && !event->matches(key.move)) continue;
    const auto move = static_cast<Move>(key.step);
    const bool vertical = move == Move::NextLine || move == Move::PreviousLine ||
                          move == Move::NextPage || move == Move::PreviousPage;
    std::size_t to = target(move);
    // Without Shift, Left and Right first collapse a selection to its edge.
    if (!select && hasSelection() && move == Move::NextChar) to = selectionEnd();
    if (!select && hasSelection() && move == Move::PreviousChar) to = selectionStart();
    if (vertical && preferredColumn_ == SIZE_MAX) preferredColumn_ = column(cursor_);
    const std::size_t keptColumn = preferredColumn_;
    if (move == Move::NextPage || move == Move::PreviousPage) scrollAlong(to);
    moveCursor(to, select);
    preferredColumn_ = vertical ? keptColumn : SIZE_MAX;
    return true;
  }
  return false;
}

bool MemoEdit::handleEditingKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) {
    undo();
  } else if (event->matches(QKeySequence::Redo)) {
    redo();
  } else if (event->matches(QKeySequence::Cut)) {
    cut();
  } else if (event->matches(QKeySequence::Copy)) {
    copy();
  } else if (event->matches(QKeySequence::Paste)) {
    paste();
  } else if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
  } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
    deleteBackward(true);
  } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
    deleteForward(true);
  } else if (event->matches(QKeySequence::Delete)) {
    deleteForward(false);
  } else if (event->matches(QKeySequence::Backspace) || event->key() == Qt::Key_Backspace) {
    deleteBackward(false);
  } else if (event->matches(QKeySequence::InsertParagraphSeparator) ||
             event->matches(QKeySequence::InsertLineSeparator)) {
    replaceSelection(kLineBreak, EditKind::Other);  // Shift+Enter breaks the line like Enter
  } else {
    return false;
  }
  return true;
}

// Keys the editor takes before a shortcut of the window can: its editing keys and typing.
bool MemoEdit::isEditingKey(QKeyEvent* event) {
  for (QKeySequence::StandardKey key : kEditingKeys) {
    if (event->matches(key)) return true;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::ShiftModifier;
  return (modifiers == Qt::NoModifier || modifiers == Qt::KeypadModifier) &&
         isTypeable(event->text());
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
  syncWithSource();
  if (handleEditingKey(event) || handleMoveKey(event)) {
    event->accept();
    return;
  }
  const QString typed = event->text();
  if (isTypeable(typed)) {
    replaceSelection(toCore(typed), EditKind::Typing);
    event->accept();
    return;
  }
  // Characters the core cannot store are swallowed; anything else (Escape, F1, ...) goes on.
  if (!typed.isEmpty() && typed.front().isPrint()) {
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

bool MemoEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (isEditingKey(key)) {
      key->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString committed = event->commitString();
  if (!committed.isEmpty()) {
    if (isTypeable(committed)) {
      replaceSelection(toCore(committed), EditKind::Typing);
    } else {
      QApplication::beep();
    }
  }
  event->accept();
}

}  // namespace wintarvel::view
