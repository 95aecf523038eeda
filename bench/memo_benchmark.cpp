// How the reorder memo behaves at the largest study the set file can hold: 999 groups of 99 + 99
// members with "Reorder Rows and Reorder Columns", new for each group, needs (999 + 1) x 198 =
// 198,000 reorder records. Typing one character must not cost time in proportion to that text:
// the count label is recomputed on every keystroke.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/bench_support.h"

namespace wintarvel::bench {
namespace {

constexpr int kRecords = kLargestReorderRecords;

struct LargeReorderStudy {
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f{ui, platform, std::filesystem::temp_directory_path().string()};

  LargeReorderStudy() { SetUpLargestReorder(f); }
};

// Loading the memo through the core: the whole text is scanned once for its line breaks.
void BM_LoadReorderRecords(benchmark::State& state) {
  LargeReorderStudy study;
  const std::string full = ReorderText(kRecords);
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
  memo.setText(ReorderText(kRecords));
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
}  // namespace wintarvel::bench

BENCHMARK_MAIN();
