#pragma once
// The real main window over a fresh start folder, with the scripted Ui and the recording
// platform, for the GUI tests that drive it.

#include <QAbstractButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <initializer_list>

#include "app/program.h"
#include "app/windows.h"
#include "scripted_ui.h"

namespace wintarvel::testing {

// The program's settings in a folder of the test's own, never the user's: a fresh one for each
// session, or the one given (to see what an earlier session kept).
struct TemporarySettings {
  explicit TemporarySettings(const QString& folder) {
    view::nameApplication();
    const QString path = folder.isEmpty() ? own.path() : folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
  }
  QTemporaryDir own;
};

struct WindowSession {
  explicit WindowSession(const QString& settingsFolder = {}) : settings(settingsFolder) {
    ui.window = &windows.main;
  }

  QWidget& window() { return windows.main; }
  // Shows the window and waits until it is on screen.
  bool show() {
    window().show();
    return QTest::qWaitForWindowExposed(&window());
  }
  template <class W>
  W* find(const char* name) {
    W* w = window().findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) qWarning("no widget %s", name);
    return w;
  }
  // Shows every page and every control the program may show.
  void showEverything() {
    windows.binder.run([this] {
      f.RadDesTy1.setChecked(true);
      f.ChkReverseVar.setChecked(true);
      f.ChkSecFmt.setChecked(true);
      f.RadRePat1.setChecked(true);
      f.CorError.setTabVisible(true);
    });
  }
  // The checked states of the named buttons as a text of 1s and 0s, in the order given.
  QString checked(std::initializer_list<const char*> names) {
    QString states;
    for (const char* name : names) states += find<QAbstractButton>(name)->isChecked() ? '1' : '0';
    return states;
  }
  // The first question or file dialog that came without a queued answer, empty when none did.
  const char* firstUnexpected() const {
    return ui.unexpected.empty() ? "" : ui.unexpected.front().c_str();
  }

  TemporarySettings settings;
  QTemporaryDir startDir;
  ScriptedUi ui;
  RecordingPlatform platform;
  TFrm1 f{ui, platform, startDir.path().toStdString()};
  view::Windows windows{f};
};

}  // namespace wintarvel::testing
