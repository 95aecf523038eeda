// Every input that once broke the set file reader: opening the file and saving what came out of
// it must end normally. Random damage is the fuzzer's part.

#include <gtest/gtest.h>

#include <filesystem>

#include "model/quiet_ui.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

void OpenAndSave(const std::string& content, const testing::TempDir& dir) {
  testing::writeFile(dir.file("input.set"), content);
  QuietUi ui;
  testing::FakePlatform platform;
  TFrm1 f(ui, platform, dir.str());
  f.OpenDialog.setFileName(dir.file("input.set"));
  // A field that is not a number ends an operation as in the window; nothing else may escape.
  for (auto step : {+[](TFrm1& w) { w.OpenSetFile(); }, +[](TFrm1& w) { w.SaveSetFile(); }}) {
    try {
      step(f);
    } catch (const ConversionError&) {
    }
    f.TxtSetFile.setText(dir.file("saved.set"));
  }
}

TEST(FuzzRegressions, EveryInputThatOnceBrokeTheReaderOpensAndSavesWithoutHarm) {
  testing::TempDir dir;
  int inputs = 0;
  const auto corpus = std::filesystem::path(WINTARVEL_TEST_DATA) / "fuzz-regressions";
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    ++inputs;
    OpenAndSave(testing::readFile(entry.path().string()), dir);
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace wintarvel
