#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(DyadicVariables, AddingTrimsTheNameAndGivesOnlyTheFirstVariableACorrelationCode) {
  NewStudy s;
  TFrm1& f = s.f;
  f.TxtDyVars.setText("  \t ");
  f.CmdDyVarAddClick();
  EXPECT_EQ(f.CmbDyVar.count(), 0);
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_FALSE(f.Modified);

  f.TxtDyVars.setText("  Like\t");
  f.TxtDyVarsKeyPress(13);  // Enter adds as the button does
  AddDyadic(f, {"Trust", "Like"});
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"Like", "Trust", "Like"}));
  EXPECT_EQ(RecordNames(f), (Names{"Like", "Trust", "Like"}));
  EXPECT_EQ(RecordConstructs(f), (Names{"", "", ""}));
  EXPECT_EQ(f.FindDyVarRec("Like"), 0);  // a repeated name finds the first record
  EXPECT_EQ(f.CorRecInfo.text(), "010000");
  EXPECT_EQ(f.ConRecInfo.text(), "000000");
  EXPECT_EQ(f.CorAvailVarList.items(), (Names{"Like", "Trust", "Like"}));
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_TRUE(f.Modified);
  EXPECT_TRUE(s.ui.messages.empty());
}

TEST(DyadicVariables, TheTwentyFirstVariableIsRefusedWithNothingChanged) {
  NewStudy s;
  TFrm1& f = s.f;
  for (int i = 1; i <= 20; ++i) {
    f.TxtDyVars.setText("V" + std::to_string(i));
    f.CmdDyVarAddClick();
  }
  f.Modified = false;
  const std::string corCodes = f.CorRecInfo.text();
  const std::string conCodes = f.ConRecInfo.text();

  f.TxtDyVars.setText(" V21 ");
  f.CmdDyVarAddClick();
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "There cannot be more than 20 dyadic variables");
  EXPECT_EQ(s.ui.messages[0].caption, "Warning");
  EXPECT_EQ(f.CmbDyVar.count(), 20);
  EXPECT_EQ(f.DyVarList.size(), 20u);
  EXPECT_EQ(f.CorRecInfo.text(), corCodes);
  EXPECT_EQ(f.ConRecInfo.text(), conCodes);
  EXPECT_EQ(f.TxtDyVars.text(), "V21");
  EXPECT_FALSE(f.Modified);
}

TEST(DyadicVariables, RemovingAVariableCutsItsCorrelationEntryAndMovesTheOthersForward) {
  // Three variables A, B, C with correlation codes 01 02 03, one of them removed.
  const char* const remaining[] = {"0203", "0103", "0102"};
  for (int index = 0; index < 3; ++index) {
    NewStudy s;
    AddDyadic(s.f, {"A", "B", "C"});
    s.f.CorRecInfo.setText("010203");
    s.f.CmbDyVar.setItemIndex(index);
    s.f.CmdDyVarRemClick();
    EXPECT_EQ(s.f.DyVarList.size(), 2u);
    EXPECT_EQ(s.f.ConRecInfo.text(), "0000");
    EXPECT_EQ(s.f.CorRecInfo.text(), remaining[index]);
  }

  // Removing the only variable empties both strings, and the next add numbers afresh.
  NewStudy s;
  AddDyadic(s.f, {"A"});
  s.f.CmbDyVar.setItemIndex(0);
  s.f.CmdDyVarRemClick();
  EXPECT_TRUE(s.f.CorRecInfo.text().empty());
  EXPECT_TRUE(s.f.ConRecInfo.text().empty());
  AddDyadic(s.f, {"B"});
  EXPECT_EQ(s.f.CorRecInfo.text(), "01");
}

TEST(DyadicVariables, APeriodRemovesTheSelectedVariableWithItsRecordButLeavesItsConstruct) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C"});
  AddConstructs(f, {"C1", "C2"});
  SelectConstruct(f, "C2");
  MoveIntoCurrentConstruct(f, {"B", "C"});
  ASSERT_EQ(f.ConRecInfo.text(), "000202");
  f.TxtDyVars.setText("typed");
  f.Modified = false;

  // With nothing selected the period is only typed: nothing is removed.
  f.TxtDyVarsKeyPress('.');
  EXPECT_EQ(f.DyVarList.size(), 3u);
  EXPECT_EQ(f.TxtDyVars.text(), "typed");
  EXPECT_FALSE(f.Modified);

  f.CmbDyVar.setItemIndex(1);
  f.TxtDyVarsKeyPress('a');  // any other key is left to the box
  EXPECT_EQ(f.DyVarList.size(), 3u);
  f.TxtDyVarsKeyPress('.');
  EXPECT_EQ(RecordNames(f), (Names{"A", "C"}));
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"A", "C"}));
  EXPECT_EQ(f.CmbDyVar.itemIndex(), -1);
  EXPECT_EQ(f.ConRecInfo.text(), "0002");
  EXPECT_EQ(f.CmbConst.items(), (Names{"C1", "C2"}));
  EXPECT_EQ(f.CorAvailVarList.items(), (Names{"A", "C"}));
  EXPECT_EQ(f.LstVarsConst.items(), (Names{"B", "C"}));  // refreshed only by the construct page
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_TRUE(f.Modified);
}

TEST(DyadicVariables, ListsOutOfStepOrShortCodeStringsAreHandledWithoutRepair) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B"});
  f.CmbDyVar.add("Stray");  // an item without a record
  f.CorRecInfo.setText("010203");
  f.CmbDyVar.setItemIndex(2);
  f.CmdDyVarRemClick();
  EXPECT_EQ(RecordNames(f), (Names{"A", "B"}));
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"A", "B"}));
  // No record matched, so the entry cut is the one behind the last record.
  EXPECT_EQ(f.CorRecInfo.text(), "0102");
  EXPECT_TRUE(s.ui.messages.empty());  // list and records agree again

  f.CmbDyVar.add("Stray");
  f.UpdateVarCodes();
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "Data inconsistency");
  EXPECT_EQ(s.ui.messages[0].caption, "");
  EXPECT_EQ(f.ConRecInfo.text(), "0000");  // built from the records, nothing repaired
  f.CmbDyVar.remove(2);

  // A damaged code string too short for the entry is never cut past its end.
  AddDyadic(f, {"C"});
  f.CorRecInfo.setText("010");
  f.CmbDyVar.setItemIndex(2);
  f.CmdDyVarRemClick();
  EXPECT_EQ(f.CorRecInfo.text(), "010");
  f.CmbDyVar.setItemIndex(0);
  f.CmdDyVarRemClick();
  EXPECT_EQ(f.CorRecInfo.text(), "0");
}

TEST(DyadicVariables, RenameKeepsThePlaceAndCodesAndAcceptsAnEmptyName) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B"});
  AddConstructs(f, {"C1"});
  SelectConstruct(f, "C1");
  MoveIntoCurrentConstruct(f, {"B"});
  f.CorRecInfo.setText("0102");
  f.CmbDyVar.add("Stray");  // an item without a record
  f.TxtDyVars.setText(" New ");
  f.Modified = false;

  f.CmdDyVarRenameClick();  // nothing selected: nothing at all
  EXPECT_EQ(f.TxtDyVars.text(), " New ");
  EXPECT_FALSE(f.Modified);
  f.CmbDyVar.setItemIndex(2);
  f.CmdDyVarRenameClick();  // no record: only the flag
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"A", "B", "Stray"}));
  EXPECT_EQ(f.TxtDyVars.text(), " New ");
  EXPECT_TRUE(f.Modified);
  f.CmbDyVar.remove(2);

  f.CmbDyVar.setItemIndex(1);
  f.TxtDyVars.setText("  Beta ");
  f.CmdDyVarRenameClick();
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"A", "Beta"}));
  EXPECT_EQ(f.CmbDyVar.itemIndex(), -1);
  EXPECT_EQ(f.DyVarList[1].Name, "Beta");
  EXPECT_EQ(f.DyVarList[1].Construct, "C1");
  EXPECT_EQ(f.ConRecInfo.text(), "0001");
  EXPECT_EQ(f.CorRecInfo.text(), "0102");
  EXPECT_TRUE(f.TxtDyVars.text().empty());

  f.CmbDyVar.setItemIndex(0);
  f.CmdDyVarRenameClick();
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"", "Beta"}));
  EXPECT_EQ(f.DyVarList[0].Name, "");
}

TEST(PersonalityVariables, AddingAndRemovingSwitchesTheReadOrderGroup) {
  NewStudy s;
  TFrm1& f = s.f;
  f.CmdPerVarRenameClick();  // an empty list: nothing to mark
  EXPECT_FALSE(f.Modified);
  ASSERT_FALSE(f.GroupBoxPV.enabled());
  AddPersonality(f, {" Age ", "Extrav"});
  EXPECT_EQ(f.CmbPerVar.items(), (Names{"Age", "Extrav"}));
  EXPECT_TRUE(f.TxtPerVars.text().empty());
  EXPECT_EQ(Enabled({&f.GroupBoxPV, &f.RBPerBeforeDy, &f.RBPerAfterDy}), "111");
  EXPECT_TRUE(f.RBPerBeforeDy.checked());
  EXPECT_TRUE(f.Modified);

  f.CmbPerVar.setItemIndex(0);
  f.TxtPerVarsKeyPress('.');
  EXPECT_EQ(f.CmbPerVar.items(), (Names{"Extrav"}));
  EXPECT_TRUE(f.GroupBoxPV.enabled());
  f.CmbPerVar.setItemIndex(0);
  f.CmdPerVarRemClick();
  EXPECT_EQ(f.CmbPerVar.count(), 0);
  EXPECT_EQ(Enabled({&f.GroupBoxPV, &f.RBPerBeforeDy, &f.RBPerAfterDy}), "000");
  EXPECT_TRUE(f.RBPerBeforeDy.checked());

  f.TxtPerVars.setText("Age");
  f.TxtPerVarsKeyPress(13);
  EXPECT_TRUE(f.GroupBoxPV.enabled());

  // With nothing selected nothing is removed, yet an empty list still disables the group.
  f.CmdPerVarRemClick();
  EXPECT_EQ(f.CmbPerVar.count(), 1);
  EXPECT_TRUE(f.GroupBoxPV.enabled());
  f.CmbPerVar.clear();
  f.Modified = false;
  f.CmdPerVarRemClick();
  EXPECT_EQ(Enabled({&f.GroupBoxPV, &f.RBPerAfterDy}), "00");
  EXPECT_FALSE(f.Modified);
}

TEST(PersonalityVariables, TheTwentyFirstIsRefusedAndRenameMarksTheStudyEvenWithoutSelection) {
  NewStudy s;
  TFrm1& f = s.f;
  for (int i = 1; i <= 20; ++i) {
    f.TxtPerVars.setText("P" + std::to_string(i));
    f.CmdPerVarAddClick();
  }
  f.Modified = false;
  f.TxtPerVars.setText("P21");
  f.CmdPerVarAddClick();
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "There cannot be more than 20 personality variables");
  EXPECT_EQ(s.ui.messages[0].caption, "Warning");
  EXPECT_EQ(f.CmbPerVar.count(), 20);
  EXPECT_FALSE(f.Modified);

  f.CmdPerVarRenameClick();  // nothing selected, but the list is not empty
  EXPECT_TRUE(f.Modified);
  EXPECT_EQ(f.TxtPerVars.text(), "P21");

  f.CmbPerVar.setItemIndex(3);
  f.CmbPerVarClick();
  EXPECT_EQ(f.TxtPerVars.text(), "P4");
  f.TxtPerVars.setText(" ");
  f.CmdPerVarRenameClick();
  EXPECT_EQ(f.CmbPerVar.item(3), "");
  EXPECT_EQ(f.CmbPerVar.itemIndex(), -1);
  EXPECT_TRUE(f.DyVarList.empty());
}

}  // namespace
}  // namespace wintarvel::testing
