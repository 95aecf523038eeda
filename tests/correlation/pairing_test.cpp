#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "correlation/hand_built_study.h"
#include "support/fake_ui.h"

namespace wintarvel::testing {
namespace {

using Items = std::vector<std::string>;
constexpr const char* kCannotFind = "Cannot find the corresponding dyadic variable";

class Pairing : public ::testing::Test {
 protected:
  Pairing() { f.BtnNewSetClick(); }

  // A and B with three variables, C with two; every variable in a set of its own.
  void buildThreeConstructs() {
    BuildStudy(f, {"A", "B", "C"}, {"A1:A", "A2:A", "A3:A", "B1:B", "B2:B", "B3:B", "C1:C", "C2:C"},
               Codes({"01", "02", "03", "04", "05", "06", "07", "08"}));
  }

  void chooseAvailable(const std::string& name) {
    f.CorAvailVarList.setItemIndex(indexOf(f.CorAvailVarList, name));
    f.CorAvailVarListClick();
  }
  void chooseCandidate(const std::string& name) {
    f.CorMapVarList.setItemIndex(indexOf(f.CorMapVarList, name));
    f.CorMapVarListClick();
  }
  void chooseCorrelated(const std::string& name) {
    f.CorVarList.setItemIndex(indexOf(f.CorVarList, name));
    f.CorVarListClick();
  }
  void correlate(const std::string& available, const std::string& candidate) {
    chooseAvailable(available);
    chooseCandidate(candidate);
    f.PRCorConnectClick();
  }

  static int indexOf(const ListBox& list, const std::string& item) {
    for (int i = 0; i < list.count(); ++i) {
      if (list.item(i) == item) return i;
    }
    ADD_FAILURE() << "no item " << item;
    return -1;
  }

  Fixture fx;
  TFrm1& f = fx.f;
};

TEST_F(Pairing, AVariableIsOfferedTheVariablesOfConstructsOfTheSameSize) {
  buildThreeConstructs();
  chooseAvailable("A2");
  EXPECT_EQ(f.SelectedAvailVar, "A2");
  EXPECT_EQ(f.CorMapVarList.items(), (Items{"B1", "B2", "B3"}));
  EXPECT_TRUE(f.CorVarList.items().empty());

  chooseAvailable("C1");
  EXPECT_TRUE(f.CorMapVarList.items().empty()) << "no other construct has two variables";
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST_F(Pairing, ACorrelatedConstructOffersNothingMoreAndItsPartnerIsNotOfferedToOthers) {
  buildThreeConstructs();
  f.CmbDyVar.replace(3, "B1 R");
  f.DyVarList[3].Reversed = true;
  correlate("A1", "B1");  // offered by its name
  EXPECT_TRUE(f.Modified);

  chooseAvailable("A1");
  EXPECT_EQ(f.CorVarList.items(), (Items{"B1 R"})) << "listed as the dyadic variable's item";
  EXPECT_TRUE(f.CorMapVarList.items().empty());

  chooseAvailable("A2");
  EXPECT_EQ(f.CorMapVarList.items(), (Items{"B2", "B3"}));
  EXPECT_TRUE(f.CorVarList.items().empty());
}

// A new study where every variable is in a construct of its own, after a construct X whose two
// variables share a code: X breaks the rules, so the verification that follows a connection fails
// at once and leaves the record as the connection made it.
class Connecting : public Pairing {
 protected:
  void connect(const std::string& codes, const std::string& available,
               const std::string& candidate) {
    f.Modified = false;
    f.BtnNewSetClick();
    BuildStudy(f, {"X", "C1", "C2", "C3", "C4", "C5", "C6"},
               {"x1:X", "x2:X", "v1:C1", "v2:C2", "v3:C3", "v4:C4", "v5:C5", "v6:C6"},
               "9999" + codes);
    f.SelectedAvailVar = available;
    f.SelectedCorrVar = candidate;
    f.PRCorConnectClick();
  }
};

TEST_F(Connecting, TwoVariablesWithoutASetGetTheSmallestUnusedCode) {
  connect(Codes({"01", "02", "03", "04", "00", "00"}), "v5", "v6");
  EXPECT_EQ(f.CorRecInfo.text(), "9999" + Codes({"01", "02", "03", "04", "05", "05"}));
  EXPECT_TRUE(f.Modified);
  // The lists are refreshed, and unlike a click a refresh lists for a construct of one
  // variable: the other constructs of one variable, C6 now correlated.
  EXPECT_EQ(f.CorVarList.items(), (Items{"v6"}));
  EXPECT_EQ(f.CorMapVarList.items(), (Items{"v1", "v2", "v3", "v4"}));
}

TEST_F(Connecting, SetsMergeUnderTheSmallerCodeAndAVariableWithoutASetJoinsTheOther) {
  connect(Codes({"04", "02", "04", "02", "01", "00"}), "v1", "v2");
  EXPECT_EQ(f.CorRecInfo.text(), "9999" + Codes({"02", "02", "02", "02", "01", "00"}));

  connect(Codes({"03", "00", "03", "00", "00", "00"}), "v2", "v3");
  EXPECT_EQ(f.CorRecInfo.text(), "9999" + Codes({"03", "03", "03", "00", "00", "00"}));
}

TEST_F(Connecting, AShortOrDamagedRecordGetsAnEntryForEveryVariable) {
  connect("01ab0", "v2", "v6");
  EXPECT_EQ(f.CorRecInfo.text(), "9999" + Codes({"01", "02", "00", "00", "00", "02"}));
}

TEST_F(Connecting, AnUnknownVariableIsReportedAndChangesNothing) {
  connect(Codes({"01", "02", "03", "04", "05", "06"}), "v1", "nobody");
  EXPECT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_EQ(fx.ui.messages[0].text, kCannotFind);
  EXPECT_EQ(fx.ui.messages[0].caption, "");
  EXPECT_EQ(f.CorRecInfo.text(), "9999" + Codes({"01", "02", "03", "04", "05", "06"}));
  EXPECT_FALSE(f.Modified);
}

TEST_F(Pairing, ConnectingRefreshesTheListsAndThenVerifiesSilently) {
  // a1 and a2 (both of A) share a code. The refresh after the connection takes a2 out of the
  // set; only then does the verification run, which finds a valid pattern, pairs a2 with b2 and
  // numbers the sets anew. Verifying first would have failed on a1 and a2.
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "b1:B", "b2:B"}, Codes({"01", "01", "00", "00"}));
  f.SelectedAvailVar = "a1";
  f.SelectedCorrVar = "b1";
  f.PRCorConnectClick();
  EXPECT_EQ(f.CorVarList.items(), (Items{"b1"}));
  EXPECT_EQ(f.CorRecInfo.text(), Codes({"01", "02", "01", "02"}));
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST_F(Pairing, UncorrelatingTakesOnlyTheChosenVariableOutOfItsSet) {
  buildThreeConstructs();
  correlate("A1", "B1");
  chooseAvailable("A1");
  chooseCorrelated("B1");
  EXPECT_FALSE(f.PBCorConnect.enabled());
  EXPECT_TRUE(f.PBCorDisconnect.enabled());
  f.Modified = false;

  f.PBCorDisconnectClick();
  EXPECT_EQ(f.CorRecInfo.text(), Codes({"01", "02", "03", "00", "05", "06", "07", "08"}));
  EXPECT_FALSE(f.PBCorConnect.enabled());
  EXPECT_FALSE(f.PBCorDisconnect.enabled());
  EXPECT_TRUE(f.Modified);
  EXPECT_TRUE(f.CorVarList.items().empty());
  EXPECT_EQ(f.CorMapVarList.items(), (Items{"B1", "B2", "B3"}));
}

TEST_F(Pairing, UncorrelatingAnUnknownVariableIsReported) {
  buildThreeConstructs();
  f.SelectedCorrVar = "nobody";
  f.PBCorDisconnect.setEnabled(true);
  f.PBCorDisconnectClick();
  ASSERT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_EQ(fx.ui.messages[0].text, kCannotFind);
  EXPECT_TRUE(f.PBCorDisconnect.enabled());
  EXPECT_FALSE(f.Modified);
}

TEST_F(Pairing, AVariableSharingACodeWithItsOwnConstructLosesItWhenTheListsAreBuilt) {
  buildThreeConstructs();
  f.CorRecInfo.setText(Codes({"01", "01", "03", "01", "05", "06", "07", "08"}));
  chooseAvailable("A1");
  EXPECT_EQ(f.CorRecInfo.text(), Codes({"01", "00", "03", "01", "05", "06", "07", "08"}));
  EXPECT_EQ(f.CorVarList.items(), (Items{"B1"}));
}

TEST_F(Pairing, AMemberMissingFromTheDyadicVariablesIsReportedAndStillOffered) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "b1:B", "b2:B"}, Codes({"01", "02", "03", "02"}));
  f.CmbDyVar.replace(3, "renamed");  // the lists are out of step with the items
  chooseAvailable("a1");
  // a2 holds a code, so B's members are looked up: b2 cannot be found and is skipped.
  ASSERT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_EQ(fx.ui.messages[0].text, kCannotFind);
  EXPECT_EQ(f.CorMapVarList.items(), (Items{"b1", "b2"}));
}

TEST_F(Pairing, PickingCandidatesAndCorrelatedVariablesSwitchesTheButtons) {
  buildThreeConstructs();
  chooseAvailable("A1");
  chooseCandidate("B2");
  EXPECT_EQ(f.SelectedCorrVar, "B2");
  EXPECT_TRUE(f.PBCorConnect.enabled());
  EXPECT_FALSE(f.PBCorDisconnect.enabled());

  // Choosing another available variable keeps the button and the chosen candidate.
  chooseAvailable("A3");
  EXPECT_TRUE(f.PBCorConnect.enabled());
  EXPECT_EQ(f.SelectedCorrVar, "B2");

  // A click with nothing selected changes nothing.
  f.CorMapVarList.setItemIndex(-1);
  f.CorMapVarListClick();
  f.CorAvailVarList.setItemIndex(-1);
  f.CorAvailVarListClick();
  EXPECT_EQ(f.SelectedAvailVar, "A3");
  EXPECT_EQ(f.CorMapVarList.items(), (Items{"B1", "B2", "B3"}));
}

TEST_F(Pairing, VariablesInNoConstructFormAGroupOfTheirOwn) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "x1", "b1:B", "b2:B", "b3:B", "x2"},
             Codes({"01", "02", "03", "04", "05", "06", "07"}));
  chooseAvailable("x2");
  EXPECT_EQ(f.CorMapVarList.items(), (Items{"a1", "a2"}));
}

TEST_F(Pairing, AVariableWithoutARecordOrAloneInItsConstructGetsEmptyLists) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "b1:B", "b2:B"}, Codes({"01", "02", "03"}));
  chooseAvailable("a1");
  EXPECT_TRUE(f.CorMapVarList.items().empty());

  f.CorAvailVarList.add("ghost");
  chooseAvailable("ghost");
  EXPECT_EQ(f.SelectedAvailVar, "ghost");
  EXPECT_TRUE(f.CorMapVarList.items().empty());
  EXPECT_TRUE(f.CorVarList.items().empty());
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST_F(Pairing, DamagedCodeRecordsDoNotBreakTheLists) {
  buildThreeConstructs();
  for (const std::string& constructs : Items{"", "01", "0101xx0202", "0101010202029", "zzzzzzzz"}) {
    for (const std::string& codes : Items{"", "0", "01010", "ab01ab01cdcdcdcd0101", "\xff\xff"}) {
      f.ConRecInfo.setText(constructs);
      f.CorRecInfo.setText(codes);
      chooseAvailable("A1");
      f.SelectedCorrVar = "B1";
      f.RefreshCorLists();
      f.PBCorDisconnectClick();
      f.PRCorConnectClick();
      EXPECT_EQ(f.CorRecInfo.text().size() % 2, 0u) << constructs << " / " << codes;
    }
  }
}

TEST(FindDyVarItem, FindsAnItemByNameIgnoringCaseAndThenWithTheReverseMark) {
  Fixture fx;
  TFrm1& f = fx.f;
  f.BtnNewSetClick();
  for (const char* item : {"alpha R", "Beta", "ALPHA", "gamma R"}) f.CmbDyVar.add(item);
  EXPECT_EQ(f.FindDyVarItem("alpha"), 2) << "a plain item comes before a reversed one";
  EXPECT_EQ(f.FindDyVarItem("beta"), 1);
  EXPECT_EQ(f.FindDyVarItem("Gamma"), 3);
  EXPECT_EQ(f.FindDyVarItem("GAMMA r"), 3);
  EXPECT_EQ(f.FindDyVarItem("delta"), -1);
  EXPECT_EQ(f.FindDyVarItem(""), -1);
}

TEST(NextFreeCode, IsTheSmallestPositiveCodeNoEntryHolds) {
  EXPECT_EQ(TFrm1::NextFreeCode(""), 1);
  EXPECT_EQ(TFrm1::NextFreeCode(Codes({"00", "00"})), 1);
  EXPECT_EQ(TFrm1::NextFreeCode(Codes({"01", "02", "03", "04", "00", "00"})), 5);
  EXPECT_EQ(TFrm1::NextFreeCode(Codes({"03", "01", "03"})), 2);
  EXPECT_EQ(TFrm1::NextFreeCode(Codes({"01", "02", "03"})), 4) << "at most one more than entries";
  EXPECT_EQ(TFrm1::NextFreeCode(Codes({"99", "98"})), 1);
  // Damaged entries and half an entry hold no code.
  EXPECT_EQ(TFrm1::NextFreeCode("0a01-2 10"), 2);
  EXPECT_EQ(TFrm1::NextFreeCode("010"), 2);
}

}  // namespace
}  // namespace wintarvel::testing
