// How the reorder memo behaves at the largest study the set file can hold: 999 groups of 99 + 99
// members with "Reorder Rows and Reorder Columns", new for each group, needs (999 + 1) x 198 =
// 198,000 reorder records. Typing one character must not cost time in proportion to that text:
// the count label is recomputed on every keystroke.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "model/frm1.h"

namespace wintarvel {
namespace {

// The benchmark never asks a question, opens a dialog or touches the system.
class SilentUi : public Ui {
 public:
  void showMessage(const std::string&, const std::string&) override {}
  Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::No; }
  bool execute(FileDialog&) override { return false; }
  void showError(const std::string&) override {}
  void closeMainWindow() override {}
};

class InertPlatform : public Platform {
 public:
  std::string currentDir() override { return "/"; }
  bool setCurrentDir(const std::string&) override { return true; }
  std::size_t shortPath(const std::string&, std::string&) override { return 0; }
  void createIfMissing(const std::string&) override {}
  std::optional<int> runEngine(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void startViewer(const std::string&) override {}
};

constexpr int kRecords = 198000;

struct LargeReorderStudy {
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f{ui, platform, std::filesystem::temp_directory_path().string()};

  LargeReorderStudy() {
    f.BtnNewSetClick();
    f.TxtNumSubGroup1.setText("99");
    f.TxtNumSubGroup2.setText("99");
    f.RadRePat6.setChecked(true);
    f.RadReNewSame0.setChecked(true);
    f.TxtNumGroups.setText("999");
    if (f.ReorderRecordCount != kRecords) throw std::logic_error("unexpected record count");
  }
};

std::string reorderText(int records) {
  std::string text;
  const std::string line = "1 2 3 4 5 6 7 8 9 10 11 12\r\n";
  text.reserve(line.size() * static_cast<std::size_t>(records));
  for (int i = 0; i < records; ++i) text += line;
  return text;
}

// Loading the memo through the core: the whole text is scanned once for its line breaks.
void BM_LoadReorderRecords(benchmark::State& state) {
  LargeReorderStudy study;
  const std::string full = reorderText(kRecords);
  const std::string other = full + "1\r\n";  // alternate, so that every set is a change
  bool flip = false;
  for (auto _ : state) {
    study.f.MemoReorder.setText(flip ? other : full);
    flip = !flip;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(full.size()));
}
BENCHMARK(BM_LoadReorderRecords)->Unit(benchmark::kMillisecond);

// One typed character, with the memo's change handler (line count and label) run each time.
// Argument 0 types at the end of the text, 1 at its very start, where the whole text moves.
void BM_TypeOneCharacter(benchmark::State& state) {
  LargeReorderStudy study;
  Memo& memo = study.f.MemoReorder;
  memo.setText(reorderText(kRecords));
  const bool atStart = state.range(0) == 1;
  for (auto _ : state) {
    memo.replace(atStart ? 0 : memo.text().size() - 2, 0, "x");
    benchmark::DoNotOptimize(study.f.LblNumReor.caption().data());
  }
  if (memo.lineCount() != kRecords || study.f.LblNumReor.caption() != "198000 record(s) needed") {
    state.SkipWithError("the memo lost count of its lines");
  }
}
BENCHMARK(BM_TypeOneCharacter)->Arg(0)->Arg(1)->ArgNames({"at_start"});

}  // namespace
}  // namespace wintarvel

BENCHMARK_MAIN();
