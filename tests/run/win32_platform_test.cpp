// The Windows platform services against the real system (under Wine in the cross build): 8.3
// short paths, file creation, the engine start in its folder, and a whole run of the example
// study with the stand-in engine.

#ifdef _WIN32

#include "run/win32_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "support/example_run.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

namespace fs = std::filesystem;
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
  return std::regex_match(name, std::regex("[^ .]{1,8}(\\.[^ .]{0,3})?"));
}

TEST(Win32Platform, LongNamesHaveEightDotThreeAliasesAndTooLongOrMissingPathsNone) {
  TempDir dir;
  Win32Platform p;
  const std::string folder = dir.file("a study folder with a long name");
  fs::create_directory(folder);
  const std::string file = folder + "\\the results of the first run.out";
  writeFile(file, "x");
  for (const std::string& path : {folder, file}) {
    const std::string shortForm = shortFormOf(p, path);
    EXPECT_TRUE(isEightDotThree(fs::path(shortForm).filename().string())) << shortForm;
    EXPECT_TRUE(fs::equivalent(shortForm, path)) << shortForm;
  }

  // Under a root that is its own short form, 8.3 names stay as they are, so the short form is
  // exactly as long as the path: 254 characters fit, 255 do not. The folder is kept short of
  // the 248 characters a folder path may have.
  std::string deep = shortFormOf(p, dir.str());
  while (deep.size() + 9 <= 245) deep += "\\dddddddd";
  if (deep.size() + 2 <= 245) deep += "\\" + std::string(245 - deep.size() - 1, 'e');
  fs::create_directories(deep);
  for (const std::size_t length : {254u, 255u}) {
    const std::string path = deep + "\\" + std::string(length - deep.size() - 5, 'f') + ".set";
    writeFile(path, "x");
    std::string shortForm = "untouched";
    EXPECT_EQ(p.shortPath(path, shortForm) < kShortPathCapacity, length == 254);
    EXPECT_EQ(shortForm, length == 254 ? path : "untouched");
  }
  std::string shortForm = "untouched";
  EXPECT_EQ(p.shortPath("", shortForm) + p.shortPath(dir.file("no such file.set"), shortForm), 0u);
  EXPECT_EQ(shortForm, "untouched");
}

TEST(Win32Platform, FilesAreCreatedOnlyWhenMissingAndTheCurrentFolderChangesOnlyToOneThatExists) {
  TempDir dir;
  Win32Platform p;
  writeFile(dir.file("last run.out"), "results of the last run");
  for (const char* name : {"new output.out", "last run.out", "no such folder\\a.out"})
    p.createIfMissing(dir.file(name));
  EXPECT_EQ(readFile(dir.file("new output.out")) + "|" + readFile(dir.file("last run.out")),
            "|results of the last run");
  EXPECT_FALSE(fs::exists(dir.file("no such folder")));

  EXPECT_TRUE(p.setCurrentDir(dir.str()));
  EXPECT_FALSE(p.setCurrentDir("") || p.setCurrentDir(dir.file("no such folder")));
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
  EXPECT_TRUE(fs::equivalent(where.substr(0, where.find_first_of("\r\n")), folder)) << where;

  EXPECT_EQ(p.runEngine("cmd.exe /c exit 7", folder), 7);
  EXPECT_EQ(p.runEngine(dir.file("no such engine\\tarvel.exe"), folder), std::nullopt);
  EXPECT_EQ(p.runEngine("cmd.exe /c exit 0", dir.file("no such folder")), std::nullopt);
  // A set file named without a folder gives an empty working folder, which Windows refuses.
  EXPECT_EQ(p.runEngine("cmd.exe /c exit 0", ""), std::nullopt);
}

#ifdef WINTARVEL_ENGINE
TEST(Win32Platform, TheExampleStudyRunsWithTheEngineInAFolderWithALongName) {
  TempDir dir;
  testing::FakeUi ui;
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
