// "Run Tarvel": writes the instruction file xkb.ist into the set file's folder, creates missing
// output files, starts the engine there, waits for it, and opens the main output in the viewer.
// The engine reads the set file on disk: with unsaved changes the user is asked first whether to
// save them, so that a run never uses another study than the window shows without a word. Every
// run ends with a word on how it ended.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "model/frm1.h"

namespace wintarvel {

namespace {

constexpr const char* kInstructionFileName = "xkb.ist";
constexpr const char* kEngineProgramName = "tarvel.exe";
constexpr const char* kPathError = "Error: At least one path is either empty or too long.";
constexpr const char* kSaveBeforeRun =
    "The study has changes that are not saved. Save them before the run?";

std::string enginePath(const TFrm1& f) {
  return f.TxtExeDir.text() + kPathSeparator + kEngineProgramName;
}

std::string instructionFilePath(const TFrm1& f) {
  return SplitPath(f.TxtSetFile.text()).dir + kPathSeparator + kInstructionFileName;
}

struct RunPath {
  const std::string& path;
  bool isOutput;  // created before its short form is taken, so that a new name has a file
};

// The paths of the instruction file in their order; the optional files follow the output options
// (not whether their fields are enabled), as the set file records them for the engine.
std::vector<RunPath> runPaths(const TFrm1& f) {
  std::vector<RunPath> paths = {
      {f.TxtSetFile.text(), false}, {f.TxtDataFile.text(), false}, {f.TxtOutFile.text(), true}};
  if (f.RadOut4.checked()) paths.push_back({f.TxtCoVar.text(), true});
  if (f.RadAP1.checked() || f.RadAP2.checked()) paths.push_back({f.TxtIndDif.text(), true});
  return paths;
}

// The short form of a path as the engine reads it, or nullopt (after the message) when it is
// missing, empty or too long.
std::optional<std::string> checkedShortPath(TFrm1& f, const std::string& path) {
  std::string shortForm;
  const std::size_t length = f.platform.engineShortPath(enginePath(f), path, shortForm);
  if (length == 0 || length >= kShortPathCapacity) {
    f.ui.showMessage(kPathError, "");
    return std::nullopt;
  }
  return shortForm;
}

// Asks about unsaved changes before a run. Yes saves (and a save that wrote nothing runs
// nothing), No runs the file as last saved, Cancel runs nothing. False when nothing is to run.
bool settleChangesBeforeRun(TFrm1& f) {
  if (!f.Modified) return true;
  switch (f.ui.ask(kSaveBeforeRun, "Confirm", Buttons::YesNoCancel)) {
    case Answer::Cancel:
      return false;
    case Answer::No:
      return true;
    case Answer::Yes:
      f.DoneClick();
      return !f.Modified;
  }
  return false;
}

void showRunOutcome(TFrm1& f, const std::string& text) {
  f.RunOutcome.setCaption("");  // the same words as the last run's still count as news
  f.RunOutcome.setCaption(text);
}

std::string endedText(int exitCode, double seconds, const std::string& report) {
  char time[32];
  std::snprintf(time, sizeof time, seconds < 1 ? "%.2f" : "%.1f", seconds);
  return "Tarvel ended with exit code " + std::to_string(exitCode) + " after " + time +
         " s. Report: " + report;
}

}  // namespace

// Every path is checked even after a failure, and each failing one shows the message; the file
// is closed at the first failure, so it keeps only the lines written before it. An engine that
// cannot run on this system at all (a Windows program without Wine) is reported before anything
// is asked or written. Without a set file name there is no folder to run in: the message is shown
// once and nothing is written.
void TFrm1::GenInstrClick() {
  const std::string problem = platform.engineCommand(enginePath(*this)).problem;
  if (!problem.empty()) {
    ui.showMessage(problem, "");
    return;
  }
  if (!settleChangesBeforeRun(*this)) return;
  if (TxtSetFile.text().empty()) {
    ui.showMessage(kPathError, "");
    return;
  }
  std::ofstream instructions(instructionFilePath(*this), std::ios::binary | std::ios::trunc);
  for (const RunPath& p : runPaths(*this)) {
    if (p.isOutput) platform.createIfMissing(p.path);
    const auto shortForm = checkedShortPath(*this, p.path);
    if (!shortForm) {
      instructions.close();
      continue;
    }
    if (instructions.is_open()) instructions << *shortForm << "\r\n";
  }
  instructions.close();
  BtnRunClick();
}

// Runs the engine whatever the instruction file holds. A start that fails opens no viewer.
void TFrm1::BtnRunClick() {
  const std::string workingDir = SplitPath(TxtSetFile.text()).dir;
  checkedShortPath(*this, instructionFilePath(*this));
  const std::string program = enginePath(*this);
  const auto started = std::chrono::steady_clock::now();
  const std::optional<int> exitCode = platform.runEngine(program, workingDir);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  if (!exitCode) {
    showRunOutcome(*this, platform.engineWasStopped()
                              ? "Tarvel was stopped."
                              : "Tarvel could not be started: " + program + ".");
    return;
  }
  // The viewer gets the output path as typed, not its short form.
  const std::string& report = TxtOutFile.text();
  showRunOutcome(*this, endedText(*exitCode, took.count(), report));
  if (!platform.startViewer(report)) {
    ui.showMessage(
        "No text viewer could be started to show the report. The report is in " + report + ".", "");
  }
}

}  // namespace wintarvel
