// The POSIX platform services with real files and processes, and whole runs of the stand-in
// engine. Nothing here is timed: a started program that must not be waited for blocks until the
// test releases it, and every wait for a program has a deadline of 30 s.

#include "run/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
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

// Shell lines that wait until `release` exists (60 s at most) and then run `then`, or write
// "not released" to `result` when the test never released them.
std::string blockUntil(const std::string& release, const std::string& result,
                       const std::string& then) {
  return "i=0\nwhile [ ! -e \"" + release + "\" ]; do\n  i=$((i+1))\n  if [ $i -gt 600 ]; then " +
         "echo 'not released' > \"" + result + "\"; exit 9; fi\n  sleep 0.1\ndone\n" + then + "\n";
}

// Waits up to 30 s for `done` to hold.
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

TEST(PosixPlatform, FilesFoldersAndShortForms) {
  TempDir dir;
  PosixPlatform p;
  writeFile(dir.file("a b.txt"), "kept");
  std::string shortForm = "unchanged";
  EXPECT_EQ(p.shortPath("", shortForm), 0u);
  EXPECT_EQ(p.shortPath(dir.file("missing.txt"), shortForm), 0u);
  EXPECT_EQ(shortForm, "unchanged");
  EXPECT_EQ(p.shortPath(dir.file("a b.txt"), shortForm), dir.file("a b.txt").size());
  EXPECT_EQ(shortForm, dir.file("a b.txt"));
  const std::string longPath = dir.str() + "/" + std::string(250, 'n');
  writeFile(longPath, "");
  EXPECT_GE(p.shortPath(longPath, shortForm), kShortPathCapacity);

  for (const std::string name : {"a b.txt", "new.out", "no folder/new.out", ""}) {
    p.createIfMissing(name.empty() ? "" : dir.file(name));
  }
  EXPECT_EQ(readFile(dir.file("a b.txt")), "kept");
  EXPECT_EQ(readFile(dir.file("new.out")), "");
  EXPECT_FALSE(fs::exists(dir.file("no folder")));

  EXPECT_TRUE(p.setCurrentDir(dir.str()));
  EXPECT_FALSE(p.setCurrentDir(dir.file("missing")));
  EXPECT_FALSE(p.setCurrentDir(""));
  EXPECT_EQ(fs::path(p.currentDir()), fs::canonical(dir.path()));
}

TEST(PosixPlatform, TheEngineRunsInItsFolderAndItsExitCodeIsReturned) {
  TempDir dir, work;
  PosixPlatform p;
  writeScript(dir.file("engine with blanks"), "pwd > ran-here\nexit 3\n");
  writeScript(dir.file("killed"), "kill -TERM $$\n");
  EXPECT_EQ(p.runEngine(dir.file("engine with blanks"), work.str()), 3);
  EXPECT_EQ(fs::path(readFile(work.file("ran-here")).substr(0, work.str().size())), work.path());
  EXPECT_EQ(p.runEngine(dir.file("killed"), work.str()), 128 + SIGTERM);
}

// A failed chdir or exec in the child is reported through the pipe: no exit code, and the child
// is reaped at once.
TEST(PosixPlatform, AnEngineThatCannotStartGivesNothingAndLeavesNoProcess) {
  TempDir dir;
  PosixPlatform p;
  writeScript(dir.file("engine"), "exit 0\n");
  writeFile(dir.file("not executable"), "#!/bin/sh\nexit 0\n");
  const std::pair<std::string, std::string> rows[] = {{dir.file("missing"), dir.str()},
                                                      {dir.file("not executable"), dir.str()},
                                                      {dir.file("engine"), dir.file("missing")},
                                                      {dir.file("engine"), ""}};
  for (const auto& [program, folder] : rows) {
    EXPECT_EQ(p.startEngine(program, folder), std::nullopt) << program << " in " << folder;
    EXPECT_TRUE(noChildLeft()) << program << " in " << folder;
    EXPECT_EQ(p.runEngine(program, folder), std::nullopt);
  }
  EXPECT_EQ(p.runEngine(dir.file("engine"), dir.str()), 0);
}

TEST(PosixPlatform, AnEngineIsWatchedWithoutBlockingAndStopped) {
  TempDir dir;
  PosixPlatform p;
  // Blocks until released: a poll that waited, or a stop that waited instead of killing, would
  // let it run into "not released" after 60 s.
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

// Sets PATH for one test and restores it afterwards.
class ScopedPath {
 public:
  explicit ScopedPath(const std::string& value) : old_(current()) {
    setenv("PATH", value.c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", old_.c_str(), 1); }
  static std::string current() {
    const char* path = std::getenv("PATH");
    return path ? path : "";
  }

 private:
  std::string old_;
};

std::string firstOnPath(const std::string& dir) {
  return dir + ":" + ScopedPath::current();
}

TEST(PosixPlatform, TheViewerIsStartedWithoutWaitingForIt) {
  TempDir bin, files;
  // The viewer records its argument only once the test has released it, which the test does
  // after startViewer returned: a start that waited for the viewer would never return in time.
  writeScript(bin.file("xdg-open"),
              blockUntil(files.file("release"), files.file("opened"),
                         "printf '%s' \"$1\" > \"" + files.file("opened") + "\""));
  ScopedPath path(firstOnPath(bin.str()));
  PosixPlatform p;
  EXPECT_TRUE(p.startViewer("/a folder/with blanks.out"));
  writeFile(files.file("release"), "");
  EXPECT_TRUE(waitFor([&] { return fs::exists(files.file("opened")); }));
  EXPECT_TRUE(waitFor([&] { return !readFile(files.file("opened")).empty(); }));
  EXPECT_EQ(readFile(files.file("opened")), "/a folder/with blanks.out");
  EXPECT_TRUE(noChildLeft()) << "the viewer belongs to init, the middle process is reaped";

  TempDir empty;
  ScopedPath none(empty.str());
  EXPECT_FALSE(p.startViewer("/a.out")) << "no viewer on PATH";
}

// A stand-in for Wine: `wine` notes its folder and arguments, `winepath -w` puts a drive letter
// and backslashes on the path, `winepath -s` drops the blanks and capitalises.
struct FakeWine {
  FakeWine() {
    writeScript(bin.file("wine"),
                "printf '%s\\n' \"$PWD\" \"$@\" > \"" + bin.file("wine ran") + "\"\nexit 4\n");
    writeScript(bin.file("winepath"),
                "case \"$1\" in\n"
                "  -w) printf 'Z:%s\\n' \"$2\" | tr / '\\\\' ;;\n"
                "  -s) printf '%s\\r\\n' \"$2\" | tr -d ' ' | tr a-z A-Z ;;\n"
                "esac\n");
  }
  static std::string shortForm(std::string path) {
    path.erase(std::remove(path.begin(), path.end(), ' '), path.end());
    std::replace(path.begin(), path.end(), '/', '\\');
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return "Z:" + path;
  }
  TempDir bin;
};

const std::string kWindowsProgram = std::string("MZ\x90\0\3\0\0\0", 8);

TEST(PosixPlatform, AWindowsEngineRunsThroughWineAndNothingElseDoes) {
  TempDir dir, empty;
  FakeWine wine;
  struct Row {
    const char* name;
    std::string content;  // nothing written when empty
    bool wineInstalled, throughWine;
  } rows[] = {{"windows engine", kWindowsProgram, true, true},
              {"windows engine without wine", kWindowsProgram, false, false},
              {"script", "#!/bin/sh\nexit 0\n", true, false},
              {"one byte M", "M", true, false},
              {"missing", "", true, false}};
  for (const Row& row : rows) {
    const std::string program = dir.file(row.name);
    if (!row.content.empty()) writeFile(program, row.content);
    ScopedPath path(row.wineInstalled ? firstOnPath(wine.bin.str()) : empty.str());
    const EngineCommand command = PosixPlatform().engineCommand(program);
    if (row.throughWine) {
      EXPECT_EQ(command.arguments, (std::vector<std::string>{wine.bin.file("wine"), program}));
    } else if (row.wineInstalled) {
      EXPECT_EQ(command.arguments, std::vector<std::string>{program}) << row.name;
    } else {
      EXPECT_TRUE(command.arguments.empty()) << row.name;
      EXPECT_NE(command.problem.find(program + " is a Windows program"), std::string::npos);
      EXPECT_NE(command.problem.find("\"sudo apt install wine\""), std::string::npos);
      EXPECT_EQ(PosixPlatform().startEngine(program, dir.str()), std::nullopt);
    }
    EXPECT_EQ(command.problem.empty(), row.wineInstalled) << row.name;
  }
}

TEST(PosixPlatform, AWindowsEngineStartsInItsFolderAndReadsWinesShortForms) {
  TempDir dir, work;
  FakeWine wine;
  ScopedPath path(firstOnPath(wine.bin.str()));
  PosixPlatform p;
  const std::string engine = dir.file("tarvel.exe");
  writeFile(engine, kWindowsProgram);
  EXPECT_EQ(p.runEngine(engine, work.str()), 4);
  EXPECT_EQ(readFile(wine.bin.file("wine ran")), work.str() + "\n" + engine + "\n");

  writeFile(dir.file("a b.set"), "");
  std::string shortForm = "unchanged";
  const std::string expected = FakeWine::shortForm(dir.file("a b.set"));
  EXPECT_EQ(p.engineShortPath(engine, dir.file("a b.set"), shortForm), expected.size());
  EXPECT_EQ(shortForm, expected);
  EXPECT_EQ(p.engineShortPath(dir.file("native"), dir.file("a b.set"), shortForm),
            dir.file("a b.set").size());
  EXPECT_EQ(shortForm, dir.file("a b.set")) << "a native engine reads the path itself";

  shortForm = "unchanged";
  EXPECT_EQ(p.engineShortPath(engine, dir.file("missing.set"), shortForm), 0u);
  EXPECT_EQ(p.engineShortPath(engine, "", shortForm), 0u);
  // The limit counts the Windows form: this path fits as it stands, but not with "Z:" before it.
  const std::string longPath = dir.str() + "/" + std::string(253 - dir.str().size(), 'n');
  writeFile(longPath, "");
  EXPECT_EQ(p.shortPath(longPath, shortForm), 254u);
  shortForm = "unchanged";
  EXPECT_EQ(p.engineShortPath(engine, longPath, shortForm), 256u);
  EXPECT_EQ(shortForm, "unchanged");
}

TEST(PosixPlatform, WithoutWineARunOfAWindowsEngineWritesNothingAndSaysHowToInstallIt) {
  TempDir dir, empty;
  FakeWine wine;
  writeFile(dir.file("tarvel.exe"), kWindowsProgram);
  writeFile(dir.file("study.set"), "set");
  writeFile(dir.file("study.txt"), "data");
  for (const bool installed : {false, true}) {
    ScopedPath path(installed ? firstOnPath(wine.bin.str()) : empty.str());
    testing::Fixture run(dir.str());
    run.f.TxtExeDir.setText(dir.str());
    run.f.TxtSetFile.setText(dir.file("study.set"));
    run.f.TxtDataFile.setText(dir.file("study.txt"));
    run.f.TxtOutFile.setText(dir.file("study.out"));
    run.f.GenInstrClick();
    EXPECT_EQ(run.platform.engineStarts.size(), installed ? 1u : 0u);
    if (installed) {
      EXPECT_TRUE(run.ui.messages.empty());
      std::string lines;
      for (const char* name : {"study.set", "study.txt", "study.out"}) {
        lines += FakeWine::shortForm(dir.file(name)) + "\r\n";
      }
      EXPECT_EQ(readFile(dir.file("xkb.ist")), lines);
    } else {
      ASSERT_EQ(run.ui.messages.size(), 1u);
      EXPECT_NE(run.ui.messages[0].text.find("apt install wine"), std::string::npos);
      EXPECT_FALSE(fs::exists(dir.file("xkb.ist")));
      EXPECT_FALSE(fs::exists(dir.file("study.out")));
    }
  }
}

#ifdef WINTARVEL_ENGINE

// The real platform, except that the viewer is recorded instead of opened.
class RecordingPlatform : public PosixPlatform {
 public:
  bool startViewer(const std::string& path) override {
    viewed.push_back(path);
    return true;
  }
  std::vector<std::string> viewed;
};

// The example study in a fresh folder, to be run with the stand-in engine.
struct EndToEnd {
  EndToEnd() : f(ui, platform, dir.str()) {
    for (const char* name : {"roommate.set", "roommate.txt"}) {
      fs::copy_file(std::string(WINTARVEL_EXAMPLES) + "/" + name, dir.file(name));
    }
    f.TxtExeDir.setText(fs::path(WINTARVEL_ENGINE).parent_path().string());
    f.TxtSetFile.setText(dir.file("roommate.set"));
    f.TxtDataFile.setText(dir.file("roommate.txt"));
    f.TxtOutFile.setText(dir.file("roommate.out"));
    f.TxtIndDif.setText(dir.file("effects.out"));
    // The options of the example's set file: output option 2, effect estimates with means removed.
    f.RadOut2.setChecked(true);
    f.RadAP1.setChecked(true);
    f.Modified = false;  // as the file on disk holds them
  }
  void expectIn(const std::string& file, std::initializer_list<std::string> parts) {
    const std::string text = readFile(dir.file(file));
    for (const std::string& part : parts) {
      EXPECT_NE(text.find(part), std::string::npos) << "no \"" << part << "\" in:\n" << text;
    }
  }
  TempDir dir;
  testing::FakeUi ui;
  RecordingPlatform platform;
  TFrm1 f;
};

TEST(EndToEnd, TheStandInEngineReportsTheExampleStudy) {
  EndToEnd e;
  e.f.GenInstrClick();
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(readFile(e.dir.file("xkb.ist")),
            e.dir.file("roommate.set") + "\r\n" + e.dir.file("roommate.txt") + "\r\n" +
                e.dir.file("roommate.out") + "\r\n" + e.dir.file("effects.out") + "\r\n");
  EXPECT_EQ(e.platform.viewed, std::vector<std::string>{e.dir.file("roommate.out")});
  e.expectIn("roommate.out",
             {"NOT the Tarvel analysis engine", "performs no analysis", "Roommate study",
              "Asymmetric Block", "4 members, Women", "4 members, Men",
              "TRUST (construct none, reverse scored)", "AGE, EXTRAV",
              "Read After Dyadic Variables", "Subject3", "(3F2.0,2F3.0)",
              "Data file records (lines):    480", "Multivariate, Summary Only"});
  e.expectIn("effects.out", {"actor and partner effect estimates", "no values are written"});
}

TEST(EndToEnd, AMissingOrUnreadableDataFileIsExplained) {
  EndToEnd e;
  e.f.TxtDataFile.setText(e.dir.file("lost.txt"));
  e.f.GenInstrClick();
  EXPECT_EQ(e.ui.messages.size(), 1u);
  EXPECT_EQ(e.platform.viewed.size(), 1u);
  EXPECT_EQ(readFile(e.dir.file("roommate.out")), "")
      << "the engine learns of no output file from an instruction file cut after line 1";

  fs::create_directory(e.dir.file("data folder"));
  e.f.TxtDataFile.setText(e.dir.file("data folder"));
  e.f.GenInstrClick();
  EXPECT_EQ(e.ui.messages.size(), 1u);
  e.expectIn("roommate.out", {"NOT the Tarvel analysis engine", "Nothing was analysed.",
                              "cannot read the data file " + e.dir.file("data folder")});

  TempDir empty;  // no instruction file
  EXPECT_EQ(PosixPlatform().runEngine(WINTARVEL_ENGINE, empty.str()), 2);
}

#endif

}  // namespace
}  // namespace wintarvel
