// The reorder memo and the open command through the real window (offscreen), each beside what a
// plain Qt widget costs for the same work. Every timed step ends with the events it caused
// handled, painting included, as the event loop would do before the next key.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <memory>

#include "bench/window_session.h"

namespace wintarvel::bench {
namespace {

PaintCounter* paintCounter = nullptr;

QString QtText(std::string text) {
  QString q = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return q;
}

// A window whose reorder settings need 198,000 records, showing the "Reorder" page.
struct ReorderSession : WindowSession {
  ReorderSession() {
    run([this] {
      SetUpLargestReorder(f);
      f.PageControl1.setActivePage(kReorderPage);
    });
    Settle();
  }
};

// The same editor without the binding: no core behind it, nothing but Qt's own work.
struct PlainEditor {
  QPlainTextEdit edit;
  explicit PlainEditor(QSize size) {
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edit.resize(size);
    edit.show();
    Settle();
  }
};

void ReportPaints(benchmark::State& state, long paintsBefore) {
  state.counters["paints"] = benchmark::Counter(
      static_cast<double>(paintCounter->paints - paintsBefore), benchmark::Counter::kAvgIterations);
}

// Loading: the text set by the program reaches the core, its change handler and the widget.
void BM_LoadMemo_Bound(benchmark::State& state) {
  ReorderSession s;
  const std::string full = ReorderText(kLargestReorderRecords);
  const std::string other = full + "1\r\n";  // alternate, so that every load is a change
  bool flip = false;
  const long paints = paintCounter->paints;
  for (auto _ : state) {
    s.run([&] { s.f.MemoReorder.setText(flip ? other : full); });
    Settle();
    flip = !flip;
  }
  ReportPaints(state, paints);
  if (s.memo()->blockCount() < kLargestReorderRecords) {
    state.SkipWithError("the widget does not show the records");
  }
}
BENCHMARK(BM_LoadMemo_Bound)->Unit(benchmark::kMillisecond);

void BM_LoadMemo_PlainQt(benchmark::State& state) {
  ReorderSession s;  // only for the size of the memo
  PlainEditor plain(s.memo()->size());
  const QString full = QtText(ReorderText(kLargestReorderRecords));
  const QString other = full + QStringLiteral("1\n");
  bool flip = false;
  const long paints = paintCounter->paints;
  for (auto _ : state) {
    plain.edit.setPlainText(flip ? other : full);
    Settle();
    flip = !flip;
  }
  ReportPaints(state, paints);
}
BENCHMARK(BM_LoadMemo_PlainQt)->Unit(benchmark::kMillisecond);

// One typed character: a key press into the widget, the edit handed to the core as one
// replacement, the count label recomputed and refreshed, and the repaint. Argument 1 types at
// the very start of the text, where the whole core text moves; 0 at its end.
void BM_TypeOneCharacter_Bound(benchmark::State& state) {
  ReorderSession s;
  s.run([&] { s.f.MemoReorder.setText(ReorderText(kLargestReorderRecords)); });
  Settle();
  view::MemoEdit* memo = s.memo();
  memo->setFocus();
  memo->moveCursor(state.range(0) == 1 ? QTextCursor::Start : QTextCursor::End);
  const std::size_t before = s.f.MemoReorder.text().size();
  const long paints = paintCounter->paints;
  for (auto _ : state) {
    QTest::keyClick(memo, Qt::Key_7);
    Settle();
  }
  ReportPaints(state, paints);
  const auto typed = static_cast<std::size_t>(state.iterations());
  if (s.f.MemoReorder.text().size() != before + typed ||
      s.f.MemoReorder.lineCount() !=
          static_cast<std::size_t>(kLargestReorderRecords + (state.range(0) == 1 ? 0 : 1))) {
    state.SkipWithError("the core did not follow the keys");
  }
}
BENCHMARK(BM_TypeOneCharacter_Bound)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"at_start"})
    ->Unit(benchmark::kMillisecond);

void BM_TypeOneCharacter_PlainQt(benchmark::State& state) {
  ReorderSession s;
  PlainEditor plain(s.memo()->size());
  plain.edit.setPlainText(QtText(ReorderText(kLargestReorderRecords)));
  Settle();
  plain.edit.setFocus();
  plain.edit.moveCursor(state.range(0) == 1 ? QTextCursor::Start : QTextCursor::End);
  const long paints = paintCounter->paints;
  for (auto _ : state) {
    QTest::keyClick(&plain.edit, Qt::Key_7);
    Settle();
  }
  ReportPaints(state, paints);
}
BENCHMARK(BM_TypeOneCharacter_PlainQt)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"at_start"})
    ->Unit(benchmark::kMillisecond);

// Opening the largest study in the main window: the reader, then the refresh of every widget
// whose control changed, then the repaint. The memo, on a page not shown, loads its records when
// it is first seen (below). Argument 0 opens it in a window
// holding a new study (reset untimed before each open); 1 opens it over itself, so that the
// widgets also drop the study they showed.
void BM_OpenLargestStudyInWindow(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("largest.set")).toStdString();
  WriteLargestStudyFile(path);
  WindowSession s;
  const bool overItself = state.range(0) == 1;
  if (overItself) s.open(path);
  Settle();
  const long paints = paintCounter->paints;
  for (auto _ : state) {
    if (!overItself) {
      state.PauseTiming();
      s.run([&s] { s.f.ResetStudy(); });
      Settle();
      state.ResumeTiming();
    }
    if (!s.open(path)) state.SkipWithError("the largest study could not be opened");
    Settle();
  }
  ReportPaints(state, paints);
  s.run([&s] { s.f.PageControl1.setActivePage(kReorderPage); });  // the records load when seen
  Settle();
  if (s.memo()->blockCount() < kLargestReorderRecords || !s.ui.messages.empty()) {
    state.SkipWithError("the window does not show the largest study");
  }
}
BENCHMARK(BM_OpenLargestStudyInWindow)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"over_itself"})
    ->Unit(benchmark::kMillisecond);

// The first look at the records after the open: the "Reorder" page is shown, the memo loads the
// records, gets its width and draws the lines in view. A plain QPlainTextEdit would lay every
// block out again here (a text layout for each of the 198,000).
void BM_ShowReorderPageAfterOpen(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("largest.set")).toStdString();
  WriteLargestStudyFile(path);
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<WindowSession>();
    s->open(path);
    Settle();
    state.ResumeTiming();
    s->run([&s] { s->f.PageControl1.setActivePage(kReorderPage); });
    Settle();
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
}
// Each iteration opens the study untimed first: a fixed count keeps the run short.
BENCHMARK(BM_ShowReorderPageAfterOpen)->Iterations(20)->Unit(benchmark::kMillisecond);

// A click that is one step, and Ctrl+Z's undo of it, through the window at the largest study:
// the snapshots, the restore and the widgets shown again, painting included.
void BM_StepAndUndoInWindow(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("largest.set")).toStdString();
  WriteLargestStudyFile(path);
  WindowSession s;
  if (!s.open(path)) state.SkipWithError("the largest study could not be opened");
  s.run([&s] { s.f.PageControl1.setActivePage(kReorderPage); });
  Settle();
  auto* technical = s.windows.main.findChild<QCheckBox*>(QStringLiteral("ChkTechOut"));
  auto* undo = s.windows.main.findChild<QAction*>(QStringLiteral("EditUndo"));
  for (auto _ : state) {
    technical->click();
    Settle();
    undo->trigger();
    Settle();
  }
  if (s.f.ChkTechOut.checked() || !s.f.CanRedo()) state.SkipWithError("the click was not undone");
}
BENCHMARK(BM_StepAndUndoInWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wintarvel::bench

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  wintarvel::bench::PaintCounter counter(app);
  wintarvel::bench::paintCounter = &counter;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
