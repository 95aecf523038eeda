// The verification of the correlated errors: the rules it enforces, the record it leaves and the
// one message it shows.

#include "correlation/hand_built_study.h"

namespace wintarvel::testing {
namespace {

TEST(Verification, TheRulesAreCheckedAndTheRecordCompletedAndNumberedByFirstAppearance) {
  const std::string k333 = "A B C|a1:A a2:A a3:A b1:B b2:B b3:B c1:C c2:C c3:C|";
  const std::string kMore = " has more than one unspecified variables";
  const std::string kNot = " have not been correlated correctlly.";
  // constructs | variables | codes | valid | the record left ("=" for the codes) | the one
  // message shown | the construct record where it is not the one built
  const std::string rows[] = {
      "|a b c|070700|1|=|",                            // no constructs: untouched
      "A B|a1:A b1:B||1||",                            // an empty record stays empty
      "A B||0102|1||",                                 // codes without any variable go
      "A B|a1:A a2:A b1:B b2:B|01000100|1|01020102|",  // the last unpaired get a new code
      "A B|a1:A a2:A a3:A b1:B b2:B b3:B|010000010000|0|=|Construct 1" + kMore,
      "A B|a1:A a2:A b1:B b2:B|03030102|0|=|Variables 1 and 2 cannot be correlated.",
      "S L|s1:S s2:S l1:L l2:L l3:L|0100010000|0|=|Construct 1 and 2 have different number" +
          std::string(24, ' ') + "\tof variables.",
      "L S|l1:L l2:L l3:L s1:S s2:S|0100000100|1|0102030405|",  // S met second is cut loose
      "S A|a1:A a2:A s1:S|030403|1|010203|",                    // a lone variable leaves its set
      // The lone t1's new code stores the working record, though A breaks the rules later.
      "L S T A|l1:L l2:L l3:L s1:S s2:S t1:T a1:A a2:A|0100000100000505|0|0100000203040505|"
      "Variables 7 and 8 cannot be correlated.",
      "A B|a1:A b1:B a2:A b2:B|07070303|1|01010202|",  // sets renumbered in order
      "A B C|a1:A a2:A b1:B b2:B c1:C c2:C|010201000002|1|010201020102|",  // over three passes
      k333 + "010203010100020300|0|=|Construct 2 and 3" + kNot,  // b1, b2 both share a1's code
      k333 + "010200010000000200|0|=|Construct 2" + kMore,       // shown last of several messages
      k333 + "010200010100020200|0|=|Construct 3 and 2" + kNot,  // the last is compared back
      "A B|a1:A a2:A x b1:B|05000500|1|01020103|",  // a variable in no construct is not judged
      "A B|a1:A b1:B a2:A b2:B|0101|1|01010202|",   // missing entries are 00
      "A B|a1:A b1:B a2:A b2:B|070703030909071|1|01010202|",  // what lies past goes
      "A B|a1:A b1:B a2:A b2:B|ab01ab02|1|01020304|",         // damaged entries are no set
      "A B|a1:A b1:B a2:A b2:B|\xff\x01 7-1+1|1|01020304|",
      // Construct numbers "xx" and 99 count as none: a1 and b1 are alone and leave the set.
      "A B|a1:A x1 b1:B x2|05050505|1|01020302||01xx0299",
      "A B|a1:A x1 b1:B x2|05050505|0|=|Variables 3 and 4 cannot be correlated.|01000202",
      "A B|a1:A x1 b1:B x2|01010202|1|01020303||0102",  // a short record: x1, x2 in none
  };
  for (const std::string& row : rows) {
    SCOPED_TRACE(row);
    const Names field = Split(row, '|');
    NewStudy local;
    BuildStudy(local.f, field[0], field[1], field[2]);
    if (field.size() > 6) local.f.ConRecInfo.setText(field[6]);
    EXPECT_EQ(local.f.VerifyCorrelations(false), field[3] == "1");
    EXPECT_TRUE(local.ui.messages.empty()) << "a silent run shows nothing";
    local.f.CorRecInfo.setText(field[2]);
    EXPECT_EQ(local.f.VerifyCorrelations(true), field[3] == "1");
    EXPECT_EQ(local.f.CorRecInfo.text(), field[4] == "=" ? field[2] : field[4]);
    EXPECT_EQ(Shown(local.ui), field[5].empty() ? "" : field[5] + "|");
  }
}

}  // namespace
}  // namespace wintarvel::testing
