// "Run Tarvel": writes the instruction file xkb.ist into the set file's folder, creates missing
// output files, starts the engine there, waits for it, and opens the main output in the viewer.
// The run uses the set file as last saved; it does not save first.

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

}  // namespace

// Every path is checked even after a failure, and each failing one shows the message; the file
// is closed at the first failure, so it keeps only the lines written before it. An engine that
// cannot run on this system at all (a Windows program without Wine) is reported before anything
// is written.
void TFrm1::GenInstrClick() {
  const std::string problem = platform.engineCommand(enginePath(*this)).problem;
  if (!problem.empty()) {
    ui.showMessage(problem, "");
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

// Runs the engine whatever the instruction file holds; a start that fails ends the run silently.
void TFrm1::BtnRunClick() {
  const std::string workingDir = SplitPath(TxtSetFile.text()).dir;
  checkedShortPath(*this, instructionFilePath(*this));
  if (!platform.runEngine(enginePath(*this), workingDir)) return;
  // The viewer gets the output path as typed, not its short form.
  platform.startViewer(TxtOutFile.text());
}

}  // namespace wintarvel
