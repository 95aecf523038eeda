// The POSIX platform services with real files and processes. Nothing here is timed: a started
// program that must not be waited for blocks until the test releases it, and every wait for a
// program has a deadline of 30 s.

#include "run/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

void writeScript(const std::string& path, const std::string& body) {
  writeFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
}

// Shell lines that wait up to 60 s for `release` to exist, then run `then` (or give up and
// write "not released" to `result`).
std::string blockUntil(const std::string& release, const std::string& result,
                       const std::string& then) {
  return "i=0\nwhile [ ! -e \"" + release + "\" ]; do i=$((i+1)); if [ $i -gt 600 ]; then " +
         "echo 'not released' > \"" + result + "\"; exit 9; fi; sleep 0.1; done\n" + then + "\n";
}

template <class Condition>
bool waitFor(Condition done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// True when this test process has no child left, running or unreaped.
bool noChildLeft() {
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// Puts `dir` first on PATH (or makes it all of PATH) until the end of the scope.
struct ScopedPath {
  ScopedPath(const std::string& dir, bool only) : old(std::getenv("PATH")) {
    setenv("PATH", (only ? dir : dir + ":" + old).c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", old.c_str(), 1); }
  std::string old;
};

TEST(PosixPlatform, FilesAreCreatedOnlyWhenMissingAndTheCurrentFolderOnlyChangesToOneThatExists) {
  TempDir dir;
  PosixPlatform p;
  writeFile(dir.file("a b.txt"), "kept");
  for (const std::string name : {"a b.txt", "new.out", "no folder/new.out"})
    p.createIfMissing(dir.file(name));
  EXPECT_EQ(readFile(dir.file("a b.txt")) + "|" + readFile(dir.file("new.out")), "kept|");
  EXPECT_FALSE(fs::exists(dir.file("no folder")));

  EXPECT_FALSE(p.setCurrentDir(dir.file("missing")) || p.setCurrentDir(""));
  EXPECT_TRUE(p.setCurrentDir(dir.str()));
  EXPECT_EQ(fs::path(p.currentDir()), fs::canonical(dir.path()));
}

// A failed chdir or exec in the child is reported through a pipe: no exit code, and the child
// is reaped at once.
TEST(PosixPlatform, TheEngineRunsInItsFolderAndGivesItsExitCodeOrNothingWhenItCannotStart) {
  TempDir dir, work;
  PosixPlatform p;
  writeScript(dir.file("engine with blanks"), "pwd > ran-here\nexit 3\n");
  writeScript(dir.file("killed"), "kill -TERM $$\n");
  writeFile(dir.file("not executable"), "#!/bin/sh\nexit 0\n");
  const struct {
    std::string program, folder;
    std::optional<int> code;
  } rows[] = {{dir.file("engine with blanks"), work.str(), 3},
              {dir.file("killed"), work.str(), 128 + SIGTERM},
              {dir.file("missing"), dir.str(), std::nullopt},
              {dir.file("not executable"), dir.str(), std::nullopt},
              {dir.file("killed"), dir.file("missing"), std::nullopt},
              {dir.file("killed"), "", std::nullopt}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.program + " in " + row.folder);
    EXPECT_EQ(p.runEngine(row.program, row.folder), row.code);
    EXPECT_TRUE(noChildLeft());
  }
  EXPECT_EQ(fs::path(readFile(work.file("ran-here")).substr(0, work.str().size())), work.path());
}

TEST(PosixPlatform, AnEngineIsWatchedWithoutBlockingAndStopped) {
  TempDir dir;
  PosixPlatform p;
  // A poll that waited, or a stop that waited instead of killing, would never return before
  // the release.
  writeScript(dir.file("blocked"),
              blockUntil(dir.file("release"), dir.file("result"), "echo ended > result"));
  writeScript(dir.file("quick"), "exit 5\n");
  const auto blocked = p.startEngine(dir.file("blocked"), dir.str());
  ASSERT_TRUE(blocked);
  EXPECT_EQ(p.pollEngine(*blocked), std::nullopt) << "still running";
  p.stopEngine(*blocked);
  EXPECT_TRUE(noChildLeft());
  writeFile(dir.file("release"), "");
  EXPECT_FALSE(fs::exists(dir.file("result"))) << readFile(dir.file("result"));

  const auto quick = p.startEngine(dir.file("quick"), dir.str());
  ASSERT_TRUE(quick);
  std::optional<int> code;
  EXPECT_TRUE(waitFor([&] { return (code = p.pollEngine(*quick)).has_value(); }));
  EXPECT_EQ(code, 5);
}

TEST(PosixPlatform, TheViewerIsStartedWithoutWaitingForIt) {
  TempDir bin, files, empty;
  // The viewer records its argument only once released, which happens after startViewer
  // returned: a start that waited for the viewer would never return.
  writeScript(bin.file("xdg-open"),
              blockUntil(files.file("release"), files.file("opened"),
                         "printf '%s' \"$1\" > \"" + files.file("opened") + "\""));
  PosixPlatform p;
  ScopedPath path(bin.str(), false);
  EXPECT_TRUE(p.startViewer("/a folder/with blanks.out"));
  writeFile(files.file("release"), "");
  EXPECT_TRUE(waitFor(
      [&] { return fs::exists(files.file("opened")) && !readFile(files.file("opened")).empty(); }));
  EXPECT_EQ(readFile(files.file("opened")), "/a folder/with blanks.out");
  EXPECT_TRUE(noChildLeft()) << "the viewer belongs to init, the middle process is reaped";
  ScopedPath none(empty.str(), true);
  EXPECT_FALSE(p.startViewer("/a.out")) << "no viewer on PATH";
}

// A stand-in for Wine: `wine` notes its folder and arguments, `winepath -w` puts a drive letter
// before the path, `winepath -s` a "~" after the name and a Windows line end.
struct FakeWine {
  FakeWine() {
    writeScript(bin.file("wine"),
                "printf '%s\\n' \"$PWD\" \"$@\" > \"" + bin.file("wine ran") + "\"\nexit 4\n");
    writeScript(bin.file("winepath"),
                "case \"$1\" in\n"
                "  -w) printf 'Z:%s\\n' \"$2\" ;;\n"
                "  -s) printf '%s~\\r\\n' \"$2\" ;;\n"
                "esac\n");
  }
  TempDir bin;
};

const std::string kWindowsProgram = std::string("MZ\x90\0\3\0\0\0", 8);

TEST(PosixPlatform, AWindowsEngineRunsThroughWineInItsFolderAndNothingElseDoes) {
  TempDir dir, work, empty;
  FakeWine wine;
  const struct {
    const char* name;
    std::string content;  // nothing written when empty
    bool wineInstalled, throughWine;
  } rows[] = {{"windows engine", kWindowsProgram, true, true},
              {"windows engine without wine", kWindowsProgram, false, false},
              {"starts with M only", "MAKE", true, false},
              {"missing", "", true, false}};
  for (const auto& row : rows) {
    const std::string program = dir.file(row.name);
    if (!row.content.empty()) writeFile(program, row.content);
    ScopedPath path(row.wineInstalled ? wine.bin.str() : empty.str(), !row.wineInstalled);
    const EngineCommand command = PosixPlatform().engineCommand(program);
    const std::vector<std::string> expected =
        row.throughWine     ? std::vector<std::string>{wine.bin.file("wine"), program}
        : row.wineInstalled ? std::vector<std::string>{program}
                            : std::vector<std::string>{};
    EXPECT_EQ(command.arguments, expected) << row.name;
    EXPECT_EQ(command.problem.empty(), row.wineInstalled) << row.name;
    if (row.throughWine) {
      EXPECT_EQ(PosixPlatform().runEngine(program, work.str()), 4);
      EXPECT_EQ(readFile(wine.bin.file("wine ran")), work.str() + "\n" + program + "\n");
    }
  }
}

TEST(PosixPlatform, ANativeEngineReadsThePathsAndAWindowsEngineWinesShortFormsWithinTheLimit) {
  TempDir dir;
  FakeWine wine;
  ScopedPath path(wine.bin.str(), false);
  PosixPlatform p;
  const std::string engine = dir.file("tarvel.exe"), file = dir.file("a b.set");
  writeFile(engine, kWindowsProgram);
  writeFile(file, "");
  // The limit counts the Windows form: this path fits as it stands, but not with "Z:" and "~".
  const std::string longPath = dir.str() + "/" + std::string(253 - dir.str().size(), 'n');
  writeFile(longPath, "");
  const struct {
    std::string engine, path, expected;
    std::size_t length;
  } rows[] = {{engine, file, "Z:" + file + "~", file.size() + 3},
              {dir.file("native"), file, file, file.size()},
              {dir.file("native"), dir.file("missing.set"), "unchanged", 0},
              {engine, dir.file("missing.set"), "unchanged", 0},
              {engine, "", "unchanged", 0},
              {engine, longPath, "unchanged", 257},
              {dir.file("native"), longPath, longPath, 254}};
  for (const auto& row : rows) {
    std::string shortForm = "unchanged";
    EXPECT_EQ(p.engineShortPath(row.engine, row.path, shortForm), row.length) << row.path;
    EXPECT_EQ(shortForm, row.expected);
  }
}

TEST(PosixPlatform, WithoutWineARunOfAWindowsEngineWritesNothingAndSaysHowToInstallIt) {
  TempDir dir, empty;
  ScopedPath path(empty.str(), true);
  const std::string engine = dir.file("tarvel.exe");
  writeFile(engine, kWindowsProgram);
  EXPECT_EQ(PosixPlatform().runEngine(engine, dir.str()), std::nullopt);
  testing::Fixture run(dir.str());
  run.f.TxtSetFile.setText(dir.file("study.set"));
  run.f.TxtOutFile.setText(dir.file("study.out"));
  run.f.TxtExeDir.setText(dir.str());
  run.f.GenInstrClick();
  EXPECT_TRUE(run.platform.engineStarts.empty());
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_NE(run.ui.messages[0].text.find(engine + " is a Windows program"), std::string::npos);
  EXPECT_NE(run.ui.messages[0].text.find("\"sudo apt install wine\""), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.file("xkb.ist")) || fs::exists(dir.file("study.out")));
}

}  // namespace
}  // namespace wintarvel
