// The "Variables" page: dyadic and personality variables added, removed, renamed, moved and
// reverse scored, with their records and code entries kept in step.

#include "variables/study_state.h"

namespace wintarvel::testing {
namespace {

// Dyadic variables A, B, C; B in construct K1 and C in K2, correlation codes 01 02 03.
struct ThreeVariables : NewStudy {
  ThreeVariables() {
    AddDyadic(f, {"A", "B", "C"});
    AddConstructWith(f, "K1", {"B"});
    AddConstructWith(f, "K2", {"C"});
    f.CorRecInfo.setText("010203");
    f.Modified = false;
  }
};
const char* const kThree = "A,B,C | A:,B:K1,C:K2 | 000102 | 010203";

TEST(DyadicVariables, AddingTrimsTheNameAndGivesOnlyTheFirstVariableACorrelationCode) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"  \t "});
  EXPECT_EQ(f.CmbDyVar.count(), 0);
  EXPECT_FALSE(f.Modified);
  f.TxtDyVars.setText("  Like\t");
  f.TxtDyVarsKeyPress(13);  // Enter adds as the button does
  AddDyadic(f, {"Trust", "Like"});
  EXPECT_EQ(DyadicState(f), "Like,Trust,Like | Like:,Trust:,Like: | 000000 | 010000");
  EXPECT_EQ(f.FindDyVarRec("Like"), 0);  // a repeated name finds the first record
  EXPECT_EQ(Joined(f.CorAvailVarList.items()), "Like,Trust,Like");
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_TRUE(f.Modified);

  for (int i = 4; i <= 20; ++i) AddDyadic(f, {"V" + std::to_string(i)});
  const std::string twenty = DyadicState(f);
  f.Modified = false;
  AddDyadic(f, {" V21 "});
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "There cannot be more than 20 dyadic variables");
  EXPECT_EQ(s.ui.messages[0].caption, "Warning");
  EXPECT_EQ(DyadicState(f), twenty);
  EXPECT_EQ(f.TxtDyVars.text(), "V21");
  EXPECT_FALSE(f.Modified);
}

TEST(DyadicVariables, RemovingCutsTheVariablesEntriesAndKeepsTheConstructs) {
  const char* const remaining[] = {"B,C | B:K1,C:K2 | 0102 | 0203", "A,C | A:,C:K2 | 0002 | 0103",
                                   "A,B | A:,B:K1 | 0001 | 0102"};
  for (int index = 0; index < 3; ++index) {
    ThreeVariables s;
    s.f.CmbDyVar.setItemIndex(index);
    s.f.TxtDyVars.setText("typed");
    s.f.TxtDyVarsKeyPress('a');  // any other key is left to the box
    EXPECT_EQ(DyadicState(s.f), kThree);
    index == 1 ? s.f.TxtDyVarsKeyPress('.') : s.f.CmdDyVarRemClick();
    EXPECT_EQ(DyadicState(s.f), remaining[index]);
    EXPECT_EQ(Joined(s.f.CmbConst.items()), "K1,K2");
    EXPECT_EQ(s.f.CmbDyVar.itemIndex(), -1);
    EXPECT_TRUE(s.f.TxtDyVars.text().empty());
    EXPECT_TRUE(s.f.Modified);
  }
  ThreeVariables s;
  TFrm1& f = s.f;
  f.TxtDyVars.setText("typed");
  f.TxtDyVarsKeyPress('.');  // nothing selected: the period is only typed
  EXPECT_EQ(DyadicState(f), kThree);
  EXPECT_EQ(f.TxtDyVars.text(), "typed");
  EXPECT_FALSE(f.Modified);
  f.CmbDyVar.setItemIndex(1);
  f.TxtDyVarsKeyPress('.');
  EXPECT_EQ(Joined(f.CorAvailVarList.items()), "A,C");
  EXPECT_EQ(Joined(f.LstVarsConst.items()), "C") << "refreshed only by the construct page";
  for (int i : {0, 0}) {
    f.CmbDyVar.setItemIndex(i);
    f.CmdDyVarRemClick();
  }
  EXPECT_EQ(DyadicState(f), " |  |  | ");
  AddDyadic(f, {"D"});
  EXPECT_EQ(f.CorRecInfo.text(), "01") << "the next add numbers afresh";
}

TEST(DyadicVariables, ListsOutOfStepOrShortCodeStringsAreHandledWithoutRepair) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B"});
  f.CmbDyVar.add("Stray");  // an item without a record
  f.CorRecInfo.setText("010203");
  f.CmbDyVar.setItemIndex(2);
  f.CmdDyVarRemClick();
  // No record matched, so the entry cut is the one behind the last record.
  EXPECT_EQ(DyadicState(f), "A,B | A:,B: | 0000 | 0102");
  EXPECT_TRUE(s.ui.messages.empty());

  f.CmbDyVar.add("Stray");
  f.UpdateVarCodes();
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text + "|" + s.ui.messages[0].caption, "Data inconsistency|");
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
  ThreeVariables s;
  TFrm1& f = s.f;
  f.CmbDyVar.add("Stray");  // an item without a record
  f.TxtDyVars.setText(" New ");
  f.CmdDyVarRenameClick();  // nothing selected: nothing at all
  EXPECT_EQ(f.TxtDyVars.text(), " New ");
  EXPECT_FALSE(f.Modified);
  f.CmbDyVar.setItemIndex(3);
  f.CmdDyVarRenameClick();  // no record: only the flag
  EXPECT_EQ(DyadicState(f), "A,B,C,Stray | A:,B:K1,C:K2 | 000102 | 010203");
  EXPECT_EQ(f.TxtDyVars.text(), " New ");
  EXPECT_TRUE(f.Modified);
  f.CmbDyVar.remove(3);

  f.CmbDyVar.setItemIndex(1);
  f.TxtDyVars.setText("  Beta ");
  f.CmdDyVarRenameClick();
  EXPECT_EQ(DyadicState(f), "A,Beta,C | A:,Beta:K1,C:K2 | 000102 | 010203");
  EXPECT_EQ(f.CmbDyVar.itemIndex(), -1);
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  f.CmbDyVar.setItemIndex(0);
  f.CmdDyVarRenameClick();
  EXPECT_EQ(DyadicState(f), ",Beta,C | :,Beta:K1,C:K2 | 000102 | 010203");
}

TEST(DyadicVariables, AMoveCarriesTheItemItsRecordItsMarkAndBothEntries) {
  ThreeVariables s;
  TFrm1& f = s.f;
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(DyadicState(f), "A,C,B | A:,C:K2,B:K1 | 000201 | 010302");
  EXPECT_EQ(f.CmbDyVar.itemIndex(), 1);
  EXPECT_EQ(Joined(f.CorAvailVarList.items()), "A,B,C");  // not rebuilt by a move
  EXPECT_TRUE(f.Modified);
  f.ChkReverseVar.setChecked(true);
  ReverseScore(f, "A");
  f.CmbDyVar.setItemIndex(0);
  f.UDDyClick(UpDownButton::Down);
  f.UDDyClick(UpDownButton::Down);
  EXPECT_EQ(DyadicState(f), "C,B,A R | C:K2,B:K1,A:* | 020100 | 030201");
  EXPECT_EQ(f.CmbDyVar.itemIndex(), 2);

  // At either end or without a selection nothing moves, but the study is marked.
  const std::string before = DyadicState(f);
  for (const auto& [index, button] : {std::pair{0, UpDownButton::Up},
                                      {2, UpDownButton::Down},
                                      {-1, UpDownButton::Up},
                                      {-1, UpDownButton::Down}}) {
    f.CmbDyVar.setItemIndex(index);
    f.Modified = false;
    f.UDDyClick(button);
    EXPECT_EQ(DyadicState(f), before);
    EXPECT_EQ(f.CmbDyVar.itemIndex(), index);
    EXPECT_TRUE(f.Modified);
  }
  // A code string empty or too short for the moved entries stays as it is.
  f.CorRecInfo.setText("");
  f.CmbDyVar.setItemIndex(1);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(DyadicState(f), "B,C,A R | B:K1,C:K2,A:* | 010200 | ");
  f.CorRecInfo.setText("01020");
  f.ConRecInfo.setText("0001");
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(DyadicState(f), "B,A R,C | B:K1,A:*,C:K2 | 0001 | 01020");
}

TEST(DyadicVariables, WithRepeatedNamesTheFirstRecordOfThatNameIsTheOneMoved) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"X", "Y", "X"});
  f.DyVarList[0].Construct = "first";
  f.DyVarList[2].Construct = "second";
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  // The first X has no record before it, so the records keep their order.
  EXPECT_EQ(DyadicState(f), "X,X,Y | X:first,Y:,X:second | 000000 | 010000");
}

TEST(ReverseScoring, TheSwitchShowsTheLimitSumAndTheButtonTogglesTheSelectedMark) {
  ThreeVariables s;
  TFrm1& f = s.f;
  ASSERT_EQ(Enabled({&f.CmdDyVarRev, &f.CmdDyVarRename}), "01");
  f.ChkReverseVar.setChecked(true);
  EXPECT_EQ(Enabled({&f.CmdDyVarRev, &f.CmdDyVarRename}), "10");
  EXPECT_EQ(Visible({&f.LBLRevScore, &f.TxtRevScore}), "11");
  EXPECT_TRUE(f.Modified);

  f.TxtDyVars.setText("typed");
  f.Modified = false;
  f.CmdDyVarRevClick();  // nothing selected: nothing changes
  EXPECT_EQ(f.TxtDyVars.text(), "typed");
  EXPECT_FALSE(f.Modified);
  for (const char* item : {"A", "C"}) ReverseScore(f, item);
  EXPECT_EQ(DyadicState(f), "A R,B,C R | A:*,B:K1,C:K2* | 000102 | 010203");
  EXPECT_EQ(f.CmbDyVar.itemIndex(), -1);
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_TRUE(f.Modified);
  // Clicking the marked item copies its text with the mark; lookups accept either form.
  f.CmbDyVar.setItemIndex(2);
  f.CmbDyVarClick();
  EXPECT_EQ(f.TxtDyVars.text(), "C R");
  EXPECT_EQ(f.FindDyVarRec("C R"), 2);
  EXPECT_EQ(f.FindDyVarRec("c"), -1);  // exact letter case
  f.CmdDyVarRevClick();
  EXPECT_EQ(DyadicState(f), "A R,B,C | A:*,B:K1,C:K2 | 000102 | 010203");

  // An item without a record is left alone, but the box is emptied and the study marked.
  f.CmbDyVar.add("Stray");
  f.TxtDyVars.setText("typed");
  f.Modified = false;
  f.CmbDyVar.setItemIndex(3);
  f.CmdDyVarRevClick();
  EXPECT_EQ(Joined(f.CmbDyVar.items()), "A R,B,C,Stray");
  EXPECT_TRUE(f.TxtDyVars.text().empty());
  EXPECT_TRUE(f.Modified);
  f.CmbDyVar.remove(3);

  // Switching off clears every mark and keeps the limit sum; on again marks nothing.
  f.TxtRevScore.setText("8");
  f.Modified = false;
  for (bool on : {false, true}) {
    f.ChkReverseVar.setChecked(on);
    EXPECT_EQ(DyadicState(f), kThree);
  }
  f.ChkReverseVar.setChecked(false);
  EXPECT_EQ(Enabled({&f.CmdDyVarRev, &f.CmdDyVarRename}), "01");
  EXPECT_EQ(Visible({&f.LBLRevScore, &f.TxtRevScore}), "00");
  EXPECT_EQ(f.TxtRevScore.text(), "8");
  EXPECT_TRUE(f.Modified);
}

TEST(PersonalityVariables, AddingRemovingAndMovingSwitchTheReadOrderGroupOnly) {
  ThreeVariables s;
  TFrm1& f = s.f;
  const auto group = [&f] { return Enabled({&f.GroupBoxPV, &f.RBPerBeforeDy, &f.RBPerAfterDy}); };
  f.CmdPerVarRenameClick();  // an empty list: nothing to mark
  EXPECT_FALSE(f.Modified);
  ASSERT_EQ(group(), "000");
  AddPersonality(f, {" P1 ", "P2", "P3"});
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P1,P2,P3");
  EXPECT_TRUE(f.TxtPerVars.text().empty());
  EXPECT_EQ(group(), "111");
  EXPECT_TRUE(f.RBPerBeforeDy.checked());
  EXPECT_TRUE(f.Modified);

  f.CmbPerVar.setItemIndex(0);
  f.UDPerClick(UpDownButton::Down);
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P2,P1,P3");
  EXPECT_EQ(f.CmbPerVar.itemIndex(), 1);
  f.UDPerClick(UpDownButton::Up);
  f.UDPerClick(UpDownButton::Up);  // already on top
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P1,P2,P3");
  EXPECT_EQ(f.CmbPerVar.itemIndex(), 0);
  f.CmbPerVar.setItemIndex(-1);
  f.Modified = false;
  f.UDPerClick(UpDownButton::Down);
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P1,P2,P3");
  EXPECT_TRUE(f.Modified);
  EXPECT_EQ(DyadicState(f), kThree);

  f.CmbPerVar.setItemIndex(0);
  f.TxtPerVarsKeyPress('.');
  f.CmdPerVarRemClick();  // with nothing selected nothing is removed
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P2,P3");
  EXPECT_EQ(group(), "111");
  f.CmbPerVar.clear();
  f.Modified = false;
  f.CmdPerVarRemClick();  // yet an empty list still disables the group
  EXPECT_EQ(group(), "000");
  EXPECT_TRUE(f.RBPerBeforeDy.checked());
  EXPECT_FALSE(f.Modified);
  f.TxtPerVars.setText("Age");
  f.TxtPerVarsKeyPress(13);
  EXPECT_TRUE(f.GroupBoxPV.enabled());
  f.CmbPerVar.setItemIndex(0);
  f.CmdPerVarRemClick();
  EXPECT_EQ(group(), "000");
}

TEST(PersonalityVariables, TheTwentyFirstIsRefusedAndRenameMarksTheStudyEvenWithoutSelection) {
  NewStudy s;
  TFrm1& f = s.f;
  for (int i = 1; i <= 20; ++i) AddPersonality(f, {"P" + std::to_string(i)});
  f.Modified = false;
  AddPersonality(f, {"P21"});
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
