#pragma once
// The reorder memo: a QPlainTextEdit bound to the core's memo. The memo may hold 200,000 lines, so
// the two texts are kept in step by edits, never by copies: each edit of the user reaches the core
// as one replacement of a byte range, and the core's text is loaded into the widget only when the
// program itself set it, a long text only once the memo is on screen. The widget keeps the undo
// history of the user's typing.

#include <QPlainTextEdit>
#include <cstdint>
#include <string>

#include "app/binder.h"

class QStatusBar;

namespace wintarvel::view {

// A plain text editor in a fixed-pitch font without line wrapping, in which one text block is one
// line of the core's text: characters outside Latin-1, which the core cannot store, are refused
// with a beep, and every line break typed or pasted is a paragraph break.
class MemoEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit MemoEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void resizeEvent(QResizeEvent* event) override;
};

class MemoBinding : public QObject {
 public:
  MemoBinding(Binder& binder, Memo& control, MemoEdit* widget);

 private:
  // The program changed the core's text: the widget shows it as a newly loaded document, at once
  // while on screen or when the text is short, else when the memo is next shown.
  void showCoreTextWhenSeen();
  void showCoreText();
  // The same once the document has finished the change it is reporting.
  void showCoreTextAfterThisChange();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The user changed the widget's text: the same change is made in the core.
  void takeUserEdit(int position, int removed, int added);
  // Byte offset in the core's text of a character position in the widget.
  std::size_t byteOffset(int position) const;
  // The widget's text from `from` to `to`, with the core's CR LF line breaks; a character the
  // core cannot store is left out.
  std::string coreText(int from, int to) const;
  // True when the widget's text has as many characters and line breaks as the core's.
  bool sameShape() const;

  Binder& binder_;
  Memo& control_;
  MemoEdit* widget_;
  // The core's text revision that the widget shows; anything else is loaded anew.
  std::uint64_t shownRevision_ = UINT64_MAX;
  bool loading_ = false;
  bool editing_ = false;
};

// Creates the memo widget for `control`, bound to it.
MemoEdit* boundMemo(Binder& binder, Memo& control, const char* name);

// Shows the line and column of the memo's cursor in the status bar while the memo is on screen: the
// records are fixed-column lines.
void showCursorPlace(MemoEdit* memo, QStatusBar* bar);

}  // namespace wintarvel::view
