// Every input that once broke the set file reader, and random damage to the example's file:
// opening the file and saving what came out of it must end normally.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

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

  // Bytes changed, cut out and put in at random places of a good file.
  const std::string golden = testing::readFile(std::string(WINTARVEL_TEST_DATA) + "/roommate.set");
  const std::string alphabet = " 0123456789\r\n-xR";
  std::mt19937 rng(20240611);
  for (int round = 0; round < 300; ++round) {
    std::string content = golden;
    for (int edits = 1 + rng() % 8; edits > 0 && !content.empty(); --edits) {
      const std::size_t at = rng() % content.size();
      const unsigned kind = rng() % 3;
      if (kind == 0) content[at] = alphabet[rng() % alphabet.size()];
      if (kind == 1) content.erase(at, 1 + rng() % 20);
      if (kind == 2) content.insert(at, 1, static_cast<char>(rng() % 256));
    }
    OpenAndSave(content, dir);
  }
}

}  // namespace
}  // namespace wintarvel
