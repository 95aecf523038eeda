// The "File Names" page: path splitting, the Browse dialogs and the rule that enables a run.

#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel {
namespace {

using testing::Enabled;
using testing::Fixture;

void expectSplit(const std::string& path, char separator, const std::string& dir,
                 const std::string& base, const std::string& ext, bool ok) {
  const SplitPathResult r = SplitPath(path, separator);
  EXPECT_EQ(r.dir, dir) << path;
  EXPECT_EQ(r.base, base) << path;
  EXPECT_EQ(r.ext, ext) << path;
  EXPECT_EQ(r.ok, ok) << path;
}

TEST(SplitPath, SplitsAtTheLastBackslashAndTheLastDotOfTheName) {
  expectSplit("C:\\study\\a.b\\run.set", '\\', "C:\\study\\a.b", "run", "set", true);
  expectSplit("run.set", '\\', "", "run", "set", true);
  expectSplit("C:\\study\\", '\\', "C:\\study", "", "", false);
  expectSplit("C:\\study\\.profile", '\\', "C:\\study", "", "profile", false);
  expectSplit("C:\\study\\readme", '\\', "C:\\study", "readme", "", true);
  expectSplit("C:\\study\\run.old.set", '\\', "C:\\study", "run.old", "set", true);
  expectSplit("", '\\', "", "", "", false);
}

TEST(SplitPath, TreatsOnlyTheGivenSeparatorAsOne) {
  // With the backslash as separator a forward slash is an ordinary character of the name.
  expectSplit("C:/a.b/run", '\\', "", "C:/a", "b/run", true);
#ifndef _WIN32  // the Win32 platform test checks the native backslash
  // The native separator here is the slash; a backslash is then part of the name.
  expectSplit("/home/u/a.b/run.set", kPathSeparator, "/home/u/a.b", "run", "set", true);
  expectSplit("a\\b.set", kPathSeparator, "", "a\\b", "set", true);
#endif
}

TEST(FileNames, TheRunCommandsNeedTheSetDataAndOutputFiles) {
  Fixture fx;
  TFrm1& f = fx.f;
  f.TxtSetFile.setText("/s/a.set");
  f.TxtDataFile.setText("/s/a.txt");
  EXPECT_EQ(Enabled({&f.GenInstr, &f.BtnRun}), "00");
  f.TxtOutFile.setText("/s/a.out");
  EXPECT_EQ(Enabled({&f.GenInstr, &f.BtnRun}), "11");

  f.TxtCoVar.setText("/s/c.out");
  f.TxtCoVar.setText("");
  f.TxtIndDif.setText("/s/i.out");
  EXPECT_EQ(Enabled({&f.GenInstr, &f.BtnRun}), "11") << "optional names play no part";

  for (Edit* e : {&f.TxtSetFile, &f.TxtDataFile, &f.TxtOutFile}) {
    const std::string kept = e->text();
    e->setText("");
    EXPECT_EQ(Enabled({&f.GenInstr, &f.BtnRun}), "00");
    f.TxtIndDif.setText("/s/other.out");
    EXPECT_FALSE(f.BtnRun.enabled()) << "an optional name does not enable a run";
    e->setText(kept);
    EXPECT_EQ(Enabled({&f.GenInstr, &f.BtnRun}), "11");
  }
}

struct BrowseCase {
  void (TFrm1::*handler)();
  Edit TFrm1::*target;
  const char* title;
  const char* defaultExt;
  const char* fileName;
  const char* filter;  // nullptr: the filter the dialog had before
};

TEST(FileNames, EachBrowseButtonSetsUpTheDialogAndFillsItsField) {
  const BrowseCase cases[] = {
      {&TFrm1::Button2Click, &TFrm1::TxtSetFile, "Choose The Set File", "set", "*.set", nullptr},
      {&TFrm1::Button1Click, &TFrm1::TxtDataFile, "Choose The Data File", "txt", "",
       "Dat Files|*.txt;*.dat"},
      {&TFrm1::Button3Click, &TFrm1::TxtOutFile, "Choose The Output File Name", "", "*.out",
       "Output Files|*.out"},
      {&TFrm1::CmdCoVarClick, &TFrm1::TxtCoVar, "Choose The Output File Name", "", "*.*",
       "Output Files|*.out"},
      {&TFrm1::CmdIndDifClick, &TFrm1::TxtIndDif, "Choose The Output File Name", "", "*.*",
       "Output Files|*.out"},
  };
  for (const BrowseCase& c : cases) {
    Fixture fx;
    TFrm1& f = fx.f;
    f.OpenDialog.setFilter("Earlier|*.x");
    f.OpenDialog.setDefaultExt("old");
    fx.ui.queueFile("/data/my study/chosen name.ext");
    (f.*c.handler)();
    ASSERT_EQ(fx.ui.dialogs.size(), 1u);
    const auto& shown = fx.ui.dialogs[0];
    EXPECT_EQ(shown.kind, FileDialogKind::Open);
    EXPECT_EQ(shown.title, c.title);
    EXPECT_EQ(shown.defaultExt, c.defaultExt);
    EXPECT_EQ(shown.fileName, c.fileName);
    EXPECT_EQ(shown.filter, c.filter ? c.filter : "Earlier|*.x");
    EXPECT_EQ((f.*c.target).text(), "/data/my study/chosen name.ext");
    EXPECT_FALSE(f.Modified) << "file names are not part of the set file";
  }
}

TEST(FileNames, CancellingABrowseDialogChangesNothing) {
  Fixture fx;
  TFrm1& f = fx.f;
  f.TxtSetFile.setText("/s/a.set");
  f.TxtDataFile.setText("/s/a.txt");
  f.TxtOutFile.setText("/s/a.out");
  for (auto handler : {&TFrm1::Button2Click, &TFrm1::Button1Click, &TFrm1::Button3Click,
                       &TFrm1::CmdCoVarClick, &TFrm1::CmdIndDifClick}) {
    fx.ui.queueCancelledDialog();
    (f.*handler)();
  }
  EXPECT_EQ(f.TxtSetFile.text(), "/s/a.set");
  EXPECT_EQ(f.TxtDataFile.text(), "/s/a.txt");
  EXPECT_EQ(f.TxtOutFile.text(), "/s/a.out");
  EXPECT_EQ(f.TxtCoVar.text(), "");
  EXPECT_EQ(f.TxtIndDif.text(), "");
  EXPECT_TRUE(f.BtnRun.enabled());
  EXPECT_EQ(fx.ui.pendingFiles(), 0u);
}

}  // namespace
}  // namespace wintarvel
