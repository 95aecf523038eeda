#pragma once
// A scripted Ui for the GUI tests: questions and file dialogs take queued answers, messages and
// errors are recorded, and whatever was asked without an answer queued is noted as unexpected.
// The real window is driven; only the modal boxes are replaced.

#include <QPointer>
#include <QWidget>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/frm1.h"
#include "run/native_platform.h"

namespace wintarvel::testing {

class ScriptedUi : public Ui {
 public:
  void showMessage(const std::string& text, const std::string&) override {
    messages.push_back(text);
  }
  Answer ask(const std::string& text, const std::string&, Buttons) override {
    questions.push_back(text);
    if (answers.empty()) {
      unexpected.push_back("question: " + text);
      return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  bool execute(FileDialog& dialog) override {
    if (files.empty()) {
      unexpected.push_back("file dialog: " + dialog.title());
      return false;
    }
    const std::optional<std::string> choice = files.front();
    files.pop_front();
    if (choice) dialog.setFileName(*choice);
    return choice.has_value();
  }
  void showError(const std::string& text) override { errors.push_back(text); }
  void closeMainWindow() override {
    ++closeRequests;
    if (window) window->close();
  }

  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
  std::vector<std::string> messages, questions, errors, unexpected;
  int closeRequests = 0;
  QPointer<QWidget> window;
};

// Real folders; engine and viewer starts are only recorded.
class RecordingPlatform : public NativePlatform {
 public:
  std::optional<int> runEngine(const std::string& program, const std::string&) override {
    engineStarts.push_back(program);
    return 0;
  }
  bool startViewer(const std::string& path) override {
    viewerStarts.push_back(path);
    return true;
  }
  std::vector<std::string> engineStarts, viewerStarts;
};

}  // namespace wintarvel::testing
