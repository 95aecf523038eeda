// Every input that once broke the set file reader stays here and is read again on every test run:
// opening it, and saving what came out of it, must end normally.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::TempDir;

class AnswerNo : public testing::FakeUi {
 public:
  Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::No; }
  bool execute(FileDialog&) override { return false; }
};

TEST(FuzzRegressions, EveryInputThatOnceBrokeTheReaderOpensAndSavesWithoutHarm) {
  const std::filesystem::path corpus =
      std::filesystem::path(WINTARVEL_TEST_DATA) / "fuzz-regressions";
  TempDir dir;
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
    ++inputs;
    AnswerNo ui;
    testing::FakePlatform platform;
    TFrm1 f(ui, platform, dir.str());
    f.OpenDialog.setFileName(entry.path().string());
    dispatch(ui, [&] { f.OpenSetFile(); });
    f.TxtSetFile.setText(dir.file("saved.set"));
    dispatch(ui, [&] { f.SaveSetFile(); });
    EXPECT_TRUE(ui.errors.empty() ||
                ui.errors.front().find("not a valid integer") != std::string::npos)
        << entry.path() << ": " << ui.errors.front();
  }
  RecordProperty("inputs", inputs);
}

}  // namespace
}  // namespace wintarvel
