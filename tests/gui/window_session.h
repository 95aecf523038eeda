#pragma once
// The real main window over fresh folders, a scripted Ui for the boxes and a recording platform.

#include <QtTest>
#include <QtWidgets>
#include <deque>

#include "app/program.h"
#include "app/qt_platform.h"
#include "app/qt_ui.h"
#include "app/windows.h"

namespace wintarvel::testing {

class ScriptedUi : public Ui {
 public:
  void showMessage(const std::string& text, const std::string&) override {
    messages.push_back(text);
  }
  void showError(const std::string& text) override { errors.push_back(text); }
  void closeMainWindow() override { window->close(); }
  Answer ask(const std::string& text, const std::string& caption, Buttons buttons) override {
    if (real != nullptr) return real->ask(text, caption, buttons);
    questions.push_back(text);
    if (answers.empty()) unexpected.push_back("question: " + text);
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool execute(FileDialog& dialog) override {
    if (files.empty()) unexpected.push_back("file dialog: " + dialog.title());
    if (files.empty()) return false;
    const std::optional<std::string> choice = files.front();
    files.pop_front();
    if (choice) dialog.setFileName(*choice);
    return choice.has_value();
  }

  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
  std::vector<std::string> messages, questions, errors, unexpected;
  QWidget* window = nullptr;
  view::QtUi* real = nullptr;  // when set, asks with the real message box
};

// The program's own platform; the engine runs only when `realEngine` is set, the viewer never.
class RecordingPlatform : public view::QtPlatform {
 public:
  std::optional<int> runEngine(const std::string& program, const std::string& dir) override {
    engineStarts.push_back(program);
    return realEngine ? QtPlatform::runEngine(program, dir) : 0;
  }
  bool startViewer(const std::string& path) override {
    viewerStarts.push_back(path);
    return true;
  }
  bool realEngine = false;
  std::vector<std::string> engineStarts, viewerStarts;
};

// Runs `act` on the next modal dialog as soon as it is up.
inline void whenModalOpens(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->deleteLater();
      timer->stop();
      act(modal);
    }
  });
  timer->start(20);
}

inline QStringList itemsOf(QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

// A copy of the example study in a folder whose name has a blank, as a user's often has.
struct ExampleCopy {
  ExampleCopy() {
    for (const char* name : {"roommate.set", "roommate.txt"})
      QFile::copy(QStringLiteral(WINTARVEL_EXAMPLES "/") + name, dir.filePath(name));
  }
  QString path(const char* name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
  QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/My Studies XXXXXX")};
};

// Points the program's settings at `folder`, a folder of the test's own, never the user's.
inline bool useSettingsIn(const QString& folder) {
  view::nameApplication();
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
  return true;
}

struct WindowSession {
  // Settings in a fresh folder, or in the one given (to see what an earlier session kept).
  explicit WindowSession(const QString& settingsFolder = {})
      : settingsSet(useSettingsIn(settingsFolder.isEmpty() ? settings.path() : settingsFolder)) {
    ui.window = &windows.main;
    platform.setMainWindow(&windows.main);
  }

  QWidget& window() { return windows.main; }
  bool show() {
    window().show();
    return QTest::qWaitForWindowExposed(&window());
  }
  template <class W = QWidget>
  W* find(const char* name) {
    W* w = window().findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) qFatal("no widget %s", name);
    return w;
  }
  QTabWidget* pages() { return find<QTabWidget>("PageControl1"); }
  QString status() { return window().findChild<QStatusBar*>()->currentMessage(); }
  void trigger(const char* action) { find<QAction>(action)->trigger(); }
  void type(const char* edit, const QString& text) { QTest::keyClicks(find(edit), text); }
  // The page that holds `w`: a child of the tab widget's stack.
  QWidget* pageOf(QWidget* w) {
    while (w->parentWidget()->parentWidget() != pages()) w = w->parentWidget();
    return w;
  }
  // Clicks what the user sees: the widget's page first comes to the top; a button stretched by
  // its layout is hit on its indicator.
  void click(const char* name) {
    QWidget* w = find(name);
    pages()->setCurrentWidget(pageOf(w));
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(qMin(8, w->width() / 2), w->height() / 2));
  }
  // Chooses `path` in the file dialog of the command `action` (open or save).
  void choose(const char* action, const QString& path) {
    ui.files.push_back(QDir::toNativeSeparators(path).toStdString());
    trigger(action);
  }
  const char* firstUnexpected() const {
    return ui.unexpected.empty() ? "" : ui.unexpected.front().c_str();
  }
  // Shows every page and every control the program may show.
  void showEverything() {
    windows.binder.run([this] {
      for (RadioButton* r : {&f.RadDesTy1, &f.RadRePat1}) r->setChecked(true);
      for (CheckBox* c : {&f.ChkReverseVar, &f.ChkSecFmt}) c->setChecked(true);
      f.CorError.setTabVisible(true);
    });
  }

  QTemporaryDir settings;
  bool settingsSet;
  QTemporaryDir startDir{QDir::tempPath() + QStringLiteral("/My Studies XXXXXX")};
  ScriptedUi ui;
  RecordingPlatform platform;
  TFrm1 f{ui, platform, QDir::toNativeSeparators(startDir.path()).toStdString()};
  view::Windows windows{f};
};

}  // namespace wintarvel::testing
