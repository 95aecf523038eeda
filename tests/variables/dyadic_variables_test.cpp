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
  // Selects item `index` and runs `handler`.
  void on(int index, void (TFrm1::*handler)()) {
    f.CmbDyVar.setItemIndex(index);
    (f.*handler)();
  }
};
const char* const kThree = "A,B,C | A:,B:K1,C:K2 | 000102 | 010203";

TEST(DyadicVariables, AddingTrimsGivesOnlyTheFirstACodeAndStopsAtTwenty) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"  \t "});
  EXPECT_FALSE(f.Modified);
  f.TxtDyVars.setText("  Like\t");
  f.TxtDyVarsKeyPress(13);  // Enter adds as the button does
  AddDyadic(f, {"Trust", "Like"});
  EXPECT_EQ(DyadicState(f), "Like,Trust,Like | Like:,Trust:,Like: | 000000 | 010000");
  EXPECT_EQ(f.FindDyVarRec("Like"), 0);  // a repeated name finds the first record
  EXPECT_EQ(Joined(f.CorAvailVarList.items()), "Like,Trust,Like");
  EXPECT_TRUE(f.TxtDyVars.text().empty() && f.Modified);

  for (int i = 4; i <= 20; ++i) AddDyadic(f, {"V" + std::to_string(i)});
  const std::string twenty = DyadicState(f);
  f.Modified = false;
  AddDyadic(f, {" V21 "});
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text + "|" + s.ui.messages[0].caption,
            "There cannot be more than 20 dyadic variables|Warning");
  EXPECT_EQ(DyadicState(f), twenty);
  EXPECT_EQ(f.TxtDyVars.text(), "V21");
  EXPECT_FALSE(f.Modified);
}

TEST(DyadicVariables, RemovingCutsTheVariablesEntriesEvenWhenTheListsAreOutOfStep) {
  const char* const remaining[] = {"B,C | B:K1,C:K2 | 0102 | 0203", "A,C | A:,C:K2 | 0002 | 0103",
                                   "A,B | A:,B:K1 | 0001 | 0102"};
  for (int index = 0; index < 3; ++index) {
    ThreeVariables s;
    s.f.TxtDyVars.setText("typed");
    s.f.CmbDyVar.setItemIndex(index);
    s.f.TxtDyVarsKeyPress('a');  // any other key is left to the box
    EXPECT_EQ(DyadicState(s.f), kThree);
    index == 1 ? s.f.TxtDyVarsKeyPress('.') : s.f.CmdDyVarRemClick();
    EXPECT_EQ(DyadicState(s.f), remaining[index]);
    EXPECT_EQ(Joined(s.f.CmbConst.items()), "K1,K2");
    EXPECT_TRUE(s.f.TxtDyVars.text().empty() && s.f.Modified);
  }
  ThreeVariables s;
  TFrm1& f = s.f;
  f.TxtDyVars.setText("typed");
  f.TxtDyVarsKeyPress('.');  // nothing selected: the period is only typed
  EXPECT_EQ(DyadicState(f) + f.TxtDyVars.text(), kThree + std::string("typed"));
  EXPECT_FALSE(f.Modified);

  f.CmbDyVar.add("Stray");  // an item without a record
  f.UpdateVarCodes();
  EXPECT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text + "|" + s.ui.messages[0].caption, "Data inconsistency|");
  f.CorRecInfo.setText("01020304");
  s.on(3, &TFrm1::CmdDyVarRemClick);  // no record: the entry cut is the one behind the last
  EXPECT_EQ(DyadicState(f), kThree);
  f.CorRecInfo.setText("010");  // a damaged code string is never cut past its end
  s.on(2, &TFrm1::CmdDyVarRemClick);
  EXPECT_EQ(f.CorRecInfo.text(), "010");
  s.on(0, &TFrm1::CmdDyVarRemClick);
  s.on(0, &TFrm1::CmdDyVarRemClick);
  EXPECT_EQ(DyadicState(f), " |  |  | 0");
  f.CorRecInfo.setText("");
  AddDyadic(f, {"D"});
  EXPECT_EQ(f.CorRecInfo.text(), "01") << "an empty code string is numbered afresh";
}

TEST(DyadicVariables, RenameKeepsThePlaceAndCodesAndAcceptsAnEmptyName) {
  ThreeVariables s;
  TFrm1& f = s.f;
  f.CmbDyVar.add("Stray");  // an item without a record
  f.TxtDyVars.setText(" New ");
  s.on(-1, &TFrm1::CmdDyVarRenameClick);
  EXPECT_FALSE(f.Modified);
  s.on(3, &TFrm1::CmdDyVarRenameClick);  // no record: only the flag
  EXPECT_EQ(DyadicState(f) + f.TxtDyVars.text(),
            "A,B,C,Stray | A:,B:K1,C:K2 | 000102 | 010203 New ");
  EXPECT_TRUE(f.Modified);
  f.CmbDyVar.remove(3);

  f.TxtDyVars.setText("  Beta ");
  s.on(1, &TFrm1::CmdDyVarRenameClick);
  EXPECT_EQ(DyadicState(f), "A,Beta,C | A:,Beta:K1,C:K2 | 000102 | 010203");
  EXPECT_EQ(f.CmbDyVar.itemIndex(), -1);
  s.on(0, &TFrm1::CmdDyVarRenameClick);
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
  f.ChkReverseVar.setChecked(true);
  ReverseScore(f, "A");
  f.CmbDyVar.setItemIndex(0);
  f.UDDyClick(UpDownButton::Down);
  f.UDDyClick(UpDownButton::Down);
  EXPECT_EQ(DyadicState(f), "C,B,A R | C:K2,B:K1,A:* | 020100 | 030201");

  // At either end or without a selection nothing moves, but the study is marked.
  const std::string before = DyadicState(f);
  for (const auto& [index, button] :
       {std::pair{0, UpDownButton::Up}, {2, UpDownButton::Down}, {-1, UpDownButton::Down}}) {
    f.CmbDyVar.setItemIndex(index);
    f.Modified = false;
    f.UDDyClick(button);
    EXPECT_EQ(DyadicState(f), before);
    EXPECT_EQ(f.CmbDyVar.itemIndex(), index);
    EXPECT_TRUE(f.Modified);
  }
  // A code string too short for the moved entries stays as it is.
  f.CorRecInfo.setText("01020");
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(DyadicState(f), "C,A R,B | C:K2,A:*,B:K1 | 020001 | 01020");

  // With repeated names the first record of that name moves: here it has no neighbour above.
  NewStudy r;
  AddDyadic(r.f, {"X", "Y", "X"});
  r.f.DyVarList[0].Construct = "first";
  r.f.CmbDyVar.setItemIndex(2);
  r.f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(DyadicState(r.f), "X,X,Y | X:first,Y:,X: | 000000 | 010000");
}

TEST(ReverseScoring, TheSwitchShowsTheLimitSumAndTheButtonTogglesTheSelectedMark) {
  ThreeVariables s;
  TFrm1& f = s.f;
  const auto controls = [&f] {
    return Enabled({&f.CmdDyVarRev, &f.CmdDyVarRename}) + Visible({&f.LBLRevScore, &f.TxtRevScore});
  };
  ASSERT_EQ(controls(), "0100");
  f.ChkReverseVar.setChecked(true);
  EXPECT_EQ(controls(), "1011");
  f.TxtDyVars.setText("typed");
  f.Modified = false;
  s.on(-1, &TFrm1::CmdDyVarRevClick);  // nothing selected: nothing changes
  EXPECT_EQ(f.TxtDyVars.text(), "typed");
  EXPECT_FALSE(f.Modified);
  for (const char* item : {"A", "C"}) ReverseScore(f, item);
  EXPECT_EQ(DyadicState(f), "A R,B,C R | A:*,B:K1,C:K2* | 000102 | 010203");
  EXPECT_EQ(f.CmbDyVar.itemIndex(), -1);
  // Clicking the marked item copies its text with the mark; lookups accept either form.
  s.on(2, &TFrm1::CmbDyVarClick);
  EXPECT_EQ(f.TxtDyVars.text(), "C R");
  EXPECT_EQ(f.FindDyVarRec("C R"), 2);
  EXPECT_EQ(f.FindDyVarRec("c"), -1);  // exact letter case
  f.CmdDyVarRevClick();
  EXPECT_EQ(DyadicState(f), "A R,B,C | A:*,B:K1,C:K2 | 000102 | 010203");

  // An item without a record is left alone, but the box is emptied and the study marked.
  f.CmbDyVar.add("Stray");
  f.TxtDyVars.setText("typed");
  f.Modified = false;
  s.on(3, &TFrm1::CmdDyVarRevClick);
  EXPECT_EQ(Joined(f.CmbDyVar.items()) + f.TxtDyVars.text(), "A R,B,C,Stray");
  EXPECT_TRUE(f.Modified);
  f.CmbDyVar.remove(3);

  // Switching off clears every mark and keeps the limit sum; on again marks nothing.
  f.TxtRevScore.setText("8");
  f.ChkReverseVar.setChecked(false);
  f.Modified = false;
  f.ChkReverseVar.setChecked(true);
  EXPECT_EQ(DyadicState(f), kThree);
  EXPECT_EQ(f.TxtRevScore.text(), "8");
  EXPECT_TRUE(f.Modified);
}

TEST(PersonalityVariables, AddRemoveMoveAndRenameSwitchTheReadOrderGroupOnly) {
  ThreeVariables s;
  TFrm1& f = s.f;
  const auto group = [&f] { return Enabled({&f.GroupBoxPV, &f.RBPerBeforeDy, &f.RBPerAfterDy}); };
  f.CmdPerVarRenameClick();  // an empty list: nothing to mark
  EXPECT_FALSE(f.Modified);
  ASSERT_EQ(group(), "000");
  AddPersonality(f, {" P1 ", "P2"});
  f.TxtPerVars.setText("P3");
  f.TxtPerVarsKeyPress(13);
  EXPECT_EQ(Joined(f.CmbPerVar.items()) + f.TxtPerVars.text(), "P1,P2,P3");
  EXPECT_EQ(group(), "111");
  EXPECT_TRUE(f.RBPerBeforeDy.checked() && f.Modified);

  f.CmbPerVar.setItemIndex(0);
  f.UDPerClick(UpDownButton::Down);
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P2,P1,P3");
  EXPECT_EQ(f.CmbPerVar.itemIndex(), 1);
  f.UDPerClick(UpDownButton::Up);
  f.UDPerClick(UpDownButton::Up);  // already on top
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P1,P2,P3");
  f.CmbPerVar.setItemIndex(-1);
  f.Modified = false;
  f.UDPerClick(UpDownButton::Down);
  f.CmdPerVarRenameClick();  // nothing selected, but the list is not empty
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P1,P2,P3");
  EXPECT_TRUE(f.Modified);
  EXPECT_EQ(DyadicState(f), kThree);

  f.CmbPerVar.setItemIndex(1);
  f.CmbPerVarClick();
  EXPECT_EQ(f.TxtPerVars.text(), "P2");
  f.TxtPerVars.setText(" ");
  f.CmdPerVarRenameClick();
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P1,,P3");
  EXPECT_EQ(f.CmbPerVar.itemIndex(), -1);

  f.CmbPerVar.setItemIndex(0);
  f.TxtPerVarsKeyPress('.');
  f.CmdPerVarRemClick();  // with nothing selected nothing is removed
  EXPECT_EQ(Joined(f.CmbPerVar.items()), ",P3");
  EXPECT_EQ(group(), "111");
  f.CmbPerVar.clear();
  f.Modified = false;
  f.CmdPerVarRemClick();  // yet an empty list still disables the group
  EXPECT_EQ(group(), "000");
  EXPECT_FALSE(f.Modified);

  for (int i = 1; i <= 20; ++i) AddPersonality(f, {"P" + std::to_string(i)});
  f.Modified = false;
  AddPersonality(f, {"P21"});
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text + "|" + s.ui.messages[0].caption,
            "There cannot be more than 20 personality variables|Warning");
  EXPECT_EQ(f.CmbPerVar.count(), 20);
  EXPECT_FALSE(f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
