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

#include "run/posix_platform.h"
#include "support/example_run.h"

namespace wintarvel::testing {
namespace {

namespace fs = std::filesystem;

// Every name of a Windows path after its drive is an 8.3 name, with no blanks.
bool isEightDotThreePath(const std::string& windowsPath) {
  static const std::regex shortPath(R"([A-Za-z]:(\\[^\\. ]{1,8}(\.[^\\. ]{1,3})?)+)");
  return std::regex_match(windowsPath, shortPath);
}

// The Linux path Wine gives for a Windows path (`winepath -u`); a short form has no quotes.
std::string linuxPathOf(const std::string& windowsPath) {
  FILE* out = popen(("winepath -u '" + windowsPath + "'").c_str(), "r");
  char buffer[4096] = "";
  if (out && !fgets(buffer, sizeof buffer, out)) buffer[0] = '\0';
  if (out) pclose(out);
  return std::string(buffer).substr(0, std::string(buffer).find('\n'));
}

TEST(WindowsEngineThroughWine, TheExampleStudyRunsFromFoldersWithBlanks) {
  const char* windowsEngine = std::getenv("WINTARVEL_WINDOWS_ENGINE");
  ASSERT_TRUE(windowsEngine && fs::exists(windowsEngine)) << "WINTARVEL_WINDOWS_ENGINE: no file";
  ASSERT_TRUE(std::getenv("WINEPREFIX")) << "a Wine prefix of the test's own, never ~/.wine";

  TempDir dir;
  FakeUi ui;
  RecordingPlatform<PosixPlatform> platform;
  TFrm1 f(ui, platform, dir.str());
  ASSERT_NO_FATAL_FAILURE(prepareExampleRun(f, ui, dir, windowsEngine));

  f.GenInstrClick();
  EXPECT_TRUE(ui.messages.empty());

  const auto lines =
      crlfLines(readFile((fs::path(f.TxtSetFile.text()).parent_path() / "xkb.ist").string()));
  const auto longPaths = exampleRunPaths(f);
  ASSERT_EQ(lines.size(), longPaths.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(isEightDotThreePath(lines[i])) << lines[i];
    EXPECT_TRUE(fs::equivalent(linuxPathOf(lines[i]), longPaths[i])) << lines[i];
  }
  expectExampleReport(f, platform.engineExit, platform.viewerStarts);
}

}  // namespace
}  // namespace wintarvel::testing
