#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(ReverseScoring, TheSwitchShowsTheLimitSumAndTurnsRenamingOff) {
  NewStudy s;
  TFrm1& f = s.f;
  ASSERT_FALSE(f.CmdDyVarRev.enabled());
  ASSERT_FALSE(f.TxtRevScore.visible());
  f.ChkReverseVar.setChecked(true);
  EXPECT_EQ(Enabled({&f.CmdDyVarRev, &f.CmdDyVarRename}), "10");
  EXPECT_EQ(Visible({&f.LBLRevScore, &f.TxtRevScore}), "11");
  EXPECT_TRUE(f.Modified);

  f.TxtRevScore.setText("8");
  f.Modified = false;
  f.ChkReverseVar.setChecked(false);
  EXPECT_EQ(Enabled({&f.CmdDyVarRev, &f.CmdDyVarRename}), "01");
  EXPECT_EQ(Visible({&f.LBLRevScore, &f.TxtRevScore}), "00");
  EXPECT_EQ(f.TxtRevScore.text(), "8");
  EXPECT_TRUE(f.Modified);
}

TEST(ReverseScoring, TheButtonTogglesTheMarkOfTheSelectedVariableOnly) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"Like", "Anx"});
  f.ChkReverseVar.setChecked(true);
  const std::string corCodes = f.CorRecInfo.text();
  f.TxtDyVars.setText("typed");
  f.Modified = false;

  f.CmdDyVarRevClick();  // nothing selected: nothing changes
  EXPECT_EQ(f.TxtDyVars.text(), "typed");
  EXPECT_FALSE(f.Modified);

  f.CmbDyVar.setItemIndex(1);
  f.CmdDyVarRevClick();
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"Like", "Anx R"}));
  EXPECT_TRUE(f.DyVarList[1].Reversed);
  EXPECT_EQ(f.DyVarList[1].Name, "Anx");
  EXPECT_EQ(f.CmbDyVar.itemIndex(), -1);
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_TRUE(f.Modified);

  // Clicking the marked item copies its text with the mark; lookups accept either form.
  f.CmbDyVar.setItemIndex(1);
  f.CmbDyVarClick();
  EXPECT_EQ(f.TxtDyVars.text(), "Anx R");
  EXPECT_EQ(f.FindDyVarRec("Anx R"), 1);
  EXPECT_EQ(f.FindDyVarRec("anx"), -1);  // exact letter case

  f.CmdDyVarRevClick();
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"Like", "Anx"}));
  EXPECT_FALSE(f.DyVarList[1].Reversed);
  EXPECT_EQ(f.CorRecInfo.text(), corCodes);
  EXPECT_EQ(f.ConRecInfo.text(), "0000");

  // An item without a record is left alone, but the box is emptied and the study marked.
  f.CmbDyVar.add("Stray");
  f.TxtDyVars.setText("typed");
  f.Modified = false;
  f.CmbDyVar.setItemIndex(2);
  f.CmdDyVarRevClick();
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"Like", "Anx", "Stray"}));
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_TRUE(f.Modified);
}

TEST(ReverseScoring, SwitchingOffClearsEveryMarkAndSwitchingOnAgainMarksNothing) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C"});
  f.ChkReverseVar.setChecked(true);
  for (int i : {0, 2}) {
    f.CmbDyVar.setItemIndex(i);
    f.CmdDyVarRevClick();
  }
  ASSERT_EQ(f.CmbDyVar.items(), (Names{"A R", "B", "C R"}));

  for (bool on : {false, true}) {
    f.ChkReverseVar.setChecked(on);
    EXPECT_EQ(f.CmbDyVar.items(), (Names{"A", "B", "C"}));
    for (const _variable& record : f.DyVarList) EXPECT_FALSE(record.Reversed);
  }
}

}  // namespace
}  // namespace wintarvel::testing
