#pragma once
// Ends a start-up measurement: once the first window has been painted, the application quits as
// soon as its event loop has nothing left to do. Installed on the application by the start-up
// benchmarks only; the program itself never quits by itself.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace wintarvel::bench {

class QuitWhenIdle : public QObject {
 public:
  explicit QuitWhenIdle(QCoreApplication& app) : QObject(&app) { app.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!armed_ && event->type() == QEvent::Paint) {
      armed_ = true;
      // A zero timer fires when the events already waiting have been handled.
      auto* idle = new QTimer(this);
      idle->setSingleShot(true);
      connect(idle, &QTimer::timeout, qApp, &QCoreApplication::quit);
      idle->start(0);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool armed_ = false;
};

}  // namespace wintarvel::bench
