// "Run Tarvel": the instruction file, the output files created before the run, and the starts of
// the engine and the viewer (recorded by the fake platform).

#include <gtest/gtest.h>

#include <filesystem>

#include "support/study.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::FakePlatform;
using testing::readFile;
using testing::writeFile;
namespace fs = std::filesystem;

constexpr const char* kPathError = "Error: At least one path is either empty or too long.";

// A platform with short names, as some volumes have: the instruction file gets the short forms,
// the viewer the path as the user typed it.
struct ShortNamePlatform : FakePlatform {
  std::size_t shortPath(const std::string& path, std::string& shortForm) override {
    if (FakePlatform::shortPath(path, shortForm) == 0) return 0;
    shortForm = "SHORT~" + std::to_string(++issued);
    return shortForm.size();
  }
  int issued = 0;
};

// A study whose set and data files exist in a fresh folder; the output files do not yet.
template <class Platform = FakePlatform>
struct RunFolder {
  RunFolder() : f(ui, platform, dir.str()) {
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
  // The lines naming these files: the paths themselves on POSIX, 8.3 aliases on Windows.
  std::string lines(std::initializer_list<const char*> names) const {
    std::string out;
    for (const char* name : names) {
      std::string shortForm;
      NativePlatform().shortPath(dir.file(name), shortForm);
      out += shortForm + "\r\n";
    }
    return out;
  }
  testing::TempDir dir;
  testing::FakeUi ui;
  Platform platform;
  TFrm1 f;
};

TEST(InstructionFile, TheOutputOptionsDecideWhichOptionalFilesFollow) {
  struct Row {
    RadioButton TFrm1::*output;
    RadioButton TFrm1::*effects;
    std::initializer_list<const char*> optional;  // the files after set, data and output file
  } rows[] = {{&TFrm1::RadOut0, &TFrm1::RadAP0, {}},
              {&TFrm1::RadOut3, &TFrm1::RadAP2, {"effects.out"}},
              {&TFrm1::RadOut4, &TFrm1::RadAP1, {"covar.out", "effects.out"}}};
  for (const Row& row : rows) {
    RunFolder<> r;
    writeFile(r.dir.file("xkb.ist"), std::string(1000, 'x'));  // written afresh
    writeFile(r.dir.file("study.out"), "results of the last run");
    (r.f.*row.output).setChecked(true);
    (r.f.*row.effects).setChecked(true);
    r.f.Modified = false;
    r.f.GenInstrClick();
    EXPECT_EQ(r.instructions(),
              r.lines({"study.set", "study.txt", "study.out"}) + r.lines(row.optional));
    EXPECT_FALSE(r.f.Modified) << "a run changes nothing in the study";
    // Output files named are created empty; an existing one is left alone.
    EXPECT_EQ(readFile(r.dir.file("study.out")), "results of the last run");
    EXPECT_EQ(fs::exists(r.dir.file("covar.out")), row.output == &TFrm1::RadOut4);
    EXPECT_EQ(fs::exists(r.dir.file("effects.out")), row.effects != &TFrm1::RadAP0);
  }
}

TEST(InstructionFile, EachFailingPathShowsTheMessageAndCutsTheFileButTheEngineStillStarts) {
  RunFolder<> r;
  r.f.TxtDataFile.setText("");
  r.f.TxtOutFile.setText(r.dir.file("missing folder/study.out"));
  r.f.RadAP1.setChecked(true);
  r.f.Modified = false;  // as saved
  r.f.GenInstrClick();
  ASSERT_EQ(r.ui.messages.size(), 2u);
  EXPECT_EQ(r.ui.messages[0].text + "|" + r.ui.messages[0].caption, kPathError + std::string("|"));
  EXPECT_EQ(r.instructions(), r.lines({"study.set"}));
  EXPECT_TRUE(fs::exists(r.dir.file("effects.out"))) << "later paths are still checked";
  EXPECT_EQ(r.platform.engineStarts.size(), 1u);

  RunFolder<> gone;  // the set file line, then the check before the start
  gone.f.TxtSetFile.setText(gone.dir.file("gone") + kPathSeparator + "study.set");
  gone.f.GenInstrClick();
  EXPECT_EQ(gone.ui.messages.size(), 2u);
  EXPECT_FALSE(fs::exists(gone.dir.file("gone")));
  ASSERT_EQ(gone.platform.engineStarts.size(), 1u);
  EXPECT_EQ(gone.platform.engineStarts[0].workingDir, gone.dir.file("gone"));

  RunFolder<> none;  // without a set file name nothing is written and no engine starts
  none.f.TxtSetFile.setText("");
  none.f.GenInstrClick();
  EXPECT_EQ(none.ui.messages.size(), 1u);
  EXPECT_TRUE(none.platform.engineStarts.empty());
  EXPECT_FALSE(fs::exists(none.dir.file("study.out")));
}

TEST(InstructionFile, ShortFormsMustFitIn254Characters) {
#ifdef _WIN32
  GTEST_SKIP() << "long names have 8.3 aliases here; the Win32 platform test checks the limit";
#endif
  RunFolder<> r;
  const std::string folder = r.dir.str() + "/" + std::string(200, 'f');
  fs::create_directory(folder);
  for (std::size_t length : {254u, 255u}) {
    const std::string output = folder + "/" + std::string(length - folder.size() - 1, 'o');
    r.f.TxtOutFile.setText(output);
    r.f.GenInstrClick();
    EXPECT_EQ(r.instructions(),
              r.lines({"study.set", "study.txt"}) + (length == 254 ? output + "\r\n" : ""));
  }
}

TEST(EngineRun, StartsTarvelInTheSetFileFolderSaysHowItEndedAndOpensTheViewerIfItRan) {
  const std::string engine = "/opt/engine" + std::string(1, kPathSeparator) + "tarvel.exe";
  const struct {
    bool startFails, stopped, viewerFails;
    std::string outcome;
  } rows[] = {{false, false, false, "Tarvel ended with exit code 3 after "},
              {true, false, false, "Tarvel could not be started: " + engine + "."},
              {true, true, false, "Tarvel was stopped."},
              {false, false, true, "Tarvel ended with exit code 3 after "}};
  for (const auto& row : rows) {
    RunFolder<ShortNamePlatform> r;
    r.f.TxtOutFile.setText(r.dir.file("long output name with blanks.out"));
    r.f.FrmOptions.TxttvlPath.setText("/opt/engine/renamed.exe");
    r.platform.engineExitCode = 3;  // a failing engine still opens the output
    r.platform.engineStartFails = row.startFails;
    r.platform.engineStopped = row.stopped;
    r.platform.viewerStartFails = row.viewerFails;
    r.f.GenInstrClick();
    ASSERT_EQ(r.platform.engineStarts.size(), 1u);
    EXPECT_EQ(r.platform.engineStarts[0].program, engine);
    EXPECT_EQ(r.platform.engineStarts[0].workingDir, r.dir.str());
    const std::string& said = r.f.RunOutcome.caption();
    const std::string report = r.dir.file("long output name with blanks.out");
    const std::string end = row.startFails ? "" : " s. Report: " + report;
    EXPECT_TRUE(said.starts_with(row.outcome) && said.ends_with(end)) << said;
    EXPECT_EQ(r.instructions(), "SHORT~1\r\nSHORT~2\r\nSHORT~3\r\n");
    EXPECT_EQ(r.platform.viewerStarts,
              row.startFails ? std::vector<std::string>{} : std::vector<std::string>{report});
    ASSERT_EQ(r.ui.messages.size(), row.viewerFails ? 1u : 0u);
    if (row.viewerFails) {  // the user is told where the report is
      EXPECT_NE(r.ui.messages[0].text.find("No text viewer could be started"), std::string::npos);
      EXPECT_NE(r.ui.messages[0].text.find(report), std::string::npos);
    }
  }
}

TEST(EngineRun, UnsavedChangesAreSettledBeforeTheRun) {
  struct Row {
    Answer answer;
    const char* groups;  // 1000 cannot be saved
    bool runs, saved;
  } rows[] = {{Answer::Cancel, "10", false, false},
              {Answer::No, "10", true, false},
              {Answer::Yes, "10", true, true},
              {Answer::Yes, "1000", false, false}};
  for (const Row& row : rows) {
    RunFolder<> r;
    testing::Basics(r.f, "Edited", row.groups);
    r.ui.queueAnswer(row.answer);
    r.f.GenInstrClick();
    ASSERT_EQ(r.ui.questions.size(), 1u);
    EXPECT_EQ(r.ui.questions[0].text,
              "The study has changes that are not saved. Save them before the run?");
    EXPECT_EQ(r.ui.questions[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(r.platform.engineStarts.size(), row.runs ? 1u : 0u);
    EXPECT_EQ(readFile(r.dir.file("study.set")).substr(0, 6), row.saved ? "Edited" : "set");
    EXPECT_EQ(r.f.Modified, !row.saved);
  }
}

}  // namespace
}  // namespace wintarvel
