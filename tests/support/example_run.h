#pragma once
// A whole run of the example study from folders with blanks, with a real platform and engine.

#include <optional>
#include <string>
#include <vector>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {

// A real platform whose engine exit code is noted and whose viewer is recorded, not opened.
template <class RealPlatform>
class RecordingPlatform : public RealPlatform {
 public:
  std::optional<int> runEngine(const std::string& program, const std::string& workingDir) override {
    engineExit = RealPlatform::runEngine(program, workingDir);
    return engineExit;
  }
  bool startViewer(const std::string& path) override {
    viewerStarts.push_back(path);
    return true;
  }

  std::optional<int> engineExit;
  std::vector<std::string> viewerStarts;
};

// Saves the example study in a folder of `dir` with blanks in its name, its data and output files
// beside it, `engine` as tarvel.exe in another such folder; a fatal failure when it cannot.
void prepareExampleRun(TFrm1& f, FakeUi& ui, const TempDir& dir, const std::string& engine);
// The set, data, output and effect estimates paths of the run, as typed.
std::vector<std::string> exampleRunPaths(const TFrm1& f);
// A good run: exit code 0, the report and effect estimates written, the viewer on the report.
void expectExampleReport(const TFrm1& f, std::optional<int> engineExit,
                         const std::vector<std::string>& viewerStarts);
// The lines of a text, every one of which must end in CR LF.
std::vector<std::string> crlfLines(const std::string& text);

}  // namespace wintarvel::testing
