// The memo editor on the screen: drawing the visible lines, the scroll bars, the caret, the
// mouse and the context menu. Only the lines in view are ever turned into screen text.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

#include "app/memo_edit.h"

namespace wintarvel::view {

namespace {

// Space between the frame and the text, as a text editor leaves it.
constexpr int kMargin = 4;
constexpr int kAutoScrollMilliseconds = 50;
constexpr unsigned char kSoftHyphen = 0xAD;

// Characters of a line as drawn: control characters (a tab, a stray CR) show as a blank and a
// soft hyphen, which text drawing would leave out, as a hyphen, so that every character keeps its
// one column.
QString screenText(const std::string& text, std::size_t from, std::size_t to) {
  QString result(static_cast<qsizetype>(to - from), Qt::Uninitialized);
  QChar* out = result.data();
  for (std::size_t i = from; i < to; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
      *out++ = QLatin1Char(' ');
    } else {
      *out++ = c == kSoftHyphen ? QLatin1Char('-') : QLatin1Char(c);
    }
  }
  return result;
}

int clampToInt(std::size_t n) {
  return static_cast<int>(std::min<std::size_t>(n, INT_MAX));
}

}  // namespace

void MemoEdit::updateMetrics() {
  const QFontMetricsF metrics(font());
  charWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('0')));
  lineHeight_ = std::max(1, static_cast<int>(std::ceil(metrics.height())));
  ascent_ = static_cast<int>(std::ceil(metrics.ascent()));
  updateScrollBars();
  viewport()->update();
}

int MemoEdit::visibleRows() const {
  return std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight_);
}

void MemoEdit::updateScrollBars() {
  const int rows = visibleRows();
  verticalScrollBar()->setRange(0, std::max(0, clampToInt(lines_.count()) - rows));
  verticalScrollBar()->setPageStep(rows);
  verticalScrollBar()->setSingleStep(1);
  const int caretWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  const int contentWidth = static_cast<int>(std::ceil(static_cast<qreal>(widest_) * charWidth_)) +
                           2 * kMargin + caretWidth;
  const int width = viewport()->width();
  horizontalScrollBar()->setRange(0, std::max(0, contentWidth - width));
  horizontalScrollBar()->setPageStep(width);
  horizontalScrollBar()->setSingleStep(static_cast<int>(std::ceil(charWidth_)));
}

void MemoEdit::ensureCursorVisible() {
  const std::size_t line = lines_.lineOf(cursor_);
  QScrollBar* vertical = verticalScrollBar();
  const auto first = static_cast<std::size_t>(vertical->value());
  const auto rows = static_cast<std::size_t>(visibleRows());
  if (line < first) {
    vertical->setValue(clampToInt(line));
  } else if (line >= first + rows) {
    vertical->setValue(clampToInt(line - rows + 1));
  }
  QScrollBar* horizontal = horizontalScrollBar();
  const qreal x = static_cast<qreal>(column(cursor_)) * charWidth_;
  const int room = std::max(1, viewport()->width() - 2 * kMargin - static_cast<int>(charWidth_));
  if (x < horizontal->value()) {
    horizontal->setValue(static_cast<int>(std::floor(x)));
  } else if (x > horizontal->value() + room) {
    horizontal->setValue(static_cast<int>(std::ceil(x)) - room);
  }
}

// The view turns by as many lines as the cursor moves to `position`, so that the cursor keeps its
// row on the screen, as the page keys do it.
void MemoEdit::scrollAlong(std::size_t position) {
  QScrollBar* vertical = verticalScrollBar();
  const auto lines =
      static_cast<qint64>(lines_.lineOf(position)) - static_cast<qint64>(lines_.lineOf(cursor_));
  vertical->setValue(static_cast<int>(std::clamp<qint64>(vertical->value() + lines, 0, INT_MAX)));
}

void MemoEdit::paintEvent(QPaintEvent*) {
  syncWithSource();
  QPainter painter(viewport());
  const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                     : isActiveWindow() ? QPalette::Active
                                                        : QPalette::Inactive;
  const QPalette& colors = palette();
  painter.fillRect(viewport()->rect(), colors.brush(group, QPalette::Base));
  painter.setFont(font());

  const std::string& t = text();
  const auto firstLine = static_cast<std::size_t>(verticalScrollBar()->value());
  const int offset = horizontalScrollBar()->value();
  const auto firstColumn = static_cast<std::size_t>(offset / charWidth_);
  const qreal left = kMargin - (offset - static_cast<qreal>(firstColumn) * charWidth_);
  const auto columns = static_cast<std::size_t>(viewport()->width() / charWidth_) + 2;
  const auto columnX = [&](std::size_t col) {
    return left + (static_cast<qreal>(col) - static_cast<qreal>(firstColumn)) * charWidth_;
  };

  for (std::size_t line = firstLine; line < lines_.count(); ++line) {
    const int y = kMargin + static_cast<int>(line - firstLine) * lineHeight_;
    if (y >= viewport()->height()) break;
    const std::size_t start = std::min(lines_.start(line), t.size());
    const std::size_t end = lines_.end(line, t);
    const std::size_t from = std::min(end, start + firstColumn);
    const QString shown = screenText(t, from, std::min(end, from + columns));
    painter.setPen(colors.color(group, QPalette::Text));
    painter.drawText(QPointF(left, y + ascent_), shown);

    // The selected part of the line, its line break as one more column when it is selected too.
    const std::size_t selectedFrom = std::max(selectionStart(), start);
    const std::size_t selectedTo = std::min(selectionEnd(), end);
    const bool breakSelected = selectionEnd() > end && selectionStart() <= end;
    if (!hasSelection() || (selectedFrom >= selectedTo && !breakSelected)) continue;
    const qreal x0 = columnX(std::min(selectedFrom, selectedTo) - start);
    const qreal x1 = columnX(selectedTo - start + (breakSelected ? 1 : 0));
    const QRectF band(x0, y, x1 - x0, lineHeight_);
    painter.fillRect(band, colors.brush(group, QPalette::Highlight));
    painter.save();
    painter.setClipRect(band);
    painter.setPen(colors.color(group, QPalette::HighlightedText));
    painter.drawText(QPointF(left, y + ascent_), shown);
    painter.restore();
  }

  if (caretShown_ && hasFocus()) {
    painter.fillRect(caretRect(), colors.brush(group, QPalette::Text));
  }
}

QRect MemoEdit::caretRect() const {
  const std::size_t line = lines_.lineOf(cursor_);
  const qreal x =
      kMargin + static_cast<qreal>(column(cursor_)) * charWidth_ - horizontalScrollBar()->value();
  const qreal y = kMargin + (static_cast<qreal>(line) - verticalScrollBar()->value()) * lineHeight_;
  const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  return QRect(static_cast<int>(std::round(x)), static_cast<int>(y), std::max(1, width),
               lineHeight_);
}

void MemoEdit::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void MemoEdit::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) updateMetrics();
}

void MemoEdit::scrollContentsBy(int, int) {
  viewport()->update();
  updateMicroFocus();
}

// --- Caret ---------------------------------------------------------------------------------

void MemoEdit::restartBlinking() {
  caretShown_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (hasFocus() && flash > 0) {
    blinkTimer_.start(flash / 2, this);
  } else {
    blinkTimer_.stop();
  }
}

void MemoEdit::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  restartBlinking();
  viewport()->update();
}

void MemoEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blinkTimer_.stop();
  // A drag ends with the focus too: the button's release may go to the window that took it.
  autoScrollTimer_.stop();
  viewport()->update();
}

void MemoEdit::timerEvent(QTimerEvent* event) {
  if (event->timerId() == blinkTimer_.timerId()) {
    caretShown_ = !caretShown_;
    viewport()->update(caretRect());
  } else if (event->timerId() == autoScrollTimer_.timerId()) {
    dragTo(lastDragPoint_);
  } else {
    QAbstractScrollArea::timerEvent(event);
  }
}

// --- Mouse ---------------------------------------------------------------------------------

// The text position nearest to a point of the viewport; points above or below the view give
// the lines beyond it, so that dragging there selects on.
std::size_t MemoEdit::positionAt(QPoint point) const {
  const std::string& t = text();
  const qreal row = std::floor(static_cast<qreal>(point.y() - kMargin) / lineHeight_);
  const qreal lineNumber = std::clamp<qreal>(verticalScrollBar()->value() + row, 0,
                                             static_cast<qreal>(lines_.count() - 1));
  const auto line = static_cast<std::size_t>(lineNumber);
  const qreal col = std::round((point.x() - kMargin + horizontalScrollBar()->value()) / charWidth_);
  const std::size_t length = lines_.length(line, t);
  return std::min(
      t.size(),
      lines_.start(line) + std::min(length, static_cast<std::size_t>(std::max<qreal>(0, col))));
}

void MemoEdit::mousePressEvent(QMouseEvent* event) {
  syncWithSource();
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  setCursorPosition(positionAt(event->position().toPoint()),
                    event->modifiers().testFlag(Qt::ShiftModifier));
  event->accept();
}

void MemoEdit::dragTo(QPoint point) {
  lastDragPoint_ = point;
  setCursorPosition(positionAt(point), true);
  if (viewport()->rect().contains(point)) {
    autoScrollTimer_.stop();
  } else if (!autoScrollTimer_.isActive()) {
    autoScrollTimer_.start(kAutoScrollMilliseconds, this);
  }
}

void MemoEdit::mouseMoveEvent(QMouseEvent* event) {
  syncWithSource();
  if (!event->buttons().testFlag(Qt::LeftButton)) return;
  dragTo(event->position().toPoint());
}

void MemoEdit::mouseReleaseEvent(QMouseEvent* event) {
  autoScrollTimer_.stop();
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void MemoEdit::selectWordAt(std::size_t position) {
  const std::string& t = text();
  const std::size_t line = lines_.lineOf(position);
  const std::size_t start = lines_.start(line);
  const std::size_t end = lines_.end(line, t);
  if (start == end) return setCursorPosition(position);
  const std::size_t at = std::min(position, end - 1);
  const bool blank = t[at] == ' ' || t[at] == '\t';
  const auto same = [&](std::size_t i) { return (t[i] == ' ' || t[i] == '\t') == blank; };
  std::size_t from = at;
  std::size_t to = at;
  while (from > start && same(from - 1)) --from;
  while (to < end && same(to)) ++to;
  setCursorPosition(from);
  setCursorPosition(to, true);
}

void MemoEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  syncWithSource();
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
  selectWordAt(positionAt(event->position().toPoint()));
  event->accept();
}

void MemoEdit::contextMenuEvent(QContextMenuEvent* event) {
  syncWithSource();
  QMenu menu(this);
  const auto add = [&](const QString& caption, QKeySequence::StandardKey key, bool enabled,
                       const std::function<void()>& action) {
    QAction* item = menu.addAction(caption, this, action);
    item->setShortcut(key);
    item->setEnabled(enabled);
  };
  const bool hasText = !text().empty();
  add(QStringLiteral("&Undo"), QKeySequence::Undo, isUndoAvailable(), [this] { undo(); });
  add(QStringLiteral("&Redo"), QKeySequence::Redo, isRedoAvailable(), [this] { redo(); });
  menu.addSeparator();
  add(QStringLiteral("Cu&t"), QKeySequence::Cut, hasSelection(), [this] { cut(); });
  add(QStringLiteral("&Copy"), QKeySequence::Copy, hasSelection(), [this] { copy(); });
  const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
  const bool canPaste = clip != nullptr && clip->hasText();
  add(QStringLiteral("&Paste"), QKeySequence::Paste, canPaste, [this] { paste(); });
  add(QStringLiteral("Delete"), QKeySequence::Delete, hasSelection(),
      [this] { deleteSelection(); });
  menu.addSeparator();
  add(QStringLiteral("Select All"), QKeySequence::SelectAll, hasText, [this] { selectAll(); });
  menu.exec(event->globalPos());
}

// --- Input methods -------------------------------------------------------------------------

QVariant MemoEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  const std::string& t = text();
  const std::size_t line = lines_.lineOf(std::min(cursor_, t.size()));
  switch (query) {
    case Qt::ImEnabled:
      return isEnabled();
    case Qt::ImCursorRectangle:  // in the editor's coordinates, the caret's in the viewport's
      return caretRect().translated(viewport()->pos());
    case Qt::ImFont:
      return font();
    case Qt::ImCursorPosition:
      return static_cast<int>(column(cursor_));
    case Qt::ImAnchorPosition:
      return lines_.lineOf(anchor_) == line ? static_cast<int>(column(anchor_))
                                            : static_cast<int>(column(cursor_));
    case Qt::ImSurroundingText:
      return screenText(t, std::min(lines_.start(line), t.size()), lines_.end(line, t));
    case Qt::ImCurrentSelection:
      return selectedText();
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

}  // namespace wintarvel::view
