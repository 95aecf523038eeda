// The example study run on Linux with the Windows build of the stand-in engine, through Wine, by
// the POSIX platform: the instruction file names Wine's 8.3 forms of the files, and the engine
// finds and reports the study. Run by `make test-windows`, which builds the Windows engine and a
// Wine prefix of its own, and names them in WINTARVEL_WINDOWS_ENGINE and WINEPREFIX.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "run/posix_platform.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

namespace fs = std::filesystem;
using testing::FakeUi;
using testing::readFile;
using testing::TempDir;

const std::string kExamples = std::string(WINTARVEL_TEST_DATA) + "/../../examples";

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The real platform, with the engine's exit code noted and the viewer recorded, not opened.
class RecordingPlatform : public PosixPlatform {
 public:
  std::optional<int> runEngine(const std::string& program, const std::string& workingDir) override {
    engineExit = PosixPlatform::runEngine(program, workingDir);
    return engineExit;
  }
  bool startViewer(const std::string& path) override {
    viewerStarts.push_back(path);
    return true;
  }
  std::optional<int> engineExit;
  std::vector<std::string> viewerStarts;
};

std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

// Every folder and file name of a Windows path is an 8.3 name: at most eight characters, a dot
// and at most three more, no blanks.
bool isEightDotThreePath(const std::string& windowsPath) {
  if (windowsPath.size() < 3 || windowsPath[1] != ':' || windowsPath[2] != '\\') return false;
  std::size_t start = 3;
  while (start < windowsPath.size()) {
    std::size_t end = windowsPath.find('\\', start);
    if (end == std::string::npos) end = windowsPath.size();
    const std::string name = windowsPath.substr(start, end - start);
    const std::size_t dot = name.find('.');
    const std::size_t ext = dot == std::string::npos ? 0 : name.size() - dot - 1;
    if (name.empty() || name.find(' ') != std::string::npos || name.substr(0, dot).size() > 8 ||
        ext > 3 || name.find('.', dot + 1) != std::string::npos) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

// The Linux path Wine gives for a Windows path (`winepath -u`). The path is quoted for the
// shell: a short form has no quotes of its own.
std::string linuxPathOf(const std::string& windowsPath) {
  FILE* out = popen(("winepath -u '" + windowsPath + "'").c_str(), "r");
  if (!out) return {};
  std::string text;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, out)) text += buffer;
  pclose(out);
  return text.substr(0, text.find('\n'));
}

TEST(WindowsEngineThroughWine, TheExampleStudyRunsFromFoldersWithBlanks) {
  const std::string windowsEngine = environment("WINTARVEL_WINDOWS_ENGINE");
  ASSERT_TRUE(fs::exists(windowsEngine)) << "WINTARVEL_WINDOWS_ENGINE names no file";
  ASSERT_FALSE(environment("WINEPREFIX").empty())
      << "a Wine prefix of the test's own, never ~/.wine";

  TempDir dir;
  const std::string study = dir.file("Roommate study of the spring term");
  const std::string engineDir = dir.file("windows engine");
  fs::create_directory(study);
  fs::create_directory(engineDir);
  fs::copy_file(windowsEngine, engineDir + "/tarvel.exe");
  fs::copy_file(kExamples + "/roommate.txt", study + "/roommate ratings.txt");

  FakeUi ui;
  RecordingPlatform platform;
  TFrm1 f(ui, platform, dir.str());
  ui.queueFile(fs::absolute(kExamples + "/roommate.set").string());
  f.BtnOpenSetClick();
  ASSERT_EQ(f.TxtProgTitle.text().substr(0, 14), "Roommate study");
  f.TxtSetFile.setText(study + "/roommate setup.set");
  ASSERT_TRUE(f.SaveSetFile());
  f.TxtDataFile.setText(study + "/roommate ratings.txt");
  f.TxtOutFile.setText(study + "/roommate results.out");
  f.TxtIndDif.setText(study + "/roommate effects.out");
  f.TxtExeDir.setText(engineDir);

  f.GenInstrClick();
  for (const auto& m : ui.messages) ADD_FAILURE() << "message: " << m.text;

  const std::vector<std::string> lines = crlfLines(readFile(study + "/xkb.ist"));
  const std::vector<std::string> longPaths = {f.TxtSetFile.text(), f.TxtDataFile.text(),
                                              f.TxtOutFile.text(), f.TxtIndDif.text()};
  ASSERT_EQ(lines.size(), longPaths.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(isEightDotThreePath(lines[i])) << lines[i];
    EXPECT_TRUE(fs::equivalent(linuxPathOf(lines[i]), longPaths[i])) << lines[i];
  }

  // The engine found xkb.ist only because it ran in the set file's folder.
  EXPECT_EQ(platform.engineExit, 0);
  const std::string report = readFile(f.TxtOutFile.text());
  for (const char* part : {"NOT the Tarvel analysis engine", "Roommate study", "Asymmetric Block",
                           "Data file records (lines):    480"}) {
    EXPECT_NE(report.find(part), std::string::npos) << "missing \"" << part << "\" in:\n" << report;
  }
  EXPECT_NE(readFile(f.TxtIndDif.text()).find("actor and partner effect estimates"),
            std::string::npos);
  EXPECT_EQ(platform.viewerStarts, std::vector<std::string>{f.TxtOutFile.text()});
}

}  // namespace
}  // namespace wintarvel
