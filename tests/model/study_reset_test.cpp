// The reset that a new document, an open and a close start with.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "model/frm1.h"
#include "study_building.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {
namespace {

TEST(StudyReset, ANewDocumentEmptiesEveryListAndKeepsTheGroupNumbers) {
  Fixture fx;
  fx.f.BtnNewSetClick();
  BuildRoommateStudy(fx.f);
  AddConstructWith(fx.f, "C1", {"LIKE"});
  AddConstructWith(fx.f, "C2", {"TRUST"});
  fx.f.RadRePat1.setChecked(true);
  fx.f.MemoReorder.setText("1 2 3 4 5 6 7 8");
  fx.f.TxtSetFile.setText("study.set");
  fx.f.LoadedFromFile = true;
  ASSERT_EQ(fx.f.GroupSize, 8);
  ASSERT_EQ(fx.f.NumGroups, 12);

  fx.ui.queueAnswer(Answer::No);
  fx.f.BtnNewSetClick();
  TFrm1& f = fx.f;
  for (const ListBox* list :
       std::initializer_list<const ListBox*>{&f.CmbDyVar, &f.CmbPerVar, &f.CmbConst, &f.LstVars,
                                             &f.LstVarsConst, &f.CorAvailVarList, &f.CmbDrop}) {
    EXPECT_EQ(list->count(), 0);
  }
  EXPECT_TRUE(f.DyVarList.empty());
  EXPECT_TRUE(f.DroppedSubjects.empty());
  EXPECT_EQ(f.TxtNumGroups.text(), "1");
  EXPECT_EQ((Names{f.TxtNameSubGroup1.text(), f.MemoReorder.text(), f.ConRecInfo.text(),
                   f.CorRecInfo.text(), f.TxtSetFile.text()}),
            (Names{"", "", "", "", ""}));
  EXPECT_EQ(Visible({&f.TxtNameSubGroup1, &f.GroupBox17}), "00");
  EXPECT_EQ(Checked({&f.RadDesTy0, &f.RBPerBeforeDy, &f.RadRePat0, &f.RadReNewSame1}), "1111");
  EXPECT_EQ(Checked({&f.ChkSelfM, &f.ChkReverseVar}), "00");
  EXPECT_FALSE(f.GroupBoxPV.enabled());
  EXPECT_EQ(f.LblConstVar.caption(), "none selected");
  EXPECT_EQ(f.LblNumReor.caption(), "0 record(s) needed");
  EXPECT_FALSE(f.CorError.tabVisible());
  EXPECT_EQ(f.ReorderRecordCount, 0);
  EXPECT_FALSE(f.Modified);
  EXPECT_FALSE(f.LoadedFromFile);
  EXPECT_EQ(fx.f.NumGroups, 12);
  EXPECT_EQ(fx.f.GroupSize, 8);
  EXPECT_TRUE(fx.ui.errors.empty());

  // A size that is not a number does not stop the reset either.
  fx.f.TxtNumGroups.setText("5");
  fx.f.TxtNumSubGroup1.setText("4");
  fx.f.TxtNumSubGroup2.setText("x");
  fx.f.TxtProgTitle.setText("Unsaved");
  fx.ui.queueAnswer(Answer::No);
  fx.f.BtnNewSetClick();
  EXPECT_EQ(fx.f.TxtProgTitle.text(), "");
  EXPECT_EQ(fx.f.TxtNumSubGroup2.text(), "");
  EXPECT_EQ(fx.f.TxtNumGroups.text(), "1");
  EXPECT_FALSE(fx.f.Modified);
}

TEST(StudyReset, TheEngineDirectoryIsLoadedOnlyWhenUnknown) {
  TempDir dir;
  const std::string engineDir = std::string("/opt") + kPathSeparator + "tarvel";  // native
  writeFile(dir.file("wintvl.cfg"), "tvlpath " + engineDir + kPathSeparator + "tarvel.exe\r\n");
  Fixture fx(dir.str());
  fx.f.TxtExeDir.setText("/somewhere");
  fx.f.BtnNewSetClick();
  EXPECT_EQ(fx.f.TxtExeDir.text(), "/somewhere");
  fx.f.TxtExeDir.setText("Undefined");
  fx.f.BtnNewSetClick();
  EXPECT_EQ(fx.f.TxtExeDir.text(), engineDir);
  EXPECT_FALSE(fx.f.FrmOptions.visible());
}

}  // namespace
}  // namespace wintarvel::testing
