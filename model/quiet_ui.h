#pragma once
// A Ui for running the program's rules where no one can answer: the stand-in engine, the fuzzer
// and the benchmarks. Every question is answered No and every file dialog is cancelled; what would
// have been shown is kept, so that the caller can report it.

#include <string>
#include <vector>

#include "model/ui.h"

namespace wintarvel {

class QuietUi : public Ui {
 public:
  void showMessage(const std::string& text, const std::string&) override {
    messages.push_back(text);
  }
  Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::No; }
  bool execute(FileDialog&) override { return false; }
  void showError(const std::string& text) override { messages.push_back(text); }
  void closeMainWindow() override {}

  std::vector<std::string> messages;  // messages and errors, in the order they came
};

}  // namespace wintarvel
