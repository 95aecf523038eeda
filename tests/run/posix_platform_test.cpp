// The POSIX platform services with real files and processes, and a whole run with the stand-in
// engine.

#include "run/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::FakeUi;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

void writeScript(const std::string& path, const std::string& body) {
  writeFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
}

TEST(PosixPlatform, TheShortFormIsThePathOfAnExistingFileThatFits) {
  TempDir dir;
  PosixPlatform p;
  writeFile(dir.file("a b.txt"), "");
  std::string shortForm = "unchanged";
  EXPECT_EQ(p.shortPath("", shortForm), 0u);
  EXPECT_EQ(p.shortPath(dir.file("missing.txt"), shortForm), 0u);
  EXPECT_EQ(shortForm, "unchanged");
  EXPECT_EQ(p.shortPath(dir.file("a b.txt"), shortForm), dir.file("a b.txt").size());
  EXPECT_EQ(shortForm, dir.file("a b.txt"));

  const std::string longPath = dir.str() + "/" + std::string(250, 'n');
  writeFile(longPath, "");
  EXPECT_GE(p.shortPath(longPath, shortForm), kShortPathCapacity);
}

TEST(PosixPlatform, CreateIfMissingNeverTouchesAnExistingFile) {
  TempDir dir;
  PosixPlatform p;
  writeFile(dir.file("old.out"), "kept");
  p.createIfMissing(dir.file("old.out"));
  p.createIfMissing(dir.file("new.out"));
  p.createIfMissing(dir.file("no folder/new.out"));
  p.createIfMissing("");
  EXPECT_EQ(readFile(dir.file("old.out")), "kept");
  EXPECT_EQ(readFile(dir.file("new.out")), "");
  EXPECT_FALSE(std::filesystem::exists(dir.file("no folder")));
}

TEST(PosixPlatform, TheCurrentFolderCanBeReadAndChanged) {
  TempDir dir;
  PosixPlatform p;
  EXPECT_TRUE(p.setCurrentDir(dir.str()));
  EXPECT_EQ(std::filesystem::path(p.currentDir()), std::filesystem::canonical(dir.path()));
  EXPECT_FALSE(p.setCurrentDir(dir.file("missing")));
  EXPECT_FALSE(p.setCurrentDir(""));
  EXPECT_EQ(std::filesystem::path(p.currentDir()), std::filesystem::canonical(dir.path()));
}

TEST(PosixPlatform, TheEngineRunsInItsFolderAndItsExitCodeIsReturned) {
  TempDir dir, work;
  PosixPlatform p;
  writeScript(dir.file("engine with blanks"), "pwd > ran-here\nexit 3\n");
  EXPECT_EQ(p.runEngine(dir.file("engine with blanks"), work.str()), 3);
  EXPECT_EQ(std::filesystem::path(readFile(work.file("ran-here")).substr(0, work.str().size())),
            work.path());
}

TEST(PosixPlatform, AnEngineThatCannotStartGivesNoExitCode) {
  TempDir dir;
  PosixPlatform p;
  writeScript(dir.file("engine"), "exit 0\n");
  writeFile(dir.file("not executable"), "#!/bin/sh\nexit 0\n");
  EXPECT_EQ(p.runEngine(dir.file("engine"), dir.str()), 0);
  EXPECT_EQ(p.runEngine(dir.file("missing"), dir.str()), std::nullopt);
  EXPECT_EQ(p.runEngine(dir.file("not executable"), dir.str()), std::nullopt);
  EXPECT_EQ(p.runEngine(dir.file("engine"), dir.file("missing folder")), std::nullopt);
  EXPECT_EQ(p.runEngine(dir.file("engine"), ""), std::nullopt);
}

TEST(PosixPlatform, AnEngineCanBeWatchedWithoutBlockingAndStopped) {
  TempDir dir;
  PosixPlatform p;
  writeScript(dir.file("slow"), "exec sleep 30\n");
  writeScript(dir.file("quick"), "exit 5\n");
  const auto slow = p.startEngine(dir.file("slow"), dir.str());
  ASSERT_TRUE(slow);
  EXPECT_EQ(p.pollEngine(*slow), std::nullopt) << "still running";
  const auto started = std::chrono::steady_clock::now();
  p.stopEngine(*slow);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

  const auto quick = p.startEngine(dir.file("quick"), dir.str());
  ASSERT_TRUE(quick);
  std::optional<int> code;
  for (int i = 0; i < 200 && !code; ++i) {
    code = p.pollEngine(*quick);
    if (!code) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(code, 5);
  EXPECT_EQ(p.startEngine(dir.file("missing"), dir.str()), std::nullopt);
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
  writeScript(bin.file("xdg-open"),
              "sleep 1\nprintf '%s' \"$1\" > \"" + files.file("opened") + "\"\n");
  ScopedPath path(firstOnPath(bin.str()));
  PosixPlatform p;
  const auto started = std::chrono::steady_clock::now();
  p.startViewer("/a folder/with blanks.out");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900))
      << "the viewer is not waited for";
  for (int i = 0; i < 100 && !std::filesystem::exists(files.file("opened")); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(readFile(files.file("opened")), "/a folder/with blanks.out");
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
    bool wineInstalled;
    bool throughWine;
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
    if (installed) {
      EXPECT_TRUE(run.ui.messages.empty());
      EXPECT_EQ(readFile(dir.file("xkb.ist")),
                FakeWine::shortForm(dir.file("study.set")) + "\r\n" +
                    FakeWine::shortForm(dir.file("study.txt")) + "\r\n" +
                    FakeWine::shortForm(dir.file("study.out")) + "\r\n");
      EXPECT_EQ(run.platform.engineStarts.size(), 1u);
    } else {
      ASSERT_EQ(run.ui.messages.size(), 1u);
      EXPECT_NE(run.ui.messages[0].text.find("apt install wine"), std::string::npos);
      EXPECT_FALSE(std::filesystem::exists(dir.file("xkb.ist")));
      EXPECT_FALSE(std::filesystem::exists(dir.file("study.out")));
      EXPECT_TRUE(run.platform.engineStarts.empty());
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

const std::string kExamples = std::string(WINTARVEL_TEST_DATA) + "/../../examples";

struct EndToEnd {
  EndToEnd() : f(ui, platform, dir.str()) {
    std::filesystem::copy_file(kExamples + "/roommate.set", dir.file("roommate.set"));
    std::filesystem::copy_file(kExamples + "/roommate.txt", dir.file("roommate.txt"));
    f.TxtExeDir.setText(std::filesystem::path(WINTARVEL_ENGINE).parent_path().string());
    f.TxtSetFile.setText(dir.file("roommate.set"));
    f.TxtDataFile.setText(dir.file("roommate.txt"));
    f.TxtOutFile.setText(dir.file("roommate.out"));
    f.TxtIndDif.setText(dir.file("effects.out"));
    // The options of the example's set file: output option 2, effect estimates with means removed.
    f.RadOut2.setChecked(true);
    f.RadAP1.setChecked(true);
    f.Modified = false;  // as the file on disk holds them
  }
  TempDir dir;
  FakeUi ui;
  RecordingPlatform platform;
  TFrm1 f;
};

void expectContains(const std::string& text, const std::string& part) {
  EXPECT_NE(text.find(part), std::string::npos) << "missing \"" << part << "\" in:\n" << text;
}

TEST(EndToEnd, TheStandInEngineReportsTheExampleStudy) {
  EndToEnd e;
  e.f.GenInstrClick();
  EXPECT_TRUE(e.ui.messages.empty());
  EXPECT_EQ(readFile(e.dir.file("xkb.ist")),
            e.dir.file("roommate.set") + "\r\n" + e.dir.file("roommate.txt") + "\r\n" +
                e.dir.file("roommate.out") + "\r\n" + e.dir.file("effects.out") + "\r\n");
  EXPECT_EQ(e.platform.viewed, std::vector<std::string>{e.dir.file("roommate.out")});

  const std::string report = readFile(e.dir.file("roommate.out"));
  for (const char* part :
       {"NOT the Tarvel analysis engine", "performs no analysis", "Roommate study",
        "Asymmetric Block", "4 members, Women", "4 members, Men",
        "TRUST (construct none, reverse scored)", "AGE, EXTRAV", "Read After Dyadic Variables",
        "Subject3", "(3F2.0,2F3.0)", "Data file records (lines):    480",
        "Multivariate, Summary Only"}) {
    expectContains(report, part);
  }
  const std::string note = readFile(e.dir.file("effects.out"));
  for (const char* part : {"actor and partner effect estimates", "no values are written"}) {
    expectContains(note, part);
  }
}

TEST(EndToEnd, AMissingDataFileStopsTheEngineAndTheEmptyOutputIsStillShown) {
  EndToEnd e;
  e.f.TxtDataFile.setText(e.dir.file("lost.txt"));
  e.f.GenInstrClick();
  EXPECT_EQ(e.ui.messages.size(), 1u);
  EXPECT_EQ(e.platform.viewed.size(), 1u);
  EXPECT_EQ(readFile(e.dir.file("roommate.out")), "")
      << "the engine learns of no output file from an instruction file cut after line 1";
}

TEST(EndToEnd, AnUnreadableDataFileIsExplainedInTheOutput) {
  EndToEnd e;
  std::filesystem::create_directory(e.dir.file("data folder"));
  e.f.TxtDataFile.setText(e.dir.file("data folder"));
  e.f.GenInstrClick();
  EXPECT_TRUE(e.ui.messages.empty());
  const std::string report = readFile(e.dir.file("roommate.out"));
  expectContains(report, "NOT the Tarvel analysis engine");
  expectContains(report, "cannot read the data file " + e.dir.file("data folder"));
  expectContains(report, "Nothing was analysed.");
}

TEST(EndToEnd, TheStandInEngineFailsWithoutAnInstructionFile) {
  TempDir dir;
  PosixPlatform p;
  EXPECT_EQ(p.runEngine(WINTARVEL_ENGINE, dir.str()), 2);
  EXPECT_FALSE(std::filesystem::exists(dir.file("xkb.ist")));
}

#endif

}  // namespace
}  // namespace wintarvel
