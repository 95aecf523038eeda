#include "support/fake_ui.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace wintarvel::testing {

Answer FakeUi::ask(const std::string& text, const std::string& caption, Buttons buttons) {
  questions.push_back({text, caption, buttons});
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return Answer::Cancel;
  }
  const Answer a = answers_.front();
  answers_.pop_front();
  return a;
}

bool FakeUi::execute(FileDialog& dialog) {
  dialogs.push_back(
      {dialog.kind(), dialog.title(), dialog.defaultExt(), dialog.fileName(), dialog.filter()});
  if (files_.empty()) {
    ADD_FAILURE() << "unexpected file dialog";
    return false;
  }
  const std::optional<std::string> choice = files_.front();
  files_.pop_front();
  if (!choice) return false;
  dialog.setFileName(*choice);
  return true;
}

Fixture::Fixture(const std::string& startDir)
    : f(ui, platform, startDir.empty() ? std::filesystem::current_path().string() : startDir) {}

}  // namespace wintarvel::testing
