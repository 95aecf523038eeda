// The "Constructs" page: adding and removing constructs, moving variables in and out of the
// current one, and the completion that gives every variable a construct before a write.

#include <clocale>

#include "variables/study_state.h"

namespace wintarvel::testing {
namespace {

TEST(Constructs, NamesAreTrimmedUniqueIgnoringCaseAndAtMostTwentyButCompletionGoesPast) {
  NewStudy s;
  TFrm1& f = s.f;
  AddConstructs(f, {" Warmth "});
  EXPECT_EQ(ConstructPage(f) + f.TxtConstruct.text(), "Warmth | Warmth |  | ");
  EXPECT_FALSE(f.CorError.tabVisible());
  EXPECT_TRUE(f.Modified);
  f.Modified = false;
  AddConstructs(f, {" WARMTH"});
  EXPECT_EQ(Joined(f.CmbConst.items()) + " " + f.TxtConstruct.text(), "Warmth WARMTH");
  EXPECT_FALSE(f.Modified);
  f.TxtConstruct.setText("Dominance");
  f.CmbConstKeyPress(13);
  EXPECT_TRUE(f.CorError.tabVisible());
  EXPECT_FALSE(f.CmdVarsConstAdd.enabled());  // adding does not select

  // Latin-1 letters match ignoring case whatever the locale; a construct with an empty name
  // (only a damaged file gives one) never claims the variables that are in no construct.
  std::setlocale(LC_ALL, "C");
  AddDyadic(f, {"A", "B", "C"});
  AddConstructs(f, {"\xC4rger", "\xE4RGER"});
  f.CmbConst.add("");
  f.DyVarList[0].Construct = "\xC4RGER";
  f.DyVarList[1].Construct = "Gone";
  f.DyVarList[2].Construct = "DOMINANCE";
  f.UpdateVarCodes();
  EXPECT_EQ(Joined(f.CmbConst.items()) + " " + f.ConRecInfo.text(),
            "Warmth,Dominance,\xC4rger, 030002");

  for (int i = 5; i <= 20; ++i) AddConstructs(f, {"K" + std::to_string(i)});
  f.Modified = false;
  AddConstructs(f, {"K21 "});
  EXPECT_EQ(Shown(s.ui), "There cannot be more than 20 constructs|Warning");
  EXPECT_EQ(std::to_string(f.CmbConst.count()) + f.LblConstVar.caption() + f.TxtConstruct.text(),
            "20K20K21");
  EXPECT_FALSE(f.Modified);
  // A short record from a damaged file is padded; an item without a record gets nothing.
  f.CmbDyVar.add("Stray");
  f.ConRecInfo.setText("05");
  f.CompleteConstructs();
  EXPECT_EQ(f.CmbConst.item(20) + f.CmbConst.item(21) + " " + f.ConRecInfo.text(), "BC 05212200");
  EXPECT_EQ(f.CmbConst.count(), 22);
}

TEST(Constructs, TheCurrentConstructTakesTheChosenVariablesAndChangesClearTheirCodes) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C", "D"});
  AddConstructs(f, {"K1", "K2"});
  SelectConstruct(f, "K1");
  EXPECT_EQ(Enabled({&f.CmdVarsConstAdd, &f.CmdVarsConstRem}), "11");
  f.LstVars.add("Ghost");  // a member-list item without a matching record is skipped
  f.LstVars.setSelected(4, true);
  f.Modified = false;
  f.CmdVarsConstAddClick();
  EXPECT_EQ(ConstructPage(f), "K1,K2 | K1 | A,B,C,D | ");  // rebuilt from the records
  EXPECT_FALSE(f.Modified);
  f.CorRecInfo.setText("01020304");
  f.LstVarsRefresh();
  SelectMembers(f.LstVars, {"A", "C"});
  f.CmdVarsConstAddClick();
  EXPECT_EQ(DyadicState(f), "A,B,C,D | A:K1,B:,C:K1,D: | 01000100 | 00020004");
  EXPECT_TRUE(f.Modified);

  // An added construct becomes current while the lists still show the selected one; a
  // reverse-scored member's entry is found through its marked item.
  AddConstructs(f, {"K3"});
  EXPECT_EQ(ConstructPage(f) + std::to_string(f.CmbConst.itemIndex()),
            "K1,K2,K3 | K3 | B,D | A,C0");
  f.ChkReverseVar.setChecked(true);
  ReverseScore(f, "B");
  f.CorRecInfo.setText("01020304");
  SelectMembers(f.LstVars, {"B"});
  f.CmdVarsConstAddClick();
  EXPECT_EQ(DyadicState(f), "A,B R,C,D | A:K1,B:K3*,C:K1,D: | 01030100 | 01000304");

  SelectConstruct(f, "K1");
  f.CorRecInfo.setText("01020304");
  f.Modified = false;
  SelectMembers(f.LstVarsConst, {"C"});
  f.CmdVarsConstRemClick();
  EXPECT_EQ(DyadicState(f), "A,B R,C,D | A:K1,B:K3*,C:,D: | 01030000 | 00020004");
  EXPECT_TRUE(f.Modified);
  SelectConstruct(f, "K2");  // members of other constructs are in neither list
  EXPECT_EQ(ConstructPage(f), "K1,K2,K3 | K2 | C,D | ");
}

TEST(Constructs, RemovingTheSelectedItemReleasesTheCurrentConstructsMembersAndRenumbers) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C"});
  AddConstructWith(f, "C1", {"C"});
  AddConstructWith(f, "C2", {"B"});
  AddConstructWith(f, "C3", {"A"});
  f.CorRecInfo.setText("010203");
  SelectConstruct(f, "C2");
  f.Modified = false;
  f.CmdConstRemClick();
  EXPECT_EQ(DyadicState(f), "A,B,C | A:C3,B:,C:C1 | 020001 | 010003");
  EXPECT_EQ(ConstructPage(f) + Enabled({&f.CmdVarsConstAdd, &f.CmdVarsConstRem}),
            "C1,C3 | none selected | B | 00");
  EXPECT_TRUE(f.CorError.tabVisible() && f.Modified);
  f.Modified = false;
  f.CmdConstRemClick();  // nothing selected in the list: nothing removed
  EXPECT_EQ(f.CmbConst.count(), 2);
  EXPECT_FALSE(f.Modified);

  // The list selection goes back to C1 while the label names C3: the period removes C1 but
  // releases C3's members, while C still names the deleted C1.
  SelectConstruct(f, "C3");
  f.CmbConst.setItemIndex(0);
  f.CmbConstKeyPress('.');
  EXPECT_EQ(DyadicState(f) + " " + ConstructPage(f),
            "A,B,C | A:,B:,C:C1 | 000000 | 000003 C3 | none selected | A,B | ");
  EXPECT_FALSE(f.CorError.tabVisible());
  f.CompleteConstructs();  // the next write gives A, B and C a construct of their own
  EXPECT_EQ(DyadicState(f) + Joined(f.CmbConst.items()),
            "A,B,C | A:A,B:B,C:C | 020304 | 000003C3,A,B,C");
}

}  // namespace
}  // namespace wintarvel::testing
