// The set file panel and Check Data at the largest study, through the real window (offscreen):
// a typed character while the panel is open, the new composition once the typing pauses, the
// same text in a plain QPlainTextEdit for comparison, and the first records of a data file of
// 100 MB read through the format record. Every timed step ends with the events it caused
// handled, painting included.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "app/data_check_view.h"
#include "app/set_file_view.h"
#include "bench/window_session.h"
#include "model/set_file_writer.h"

namespace wintarvel::bench {
namespace {

constexpr int kDataFormatPage = 2;

// The largest study open in the window with the set file panel shown and composed.
struct PanelSession : WindowSession {
  QTemporaryDir folder;
  view::SetFilePanel* panel = nullptr;

  PanelSession() {
    const std::string path = folder.filePath(QStringLiteral("largest.set")).toStdString();
    WriteLargestStudyFile(path);
    if (!open(path)) throw std::runtime_error("the largest study did not open");
    windows.main.findChild<QAction*>(QStringLiteral("ViewSetFile"))->trigger();
    panel = windows.main.findChild<view::SetFilePanel*>(QStringLiteral("SetFileView"));
    panel->recompose();
    Settle();
  }
  QLineEdit* edit(const char* name) const {
    return windows.main.findChild<QLineEdit*>(QString::fromLatin1(name));
  }
};

// One typed character in the title with the panel open: the key, the core's handler, the
// refresh of what changed (the panel's pause restarts) and the repaint. Characters and
// backspaces alternate, so that the title keeps its length.
void BM_TypeInTitleWithPanelOpen(benchmark::State& state) {
  PanelSession s;
  QLineEdit* title = s.edit("TxtProgTitle");
  title->setFocus();
  title->end(false);
  title->backspace();  // room for one more character within the limit
  Settle();
  bool type = true;
  for (auto _ : state) {
    QTest::keyClick(title, type ? Qt::Key_X : Qt::Key_Backspace);
    Settle();
    type = !type;
  }
  if (s.panel->text()->lineCount() < static_cast<std::size_t>(kLargestReorderRecords)) {
    state.SkipWithError("the panel does not show the largest study");
  }
}
BENCHMARK(BM_TypeInTitleWithPanelOpen)->Unit(benchmark::kMillisecond);

// What the end of a pause costs: the composition by the writer's function, finding the lines of
// the new text and repainting the lines in view.
void BM_RecomposeAfterPause(benchmark::State& state) {
  PanelSession s;
  bool flip = false;
  for (auto _ : state) {
    state.PauseTiming();
    s.run([&] { s.f.TxtProgTitle.setText(flip ? "A" : "B"); });
    flip = !flip;
    state.ResumeTiming();
    s.panel->recompose();
    Settle();
  }
  if (s.panel->text()->lineText(1).left(1) != QLatin1String(flip ? "B" : "A")) {
    state.SkipWithError("the panel did not follow the edit");
  }
}
BENCHMARK(BM_RecomposeAfterPause)->Unit(benchmark::kMillisecond);

// The composition alone, in the core.
void BM_ComposeSetFile(benchmark::State& state) {
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f(ui, platform, "/");
  BuildLargestStudy(f);
  ComposedSetFile composed;
  for (auto _ : state) {
    ComposeSetFile(f, composed);
    benchmark::DoNotOptimize(composed.text.data());
  }
  state.counters["bytes"] = static_cast<double>(composed.text.size());
}
BENCHMARK(BM_ComposeSetFile)->Unit(benchmark::kMillisecond);

// The same text shown by a plain QPlainTextEdit, as a read-only view would show it at every
// pause: it lays out every line of the document.
void BM_ShowTextInPlainQt(benchmark::State& state) {
  PanelSession s;
  ComposedSetFile composed;
  ComposeSetFile(s.f, composed);
  QPlainTextEdit plain;
  plain.setReadOnly(true);
  plain.setLineWrapMode(QPlainTextEdit::NoWrap);
  plain.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  plain.resize(s.panel->size());
  plain.show();
  Settle();
  for (auto _ : state) {
    plain.setPlainText(
        QString::fromLatin1(composed.text.data(), static_cast<qsizetype>(composed.text.size())));
    Settle();
  }
}
BENCHMARK(BM_ShowTextInPlainQt)->Iterations(3)->Unit(benchmark::kMillisecond);

// A data file of 100 MB: lines of the example study's layout.
struct LargeDataFile {
  QTemporaryDir folder;
  std::string path = folder.filePath(QStringLiteral("large.txt")).toStdString();
  LargeDataFile() {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::string block;
    for (int i = 0; i < 10000; ++i) block += " 3 4 1 24 38\r\n";
    for (std::size_t written = 0; written < (100u << 20); written += block.size()) {
      std::fwrite(block.data(), 1, block.size(), out);
    }
    std::fclose(out);
  }
};

const LargeDataFile& LargeData() {
  static const LargeDataFile file;
  return file;
}

// The core's check of the first 1,000 lines.
void BM_CheckDataFile_100MB(benchmark::State& state) {
  for (auto _ : state) {
    const DataCheck check = CheckDataFile(LargeData().path, "(3F2.0,2F3.0)");
    if (check.records.size() != kDataCheckLines) state.SkipWithError("not 1,000 records");
  }
}
BENCHMARK(BM_CheckDataFile_100MB)->Unit(benchmark::kMillisecond);

// "Check Data" pressed on the page: the check, the table filled and the window painted.
void BM_CheckDataButton_100MB(benchmark::State& state) {
  WindowSession s;
  s.run([&] {
    s.f.BtnNewSetClick();
    s.f.TxtGroupFortran.setText("(3F2.0,2F3.0)");
    s.f.TxtDataFile.setText(LargeData().path);
    s.f.PageControl1.setActivePage(kDataFormatPage);
  });
  Settle();
  auto* button = s.windows.main.findChild<QPushButton*>(QStringLiteral("CmdCheckData"));
  for (auto _ : state) {
    QTest::mouseClick(button, Qt::LeftButton);
    Settle();
  }
  auto* view = s.windows.main.findChild<view::DataCheckView*>(QStringLiteral("DataCheckView"));
  if (view == nullptr || view->table()->model()->rowCount() != static_cast<int>(kDataCheckLines)) {
    state.SkipWithError("the table does not show 1,000 records");
  }
}
BENCHMARK(BM_CheckDataButton_100MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wintarvel::bench

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
