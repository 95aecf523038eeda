#include "app/memo_binding.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

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

// The core's text as the widget takes it, each CR LF one line break. Converted in one pass: a
// replace of the line breaks afterwards costs a fifth of the whole load at 200,000 lines.
QString widgetText(const std::string& core) {
  QString text(static_cast<qsizetype>(core.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (std::size_t i = 0; i < core.size(); ++i) {
    if (core[i] == '\r' && i + 1 < core.size() && core[i + 1] == '\n') continue;
    *out++ = QLatin1Char(core[i]);
  }
  text.truncate(out - text.constData());
  return text;
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
  widget_->setPlainText(widgetText(control_.text()));
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
