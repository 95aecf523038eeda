#include "app/window_placement.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace wintarvel::view {

namespace {

const char* const kGeometryKey = "MainWindow/Geometry";
const char* const kMaximizedKey = "MainWindow/Maximized";

QScreen* screenOf(const QWidget* window) {
  if (QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center())) return screen;
  return QGuiApplication::primaryScreen();
}

}  // namespace

QRect fitOnScreen(const QRect& frame, const QRect& available) {
  const QSize size = frame.size().boundedTo(available.size());
  const int x = std::clamp(frame.x(), available.left(), available.right() + 1 - size.width());
  const int y = std::clamp(frame.y(), available.top(), available.bottom() + 1 - size.height());
  return {QPoint(x, y), size};
}

void keepOnScreen(QWidget* window, QSize wanted) {
  const QScreen* screen = screenOf(window);
  if (screen == nullptr || window->isMaximized() || window->isFullScreen()) return;
  if (!wanted.isValid()) wanted = window->size();
  // The least size the window's layout allows, brought up to date with what it now shows (a tab
  // just hidden needs no room), as a resize cannot go below it.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (QLayout* layout = window->layout()) layout->activate();
  // The frame around the window is known once the window system placed it; before, it is none.
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                         frame.right() - client.right(), frame.bottom() - client.bottom());
  const QRect fitted =
      fitOnScreen(QRect(frame.topLeft(), wanted.grownBy(margins)), screen->availableGeometry());
  // One resize and one move: a window on screen takes its new geometry only when the window
  // system confirms it, so every step must start from what was asked, not from what is shown.
  const QSize clientSize = fitted.size().shrunkBy(margins);
  if (clientSize != window->size()) window->resize(clientSize);
  if (fitted.topLeft() != frame.topLeft()) window->move(fitted.topLeft());
}

void saveWindowPlacement(const QWidget* window) {
  QSettings settings;
  settings.setValue(QLatin1String(kGeometryKey), window->normalGeometry());
  settings.setValue(QLatin1String(kMaximizedKey), window->isMaximized());
}

bool restoreWindowPlacement(QWidget* window) {
  const QSettings settings;
  const QRect geometry = settings.value(QLatin1String(kGeometryKey)).toRect();
  if (!geometry.isValid()) return false;
  window->setGeometry(geometry);
  keepOnScreen(window);
  if (settings.value(QLatin1String(kMaximizedKey)).toBool()) {
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
  }
  return true;
}

}  // namespace wintarvel::view
