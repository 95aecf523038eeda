// Every input that once broke the set file reader stays here and is read again on every test run:
// opening it, and saving what came out of it, must end normally.

#include <gtest/gtest.h>

#include <filesystem>

#include "model/quiet_ui.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

TEST(FuzzRegressions, EveryInputThatOnceBrokeTheReaderOpensAndSavesWithoutHarm) {
  const auto corpus = std::filesystem::path(WINTARVEL_TEST_DATA) / "fuzz-regressions";
  testing::TempDir dir;
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    ++inputs;
    QuietUi ui;
    testing::FakePlatform platform;
    TFrm1 f(ui, platform, dir.str());
    f.OpenDialog.setFileName(entry.path().string());
    // A field that is not a number ends an operation as in the window; anything else escaping
    // fails the test.
    try {
      f.OpenSetFile();
    } catch (const ConversionError&) {
    }
    f.TxtSetFile.setText(dir.file("saved.set"));
    try {
      f.SaveSetFile();
    } catch (const ConversionError&) {
    }
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace wintarvel
