// The "Correlated Errors" page: the partner lists of a chosen variable and the two buttons.

#include "correlation/hand_built_study.h"

namespace wintarvel::testing {
namespace {

const std::string kCannotFind = "Cannot find the corresponding dyadic variable|";

class Pairing : public CorrelationStudy {
 protected:
  // A and B with three variables, C with two; every variable in a set of its own.
  void buildThreeConstructs() {
    BuildStudy(f, {"A", "B", "C"}, {"A1:A", "A2:A", "A3:A", "B1:B", "B2:B", "B3:B", "C1:C", "C2:C"},
               "0102030405060708");
  }
  void choose(ListBox& list, const std::string& item, void (TFrm1::*click)()) {
    list.setItemIndex(IndexOf(list, item));
    (f.*click)();
  }
  void chooseAvailable(const std::string& name) {
    choose(f.CorAvailVarList, name, &TFrm1::CorAvailVarListClick);
  }
  void correlate(const std::string& available, const std::string& candidate) {
    chooseAvailable(available);
    choose(f.CorMapVarList, candidate, &TFrm1::CorMapVarListClick);
    f.PRCorConnectClick();
  }
  // The candidates offered and the variables listed as correlated.
  std::string lists() const {
    std::string text;
    for (const std::string& s : f.CorMapVarList.items()) text += s + " ";
    text += "|";
    for (const std::string& s : f.CorVarList.items()) text += " " + s;
    return text;
  }
};

TEST_F(Pairing, AChosenVariableIsOfferedTheVariablesOfOtherConstructsOfItsSize) {
  const std::string k332 = "A B C|A1:A A2:A A3:A B1:B B2:B B3:B C1:C C2:C|";
  // constructs | variables | codes | construct record ("" as built) | chosen | lists
  const std::string rows[] = {
      k332 + "0102030405060708||A2|B1 B2 B3 |",
      k332 + "0102030405060708||C1||",
      "A B|a1:A a2:A b1:B b2:B|01020304||a1|b1 b2 |",
      "A B|a1:A a2:A x1 b1:B b2:B b3:B x2|01020304050607||x2|a1 a2 |",  // no construct: a group
      "A B C|a1:A b1:B b2:B c1:C|01020304||a1||",  // one variable offers nothing, even to one
      // Only as many members count as ConRecInfo gives the construct: a3 is left out.
      "A B|a1:A a2:A b1:B b2:B a3:A|0102030405|0101020200|b1|a1 a2 |",
      // A variable sharing a code with its own construct loses it; its partner is listed.
      k332 + "0101030105060708||A1|| B1",
  };
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    const Texts field = Split(row, '|');
    f.BtnNewSetClick();
    BuildStudy(f, Split(field[0], ' '), Split(field[1], ' '), field[2]);
    if (!field[3].empty()) f.ConRecInfo.setText(field[3]);
    chooseAvailable(field[4]);
    EXPECT_EQ(f.SelectedAvailVar, field[4]);
    EXPECT_EQ(lists(), field[5] + "|" + field[6]);
  }
  EXPECT_EQ(f.CorRecInfo.text(), "0100030105060708") << "A2's code cleared in the last row";
  EXPECT_TRUE(fx.ui.messages.empty());
  f.CorAvailVarList.add("ghost");  // no record: empty lists
  chooseAvailable("ghost");
  EXPECT_EQ(lists(), "|");
}

TEST_F(Pairing, ACorrelatedConstructOffersNothingMoreAndItsPartnerIsNotOfferedToOthers) {
  buildThreeConstructs();
  f.CmbDyVar.replace(3, "B1 R");
  correlate("A1", "B1");
  EXPECT_TRUE(f.Modified);
  chooseAvailable("A1");
  EXPECT_EQ(lists(), "| B1 R") << "listed as the dyadic variable's item";
  chooseAvailable("A2");
  EXPECT_EQ(lists(), "B2 B3 |");
}

TEST_F(Pairing, ConnectingTwoVariablesJoinsTheirSetsAndRefreshesTheLists) {
  // codes | available | candidate | record after ("" unchanged, with a message) | lists
  const std::string rows[] = {
      "010203040000|v5|v6|010203040505|v1 v2 v3 v4 | v6",  // a new code
      "040204020100|v1|v2|020202020100|v5 v6 | v2 v3 v4",  // sets merge under the smaller
      "030003000000|v2|v3|030303000000|v4 v5 v6 | v1 v3",  // one joins the other's set
      "040000000000|v1|v6|040000000004|v2 v3 v4 v5 | v6",
      "01ab0|v2|v6|010200000002|v1 v3 v4 v5 | v6",  // an entry for every variable
      "010203040506|v1|nobody||",
      "010203040506|nobody|v1||",
  };
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    const Texts field = Split(row, '|');
    // X's two variables share a code: the verification after the connection fails at once and
    // leaves the record as the connection made it. Every other variable is alone in its construct.
    f.Modified = false;
    f.BtnNewSetClick();
    fx.ui.messages.clear();
    BuildStudy(f, {"X", "C1", "C2", "C3", "C4", "C5", "C6"},
               {"x1:X", "x2:X", "v1:C1", "v2:C2", "v3:C3", "v4:C4", "v5:C5", "v6:C6"},
               "9999" + field[0]);
    f.Modified = false;
    f.SelectedAvailVar = field[1];
    f.SelectedCorrVar = field[2];
    f.PRCorConnectClick();
    const bool done = !field[3].empty();
    EXPECT_EQ(f.CorRecInfo.text(), "9999" + (done ? field[3] : field[0]));
    EXPECT_EQ(f.Modified, done);
    EXPECT_EQ(messages(), done ? Texts{} : Texts{kCannotFind});
    if (done) {
      EXPECT_EQ(lists(), field[4] + "|" + field[5]);
    }
  }
}

TEST_F(Pairing, ConnectingRefreshesTheListsAndThenVerifiesSilently) {
  // a1 and a2 share a code. The refresh takes a2 out of the set; only then does the verification
  // run, which pairs a2 with b2 and numbers the sets anew. Verifying first would have failed.
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "b1:B", "b2:B"}, "01010000");
  f.SelectedAvailVar = "a1";
  f.SelectedCorrVar = "b1";
  f.PRCorConnectClick();
  EXPECT_EQ(lists(), "| b1");
  EXPECT_EQ(f.CorRecInfo.text(), "01020102");
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST_F(Pairing, UncorrelatingTakesOnlyTheChosenVariableOutOfItsSet) {
  buildThreeConstructs();
  correlate("A1", "B1");
  chooseAvailable("A1");
  choose(f.CorVarList, "B1", &TFrm1::CorVarListClick);
  EXPECT_EQ(Enabled({&f.PBCorConnect, &f.PBCorDisconnect}), "01");
  f.Modified = false;
  f.PBCorDisconnectClick();
  EXPECT_EQ(f.CorRecInfo.text(), "0102030005060708");
  EXPECT_EQ(Enabled({&f.PBCorConnect, &f.PBCorDisconnect}), "00");
  EXPECT_TRUE(f.Modified);
  EXPECT_EQ(lists(), "B1 B2 B3 |");

  f.SelectedCorrVar = "nobody";
  f.PBCorDisconnect.setEnabled(true);
  f.Modified = false;
  f.PBCorDisconnectClick();
  EXPECT_EQ(messages(), Texts{kCannotFind});
  EXPECT_TRUE(f.PBCorDisconnect.enabled());
  EXPECT_FALSE(f.Modified);
}

TEST_F(Pairing, AMemberMissingFromTheDyadicVariablesIsReportedAndStillOffered) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "b1:B", "b2:B"}, "01020302");
  f.CmbDyVar.replace(3, "renamed");
  chooseAvailable("a1");  // a2 holds a code, so B's members are looked up: b2 is not found
  EXPECT_EQ(messages(), Texts{kCannotFind});
  EXPECT_EQ(lists(), "b1 b2 |");
  f.CmbDyVar.replace(1, "gone");  // and a2 itself cannot be found
  fx.ui.messages.clear();
  chooseAvailable("a1");
  EXPECT_EQ(messages(), Texts{kCannotFind});
}

TEST_F(Pairing, PickingCandidatesAndCorrelatedVariablesSwitchesTheButtons) {
  buildThreeConstructs();
  chooseAvailable("A1");
  choose(f.CorMapVarList, "B2", &TFrm1::CorMapVarListClick);
  EXPECT_EQ(f.SelectedCorrVar, "B2");
  EXPECT_EQ(Enabled({&f.PBCorConnect, &f.PBCorDisconnect}), "10");
  chooseAvailable("A3");  // keeps the button and the chosen candidate
  EXPECT_TRUE(f.PBCorConnect.enabled());
  EXPECT_EQ(f.SelectedCorrVar, "B2");
  // A click with nothing selected changes nothing.
  f.CorMapVarList.setItemIndex(-1);
  f.CorMapVarListClick();
  f.CorVarList.setItemIndex(-1);
  f.CorVarListClick();
  f.CorAvailVarList.setItemIndex(-1);
  f.CorAvailVarListClick();
  EXPECT_EQ(f.SelectedAvailVar, "A3");
  EXPECT_EQ(f.SelectedCorrVar, "B2");
  EXPECT_EQ(Enabled({&f.PBCorConnect, &f.PBCorDisconnect}), "10");
  EXPECT_EQ(lists(), "B1 B2 B3 |");
}

TEST_F(Pairing, DamagedCodeRecordsDoNotBreakTheLists) {
  buildThreeConstructs();
  for (const std::string& constructs : Texts{"", "01", "0101xx0202", "0101010202029", "zzzz"}) {
    for (const std::string& codes : Texts{"", "0", "01010", "ab01ab01cdcdcdcd0101", "\xff\xff"}) {
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

TEST_F(Pairing, DyadicItemsAreFoundIgnoringCaseAndThenWithTheReverseMark) {
  for (const char* item : {"alpha R", "Beta", "ALPHA", "gamma R"}) f.CmbDyVar.add(item);
  const std::pair<const char*, int> rows[] = {{"alpha", 2},   {"beta", 1},   {"Gamma", 3},
                                              {"GAMMA r", 3}, {"delta", -1}, {"", -1}};
  for (const auto& [name, index] : rows) EXPECT_EQ(f.FindDyVarItem(name), index) << name;
}

TEST(NextFreeCode, IsTheSmallestPositiveCodeNoEntryHolds) {
  const std::pair<const char*, int> rows[] = {
      {"", 1},     {"0000", 1},      {"010203040000", 5}, {"030103", 2}, {"010203", 4},
      {"9998", 1}, {"0a01-2 10", 2}, {"010", 2},          {"0201", 3},   {"04030201", 5}};
  for (const auto& [record, code] : rows) EXPECT_EQ(TFrm1::NextFreeCode(record), code) << record;
}

}  // namespace
}  // namespace wintarvel::testing
