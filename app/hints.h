#pragma once
// What the window tells about its controls: for every input control and button, a hint that says
// what it holds and its limit (shown as tool tip, status bar text and accessible description), and
// the access key of each page button and label. One table, so the texts can be read and reviewed
// together.

#include <QString>

class QWidget;

namespace wintarvel::view {

// The hint of `widget`, found by its object name, empty when the table has none.
QString hintFor(const QWidget* widget);

// Gives every named widget under `root` (and `root` itself) the hint the table holds for it, as
// tool tip, status tip and accessible description.
void applyHints(QWidget* root);

// The caption `widget` shows: '&' in the caption doubled, so it shows as it is, and the widget's
// access key, when the table gives one, marked with '&' on its first occurrence.
QString captionWithAccessKey(const QWidget* widget, const QString& caption);

}  // namespace wintarvel::view
