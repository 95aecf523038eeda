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
  // Selects item `index`, runs `handler` and tells whether it marked the study.
  bool on(int index, void (TFrm1::*handler)()) {
    f.Modified = false;
    f.CmbDyVar.setItemIndex(index);
    (f.*handler)();
    return f.Modified;
  }
};
const std::string kThree = "A,B,C | A:,B:K1,C:K2 | 000102 | 010203";

TEST(DyadicVariables, AddingTrimsGivesOnlyTheFirstACodeAndStopsAtTwenty) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"  \t "});
  EXPECT_FALSE(f.Modified);
  f.TxtDyVars.setText("  Like\t");
  f.TxtDyVarsKeyPress(13);  // Enter adds as the button does
  AddDyadic(f, {"Trust", "Like"});
  EXPECT_EQ(DyadicState(f), "Like,Trust,Like | Like:,Trust:,Like: | 000000 | 010000");
  EXPECT_EQ(Joined(f.CorAvailVarList.items()), "Like,Trust,Like");
  EXPECT_TRUE(f.TxtDyVars.text().empty() && f.Modified);

  for (int i = 4; i <= 20; ++i) AddDyadic(f, {"V" + std::to_string(i)});
  const std::string twenty = DyadicState(f);
  f.Modified = false;
  AddDyadic(f, {" V21 "});
  EXPECT_EQ(Shown(s.ui), "There cannot be more than 20 dyadic variables|Warning");
  EXPECT_EQ(DyadicState(f) + f.TxtDyVars.text(), twenty + "V21");
  EXPECT_FALSE(f.Modified);
}

TEST(DyadicVariables, RenameKeepsThePlaceAndRemovalCutsTheEntriesEvenWithListsOutOfStep) {
  ThreeVariables s;
  TFrm1& f = s.f;
  f.TxtDyVars.setText(" New ");
  EXPECT_FALSE(s.on(-1, &TFrm1::CmdDyVarRenameClick));
  EXPECT_FALSE(s.on(-1, &TFrm1::CmdDyVarRemClick));
  f.TxtDyVarsKeyPress('a');  // any other key is left to the box
  EXPECT_EQ(DyadicState(f) + f.TxtDyVars.text(), kThree + " New ");
  f.CmbDyVar.add("Stray");  // an item without a record
  f.UpdateVarCodes();
  EXPECT_EQ(Shown(s.ui), "Data inconsistency|");
  EXPECT_TRUE(s.on(3, &TFrm1::CmdDyVarRenameClick));  // no record: only the flag
  EXPECT_EQ(DyadicState(f) + f.TxtDyVars.text(),
            "A,B,C,Stray | A:,B:K1,C:K2 | 000102 | 010203 New ");
  EXPECT_TRUE(s.on(1, &TFrm1::CmdDyVarRenameClick));
  EXPECT_EQ(DyadicState(f) + f.TxtDyVars.text() + std::to_string(f.CmbDyVar.itemIndex()),
            "A,New,C,Stray | A:,New:K1,C:K2 | 000102 | 010203-1");
  s.on(0, &TFrm1::CmdDyVarRenameClick);  // an empty name is accepted

  f.CmbDyVar.setItemIndex(1);
  f.TxtDyVarsKeyPress('.');
  EXPECT_EQ(DyadicState(f) + f.TxtDyVars.text(), ",C,Stray | :,C:K2 | 0002 | 0103");
  EXPECT_TRUE(f.Modified);
  f.CorRecInfo.setText("010203");
  EXPECT_TRUE(s.on(2, &TFrm1::CmdDyVarRemClick));  // the entry cut is the one behind the last
  EXPECT_EQ(DyadicState(f), ",C | :,C:K2 | 0002 | 0102");
  f.CorRecInfo.setText("010");  // a damaged code string is never cut past its end
  s.on(1, &TFrm1::CmdDyVarRemClick);
  s.on(0, &TFrm1::CmdDyVarRemClick);
  EXPECT_EQ(DyadicState(f), " |  |  | 0");
}

TEST(DyadicVariables, AMoveCarriesTheItemItsRecordItsMarkAndBothEntries) {
  ThreeVariables s;
  TFrm1& f = s.f;
  f.ChkReverseVar.setChecked(true);
  ReverseScore(f, "A");
  f.CmbDyVar.setItemIndex(0);
  f.UDDyClick(UpDownButton::Down);
  EXPECT_EQ(f.CmbDyVar.itemIndex(), 1);
  f.UDDyClick(UpDownButton::Down);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(DyadicState(f), "B,A R,C | B:K1,A:*,C:K2 | 010002 | 020103");

  // At either end or without a selection nothing moves, but the study is marked.
  const std::string before = DyadicState(f);
  for (const auto& [index, button] :
       {std::pair{0, UpDownButton::Up}, {2, UpDownButton::Down}, {-1, UpDownButton::Down}}) {
    f.CmbDyVar.setItemIndex(index);
    f.Modified = false;
    f.UDDyClick(button);
    EXPECT_EQ(DyadicState(f) + std::to_string(f.CmbDyVar.itemIndex()),
              before + std::to_string(index));
    EXPECT_TRUE(f.Modified);
  }
  f.CorRecInfo.setText("01020");  // too short for the moved entries: stays as it is
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(DyadicState(f), "B,C,A R | B:K1,C:K2,A:* | 010200 | 01020");

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
  EXPECT_FALSE(s.on(-1, &TFrm1::CmdDyVarRevClick));
  EXPECT_EQ(f.TxtDyVars.text(), "typed");
  for (const char* item : {"A", "C"}) ReverseScore(f, item);
  EXPECT_EQ(DyadicState(f) + std::to_string(f.CmbDyVar.itemIndex()),
            "A R,B,C R | A:*,B:K1,C:K2* | 000102 | 010203-1");
  // Clicking the marked item copies its text with the mark.
  s.on(2, &TFrm1::CmbDyVarClick);
  EXPECT_EQ(f.TxtDyVars.text(), "C R");
  f.CmdDyVarRevClick();
  EXPECT_EQ(DyadicState(f), "A R,B,C | A:*,B:K1,C:K2 | 000102 | 010203");

  // Switching off clears every mark and keeps the limit sum; on again marks nothing.
  f.TxtRevScore.setText("8");
  f.ChkReverseVar.setChecked(false);
  f.Modified = false;
  f.ChkReverseVar.setChecked(true);
  EXPECT_EQ(DyadicState(f) + f.TxtRevScore.text(), kThree + "8");
  EXPECT_TRUE(f.Modified);
}

TEST(PersonalityVariables, AddRemoveMoveAndRenameTheListAndItsBox) {
  NewStudy s;
  TFrm1& f = s.f;
  f.CmdPerVarRenameClick();  // an empty list: nothing to mark
  EXPECT_FALSE(f.Modified);
  AddPersonality(f, {" P1 ", "P2"});
  f.TxtPerVars.setText("P3");
  f.TxtPerVarsKeyPress(13);
  EXPECT_EQ(Joined(f.CmbPerVar.items()) + f.TxtPerVars.text(), "P1,P2,P3");

  f.CmbPerVar.setItemIndex(0);
  f.UDPerClick(UpDownButton::Down);
  EXPECT_EQ(Joined(f.CmbPerVar.items()) + std::to_string(f.CmbPerVar.itemIndex()), "P2,P1,P31");
  f.CmbPerVar.setItemIndex(-1);
  f.Modified = false;
  f.UDPerClick(UpDownButton::Down);
  f.CmdPerVarRenameClick();  // nothing selected, but the list is not empty
  f.CmdPerVarRemClick();
  EXPECT_EQ(Joined(f.CmbPerVar.items()), "P2,P1,P3");
  EXPECT_TRUE(f.Modified);

  f.CmbPerVar.setItemIndex(1);
  f.CmbPerVarClick();
  EXPECT_EQ(f.TxtPerVars.text(), "P1");
  f.TxtPerVars.setText(" ");
  f.CmdPerVarRenameClick();
  EXPECT_EQ(Joined(f.CmbPerVar.items()) + std::to_string(f.CmbPerVar.itemIndex()), "P2,,P3-1");
  f.CmbPerVar.setItemIndex(0);
  f.TxtPerVars.setText("typed");
  f.TxtPerVarsKeyPress('.');
  EXPECT_EQ(Joined(f.CmbPerVar.items()) + f.TxtPerVars.text(), ",P3");

  for (int i = 3; i <= 20; ++i) AddPersonality(f, {"P" + std::to_string(i)});
  f.Modified = false;
  AddPersonality(f, {"P21"});
  EXPECT_EQ(Shown(s.ui), "There cannot be more than 20 personality variables|Warning");
  EXPECT_TRUE(f.CmbPerVar.count() == 20 && !f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
