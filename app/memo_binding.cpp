#include "app/memo_binding.h"

#include <QFontDatabase>

namespace wintarvel::view {

MemoEdit* boundMemo(Binder& binder, Memo& control, const char* name) {
  auto* editor = new MemoEdit(control, [&binder, &control](std::size_t position, std::size_t length,
                                                           const std::string& insert) {
    binder.run([&] { control.replace(position, length, insert); });
  });
  editor->setObjectName(name);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::Monospace);
  fixed.setFixedPitch(true);
  editor->setFont(fixed);
  binder.watch(control, [editor, &control] {
    pushCommonState(editor, control);
    editor->syncWithSource();
  });
  return editor;
}

}  // namespace wintarvel::view
