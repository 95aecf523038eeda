#pragma once
// The real main window over a fresh start folder, with the scripted Ui and the recording
// platform, for the GUI tests that drive it.

#include <QAbstractButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <initializer_list>

#include "app/windows.h"
#include "scripted_ui.h"

namespace wintarvel::testing {

struct WindowSession {
  WindowSession() { ui.window = &windows.main; }

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

  // Settings in a folder of this session's own, so that what one test's window remembers (the
  // place of a panel) never reaches another test. Set before the windows read them.
  static bool keepSettingsIn(const QString& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    return true;
  }

  QTemporaryDir startDir;
  QTemporaryDir settingsDir;
  bool settingsKept = keepSettingsIn(settingsDir.path());
  ScriptedUi ui;
  RecordingPlatform platform;
  TFrm1 f{ui, platform, startDir.path().toStdString()};
  view::Windows windows{f};
};

}  // namespace wintarvel::testing
