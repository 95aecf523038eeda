#pragma once
// A whole run of the example study from folders whose names have blanks, with a real platform
// and a real engine: shared by the run on Windows and the run of the Windows engine through Wine.

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

// Opens the example study and saves it as "roommate setup.set" in the folder "Roommate study of
// the spring term" of `dir`, with its data file and the output names beside it and `engine`
// copied as tarvel.exe into the folder "stand in engine", named as the engine directory.
// A fatal test failure when the example cannot be opened or saved.
void prepareExampleRun(TFrm1& f, FakeUi& ui, const TempDir& dir, const std::string& engine);

// The set, data, output and effect estimates paths of the run, as typed.
std::vector<std::string> exampleRunPaths(const TFrm1& f);

// What the stand-in engine leaves after a good run of the example: exit code 0, its report of
// the study, its note in the effect estimates file, and the viewer started on the report.
void expectExampleReport(const TFrm1& f, std::optional<int> engineExit,
                         const std::vector<std::string>& viewerStarts);

// The lines of a text, every one of which must end in CR LF.
std::vector<std::string> crlfLines(const std::string& text);

}  // namespace wintarvel::testing
