// Undo at the largest study the set file can describe: a user event that becomes a step (the
// history snapshots every control of the study), its undo, and what 100 steps of history hold in
// memory beside the study. The reorder memo's 198,000 records must cost no copy per step.
// Memory is counted through the global operator new of this program.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <string>

#include "bench/bench_support.h"

namespace {

std::atomic<long long> liveBytes{0};

}  // namespace

void* operator new(std::size_t size) {
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  liveBytes.fetch_add(static_cast<long long>(malloc_usable_size(memory)),
                      std::memory_order_relaxed);
  return memory;
}
void operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  liveBytes.fetch_sub(static_cast<long long>(malloc_usable_size(memory)),
                      std::memory_order_relaxed);
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  operator delete(memory);
}

namespace wintarvel::bench {
namespace {

namespace fs = std::filesystem;

// The largest study opened from its file, as a user opens it.
struct OpenedLargestStudy {
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f{ui, platform, "/"};

  OpenedLargestStudy() {
    const fs::path folder = fs::temp_directory_path() /
                            ("wintarvel-history-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(folder);
    const std::string path = (folder / "largest.set").string();
    WriteLargestStudyFile(path);
    f.OpenDialog.setFileName(path);
    opened = f.OpenSetFile() && f.MemoReorder.lineCount() == kLargestReorderRecords;
    f.Modified = false;
    fs::remove_all(folder);
  }
  bool opened = false;

  // A step of one of three kinds, so that consecutive steps never join.
  void step(int i) {
    switch (i % 3) {
      case 0:
        f.UserEvent("Technical Output",
                    [this] { f.ChkTechOut.setChecked(!f.ChkTechOut.checked()); });
        break;
      case 1:
        f.UserEvent("Print out Raw Data",
                    [this] { f.ChkRawData.setChecked(!f.ChkRawData.checked()); });
        break;
      default:
        f.UserEvent("Typing in Study Title",
                    [this, i] { f.TxtProgTitle.setText("Largest study " + std::to_string(i)); });
    }
  }
};

// One user event kept as a step: the snapshot before it, the handler, the comparison after it.
void BM_UserEventStep(benchmark::State& state) {
  OpenedLargestStudy s;
  if (!s.opened) state.SkipWithError("the largest study could not be opened");
  int i = 0;
  for (auto _ : state) s.step(i++);
  if (!s.f.CanUndo()) state.SkipWithError("no step was kept");
}
BENCHMARK(BM_UserEventStep)->Unit(benchmark::kMillisecond);

// Undo of one step and its redo, with the history full (100 steps).
void BM_UndoAndRedo(benchmark::State& state) {
  OpenedLargestStudy s;
  if (!s.opened) state.SkipWithError("the largest study could not be opened");
  for (int i = 0; i < 100; ++i) s.step(i);
  for (auto _ : state) {
    s.f.Undo();
    s.f.Redo();
  }
  if (s.f.CanRedo()) state.SkipWithError("redo did not bring the step back");
}
BENCHMARK(BM_UndoAndRedo)->Unit(benchmark::kMillisecond);

// A step, then a character typed into the memo: the memo's text must not be copied because a
// snapshot was just taken.
void BM_StepThenTypeInMemo(benchmark::State& state) {
  OpenedLargestStudy s;
  if (!s.opened) state.SkipWithError("the largest study could not be opened");
  Memo& memo = s.f.MemoReorder;
  const std::string* text = &memo.text();
  int i = 0;
  for (auto _ : state) {
    s.step(i++);
    s.f.UserEvent("", [&memo] { memo.replace(memo.text().size() - 2, 0, "x"); });
  }
  if (&memo.text() != text) state.SkipWithError("the memo's text was copied");
}
BENCHMARK(BM_StepThenTypeInMemo)->Unit(benchmark::kMillisecond);

// The memory that 100 steps (the most the history keeps) hold beside the study, in MB; a
// history twice as long would be forgotten down to the same.
void BM_HistoryOf100Steps(benchmark::State& state) {
  double megabytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<OpenedLargestStudy>();
    if (!s->opened) state.SkipWithError("the largest study could not be opened");
    const long long before = liveBytes.load();
    state.ResumeTiming();
    for (int i = 0; i < 200; ++i) s->step(i);
    state.PauseTiming();
    megabytes = static_cast<double>(liveBytes.load() - before) / (1024.0 * 1024.0);
    s.reset();
    state.ResumeTiming();
  }
  state.counters["history_MB"] = megabytes;
}
BENCHMARK(BM_HistoryOf100Steps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace wintarvel::bench

BENCHMARK_MAIN();
