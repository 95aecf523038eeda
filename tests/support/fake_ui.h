#pragma once
// Scripted stand-ins for the toolkit and the operating system. A test queues the answers to
// questions and the paths chosen in file dialogs; the fakes record what the program showed.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/frm1.h"
#include "run/native_platform.h"

namespace wintarvel::testing {

struct ShownMessage {
  std::string text, caption;
};
struct AskedQuestion {
  std::string text, caption;
  Buttons buttons;
};

// What a file dialog looked like when the program showed it.
struct ShownDialog {
  FileDialogKind kind;
  std::string title, defaultExt, fileName, filter;
};

class FakeUi : public Ui {
 public:
  // Answers and choices are used in order; running out of them fails the test.
  void queueAnswer(Answer a) { answers_.push_back(a); }
  void queueFile(const std::string& path) { files_.push_back(path); }
  void queueCancelledDialog() { files_.push_back(std::nullopt); }

  void showMessage(const std::string& text, const std::string& caption) override {
    messages.push_back({text, caption});
  }
  Answer ask(const std::string& text, const std::string& caption, Buttons buttons) override;
  bool execute(FileDialog& dialog) override;
  void showError(const std::string& text) override { errors.push_back(text); }
  void closeMainWindow() override { ++closeRequests; }

  std::vector<ShownMessage> messages;
  std::vector<AskedQuestion> questions;
  std::vector<ShownDialog> dialogs;
  std::vector<std::string> errors;
  int closeRequests = 0;

  std::size_t pendingFiles() const { return files_.size(); }

 private:
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> files_;
};

// Real folders and files, but engine and viewer starts are only recorded (and the engine can be
// told to fail to start or to return a code).
class FakePlatform : public NativePlatform {
 public:
  struct EngineStart {
    std::string program, workingDir;
  };
  std::optional<int> runEngine(const std::string& program, const std::string& workingDir) override {
    engineStarts.push_back({program, workingDir});
    return engineStartFails ? std::nullopt : std::optional<int>(engineExitCode);
  }
  bool engineWasStopped() const override { return engineStopped; }
  bool startViewer(const std::string& path) override {
    viewerStarts.push_back(path);
    return !viewerStartFails;
  }

  std::vector<EngineStart> engineStarts;
  std::vector<std::string> viewerStarts;
  bool engineStartFails = false;
  bool engineStopped = false;  // with engineStartFails: the user stopped the engine
  bool viewerStartFails = false;
  int engineExitCode = 0;
};

// A main window with its fakes, created in `startDir` (the current folder when empty).
struct Fixture {
  explicit Fixture(const std::string& startDir = "");
  FakeUi ui;
  FakePlatform platform;
  TFrm1 f;
};

}  // namespace wintarvel::testing
