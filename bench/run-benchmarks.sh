#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all, then prints one summary with the targets.
#   bench/run-benchmarks.sh [build folder]      (default: build-bench beside this folder)
# Needs Google Benchmark, Qt 6, python3, /usr/bin/time and hyperfine: installed when missing.
# Environment: REPETITIONS (Google Benchmark repetitions, default 5), RUNS (start-up runs, 40).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build=${1:-$source_dir/build-bench}
repetitions=${REPETITIONS:-5}
runs=${RUNS:-40}
export QT_QPA_PLATFORM=offscreen

"$source_dir/scripts/install-deps.sh" time hyperfine

cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINTARVEL_BENCHMARKS=ON \
  >/dev/null
cmake --build "$build" -j2 --target memo_benchmark setfile_benchmark history_benchmark view_benchmark \
  set_file_view_benchmark write_largest_study largest_study_in_window plain_text_in_window startup_program startup_bare_qt \
  >/dev/null
bin=$build/bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

echo "== Machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

for b in memo_benchmark setfile_benchmark history_benchmark view_benchmark set_file_view_benchmark; do
  echo "== $b"
  "$bin/$b" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/$b.json" --benchmark_out_format=json 2>/dev/null | grep -E "median|ERROR"
done

echo "== Start-up to the idle event loop (offscreen), $runs runs each"
startup=("$bin/startup_bare_qt" "$bin/startup_bare_qt --tabs" "$bin/startup_program")
if command -v hyperfine >/dev/null; then
  hyperfine -N --warmup 5 --runs "$runs" --export-json "$out/startup.json" "${startup[@]}" >/dev/null
else
  python3 - "$out/startup.json" "$runs" "${startup[@]}" <<'PY'
import json, subprocess, sys, time
path, runs, commands = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
results = []
for command in commands:
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command.split(), check=True)
        times.append(time.perf_counter() - start)
    times.sort()
    results.append({"command": command, "median": times[len(times) // 2]})
json.dump({"results": results}, open(path, "w"))
PY
fi

echo "== Peak memory (/usr/bin/time -v, maximum resident set size)"
"$bin/write_largest_study" "$out/largest.set"
rss() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}'; }
{
  echo "program_with_largest_study $(rss "$bin/largest_study_in_window" "$out/largest.set")"
  echo "plain_qt_with_same_text $(rss "$bin/plain_text_in_window" "$out/largest.set")"
  echo "program_idle $(rss "$bin/startup_program")"
  echo "bare_qt_idle $(rss "$bin/startup_bare_qt")"
} >"$out/rss.txt"
echo "largest study file: $(stat -c %s "$out/largest.set") bytes"

python3 - "$out" <<'PY'
import json, sys
out = sys.argv[1]

def medians(name):
    data = json.load(open(f"{out}/{name}.json"))
    ms = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            factor = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            ms[b["run_name"]] = (b["real_time"] * factor, b["cpu_time"] * factor)
    return ms

def verdict(ok):
    return "met" if ok else "MISSED"

memo, setfile, view = medians("memo_benchmark"), medians("setfile_benchmark"), medians("view_benchmark")
print("\n================ Summary (medians; wall ms / cpu ms) ================")
print("1. Reorder memo, 198,000 records")
for name in ("BM_LoadReorderRecords", "BM_TypeOneCharacter/at_start:0", "BM_TypeOneCharacter/at_start:1"):
    print(f"   core   {name:42s} {memo[name][0]:9.4f} / {memo[name][1]:9.4f}")
for name in ("BM_LoadMemo_Bound", "BM_LoadMemo_PlainQt", "BM_TypeOneCharacter_Bound/at_start:0",
             "BM_TypeOneCharacter_PlainQt/at_start:0", "BM_TypeOneCharacter_Bound/at_start:1",
             "BM_TypeOneCharacter_PlainQt/at_start:1"):
    print(f"   widget {name:42s} {view[name][0]:9.4f} / {view[name][1]:9.4f}")
worst_key = max(view["BM_TypeOneCharacter_Bound/at_start:0"][0], view["BM_TypeOneCharacter_Bound/at_start:1"][0])
print(f"   one typed character through the widget: {worst_key:.2f} ms (target under 16 ms): {verdict(worst_key < 16)}")

start = {r["command"].split("/")[-1]: r["median"] * 1000 for r in json.load(open(f"{out}/startup.json"))["results"]}
ratio = start["startup_program"] / start["startup_bare_qt"]
print("2. Start-up to the idle event loop")
for name, ms in start.items():
    print(f"   {name:28s} {ms:7.1f} ms")
print(f"   program / bare Qt = {ratio:.2f} (target at most 1.5): {verdict(ratio <= 1.5)}"
      f"; program / bare Qt with tab captions = {start['startup_program'] / start['startup_bare_qt --tabs']:.2f}")

copy = setfile["BM_CopyLineByLine"]
print("3. Largest study: open and save in the core, beside a line-by-line copy")
for name in ("BM_CopyLineByLine", "BM_OpenSetFile", "BM_SaveSetFile"):
    print(f"   {name:28s} {setfile[name][0]:8.1f} / {setfile[name][1]:8.1f}   x{setfile[name][0] / copy[0]:.2f} of the copy")
worst = max(setfile["BM_OpenSetFile"][0], setfile["BM_SaveSetFile"][0]) / copy[0]
print(f"   worst of open and save = {worst:.2f} x the copy (target at most 5): {verdict(worst <= 5)}")
for name in ("BM_OpenLargestStudyInWindow/over_itself:0", "BM_OpenLargestStudyInWindow/over_itself:1",
             "BM_ShowReorderPageAfterOpen/iterations:20"):
    print(f"   window {name:42s} {view[name][0]:8.1f} / {view[name][1]:8.1f}")
window_open = view["BM_OpenLargestStudyInWindow/over_itself:0"][0]
print(f"   open in the window: {window_open:.0f} ms (target under 500 ms): {verdict(window_open < 500)}")

rss = dict(line.split() for line in open(f"{out}/rss.txt"))
print("4. Peak resident memory")
for name, kb in rss.items():
    print(f"   {name:28s} {int(kb) / 1024:7.1f} MB")
peak = int(rss["program_with_largest_study"]) / 1024
print(f"   program holding the largest study: {peak:.0f} MB (target under 250 MB): {verdict(peak < 250)}")

panel = medians("set_file_view_benchmark")
print("5. Set file panel at the largest study, Check Data on 100 MB")
for name in ("BM_TypeInTitleWithPanelOpen", "BM_RecomposeAfterPause", "BM_ComposeSetFile",
             "BM_ShowTextInPlainQt/iterations:3", "BM_CheckDataFile_100MB",
             "BM_CheckDataButton_100MB"):
    print(f"   {name:42s} {panel[name][0]:9.2f} / {panel[name][1]:9.2f}")
typed = panel["BM_TypeInTitleWithPanelOpen"][0]
print(f"   one typed character with the panel open: {typed:.2f} ms (target under 16 ms): {verdict(typed < 16)}")
check = panel["BM_CheckDataButton_100MB"][0]
print(f"   Check Data on a file of 100 MB: {check:.0f} ms (target under 500 ms): {verdict(check < 500)}")
history = json.load(open(f"{out}/history_benchmark.json"))
history_mb = [b["history_MB"] for b in history["benchmarks"]
              if b.get("aggregate_name") == "median" and "history_MB" in b][0]
undo = medians("history_benchmark")
print("6. Undo at the largest study")
for name in ("BM_UserEventStep", "BM_UndoAndRedo", "BM_StepThenTypeInMemo"):
    print(f"   core   {name:28s} {undo[name][0]:8.3f} / {undo[name][1]:8.3f}")
window_step = view["BM_StepAndUndoInWindow"]
print(f"   window {'BM_StepAndUndoInWindow':28s} {window_step[0]:8.3f} / {window_step[1]:8.3f}")
worst_step = max(undo["BM_UserEventStep"][0], undo["BM_UndoAndRedo"][0], window_step[0] / 2)
print(f"   one step or its undo, at worst: {worst_step:.3f} ms (target under 16 ms): {verdict(worst_step < 16)}")
print(f"   history of 100 steps: {history_mb:.1f} MB (target under 50 MB): {verdict(history_mb < 50)}")
PY
