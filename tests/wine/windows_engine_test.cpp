// The example study run by the POSIX platform with the Windows build of the stand-in engine
// through Wine: the instruction file names the files' 8.3 forms, and the engine reports the
// study. `make test-windows` names the engine and a Wine prefix of its own in
// WINTARVEL_WINDOWS_ENGINE and WINEPREFIX.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "run/posix_platform.h"
#include "support/example_run.h"

namespace wintarvel {
namespace {

namespace fs = std::filesystem;
using testing::FakeUi;
using testing::readFile;
using testing::TempDir;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Every name of a Windows path after its drive is an 8.3 name, with no blanks.
bool isEightDotThreePath(const std::string& windowsPath) {
  static const std::regex shortPath(R"([A-Za-z]:(\\[^\\. ]{1,8}(\.[^\\. ]{1,3})?)+)");
  return std::regex_match(windowsPath, shortPath);
}

// The Linux path Wine gives for a Windows path (`winepath -u`); a short form has no quotes.
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
  FakeUi ui;
  testing::RecordingPlatform<PosixPlatform> platform;
  TFrm1 f(ui, platform, dir.str());
  ASSERT_NO_FATAL_FAILURE(testing::prepareExampleRun(f, ui, dir, windowsEngine));

  f.GenInstrClick();
  for (const auto& m : ui.messages) ADD_FAILURE() << "message: " << m.text;

  const std::vector<std::string> lines = testing::crlfLines(
      readFile((fs::path(f.TxtSetFile.text()).parent_path() / "xkb.ist").string()));
  const std::vector<std::string> longPaths = testing::exampleRunPaths(f);
  ASSERT_EQ(lines.size(), longPaths.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(isEightDotThreePath(lines[i])) << lines[i];
    EXPECT_TRUE(fs::equivalent(linuxPathOf(lines[i]), longPaths[i])) << lines[i];
  }
  testing::expectExampleReport(f, platform.engineExit, platform.viewerStarts);
}

}  // namespace
}  // namespace wintarvel
