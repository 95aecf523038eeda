#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

// Dyadic variables A, B, C; B in construct K1 and C in K2, correlation codes 01 02 03.
struct ThreeVariables : NewStudy {
  ThreeVariables() {
    AddDyadic(f, {"A", "B", "C"});
    AddConstructs(f, {"K1", "K2"});
    SelectConstruct(f, "K1");
    MoveIntoCurrentConstruct(f, {"B"});
    SelectConstruct(f, "K2");
    MoveIntoCurrentConstruct(f, {"C"});
    f.CorRecInfo.setText("010203");
    f.Modified = false;
  }
};

TEST(Reordering, AMoveCarriesTheItemItsRecordAndBothCodeEntriesAndKeepsTheSelection) {
  ThreeVariables s;
  TFrm1& f = s.f;
  ASSERT_EQ(f.ConRecInfo.text(), "000102");
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"A", "C", "B"}));
  EXPECT_EQ(f.CmbDyVar.itemIndex(), 1);
  EXPECT_EQ(RecordNames(f), (Names{"A", "C", "B"}));
  EXPECT_EQ(RecordConstructs(f), (Names{"", "K2", "K1"}));
  EXPECT_EQ(f.CorRecInfo.text(), "010302");
  EXPECT_EQ(f.ConRecInfo.text(), "000201");
  EXPECT_EQ(f.CorAvailVarList.items(), (Names{"A", "B", "C"}));  // not rebuilt by a move
  EXPECT_TRUE(f.Modified);

  f.CmbDyVar.setItemIndex(0);
  f.UDDyClick(UpDownButton::Down);
  f.UDDyClick(UpDownButton::Down);
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"C", "B", "A"}));
  EXPECT_EQ(f.CmbDyVar.itemIndex(), 2);
  EXPECT_EQ(RecordNames(f), (Names{"C", "B", "A"}));
  EXPECT_EQ(f.CorRecInfo.text(), "030201");
  EXPECT_EQ(f.ConRecInfo.text(), "020100");
}

TEST(Reordering, AMoveAtEitherEndOrWithoutSelectionChangesNothingButMarksTheStudy) {
  ThreeVariables s;
  TFrm1& f = s.f;
  const auto expectUnchanged = [&f] {
    EXPECT_EQ(f.CmbDyVar.items(), (Names{"A", "B", "C"}));
    EXPECT_EQ(RecordNames(f), (Names{"A", "B", "C"}));
    EXPECT_EQ(f.CorRecInfo.text(), "010203");
    EXPECT_EQ(f.ConRecInfo.text(), "000102");
    EXPECT_TRUE(f.Modified);
    f.Modified = false;
  };
  f.CmbDyVar.setItemIndex(0);
  f.UDDyClick(UpDownButton::Up);
  expectUnchanged();
  EXPECT_EQ(f.CmbDyVar.itemIndex(), 0);
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Down);
  expectUnchanged();
  f.CmbDyVar.setItemIndex(-1);
  f.UDDyClick(UpDownButton::Up);
  expectUnchanged();
  f.UDDyClick(UpDownButton::Down);
  expectUnchanged();
}

TEST(Reordering, ACodeStringThatIsEmptyOrTooShortForTheMovedEntriesStaysAsItIs) {
  ThreeVariables s;
  TFrm1& f = s.f;
  f.CorRecInfo.setText("");
  f.CmbDyVar.setItemIndex(1);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(RecordNames(f), (Names{"B", "A", "C"}));
  EXPECT_TRUE(f.CorRecInfo.text().empty());
  EXPECT_EQ(f.ConRecInfo.text(), "010002");

  f.CorRecInfo.setText("01020");
  f.ConRecInfo.setText("0001");
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(RecordNames(f), (Names{"B", "C", "A"}));
  EXPECT_EQ(f.CorRecInfo.text(), "01020");
  EXPECT_EQ(f.ConRecInfo.text(), "0001");
}

TEST(Reordering, AReverseScoredVariableMovesWithItsMarkAndFlag) {
  ThreeVariables s;
  TFrm1& f = s.f;
  f.ChkReverseVar.setChecked(true);
  f.CmbDyVar.setItemIndex(0);
  f.CmdDyVarRevClick();
  f.CmbDyVar.setItemIndex(0);
  f.UDDyClick(UpDownButton::Down);
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"B", "A R", "C"}));
  EXPECT_EQ(RecordNames(f), (Names{"B", "A", "C"}));
  EXPECT_TRUE(f.DyVarList[1].Reversed);
  EXPECT_FALSE(f.DyVarList[0].Reversed);
}

TEST(Reordering, WithRepeatedNamesTheFirstRecordOfThatNameIsTheOneMoved) {
  NewStudy s;
  TFrm1& f = s.f;
  AddDyadic(f, {"X", "Y", "X"});
  f.DyVarList[0].Construct = "first";
  f.DyVarList[2].Construct = "second";
  f.CmbDyVar.setItemIndex(2);
  f.UDDyClick(UpDownButton::Up);
  EXPECT_EQ(f.CmbDyVar.items(), (Names{"X", "X", "Y"}));
  // The first X has no record before it, so the records keep their order.
  EXPECT_EQ(RecordNames(f), (Names{"X", "Y", "X"}));
  EXPECT_EQ(RecordConstructs(f), (Names{"first", "", "second"}));
}

TEST(Reordering, PersonalityMovesTouchOnlyTheirList) {
  ThreeVariables s;
  TFrm1& f = s.f;
  AddPersonality(f, {"P1", "P2", "P3"});
  f.Modified = false;
  f.CmbPerVar.setItemIndex(0);
  f.UDPerClick(UpDownButton::Down);
  EXPECT_EQ(f.CmbPerVar.items(), (Names{"P2", "P1", "P3"}));
  EXPECT_EQ(f.CmbPerVar.itemIndex(), 1);
  f.UDPerClick(UpDownButton::Up);
  f.UDPerClick(UpDownButton::Up);  // already on top
  EXPECT_EQ(f.CmbPerVar.items(), (Names{"P1", "P2", "P3"}));
  EXPECT_EQ(f.CmbPerVar.itemIndex(), 0);
  f.CmbPerVar.setItemIndex(-1);
  f.Modified = false;
  f.UDPerClick(UpDownButton::Down);
  EXPECT_EQ(f.CmbPerVar.items(), (Names{"P1", "P2", "P3"}));
  EXPECT_TRUE(f.Modified);
  EXPECT_EQ(RecordNames(f), (Names{"A", "B", "C"}));
  EXPECT_EQ(f.CorRecInfo.text(), "010203");
  EXPECT_EQ(f.ConRecInfo.text(), "000102");
}

}  // namespace
}  // namespace wintarvel::testing
