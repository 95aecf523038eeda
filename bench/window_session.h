#pragma once
// The real windows of the program, offscreen, over a window model with silent services: what the
// benchmarks of the view drive.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "app/memo_binding.h"
#include "app/windows.h"
#include "bench/bench_support.h"

namespace wintarvel::bench {

// Index of the "Reorder" page in PageControl1.
inline constexpr int kReorderPage = 6;

// Counts the paint events of the whole application, so that a benchmark can show that what it
// timed includes painting the widgets.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QCoreApplication& app) { app.installEventFilter(this); }
  long paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

// Handles what is waiting, painting included, as the event loop would before the next input.
inline void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

struct WindowSession {
  // Settings of the session's own: a panel the user left open must not change what is measured.
  QTemporaryDir settingsDir;
  bool settingsKept = [this] {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    return true;
  }();
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f{ui, platform, "/"};
  view::Windows windows{f};

  WindowSession() {
    windows.main.show();
    Settle();
  }

  void run(const std::function<void()>& handler) { windows.binder.run(handler); }

  // Opens a set file as the Open command does once its file is chosen.
  bool open(const std::string& path) {
    bool opened = false;
    run([&] {
      f.OpenDialog.setFileName(path);
      opened = f.OpenSetFile();
    });
    return opened;
  }

  view::MemoEdit* memo() const {
    return windows.main.findChild<view::MemoEdit*>(QStringLiteral("MemoReorder"));
  }
};

}  // namespace wintarvel::bench
