// The Windows platform services against the real system (under Wine in the cross build): 8.3
// short paths, file creation, the engine start in its folder, and a whole run of the example
// study with the stand-in engine.

#ifdef _WIN32

#include "run/win32_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/example_run.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

namespace fs = std::filesystem;
using testing::FakeUi;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// The short form of an existing path, or "" when the platform gave none.
std::string shortFormOf(Win32Platform& p, const std::string& path) {
  std::string shortForm;
  const std::size_t length = p.shortPath(path, shortForm);
  EXPECT_EQ(length, shortForm.size()) << path;
  return shortForm;
}

// An 8.3 name: at most eight characters, a dot and at most three more, no blanks.
bool isEightDotThree(const std::string& name) {
  const auto dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  return !base.empty() && base.size() <= 8 && ext.size() <= 3 &&
         ext.find('.') == std::string::npos && name.find(' ') == std::string::npos;
}

TEST(Win32Platform, ALongFolderNameHasAnEightDotThreeAlias) {
  TempDir dir;
  Win32Platform p;
  const std::string folder = dir.file("a study folder with a long name");
  fs::create_directory(folder);
  const std::string file = folder + "\\the results of the first run.out";
  writeFile(file, "x");

  const std::string shortFolder = shortFormOf(p, folder);
  const std::string shortFile = shortFormOf(p, file);
  EXPECT_TRUE(isEightDotThree(fs::path(shortFolder).filename().string())) << shortFolder;
  EXPECT_TRUE(isEightDotThree(fs::path(shortFile).filename().string())) << shortFile;
  EXPECT_EQ(shortFile.find(' '), std::string::npos) << shortFile;
  EXPECT_TRUE(fs::equivalent(shortFolder, folder));
  EXPECT_TRUE(fs::equivalent(shortFile, file));
}

TEST(Win32Platform, MissingEmptyAndTooLongPathsGiveNoShortForm) {
  TempDir dir;
  Win32Platform p;
  std::string shortForm = "untouched";
  EXPECT_EQ(p.shortPath("", shortForm), 0u);
  EXPECT_EQ(p.shortPath(dir.file("no such file.set"), shortForm), 0u);
  EXPECT_EQ(shortForm, "untouched");

  // Under a root that is its own short form, 8.3 names stay as they are, so the short form is
  // exactly as long as the path: 254 characters fit, 255 do not. The folder is kept short of
  // the 248 characters a folder path may have.
  std::string folder = shortFormOf(p, dir.str());
  while (folder.size() + 9 <= 245) folder += "\\dddddddd";
  if (folder.size() + 2 <= 245) folder += "\\" + std::string(245 - folder.size() - 1, 'e');
  fs::create_directories(folder);
  auto fileOfLength = [&](std::size_t length) {
    const std::string path = folder + "\\" + std::string(length - folder.size() - 5, 'f') + ".set";
    writeFile(path, "x");
    return path;
  };
  const std::string fits = fileOfLength(254);
  EXPECT_EQ(p.shortPath(fits, shortForm), 254u);
  EXPECT_EQ(shortForm, fits);

  const std::string tooLong = fileOfLength(255);
  shortForm = "untouched";
  EXPECT_GE(p.shortPath(tooLong, shortForm), kShortPathCapacity);
  EXPECT_EQ(shortForm, "untouched");
}

TEST(Win32Platform, CreateIfMissingMakesAnEmptyFileAndNeverTouchesAnExistingOne) {
  TempDir dir;
  Win32Platform p;
  const std::string fresh = dir.file("new output.out");
  p.createIfMissing(fresh);
  ASSERT_TRUE(fs::exists(fresh));
  EXPECT_EQ(readFile(fresh), "");

  const std::string existing = dir.file("last run.out");
  writeFile(existing, "results of the last run");
  p.createIfMissing(existing);
  EXPECT_EQ(readFile(existing), "results of the last run");

  const std::string inMissingFolder = dir.file("no such folder\\a.out");
  p.createIfMissing(inMissingFolder);
  EXPECT_FALSE(fs::exists(inMissingFolder));
}

TEST(Win32Platform, TheCurrentFolderCanBeReadAndChanged) {
  TempDir dir;
  Win32Platform p;
  EXPECT_TRUE(p.setCurrentDir(dir.str()));
  EXPECT_TRUE(fs::equivalent(p.currentDir(), dir.str()));
  EXPECT_FALSE(p.setCurrentDir(""));
  EXPECT_FALSE(p.setCurrentDir(dir.file("no such folder")));
  EXPECT_TRUE(fs::equivalent(p.currentDir(), dir.str()));
}

TEST(Win32Platform, TheEngineRunsInTheGivenFolderAndItsExitCodeIsReturned) {
  TempDir dir;
  Win32Platform p;
  const std::string folder = dir.file("engine work folder");
  fs::create_directory(folder);
  // The whole text is the command line; "cd" prints the folder the program runs in.
  EXPECT_EQ(p.runEngine("cmd.exe /c cd > where.txt", folder), 0);
  std::string where = readFile(folder + "\\where.txt");
  while (!where.empty() && (where.back() == '\n' || where.back() == '\r')) where.pop_back();
  EXPECT_TRUE(fs::equivalent(where, folder)) << where;
  EXPECT_FALSE(fs::exists(dir.file("where.txt")));

  EXPECT_EQ(p.runEngine("cmd.exe /c exit 7", folder), 7);
  EXPECT_EQ(p.runEngine(dir.file("no such engine\\tarvel.exe"), folder), std::nullopt);
  EXPECT_EQ(p.runEngine("cmd.exe /c exit 0", dir.file("no such folder")), std::nullopt);
  // A set file named without a folder gives an empty working folder, which Windows refuses.
  EXPECT_EQ(p.runEngine("cmd.exe /c exit 0", ""), std::nullopt);
}

TEST(Win32Platform, SplitPathSplitsAtTheNativeBackslash) {
  auto expectSplit = [](const std::string& path, const std::string& dir, const std::string& base,
                        const std::string& ext, bool ok) {
    const SplitPathResult r = SplitPath(path);
    EXPECT_EQ(r.dir, dir) << path;
    EXPECT_EQ(r.base, base) << path;
    EXPECT_EQ(r.ext, ext) << path;
    EXPECT_EQ(r.ok, ok) << path;
  };
  expectSplit("C:\\study\\a.b\\run.set", "C:\\study\\a.b", "run", "set", true);
  expectSplit("run.set", "", "run", "set", true);
  expectSplit("C:\\study\\", "C:\\study", "", "", false);
  expectSplit(".set", "", "", "set", false);
  expectSplit("C:\\study\\readme", "C:\\study", "readme", "", true);
  expectSplit("C:/study/run.set", "", "C:/study/run", "set", true);
}

#ifdef WINTARVEL_ENGINE
TEST(Win32Platform, TheExampleStudyRunsWithTheEngineInAFolderWithALongName) {
  TempDir dir;
  FakeUi ui;
  testing::RecordingPlatform<Win32Platform> platform;
  TFrm1 f(ui, platform, dir.str());
  ASSERT_NO_FATAL_FAILURE(testing::prepareExampleRun(f, ui, dir, WINTARVEL_ENGINE));

  f.GenInstrClick();
  EXPECT_TRUE(ui.messages.empty());

  const std::vector<std::string> lines = testing::crlfLines(
      readFile(fs::path(f.TxtSetFile.text()).parent_path().string() + "\\xkb.ist"));
  const std::vector<std::string> longPaths = testing::exampleRunPaths(f);
  ASSERT_EQ(lines.size(), longPaths.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].find(' '), std::string::npos) << lines[i];
    EXPECT_TRUE(isEightDotThree(fs::path(lines[i]).parent_path().filename().string())) << lines[i];
    EXPECT_TRUE(isEightDotThree(fs::path(lines[i]).filename().string())) << lines[i];
    EXPECT_TRUE(fs::equivalent(lines[i], longPaths[i])) << lines[i];
  }
  testing::expectExampleReport(f, platform.engineExit, platform.viewerStarts);
}
#endif

}  // namespace
}  // namespace wintarvel

#endif  // _WIN32
