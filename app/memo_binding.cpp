#include "app/memo_binding.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "app/latin1.h"

namespace wintarvel::view {

namespace {

// Loading takes about 3.5 us a line (0.7 s at 198,000 records on a slow machine): past this many
// lines the text waits until the memo is shown, so that opening a large study does not wait for
// records the user may never look at. Below it a load is at most a few frames.
constexpr std::size_t kLinesLoadedUnseen = 10'000;

// The core's text as the widget takes it: Latin-1, converted in one vectorised pass. The CR LF
// line breaks stay as they are, since the document's insertion takes CR LF as one paragraph break
// (and a lone CR or LF as one too, as the widget showed them before); a pass of our own to drop
// the CRs took about a twentieth of the load's instructions at 198,000 lines.
QString widgetText(const std::string& core) {
  return QString::fromLatin1(core.data(), static_cast<qsizetype>(core.size()));
}

// Line breaks of every kind (rich text has its own two) as the '\n' of plain text.
QString withPlainLineBreaks(QString text) {
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

class CursorPlace : public QLabel {
 public:
  CursorPlace(MemoEdit* memo, QStatusBar* bar) : QLabel(bar), memo_(memo) {
    setObjectName(QStringLiteral("MemoCursorPlace"));
    bar->addPermanentWidget(this);
    setVisible(memo->isVisible());
    memo->installEventFilter(this);
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, &CursorPlace::follow);
    follow();
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) show();
    if (event->type() == QEvent::Hide) hide();
    return false;
  }

 private:
  void follow() {
    const QTextCursor cursor = memo_->textCursor();
    setText(QStringLiteral("Line %1, Column %2")
                .arg(cursor.blockNumber() + 1)
                .arg(cursor.positionInBlock() + 1));
  }

  MemoEdit* memo_;
};

}  // namespace

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  // A tab would break the records' columns; Tab moves on to the next control instead.
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::Monospace);
  fixed.setFixedPitch(true);
  setFont(fixed);
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
  // Shift+Enter would put a line separator inside the line; it breaks the line like Enter.
  if (event->matches(QKeySequence::InsertLineSeparator)) {
    QKeyEvent plainReturn(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QPlainTextEdit::keyPressEvent(&plainReturn);
    return;
  }
  if (!isLatin1(event->text())) {
    QApplication::beep();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (isLatin1(event->commitString())) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QApplication::beep();
  QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
  QPlainTextEdit::inputMethodEvent(&withoutCommit);
}

// Pasted and dropped text: plain text only, with its line breaks as paragraph breaks.
void MemoEdit::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  const QString text = withPlainLineBreaks(source->text());
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
  binder_.watch(control_, [this] {
    pushCommonState(widget_, control_);
    // During the user's own edit the widget already shows the text.
    if (!editing_ && control_.textRevision() != shownRevision_) showCoreTextWhenSeen();
  });
  widget_->installEventFilter(this);
  connect(widget_->document(), &QTextDocument::contentsChange, this,
          [this](int position, int removed, int added) { takeUserEdit(position, removed, added); });
}

void MemoBinding::showCoreTextWhenSeen() {
  if (widget_->isVisible() || control_.lineCount() <= kLinesLoadedUnseen) showCoreText();
}

bool MemoBinding::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Show && control_.textRevision() != shownRevision_) showCoreText();
  return false;
}

void MemoBinding::showCoreText() {
  QTextDocument* document = widget_->document();
  loading_ = true;
  // Off while loading, so that the load is no step to undo; switching it off drops the history
  // of the text shown before.
  document->setUndoRedoEnabled(false);
  // The document's own setPlainText: the widget's would then give every character the format it
  // already has, a second pass over the whole text (a tenth of the load at 198,000 lines).
  document->setPlainText(widgetText(control_.text()));
  document->setUndoRedoEnabled(true);
  // The cursor at the start, in view, as after opening a document.
  widget_->setTextCursor(QTextCursor(document));
  loading_ = false;
  shownRevision_ = control_.textRevision();
}

std::size_t MemoBinding::byteOffset(int position) const {
  // Every block before the position ended in one paragraph break, which is CR LF in the core.
  const int breaksBefore = widget_->document()->findBlock(position).blockNumber();
  return static_cast<std::size_t>(position) + static_cast<std::size_t>(std::max(0, breaksBefore));
}

std::string MemoBinding::coreText(int from, int to) const {
  QTextCursor cursor(widget_->document());
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  const QString text = cursor.selectedText();
  std::string core;
  core.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) {
    if (c == QChar::ParagraphSeparator) {
      core += "\r\n";
    } else if (c.unicode() <= 0xFF) {
      core += static_cast<char>(c.unicode());
    }
  }
  return core;
}

bool MemoBinding::sameShape() const {
  const QTextDocument* document = widget_->document();
  const std::string& core = control_.text();
  const auto breaks = static_cast<std::size_t>(document->blockCount() - 1);
  const auto characters = static_cast<std::size_t>(document->characterCount() - 1);
  const bool endsWithBreak = core.size() >= 2 && core.compare(core.size() - 2, 2, "\r\n") == 0;
  const std::size_t coreBreaks = core.empty() ? 0 : control_.lineCount() - (endsWithBreak ? 0 : 1);
  return core.size() == characters + breaks && coreBreaks == breaks;
}

void MemoBinding::takeUserEdit(int position, int removed, int added) {
  if (loading_) return;
  // The widget still shows an earlier text (a long one waiting for the memo to be shown): its
  // positions say nothing about the core's text, which the widget shows instead.
  if (control_.textRevision() != shownRevision_) {
    showCoreTextAfterThisChange();
    return;
  }
  QTextDocument* document = widget_->document();
  // The document may count its closing paragraph mark as removed and added again.
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
  const std::string inserted = coreText(position, position + added);
  if (old.compare(start, end - start, inserted) == 0) return;  // only the format changed

  std::uint64_t expected = control_.textRevision() + 1;
  editing_ = true;
  binder_.run([&] {
    control_.replace(start, end - start, inserted);
    // The two texts went apart (the program had set line breaks that are not CR LF, which the
    // widget shows as line breaks too): the core takes what the user sees, once.
    if (!sameShape()) {
      expected = control_.textRevision() + 1;
      control_.setText(coreText(0, document->characterCount() - 1));
    }
  });
  editing_ = false;
  if (control_.textRevision() == expected && sameShape()) {
    shownRevision_ = expected;
    return;
  }
  // The program changed the text further while taking the edit, or the widget holds what the core
  // cannot.
  showCoreTextAfterThisChange();
}

// The document may not be replaced while it reports a change: the load waits for the event loop.
void MemoBinding::showCoreTextAfterThisChange() {
  QTimer::singleShot(0, this, [this] {
    if (control_.textRevision() != shownRevision_) showCoreText();
  });
}

MemoEdit* boundMemo(Binder& binder, Memo& control, const char* name) {
  auto* widget = new MemoEdit;
  widget->setObjectName(name);
  new MemoBinding(binder, control, widget);
  return widget;
}

void showCursorPlace(MemoEdit* memo, QStatusBar* bar) {
  new CursorPlace(memo, bar);
}

}  // namespace wintarvel::view
