// Opening and saving the largest study the set file can describe, beside the cheapest thing any
// program can do with the same file: copy it line by line. The study is built through the
// handlers and saved once; that file is the input of every benchmark here.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/bench_support.h"

namespace wintarvel::bench {
namespace {

namespace fs = std::filesystem;

// A folder of its own holding the largest study, written once for the whole run.
struct StudyFiles {
  fs::path folder;
  std::string input, output;

  StudyFiles() {
    folder = fs::temp_directory_path() /
             ("wintarvel-setfile-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(folder);
    input = (folder / "largest.set").string();
    output = (folder / "saved.set").string();
    WriteLargestStudyFile(input);
  }
  ~StudyFiles() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

const StudyFiles& Files() {
  static const StudyFiles files;
  return files;
}

void ReportBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(fs::file_size(Files().input)));
}

void BM_CopyLineByLine(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(Files().input, std::ios::binary);
    std::ofstream out(Files().output, std::ios::binary | std::ios::trunc);
    std::string line;
    while (std::getline(in, line)) {
      out.write(line.data(), static_cast<std::streamsize>(line.size()));
      out.put('\n');
    }
  }
  ReportBytes(state);
}
BENCHMARK(BM_CopyLineByLine)->Unit(benchmark::kMillisecond);

// The reader starts from a new study each time, so every open does the whole work.
void BM_OpenSetFile(benchmark::State& state) {
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f(ui, platform, "/");
  f.OpenDialog.setFileName(Files().input);
  for (auto _ : state) {
    if (!f.OpenSetFile()) state.SkipWithError("the largest study could not be opened");
  }
  if (f.MemoReorder.lineCount() != kLargestReorderRecords || f.CmbConst.count() != 40 ||
      !ui.messages.empty()) {
    state.SkipWithError("the study opened is not the largest study");
  }
  ReportBytes(state);
}
BENCHMARK(BM_OpenSetFile)->Unit(benchmark::kMillisecond);

// Saving the opened study again: construct completion, checks, composing and the atomic write.
void BM_SaveSetFile(benchmark::State& state) {
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f(ui, platform, "/");
  f.OpenDialog.setFileName(Files().input);
  f.OpenSetFile();
  f.TxtSetFile.setText(Files().output);
  for (auto _ : state) {
    if (!f.SaveSetFile()) state.SkipWithError("the largest study could not be saved");
  }
  if (fs::file_size(Files().output) != fs::file_size(Files().input) || !ui.messages.empty()) {
    state.SkipWithError("the saved study differs in size from the one opened");
  }
  ReportBytes(state);
}
BENCHMARK(BM_SaveSetFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wintarvel::bench

BENCHMARK_MAIN();
