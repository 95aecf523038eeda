// The "File Names" page (path splitting, the Browse dialogs, the rule that enables a run), the
// viewer commands.

#include <gtest/gtest.h>

#include <tuple>

#include "support/study.h"

namespace wintarvel {
namespace {

using testing::Enabled;
using testing::Fixture;

// A file dialog's settings as the user saw them.
std::string described(const testing::ShownDialog& d) {
  return d.title + "|" + d.defaultExt + "|" + d.fileName + "|" + d.filter;
}

TEST(SplitPath, SplitsAtTheLastSeparatorAndTheLastDotOfTheName) {
  struct Row {
    const char* path;
    char separator;
    const char* parts;  // dir|base|ext|ok
  } rows[] = {
      {"C:\\study\\a.b\\run.set", '\\', "C:\\study\\a.b|run|set|1"},
      {"run.set", '\\', "|run|set|1"},
      {"C:\\study\\", '\\', "C:\\study|||0"},
      {"C:\\study\\.profile", '\\', "C:\\study||profile|0"},
      {"C:\\study\\run.old.set", '\\', "C:\\study|run.old|set|1"},
      {"a\\b.set", '/', "|a\\b|set|1"},
  };
  for (const Row& row : rows) {
    const SplitPathResult r = SplitPath(row.path, row.separator);
    EXPECT_EQ(r.dir + "|" + r.base + "|" + r.ext + "|" + (r.ok ? "1" : "0"), row.parts) << row.path;
  }
}

TEST(FileNames, TheRunCommandsNeedTheSetDataAndOutputFilesOnly) {
  Fixture fx;
  TFrm1& f = fx.f;
  f.TxtIndDif.setText("/s/other.out");
  f.TxtCoVar.setText("/s/other.out");
  for (Edit* e : {&f.TxtSetFile, &f.TxtDataFile, &f.TxtOutFile}) {
    EXPECT_EQ(Enabled({&f.GenInstr, &f.BtnRun}), "00") << "an optional name does not enable a run";
    e->setText("/s/a");
  }
  EXPECT_EQ(Enabled({&f.GenInstr, &f.BtnRun}), "11");
}

TEST(FileNames, EachBrowseButtonSetsUpTheDialogAndFillsItsFieldOrNothingWhenCancelled) {
  const std::string out = "Choose The Output File Name|", outFilter = "|Output Files|*.out";
  const std::tuple<void (TFrm1::*)(), Edit TFrm1::*, std::string> rows[] = {
      {&TFrm1::Button2Click, &TFrm1::TxtSetFile, "Choose The Set File|set|*.set|Earlier|*.x"},
      {&TFrm1::Button1Click, &TFrm1::TxtDataFile,
       "Choose The Data File|txt||Dat Files|*.txt;*.dat"},
      {&TFrm1::Button3Click, &TFrm1::TxtOutFile, out + "|*.out" + outFilter},
      {&TFrm1::CmdCoVarClick, &TFrm1::TxtCoVar, out + "|*.*" + outFilter},
      {&TFrm1::CmdIndDifClick, &TFrm1::TxtIndDif, out + "|*.*" + outFilter}};
  for (const auto& [handler, target, dialog] : rows) {
    Fixture fx;
    TFrm1& f = fx.f;
    f.OpenDialog.setFilter("Earlier|*.x");  // kept where the command sets no filter
    f.OpenDialog.setDefaultExt("old");
    (f.*target).setText("typed");
    fx.ui.queueCancelledDialog();
    (f.*handler)();
    EXPECT_EQ((f.*target).text(), "typed");
    fx.ui.queueFile("/data/my study/chosen name.ext");
    (f.*handler)();
    ASSERT_EQ(fx.ui.dialogs.size(), 2u);
    EXPECT_EQ(described(fx.ui.dialogs[1]), dialog);
    EXPECT_EQ((f.*target).text(), "/data/my study/chosen name.ext");
    EXPECT_FALSE(f.Modified) << "file names are not part of the set file";
  }
}

TEST(Viewers, TheDataAndSetFileCommandsOpenTheChosenFileUnchangedInTheViewer) {
  Fixture fx;
  TFrm1& f = fx.f;
  f.OpenDialog.setTitle("Output");
  f.Modified = true;
  for (const char* chosen : {"", "/my data/group data.txt", "/studies/other.set"}) {
    *chosen ? fx.ui.queueFile(chosen) : fx.ui.queueCancelledDialog();
    std::string(chosen).ends_with(".set") ? f.OpeninNotepad1Click() : f.BtnOpenDataClick();
  }
  ASSERT_EQ(fx.ui.dialogs.size(), 3u);
  // The title is left as it was; the set file keeps the filter the data file set.
  EXPECT_EQ(described(fx.ui.dialogs[1]), "Output|txt||dat files|*.txt;*.dat");
  EXPECT_EQ(described(fx.ui.dialogs[2]), "Output|set|*.set|dat files|*.txt;*.dat");
  EXPECT_EQ(fx.platform.viewerStarts,
            (std::vector<std::string>{"/my data/group data.txt", "/studies/other.set"}));
  EXPECT_TRUE(f.Modified) << "the study is neither saved nor changed";
  EXPECT_EQ(f.TxtSetFile.text(), "");
}

}  // namespace
}  // namespace wintarvel
