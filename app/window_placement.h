#pragma once
// Where the main window goes: on the screen it opens on, never larger than that screen's
// available area (the desktop without its panels), wherever the user or the program wanted it.
// Its place, size and page are kept in the program's settings for the next start.

#include <QRect>
#include <QSize>

class QWidget;

namespace wintarvel::view {

// `frame` moved and, where it must be, shrunk so that it lies on `available`: a frame that fits
// keeps its size and only moves; one larger than `available` gets its size.
QRect fitOnScreen(const QRect& frame, const QRect& available);

// Sizes and moves the top-level `window`, its frame included, onto the available area of the
// screen that holds its centre (the primary screen when none does), at the size `wanted` (its
// own when none is given) or as much of it as the screen has room for.
void keepOnScreen(QWidget* window, QSize wanted = {});

// The window's place and size, and whether it was maximized, kept in the settings, and restored
// (kept on screen); false when the settings hold none.
void saveWindowPlacement(const QWidget* window);
bool restoreWindowPlacement(QWidget* window);

}  // namespace wintarvel::view
