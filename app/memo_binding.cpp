#include "app/memo_binding.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string_view>

#include "app/latin1.h"

namespace wintarvel::view {

namespace {

const QString kCoreLineBreak = QStringLiteral("\r\n");

// The widget's text from `from` to `to` with the core's line breaks; `exact` tells whether every
// character could be kept.
std::string coreText(QTextDocument* document, int from, int to, bool* exact = nullptr) {
  QTextCursor cursor(document);
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  QString text = cursor.selectedText();
  text.replace(QChar::ParagraphSeparator, kCoreLineBreak);
  if (exact != nullptr) *exact = isLatin1(text);
  return toCore(text);
}

// Part of the core's text as the widget takes it, each CR LF one line break. Converted in one
// pass: a replace of the line breaks afterwards costs a fifth of the whole load at 200,000 lines.
QString widgetText(std::string_view core) {
  QString text(static_cast<qsizetype>(core.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (std::size_t i = 0; i < core.size(); ++i) {
    if (core[i] == '\r' && i + 1 < core.size() && core[i + 1] == '\n') continue;
    *out++ = QLatin1Char(core[i]);
  }
  text.truncate(out - text.constData());
  return text;
}

// The core's text is handed to the widget in slices of whole lines of about this many bytes.
constexpr std::size_t kSliceBytes = 1 << 20;

// The end of the slice that starts at `from`: just after the first line break past a slice's
// length, so that no CR LF is cut in two.
std::size_t sliceEnd(const std::string& core, std::size_t from) {
  if (core.size() - from <= kSliceBytes) return core.size();
  const std::size_t lineBreak = core.find('\n', from + kSliceBytes);
  return lineBreak == std::string::npos ? core.size() : lineBreak + 1;
}

// Replaces the document's text by the core's, as setPlainText does (no undo history, cursor at
// the start), but a slice at a time: the whole converted text (32 MB at 198,000 records) never
// exists beside the document's own copy. It also skips setPlainText's second pass that gives
// every character the format it already has: the memo only ever holds plain text.
void loadText(QPlainTextEdit* widget, const std::string& core) {
  QTextDocument* document = widget->document();
  const bool undoWasEnabled = document->isUndoRedoEnabled();
  document->setUndoRedoEnabled(false);  // also forgets the history
  document->clear();
  QTextCursor cursor(document);
  cursor.beginEditBlock();
  for (std::size_t from = 0; from < core.size();) {
    const std::size_t to = sliceEnd(core, from);
    cursor.insertText(widgetText(std::string_view(core).substr(from, to - from)));
    from = to;
  }
  cursor.endEditBlock();
  document->setUndoRedoEnabled(undoWasEnabled);
  document->setModified(false);
  widget->setTextCursor(QTextCursor(document));
}

}  // namespace

void MemoEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::InsertLineSeparator)) {
    QKeyEvent plainReturn(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QPlainTextEdit::keyPressEvent(&plainReturn);
    return;
  }
  if (!isLatin1(event->text())) return;
  QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!isLatin1(event->commitString())) {
    event->ignore();
    return;
  }
  QPlainTextEdit::inputMethodEvent(event);
}

void MemoEdit::insertFromMimeData(const QMimeData* source) {
  const QString text = source->text();
  if (!isLatin1(text)) {
    QApplication::beep();
    return;
  }
  insertPlainText(text);
}

// Without line wrapping a new width changes no line, yet QPlainTextEdit lays out every block
// again when its width changes, and doing so gives each block a QTextLayout of its own: about
// 300 bytes per line, 57 MB at 198,000 records. The widget is told only the new height then;
// lines are still laid out when they are shown, and the scroll bars follow the new size.
void MemoEdit::resizeEvent(QResizeEvent* event) {
  if (lineWrapMode() != QPlainTextEdit::NoWrap) {
    QPlainTextEdit::resizeEvent(event);
    return;
  }
  QResizeEvent heightOnly(event->size(), QSize(event->size().width(), event->oldSize().height()));
  QPlainTextEdit::resizeEvent(&heightOnly);
}

MemoBinding::MemoBinding(Binder& binder, Memo& control, MemoEdit* widget)
    : QObject(widget), binder_(binder), control_(control), widget_(widget) {
  binder_.watch(control_, [this] { push(); });
  connect(
      widget_->document(), &QTextDocument::contentsChange, this,
      [this](int position, int removed, int added) { onContentsChange(position, removed, added); });
}

void MemoBinding::push() {
  pushCommonState(widget_, control_);
  if (control_.revision() == mirroredRevision_) return;
  loadText(widget_, control_.text());
  mirroredRevision_ = control_.revision();
}

// Byte offset in the core of a character position in the widget: every block before the
// position ended in one paragraph mark, which is two bytes (CR LF) in the core.
std::size_t MemoBinding::byteOffset(int position) const {
  const int breaksBefore = widget_->document()->findBlock(position).blockNumber();
  return static_cast<std::size_t>(position) + static_cast<std::size_t>(std::max(0, breaksBefore));
}

void MemoBinding::onContentsChange(int position, int removed, int added) {
  if (binder_.pushing()) return;
  QTextDocument* document = widget_->document();
  // The document may report its closing paragraph mark as removed and added again.
  const int length = document->characterCount() - 1;
  if (position + added > length) {
    const int overshoot = position + added - length;
    added -= overshoot;
    removed -= overshoot;
  }
  added = std::max(0, added);
  removed = std::max(0, removed);

  const std::string& old = control_.text();
  const std::size_t start = std::min(byteOffset(position), old.size());
  std::size_t end = start;
  for (int i = 0; i < removed && end < old.size(); ++i) {
    end += (old[end] == '\r' && end + 1 < old.size() && old[end + 1] == '\n') ? 2 : 1;
  }
  bool exact = true;
  const std::string inserted = coreText(document, position, position + added, &exact);
  binder_.run([&] {
    std::uint64_t expected = control_.revision() + 1;
    control_.replace(start, end - start, inserted);
    const auto expectedSize =
        static_cast<std::size_t>(length) + static_cast<std::size_t>(document->blockCount() - 1);
    if (control_.text().size() != expectedSize) {
      // The two texts went apart (a line break the widget cannot show as a block, say): take
      // the widget's text whole once, so that they are the same again.
      expected = control_.revision() + 1;
      control_.setText(coreText(document, 0, length));
    }
    // Only this edit changed the control: the widget already shows it.
    if (exact && control_.revision() == expected) mirroredRevision_ = expected;
  });
}

MemoEdit* boundMemo(Binder& binder, Memo& control, const char* name) {
  auto* w = new MemoEdit;
  w->setObjectName(name);
  w->setLineWrapMode(QPlainTextEdit::NoWrap);
  w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  w->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  new MemoBinding(binder, control, w);
  return w;
}

}  // namespace wintarvel::view
