// The "Correlated Errors" page: the partner lists of a chosen variable and the two buttons.

#include "correlation/hand_built_study.h"

namespace wintarvel::testing {
namespace {

const std::string kCannotFind = "Cannot find the corresponding dyadic variable|";
const char* const k332 = "A B C|A1:A A2:A A3:A B1:B B2:B B3:B C1:C C2:C|";

struct Pairing : NewStudy {
  // By default A and B with three variables, C with two; every variable in a set of its own.
  explicit Pairing(const std::string& constructs = "A B C",
                   const std::string& variables = "A1:A A2:A A3:A B1:B B2:B B3:B C1:C C2:C",
                   const std::string& codes = "0102030405060708") {
    BuildStudy(f, constructs, variables, codes);
  }
  void choose(ListBox& list, const std::string& item, void (TFrm1::*click)()) {
    list.setItemIndex(IndexOf(list, item));
    (f.*click)();
  }
  // The candidates offered | the variables correlated, after choosing `available` if given.
  std::string lists(const std::string& available = "") {
    if (!available.empty()) choose(f.CorAvailVarList, available, &TFrm1::CorAvailVarListClick);
    return Joined(f.CorMapVarList.items()) + "|" + Joined(f.CorVarList.items());
  }
  std::string buttons() const { return Enabled({&f.PBCorConnect, &f.PBCorDisconnect}); }
};

TEST(PairingLists, AChosenVariableIsOfferedTheVariablesOfOtherConstructsOfItsSize) {
  // constructs | variables | codes | construct record ("" as built) | chosen | lists
  const std::string rows[] = {
      k332 + std::string("0102030405060708||A2|B1,B2,B3|"),
      k332 + std::string("0102030405060708||C1||"),
      "A B|a1:A a2:A x1 b1:B b2:B b3:B x2|01020304050607||x2|a1,a2|",  // no construct: a group
      "A B C|a1:A b1:B b2:B c1:C|01020304||a1||",  // one variable offers nothing, even to one
      "A B|a1:A a2:A b1:B b2:B a3:A|0102030405|0101020200|b1|a1,a2|",  // A's size as coded
      k332 + std::string("0102030106070809||A2|B2,B3|"),               // B1 is taken by A1
      k332 + std::string("0101030105060708||A1||B1"),  // A2's shared code is cleared
  };
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    const Names field = Split(row, '|');
    Pairing s(field[0], field[1], field[2]);
    if (!field[3].empty()) s.f.ConRecInfo.setText(field[3]);
    EXPECT_EQ(s.lists(field[4]), field[5] + "|" + field[6]);
    EXPECT_EQ(s.f.SelectedAvailVar, field[4]);
    EXPECT_TRUE(s.ui.messages.empty());
    EXPECT_TRUE(row != rows[6] || s.f.CorRecInfo.text() == "0100030105060708") << "A2's cleared";
  }
  Pairing s;
  s.f.CmbDyVar.replace(3, "B1 R");
  s.f.CorRecInfo.setText("0102030105060708");
  EXPECT_EQ(s.lists("A1"), "|B1 R") << "listed as the dyadic variable's item";
  EXPECT_EQ(s.lists("A2"), "B2,B3|");
  s.f.CorAvailVarList.add("ghost");  // no record: both lists emptied
  EXPECT_EQ(s.lists("ghost"), "|");

  Pairing m("A B", "a1:A a2:A b1:B b2:B", "01020302");
  m.f.CmbDyVar.replace(3, "renamed");  // a2 holds a code, so B's members are looked up
  EXPECT_EQ(m.lists("a1"), "b1,b2|");
  m.f.CmbDyVar.replace(1, "gone");  // and a2 itself cannot be found
  m.f.CorAvailVarListClick();
  EXPECT_EQ(Shown(m.ui), kCannotFind + "/" + kCannotFind);
}

TEST(PairingLists, ConnectingTwoVariablesJoinsTheirSetsAndRefreshesTheLists) {
  // codes | available | candidate | record after ("" unchanged, with a message) | lists
  const std::string rows[] = {
      "010203040000|v5|v6|010203040505|v1,v2,v3,v4|v6",  // a new code
      "040204020100|v1|v2|020202020100|v5,v6|v2,v3,v4",  // sets merge under the smaller
      "030003000000|v2|v3|030303000000|v4,v5,v6|v1,v3",  // one joins the other's set
      "040000000000|v1|v6|040000000004|v2,v3,v4,v5|v6",
      "01ab0|v2|v6|010200000002|v1,v3,v4,v5|v6",  // an entry for every variable
      "010203040506|v1|nobody|||",
      "010203040506|nobody|v1|||",
  };
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    const Names field = Split(row, '|');
    // X's two variables share a code, so the verification after the connection changes nothing.
    Pairing s("X C1 C2 C3 C4 C5 C6", "x1:X x2:X v1:C1 v2:C2 v3:C3 v4:C4 v5:C5 v6:C6",
              "9999" + field[0]);
    s.f.SelectedAvailVar = field[1];
    s.f.SelectedCorrVar = field[2];
    s.f.PRCorConnectClick();
    const bool done = !field[3].empty();
    EXPECT_EQ(s.f.CorRecInfo.text(), "9999" + (done ? field[3] : field[0]));
    EXPECT_EQ(s.f.Modified, done);
    EXPECT_EQ(Shown(s.ui), done ? "" : kCannotFind);
    EXPECT_EQ(s.lists(), field[4] + "|" + field[5]);
  }
  // The refresh takes a2 out of a1's set; only then does the verification run, which pairs a2
  // with b2 and numbers the sets anew. Verifying first would have failed.
  Pairing s("A B", "a1:A a2:A b1:B b2:B", "01010000");
  s.f.SelectedAvailVar = "a1";
  s.f.SelectedCorrVar = "b1";
  s.f.PRCorConnectClick();
  EXPECT_EQ(s.lists() + " " + s.f.CorRecInfo.text(), "|b1 01020102");
  EXPECT_TRUE(s.ui.messages.empty());
}

TEST(PairingLists, PickingAPartnerSwitchesTheButtonsAndUncorrelatingTakesItOutOfItsSet) {
  Pairing s;
  TFrm1& f = s.f;
  s.lists("A1");
  s.choose(f.CorMapVarList, "B1", &TFrm1::CorMapVarListClick);
  EXPECT_EQ(f.SelectedCorrVar + s.buttons(), "B110");
  f.PRCorConnectClick();
  s.lists("A3");
  EXPECT_EQ(s.lists() + f.SelectedCorrVar + s.buttons(), "B2,B3|B110");  // both kept
  s.choose(f.CorMapVarList, "", &TFrm1::CorMapVarListClick);  // nothing selected: no change
  s.choose(f.CorVarList, "", &TFrm1::CorVarListClick);
  s.choose(f.CorAvailVarList, "", &TFrm1::CorAvailVarListClick);
  EXPECT_EQ(f.SelectedAvailVar + s.lists() + s.buttons(), "A3B2,B3|10");

  s.lists("A1");
  s.choose(f.CorVarList, "B1", &TFrm1::CorVarListClick);
  EXPECT_EQ(s.buttons(), "01");
  f.Modified = false;
  f.PBCorDisconnectClick();
  EXPECT_EQ(f.CorRecInfo.text() + " " + s.buttons() + " " + s.lists(),
            "0102030005060708 00 B1,B2,B3|");
  EXPECT_TRUE(f.Modified);

  f.SelectedCorrVar = "nobody";
  f.PBCorDisconnect.setEnabled(true);
  f.Modified = false;
  f.PBCorDisconnectClick();
  EXPECT_EQ(Shown(s.ui), kCannotFind);
  EXPECT_TRUE(f.PBCorDisconnect.enabled() && !f.Modified);
}

TEST(PairingLists, ItemsAreFoundIgnoringCaseThenWithTheMarkAndFreeCodesAreTheSmallestUnused) {
  NewStudy s;
  for (const char* item : {"alpha R", "Beta", "ALPHA", "gamma R"}) s.f.CmbDyVar.add(item);
  const std::pair<const char*, int> items[] = {{"alpha", 2},   {"beta", 1},   {"Gamma", 3},
                                               {"GAMMA r", 3}, {"delta", -1}, {"", -1}};
  for (const auto& [name, index] : items) EXPECT_EQ(s.f.FindDyVarItem(name), index) << name;
  const std::pair<const char*, int> codes[] = {
      {"", 1},     {"0000", 1},      {"010203040000", 5}, {"030103", 2}, {"010203", 4},
      {"9998", 1}, {"0a01-2 10", 2}, {"010", 2},          {"0201", 3},   {"04030201", 5}};
  for (const auto& [record, code] : codes) EXPECT_EQ(TFrm1::NextFreeCode(record), code) << record;
}

}  // namespace
}  // namespace wintarvel::testing
