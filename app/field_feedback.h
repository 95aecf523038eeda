#pragma once
// What a text field tells about itself while the user types: a conversion error raised by the
// typing is shown at the field (a red frame, the message in its tool tip and in the status bar)
// instead of in a box that stops every keystroke; a field that takes no more characters says so
// in the status bar while it is full; and a file dropped on it puts its local path there.

#include <QString>

class QLineEdit;

namespace wintarvel::view {

void showFieldError(QLineEdit* field, const QString& message);
// Takes the error back, if the field shows one.
void clearFieldError(QLineEdit* field);
// The error the field shows, empty when none.
QString fieldError(const QLineEdit* field);

// The status bar text of a field that is full.
QString fullFieldNotice(int limit);
// Shows fullFieldNotice in the status bar while `field` has the focus and is full.
void noticeWhenFull(QLineEdit* field);

// A file dropped on `field` replaces its text with the file's local path, as if typed.
void acceptFilePathDrops(QLineEdit* field);

}  // namespace wintarvel::view
