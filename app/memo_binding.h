#pragma once
// Binds the reorder memo's editor to the core's memo: the editor reads the core's text in place,
// and each edit of the user runs as one user event that replaces a byte range of it.

#include "app/binder.h"
#include "app/memo_edit.h"

namespace wintarvel::view {

// Creates the memo's editor for `control`, named `name`.
MemoEdit* boundMemo(Binder& binder, Memo& control, const char* name);

}  // namespace wintarvel::view
