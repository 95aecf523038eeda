// "Run Tarvel": the instruction file, the output files created before the run, and the starts of
// the engine and the viewer (recorded by the fake platform).

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_ui.h"
#include "support/study.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::FakePlatform;
using testing::FakeUi;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr const char* kPathError = "Error: At least one path is either empty or too long.";

// A study whose set and data files exist in a fresh folder; the output files do not yet.
struct RunFixture {
  explicit RunFixture(FakePlatform& p) : f(ui, p, dir.str()) {
    writeFile(dir.file("study.set"), "set");
    writeFile(dir.file("study.txt"), "data");
    f.TxtSetFile.setText(dir.file("study.set"));
    f.TxtDataFile.setText(dir.file("study.txt"));
    f.TxtOutFile.setText(dir.file("study.out"));
    f.TxtCoVar.setText(dir.file("covar.out"));
    f.TxtIndDif.setText(dir.file("effects.out"));
    f.TxtExeDir.setText("/opt/engine");
  }
  std::string instructions() const { return readFile(dir.file("xkb.ist")); }
  // The path itself on POSIX; on Windows the temporary folder has an 8.3 alias.
  static std::string shortForm(const std::string& path) {
    std::string shortened;
    NativePlatform().shortPath(path, shortened);
    return shortened;
  }
  std::string lines(std::initializer_list<const char*> names) const {
    std::string out;
    for (const char* name : names) out += shortForm(dir.file(name)) + "\r\n";
    return out;
  }

  TempDir dir;
  FakeUi ui;
  TFrm1 f;
};

struct Plain {
  FakePlatform platform;
  RunFixture run{platform};
};

TEST(InstructionFile, TheOutputOptionsDecideWhichOptionalFilesFollow) {
  struct Case {
    RadioButton TFrm1::*output;
    RadioButton TFrm1::*effects;
    std::initializer_list<const char*> expected;
  };
  const Case cases[] = {
      {&TFrm1::RadOut0, &TFrm1::RadAP0, {"study.set", "study.txt", "study.out"}},
      {&TFrm1::RadOut4, &TFrm1::RadAP0, {"study.set", "study.txt", "study.out", "covar.out"}},
      {&TFrm1::RadOut3, &TFrm1::RadAP2, {"study.set", "study.txt", "study.out", "effects.out"}},
      {&TFrm1::RadOut4,
       &TFrm1::RadAP1,
       {"study.set", "study.txt", "study.out", "covar.out", "effects.out"}},
  };
  for (const Case& c : cases) {
    Plain p;
    TFrm1& f = p.run.f;
    (f.*c.output).setChecked(true);
    (f.*c.effects).setChecked(true);
    f.Modified = false;
    f.GenInstrClick();
    EXPECT_EQ(p.run.instructions(), p.run.lines(c.expected));
    EXPECT_TRUE(p.run.ui.messages.empty());
    EXPECT_FALSE(f.Modified) << "a run changes nothing in the study";
  }
}

TEST(InstructionFile, IsWrittenAfreshOnEveryRun) {
  Plain p;
  writeFile(p.run.dir.file("xkb.ist"), std::string(1000, 'x'));
  p.run.f.GenInstrClick();
  EXPECT_EQ(p.run.instructions(), p.run.lines({"study.set", "study.txt", "study.out"}));
}

TEST(InstructionFile, NewOutputFilesAreCreatedEmptyAndExistingOnesAreLeftAlone) {
  Plain p;
  TFrm1& f = p.run.f;
  writeFile(p.run.dir.file("study.out"), "results of the last run");
  f.RadOut4.setChecked(true);
  f.Modified = false;  // as saved
  f.GenInstrClick();
  EXPECT_EQ(readFile(p.run.dir.file("study.out")), "results of the last run");
  EXPECT_EQ(readFile(p.run.dir.file("covar.out")), "");
  EXPECT_FALSE(std::filesystem::exists(p.run.dir.file("effects.out")))
      << "an effects file is created only when effect estimates are requested";
  EXPECT_EQ(p.run.instructions(),
            p.run.lines({"study.set", "study.txt", "study.out", "covar.out"}));
}

TEST(InstructionFile, AMissingDataFileCutsTheFileAfterTheSetFileLine) {
  Plain p;
  TFrm1& f = p.run.f;
  f.TxtDataFile.setText(p.run.dir.file("no such data.txt"));
  f.GenInstrClick();
  ASSERT_EQ(p.run.ui.messages.size(), 1u);
  EXPECT_EQ(p.run.ui.messages[0].text, kPathError);
  EXPECT_EQ(p.run.ui.messages[0].caption, "");
  EXPECT_EQ(p.run.instructions(), p.run.lines({"study.set"}));
  EXPECT_TRUE(std::filesystem::exists(p.run.dir.file("study.out")))
      << "later paths are still checked, and an output file still created";
  EXPECT_EQ(p.platform.engineStarts.size(), 1u) << "the engine is started all the same";
}

TEST(InstructionFile, EachFailingPathShowsTheMessage) {
  Plain p;
  TFrm1& f = p.run.f;
  f.TxtDataFile.setText("");
  f.TxtOutFile.setText(p.run.dir.file("missing folder/study.out"));
  f.RadAP1.setChecked(true);
  f.Modified = false;  // as saved
  f.GenInstrClick();
  EXPECT_EQ(p.run.ui.messages.size(), 2u);
  EXPECT_EQ(p.run.instructions(), p.run.lines({"study.set"}));
  EXPECT_TRUE(std::filesystem::exists(p.run.dir.file("effects.out")));
  EXPECT_EQ(p.platform.engineStarts.size(), 1u);
}

TEST(InstructionFile, ShortFormsMustFitIn254Characters) {
#ifdef _WIN32
  GTEST_SKIP() << "long names have 8.3 aliases here; the Win32 platform test checks the limit";
#endif
  Plain p;
  TFrm1& f = p.run.f;
  const std::string folder = p.run.dir.str() + "/" + std::string(200, 'f');
  std::filesystem::create_directory(folder);
  auto outputOfLength = [&](std::size_t length) {
    return folder + "/" + std::string(length - folder.size() - 1, 'o');
  };
  f.TxtOutFile.setText(outputOfLength(254));
  f.GenInstrClick();
  EXPECT_TRUE(p.run.ui.messages.empty());
  EXPECT_EQ(p.run.instructions(),
            p.run.lines({"study.set", "study.txt"}) + outputOfLength(254) + "\r\n");

  f.TxtOutFile.setText(outputOfLength(255));
  f.GenInstrClick();
  EXPECT_EQ(p.run.ui.messages.size(), 1u);
  EXPECT_EQ(p.run.instructions(), p.run.lines({"study.set", "study.txt"}));
}

TEST(InstructionFile, AMissingSetFileFolderShowsTheMessageTwiceAndTheEngineStillStarts) {
  Plain p;
  TFrm1& f = p.run.f;
  const std::string missing = p.run.dir.file("gone");
  f.TxtSetFile.setText(missing + kPathSeparator + "study.set");
  f.GenInstrClick();
  EXPECT_EQ(p.run.ui.messages.size(), 2u) << "the set file line, then the check before the start";
  EXPECT_FALSE(std::filesystem::exists(missing));
  ASSERT_EQ(p.platform.engineStarts.size(), 1u);
  EXPECT_EQ(p.platform.engineStarts[0].workingDir, missing);
}

TEST(EngineRun, StartsTarvelInTheSetFileFolderAndThenTheViewer) {
  Plain p;
  TFrm1& f = p.run.f;
  f.FrmOptions.TxttvlPath.setText("/opt/engine/renamed.exe");
  f.GenInstrClick();
  ASSERT_EQ(p.platform.engineStarts.size(), 1u);
  EXPECT_EQ(p.platform.engineStarts[0].program,
            std::string("/opt/engine") + kPathSeparator + "tarvel.exe");
  EXPECT_EQ(p.platform.engineStarts[0].workingDir, p.run.dir.str());
  EXPECT_EQ(p.platform.viewerStarts, std::vector<std::string>{p.run.dir.file("study.out")});
}

TEST(EngineRun, AnEngineThatFailsStillOpensTheOutput) {
  Plain p;
  p.platform.engineExitCode = 3;
  p.run.f.GenInstrClick();
  EXPECT_EQ(p.platform.viewerStarts.size(), 1u);
  EXPECT_TRUE(p.run.ui.messages.empty());
}

TEST(EngineRun, AnEngineThatDoesNotStartEndsTheRunSilently) {
  Plain p;
  p.platform.engineStartFails = true;
  p.run.f.TxtExeDir.setText("");
  p.run.f.GenInstrClick();
  ASSERT_EQ(p.platform.engineStarts.size(), 1u);
  EXPECT_EQ(p.platform.engineStarts[0].program, kPathSeparator + std::string("tarvel.exe"));
  EXPECT_TRUE(p.platform.viewerStarts.empty());
  EXPECT_TRUE(p.run.ui.messages.empty());
}

TEST(EngineRun, UnsavedChangesAreSettledBeforeTheRun) {
  const char* const question =
      "The study has changes that are not saved. Save them before the run?";
  struct Row {
    Answer answer;
    const char* groups;  // 1000 cannot be saved
    bool runs;
    bool saved;
  };
  for (const Row& row :
       {Row{Answer::Cancel, "10", false, false}, Row{Answer::No, "10", true, false},
        Row{Answer::Yes, "10", true, true}, Row{Answer::Yes, "1000", false, false}}) {
    Plain p;
    TFrm1& f = p.run.f;
    testing::Basics(f, "Edited", row.groups);
    p.run.ui.queueAnswer(row.answer);
    f.GenInstrClick();
    SCOPED_TRACE(row.groups);
    ASSERT_EQ(p.run.ui.questions.size(), 1u);
    EXPECT_EQ(p.run.ui.questions[0].text, question);
    EXPECT_EQ(p.run.ui.questions[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(p.platform.engineStarts.size(), row.runs ? 1u : 0u);
    EXPECT_EQ(readFile(p.run.dir.file("study.set")).substr(0, 6), row.saved ? "Edited" : "set");
    EXPECT_EQ(f.Modified, !row.saved);
  }
}

TEST(EngineRun, WithoutASetFileNameNothingIsWrittenAndNoEngineStarts) {
  Plain p;
  TFrm1& f = p.run.f;
  f.TxtSetFile.setText("");
  f.GenInstrClick();
  ASSERT_EQ(p.run.ui.messages.size(), 1u);
  EXPECT_EQ(p.run.ui.messages[0].text, kPathError);
  EXPECT_TRUE(p.platform.engineStarts.empty());
  EXPECT_FALSE(std::filesystem::exists(p.run.dir.file("study.out")));
}

TEST(EngineRun, EveryRunEndsWithAWord) {
  {
    Plain p;
    p.platform.engineExitCode = 3;
    p.run.f.GenInstrClick();
    const std::string& said = p.run.f.RunOutcome.caption();
    const std::string report = p.run.dir.file("study.out");
    EXPECT_EQ(said.rfind("Tarvel ended with exit code 3 after ", 0), 0u) << said;
    EXPECT_EQ(said.substr(said.size() - report.size() - 12), " s. Report: " + report) << said;
  }
  {
    Plain p;
    p.platform.engineStartFails = true;
    p.platform.engineStopped = true;
    p.run.f.GenInstrClick();
    EXPECT_EQ(p.run.f.RunOutcome.caption(), "Tarvel was stopped.");
    EXPECT_TRUE(p.platform.viewerStarts.empty());
  }
  {  // No viewer: the user is told where the report is
    Plain p;
    p.platform.viewerStartFails = true;
    p.run.f.GenInstrClick();
    ASSERT_EQ(p.run.ui.messages.size(), 1u);
    EXPECT_NE(p.run.ui.messages[0].text.find("No text viewer could be started"), std::string::npos);
    EXPECT_NE(p.run.ui.messages[0].text.find(p.run.dir.file("study.out")), std::string::npos);
  }
}

// A platform with real short names, as some volumes have: the instruction file gets the short
// forms, the viewer the path as the user typed it.
class ShortNamePlatform : public FakePlatform {
 public:
  std::size_t shortPath(const std::string& path, std::string& shortForm) override {
    const std::size_t length = FakePlatform::shortPath(path, shortForm);
    if (length == 0 || length >= kShortPathCapacity) return length;
    shortForm = "SHORT~" + std::to_string(++issued_);
    return shortForm.size();
  }

 private:
  int issued_ = 0;
};

TEST(EngineRun, TheViewerGetsTheLongOutputPathAsTyped) {
  ShortNamePlatform platform;
  RunFixture run(platform);
  run.f.TxtOutFile.setText(run.dir.file("long output name with blanks.out"));
  run.f.GenInstrClick();
  EXPECT_EQ(run.instructions(), "SHORT~1\r\nSHORT~2\r\nSHORT~3\r\n");
  EXPECT_EQ(platform.viewerStarts,
            std::vector<std::string>{run.dir.file("long output name with blanks.out")});
}

}  // namespace
}  // namespace wintarvel
