#pragma once
// The reorder memo may hold 200,000 lines, so its text is never copied per keystroke: each edit
// of the widget is handed to the core as one replacement of a byte range, and the core's text is
// only pushed into the widget when the program itself changed it.

#include <QPlainTextEdit>
#include <cstdint>

#include "app/binder.h"

namespace wintarvel::view {

// A plain text editor that keeps characters outside Latin-1 out and makes every line break a
// paragraph break (no soft line separators), so that each line of the core is one text block.
class MemoEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

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
  void push();
  void onContentsChange(int position, int removed, int added);
  std::size_t byteOffset(int position) const;

  Binder& binder_;
  Memo& control_;
  MemoEdit* widget_;
  // The revision at which the core text is known to equal the widget's; nothing to push then.
  std::uint64_t mirroredRevision_ = UINT64_MAX;
};

// Creates the memo widget for `control`, bound incrementally.
MemoEdit* boundMemo(Binder& binder, Memo& control, const char* name);

}  // namespace wintarvel::view
