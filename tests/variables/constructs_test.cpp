#include <gtest/gtest.h>

#include <clocale>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(Constructs, AddingKeepsNamesUniqueIgnoringCaseAndShowsCorrelatedErrorsFromTwo) {
  NewStudy s;
  TFrm1& f = s.f;
  AddConstructs(f, {" Warmth "});
  EXPECT_EQ(f.CmbConst.items(), (Names{"Warmth"}));
  EXPECT_EQ(f.LblConstVar.caption(), "Warmth");
  EXPECT_TRUE(f.TxtConstruct.text().empty());
  EXPECT_FALSE(f.CorError.tabVisible());
  EXPECT_TRUE(f.Modified);

  f.Modified = false;
  f.TxtConstruct.setText(" WARMTH");
  f.CmdConstAddClick();
  EXPECT_EQ(f.CmbConst.items(), (Names{"Warmth"}));
  EXPECT_EQ(f.TxtConstruct.text(), "WARMTH");  // the trimmed name stays in the box
  EXPECT_FALSE(f.Modified);
  EXPECT_TRUE(s.ui.messages.empty());

  f.TxtConstruct.setText("Dominance");
  f.CmbConstKeyPress(13);
  EXPECT_EQ(f.CmbConst.items(), (Names{"Warmth", "Dominance"}));
  EXPECT_TRUE(f.CorError.tabVisible());
  EXPECT_FALSE(f.CmdVarsConstAdd.enabled());  // adding does not select

  f.CmbConst.setItemIndex(0);
  f.CmdConstSelClick();
  f.CmdConstRemClick();
  EXPECT_EQ(f.CmbConst.items(), (Names{"Dominance"}));
  EXPECT_FALSE(f.CorError.tabVisible());
}

TEST(Constructs, ConstructNamesMatchIgnoringCaseOfAccentedLettersTooWhateverTheLocale) {
  NewStudy s;
  TFrm1& f = s.f;
  std::setlocale(LC_ALL, "C");
  AddDyadic(f, {"A", "B", "C"});
  AddConstructs(f, {"First", "\xC4rger", "\xE4RGER"});  // Latin-1 A and a with diaeresis
  EXPECT_EQ(f.CmbConst.items(), (Names{"First", "\xC4rger"}));
  EXPECT_EQ(f.TxtConstruct.text(), "\xE4RGER");
  f.DyVarList[0].Construct = "\xC4RGER";
  f.DyVarList[1].Construct = "Gone";
  f.DyVarList[2].Construct = "FIRST";
  f.UpdateVarCodes();
  EXPECT_EQ(f.ConRecInfo.text(), "020001");

  // A construct with an empty name (only a damaged file gives one) never claims the variables
  // that are in no construct.
  f.CmbConst.add("");
  f.DyVarList[1].Construct = "";
  f.UpdateVarCodes();
  EXPECT_EQ(f.ConRecInfo.text(), "020001");
}

TEST(Constructs, TheCurrentConstructDecidesTheMemberListsAndWhereAddedVariablesGo) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C", "D"});
  AddConstructs(f, {"K1", "K2"});
  EXPECT_FALSE(f.CmdVarsConstAdd.enabled());  // adding a construct does not select it
  SelectConstruct(f, "K1");
  EXPECT_EQ(Enabled({&f.CmdVarsConstAdd, &f.CmdVarsConstRem}), "11");
  EXPECT_EQ(f.LstVars.items(), (Names{"A", "B", "C", "D"}));

  // A member-list item without a matching record is skipped.
  f.LstVars.add("Ghost");
  f.LstVars.setSelected(4, true);
  f.Modified = false;
  f.CmdVarsConstAddClick();
  EXPECT_EQ(RecordConstructs(f), (Names{"", "", "", ""}));
  EXPECT_FALSE(f.Modified);
  EXPECT_EQ(f.LstVars.items(), (Names{"A", "B", "C", "D"}));  // rebuilt from the records

  MoveIntoCurrentConstruct(f, {"A", "C"});
  EXPECT_EQ(RecordConstructs(f), (Names{"K1", "", "K1", ""}));
  EXPECT_EQ(f.ConRecInfo.text(), "01000100");
  EXPECT_EQ(f.LstVars.items(), (Names{"B", "D"}));
  EXPECT_EQ(f.LstVarsConst.items(), (Names{"A", "C"}));
  EXPECT_TRUE(f.Modified);

  // An added construct becomes current while the lists still show the selected one.
  AddConstructs(f, {"K3"});
  EXPECT_EQ(f.LblConstVar.caption(), "K3");
  EXPECT_EQ(f.LstVarsConst.items(), (Names{"A", "C"}));
  EXPECT_EQ(f.CmbConst.itemIndex(), 0);
  SelectMembers(f.LstVars, {"B"});
  f.CmdVarsConstAddClick();
  EXPECT_EQ(RecordConstructs(f), (Names{"K1", "K3", "K1", ""}));
  EXPECT_EQ(f.ConRecInfo.text(), "01030100");
  EXPECT_EQ(f.LstVarsConst.items(), (Names{"B"}));

  SelectConstruct(f, "K2");
  EXPECT_EQ(f.LblConstVar.caption(), "K2");
  EXPECT_EQ(f.LstVars.items(), (Names{"D"}));  // members of other constructs are in neither list
  EXPECT_TRUE(f.LstVarsConst.items().empty());
}

TEST(Constructs, ChangingMembershipClearsTheCorrelationCodesOfAllMembers) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C"});
  AddConstructs(f, {"C1"});
  SelectConstruct(f, "C1");
  f.CorRecInfo.setText("010203");
  MoveIntoCurrentConstruct(f, {"A", "B"});
  EXPECT_EQ(f.CorRecInfo.text(), "000003");

  f.CorRecInfo.setText("040506");
  f.Modified = false;
  SelectMembers(f.LstVarsConst, {"B"});
  f.CmdVarsConstRemClick();
  EXPECT_EQ(f.CorRecInfo.text(), "000006");
  EXPECT_EQ(RecordConstructs(f), (Names{"C1", "", ""}));
  EXPECT_EQ(f.ConRecInfo.text(), "010000");
  EXPECT_EQ(f.LstVarsConst.items(), (Names{"A"}));
  EXPECT_EQ(f.LstVars.items(), (Names{"B", "C"}));
  EXPECT_TRUE(f.Modified);

  // A reverse-scored member's entry is found through its marked item.
  f.ChkReverseVar.setChecked(true);
  f.CmbDyVar.setItemIndex(2);
  f.CmdDyVarRevClick();
  f.CorRecInfo.setText("010203");
  MoveIntoCurrentConstruct(f, {"C"});
  EXPECT_EQ(f.CorRecInfo.text(), "000200");
  EXPECT_EQ(f.LstVarsConst.items(), (Names{"A", "C"}));  // plain names in the member lists
}

TEST(Constructs, RemovingAConstructRenumbersTheOnesBehindIt) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B"});
  AddConstructs(f, {"C1", "C2", "C3"});
  SelectConstruct(f, "C3");
  MoveIntoCurrentConstruct(f, {"A"});
  SelectConstruct(f, "C2");
  MoveIntoCurrentConstruct(f, {"B"});
  ASSERT_EQ(f.ConRecInfo.text(), "0302");
  f.CorRecInfo.setText("0102");
  f.Modified = false;

  f.CmdConstRemClick();
  EXPECT_EQ(f.CmbConst.items(), (Names{"C1", "C3"}));
  EXPECT_EQ(RecordConstructs(f), (Names{"C3", ""}));
  EXPECT_EQ(f.ConRecInfo.text(), "0200");
  EXPECT_EQ(f.CorRecInfo.text(), "0100");
  EXPECT_EQ(f.LblConstVar.caption(), "none selected");
  EXPECT_EQ(Enabled({&f.CmdVarsConstAdd, &f.CmdVarsConstRem}), "00");
  EXPECT_EQ(f.LstVars.items(), (Names{"B"}));
  EXPECT_TRUE(f.LstVarsConst.items().empty());
  EXPECT_TRUE(f.CorError.tabVisible());
  EXPECT_TRUE(f.Modified);

  // With nothing selected in the list a removal does nothing.
  f.Modified = false;
  f.CmdConstRemClick();
  EXPECT_EQ(f.CmbConst.count(), 2);
  EXPECT_FALSE(f.Modified);
}

TEST(Constructs, RemovingReleasesTheMembersOfTheCurrentConstructNotOfTheDeletedItem) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C"});
  AddConstructs(f, {"C1", "C2"});
  SelectConstruct(f, "C1");
  MoveIntoCurrentConstruct(f, {"A"});
  SelectConstruct(f, "C2");
  MoveIntoCurrentConstruct(f, {"B"});
  f.CorRecInfo.setText("010203");
  // The list selection goes back to C1 while the label still names C2.
  f.CmbConst.setItemIndex(0);
  f.CmbConstKeyPress('.');

  EXPECT_EQ(f.CmbConst.items(), (Names{"C2"}));
  EXPECT_EQ(RecordConstructs(f), (Names{"C1", "", ""}));  // A still names the deleted C1
  EXPECT_EQ(f.ConRecInfo.text(), "000000");
  EXPECT_EQ(f.CorRecInfo.text(), "010003");
  EXPECT_EQ(f.LstVars.items(), (Names{"B", "C"}));  // A is in neither list
  EXPECT_TRUE(f.LstVarsConst.items().empty());
  EXPECT_FALSE(f.CorError.tabVisible());

  // The next write gives A and the others a construct of their own.
  f.CompleteConstructs();
  EXPECT_EQ(f.CmbConst.items(), (Names{"C2", "A", "B", "C"}));
  EXPECT_EQ(RecordConstructs(f), (Names{"A", "B", "C"}));
  EXPECT_EQ(f.ConRecInfo.text(), "020304");
}

TEST(Constructs, CompletionGivesEveryUnassignedVariableItsOwnConstruct) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"Warm", "Hostile", "Kind"});
  AddConstructs(f, {"C1", "C2"});
  SelectConstruct(f, "C1");
  MoveIntoCurrentConstruct(f, {"Warm"});
  SelectConstruct(f, "C2");
  MoveIntoCurrentConstruct(f, {"Kind"});
  ASSERT_EQ(f.ConRecInfo.text(), "010002");
  f.ConRecInfo.setText(" 010002\t");
  f.Modified = false;

  f.CompleteConstructs();
  EXPECT_EQ(f.CmbConst.items(), (Names{"C1", "C2", "Hostile"}));
  EXPECT_EQ(f.DyVarList[1].Construct, "Hostile");
  EXPECT_EQ(f.ConRecInfo.text(), "010302");
  EXPECT_TRUE(f.LstVars.items().empty());
  EXPECT_FALSE(f.Modified);
  EXPECT_TRUE(f.CorError.tabVisible());

  // A second write finds nothing left to complete.
  f.CompleteConstructs();
  EXPECT_EQ(f.CmbConst.count(), 3);
  EXPECT_EQ(f.ConRecInfo.text(), "010302");
}

TEST(Constructs, CompletionAddsASecondConstructNamedLikeAnExistingOne) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "Hostile"});
  AddConstructs(f, {"C1", "hostile"});
  SelectConstruct(f, "C1");
  MoveIntoCurrentConstruct(f, {"A"});
  f.CompleteConstructs();
  EXPECT_EQ(f.CmbConst.items(), (Names{"C1", "hostile", "Hostile"}));
  EXPECT_EQ(f.ConRecInfo.text(), "0103");
  // The next rebuild finds the first construct of that name, letter case ignored.
  f.UpdateVarCodes();
  EXPECT_EQ(f.ConRecInfo.text(), "0102");
}

TEST(Constructs, TheTwentyFirstConstructIsRefusedButCompletionGoesPastTheLimit) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"A", "B", "C"});
  f.ConRecInfo.setText(" 000000 ");
  f.CompleteConstructs();  // without constructs nothing is added, nothing even trimmed
  EXPECT_TRUE(f.CmbConst.items().empty());
  EXPECT_EQ(f.ConRecInfo.text(), " 000000 ");
  EXPECT_EQ(RecordConstructs(f), (Names{"", "", ""}));

  for (int i = 1; i <= 20; ++i) {
    f.TxtConstruct.setText("K" + std::to_string(i));
    f.CmdConstAddClick();
  }
  f.Modified = false;
  f.TxtConstruct.setText("K21 ");
  f.CmdConstAddClick();
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "There cannot be more than 20 constructs");
  EXPECT_EQ(s.ui.messages[0].caption, "Warning");
  EXPECT_EQ(f.CmbConst.count(), 20);
  EXPECT_EQ(f.LblConstVar.caption(), "K20");
  EXPECT_EQ(f.TxtConstruct.text(), "K21");
  EXPECT_FALSE(f.Modified);

  // A short record from a damaged file is padded; an item without a record gets nothing.
  f.CmbDyVar.add("Stray");
  f.ConRecInfo.setText("05");
  f.CompleteConstructs();
  EXPECT_EQ(f.CmbConst.count(), 22);
  EXPECT_EQ(f.CmbConst.item(20), "B");
  EXPECT_EQ(f.CmbConst.item(21), "C");
  EXPECT_EQ(f.ConRecInfo.text(), "05212200");
  EXPECT_EQ(s.ui.messages.size(), 1u);
  EXPECT_FALSE(f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
