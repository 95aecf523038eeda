#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "correlation/hand_built_study.h"
#include "support/fake_ui.h"

namespace wintarvel::testing {
namespace {

using Texts = std::vector<std::string>;

const std::string kDifferentNumber12 =
    "Construct 1 and 2 have different number                        \tof variables.";

class Verification : public ::testing::Test {
 protected:
  Verification() { f.BtnNewSetClick(); }

  // The messages shown, with their captions checked to be the platform's default.
  std::vector<std::string> shownMessages() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : fx.ui.messages) {
      EXPECT_EQ(m.caption, "");
      texts.push_back(m.text);
    }
    return texts;
  }

  // Runs a verification that shows its messages; checks its result, the record it leaves and
  // the message shown (none when `message` is empty).
  void expectVerification(bool valid, const std::string& record, const std::string& message = "") {
    EXPECT_EQ(f.VerifyCorrelations(true), valid);
    EXPECT_EQ(f.CorRecInfo.text(), record);
    EXPECT_EQ(shownMessages(), message.empty() ? Texts{} : Texts{message});
  }

  // A, B and C with three variables each: a1, a2, a3, b1, ... c3.
  void buildThreeConstructsOfThree(const std::string& codes) {
    BuildStudy(f, {"A", "B", "C"},
               {"a1:A", "a2:A", "a3:A", "b1:B", "b2:B", "b3:B", "c1:C", "c2:C", "c3:C"}, codes);
  }

  Fixture fx;
  TFrm1& f = fx.f;
};

TEST_F(Verification, WithoutConstructsTheRecordIsValidAndUntouched) {
  BuildStudy(f, {}, {"a", "b", "c"}, Codes({"07", "07", "00"}));
  expectVerification(true, "070700");
}

TEST_F(Verification, TheLastUnpairedVariablesOfTwoConstructsArePairedUnderANewCode) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "b1:B", "b2:B"}, Codes({"01", "00", "01", "00"}));
  expectVerification(true, Codes({"01", "02", "01", "02"}));
}

TEST_F(Verification, TwoVariablesWithoutAPartnerInOneConstructFail) {
  const std::string codes = Codes({"01", "00", "00", "01", "00", "00"});
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "a3:A", "b1:B", "b2:B", "b3:B"}, codes);
  EXPECT_FALSE(f.VerifyCorrelations(false));
  EXPECT_TRUE(fx.ui.messages.empty()) << "a silent run shows nothing";

  // A failed run discards its working record.
  expectVerification(false, codes, "Construct 1 has more than one unspecified variables");
}

TEST_F(Verification, VariablesOfOneConstructNeverShareACode) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "b1:B", "b2:B"}, Codes({"03", "03", "01", "02"}));
  expectVerification(false, Codes({"03", "03", "01", "02"}),
                     "Variables 1 and 2 cannot be correlated.");
}

TEST_F(Verification, ALinkFromASmallerConstructToALargerOneFails) {
  BuildStudy(f, {"S", "L"}, {"s1:S", "s2:S", "l1:L", "l2:L", "l3:L"},
             Codes({"01", "00", "01", "00", "00"}));
  expectVerification(false, Codes({"01", "00", "01", "00", "00"}), kDifferentNumber12);
}

TEST_F(Verification, ASmallerConstructMetSecondSilentlyGetsCodesOfItsOwn) {
  BuildStudy(f, {"L", "S"}, {"l1:L", "l2:L", "l3:L", "s1:S", "s2:S"},
             Codes({"01", "00", "00", "01", "00"}));
  // s1 and s2 got 02 and 03, then l2 and l3 04 and 05; renumbering by position gives 01 to 05.
  expectVerification(true, Codes({"01", "02", "03", "04", "05"}));
}

TEST_F(Verification, ALoneVariableLeavesTheSetItSharedAndEndsInASetOfItsOwn) {
  BuildStudy(f, {"S", "A"}, {"a1:A", "a2:A", "s1:S"}, Codes({"03", "04", "03"}));
  expectVerification(true, Codes({"01", "02", "03"}));
}

TEST_F(Verification, ALoneVariableWithoutACodeStoresTheWorkingRecordEvenWhenTheRunFails) {
  // L links to the smaller S, whose variables get 02 and 03 in the working record; t1 (alone in
  // T) then gets 04 and the working record is stored as it stands; A finally breaks rule 1.
  BuildStudy(f, {"L", "S", "T", "A"},
             {"l1:L", "l2:L", "l3:L", "s1:S", "s2:S", "t1:T", "a1:A", "a2:A"},
             Codes({"01", "00", "00", "01", "00", "00", "05", "05"}));
  expectVerification(false, Codes({"01", "00", "00", "02", "03", "04", "05", "05"}),
                     "Variables 7 and 8 cannot be correlated.");
}

TEST_F(Verification, SetsAreRenumberedInTheOrderTheyFirstAppear) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "b1:B", "a2:A", "b2:B"}, Codes({"07", "07", "03", "03"}));
  expectVerification(true, Codes({"01", "01", "02", "02"}));
}

TEST_F(Verification, AFamilyOfThreeConstructsIsCompletedOverSeveralPasses) {
  // a1-b1 and a2-c2 are given. The first pass pairs c1 with a1 (B and C cannot be compared yet),
  // the second b2 with c2, the third finds nothing more to do.
  BuildStudy(f, {"A", "B", "C"}, {"a1:A", "a2:A", "b1:B", "b2:B", "c1:C", "c2:C"},
             Codes({"01", "02", "01", "00", "00", "02"}));
  expectVerification(true, Codes({"01", "02", "01", "02", "01", "02"}));
}

TEST_F(Verification, AFamilyThatCannotBeCompletedFailsWithTheLastComparisonsMessage) {
  // b1 and b2 both share a1's code, so B's paired members cannot be matched in C.
  const std::string codes = Codes({"01", "02", "03", "01", "01", "00", "02", "03", "00"});
  buildThreeConstructsOfThree(codes);
  expectVerification(false, codes, "Construct 2 and 3 have not been correlated correctlly.");
}

TEST_F(Verification, OnlyTheLastPendingMessageIsShown) {
  // Comparing A with B and with C records two messages before B is found with two variables
  // without a partner; that last failure is the one shown.
  const std::string codes = Codes({"01", "02", "00", "01", "00", "00", "00", "02", "00"});
  buildThreeConstructsOfThree(codes);
  expectVerification(false, codes, "Construct 2 has more than one unspecified variables");
}

TEST_F(Verification, WhenNoComparisonPairsAnythingTheLastComparisonsMessageIsShown) {
  // Each construct has one variable without a partner, and no two constructs can be matched:
  // a pass compares A with B and C, B with C, and last C with A and B (never with itself).
  const std::string codes = Codes({"01", "02", "00", "01", "01", "00", "02", "02", "00"});
  buildThreeConstructsOfThree(codes);
  expectVerification(false, codes, "Construct 3 and 2 have not been correlated correctlly.");
}

TEST_F(Verification, APairingWithAVariableInNoConstructIsNotJudged) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "a2:A", "x", "b1:B"}, Codes({"05", "00", "05", "00"}));
  // x stays in a1's set; the others end in sets of their own.
  expectVerification(true, Codes({"01", "02", "01", "03"}));
}

TEST_F(Verification, AnEmptyRecordStaysEmptyAndARecordWithoutVariablesIsEmptied) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "b1:B"}, "");
  expectVerification(true, "");

  // Codes left over without any dyadic variable: the stored record has two characters per
  // variable, so none.
  Fixture other;
  other.f.BtnNewSetClick();
  BuildStudy(other.f, {"A", "B"}, {}, "0102");
  EXPECT_TRUE(other.f.VerifyCorrelations(true));
  EXPECT_EQ(other.f.CorRecInfo.text(), "");
}

TEST_F(Verification, ARecordOfTheWrongLengthOrWithDamagedEntriesIsReadOneEntryPerVariable) {
  BuildStudy(f, {"A", "B"}, {"a1:A", "b1:B", "a2:A", "b2:B"}, "");
  const std::vector<std::pair<std::string, std::string>> cases{
      {"0101", "01010202"},             // too short: missing entries count as "00"
      {"070703030909071", "01010202"},  // too long: what lies past the last variable goes
      {"ab01ab02", "01020304"},         // "ab" twice is no set
      {"0a0b0a0b", "01020304"},         // nor is any entry that is not two digits
      {std::string("\xff\x01 7-1+1", 8), "01020304"}};
  for (const auto& [codes, expected] : cases) {
    SCOPED_TRACE(codes);
    f.CorRecInfo.setText(codes);
    expectVerification(true, expected);
  }

  // A construct record that is too short leaves the variables it misses in no construct.
  // a1 and b1 are then alone in their constructs and leave their set.
  f.ConRecInfo.setText("0102");
  f.CorRecInfo.setText(Codes({"01", "01", "02", "02"}));
  expectVerification(true, Codes({"01", "02", "03", "03"}));
}

TEST_F(Verification, DamagedConstructNumbersCountAsNoConstruct) {
  // "xx" is not a number and 99 lies beyond the two constructs: neither variable is judged.
  BuildStudy(f, {"A", "B"}, {"a1:A", "x1", "b1:B", "x2"}, Codes({"05", "05", "05", "05"}));
  f.ConRecInfo.setText("01xx0299");
  // a1 and b1 are alone in their constructs and leave the set; x1 and x2 keep it.
  expectVerification(true, Codes({"01", "02", "03", "02"}));
}

// Sets numbered by first appearance: every code is at most one above the largest before it.
bool IsCanonical(const std::string& record) {
  int largest = 0;
  for (std::size_t i = 0; i + 1 < record.size(); i += 2) {
    const char hi = record[i];
    const char lo = record[i + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return false;
    const int code = (hi - '0') * 10 + (lo - '0');
    if (code < 1 || code > largest + 1) return false;
    largest = std::max(largest, code);
  }
  return record.size() % 2 == 0;
}

TEST_F(Verification, RandomRecordsEndCanonicalOrUntouched) {
  std::mt19937 random(20240611);
  const std::string alphabet = "0000000000123456789a -\xff";
  auto randomText = [&](int maxLength) {
    std::string text(random() % static_cast<unsigned>(maxLength + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int run = 0; run < 3000; ++run) {
    Fixture local;
    TFrm1& g = local.f;
    g.BtnNewSetClick();
    const int constructs = static_cast<int>(random() % 5);
    const int variables = static_cast<int>(random() % 9);
    for (int c = 0; c < constructs; ++c) g.CmbConst.add("K" + std::to_string(c));
    std::string constructNumbers;
    for (int v = 0; v < variables; ++v) {
      g.CmbDyVar.add("v" + std::to_string(v));
      constructNumbers += TwoDigits(static_cast<int>(random() % (constructs + 1)));
    }
    // Half the runs use well-formed construct numbers, the others damaged text.
    g.ConRecInfo.setText(run % 2 == 0 ? constructNumbers : randomText(2 * variables + 3));
    const std::string codes = randomText(2 * variables + 3);
    g.CorRecInfo.setText(codes);

    const bool valid = g.VerifyCorrelations(run % 3 == 0);
    const std::string& after = g.CorRecInfo.text();
    if (constructs == 0 || codes.empty()) {
      EXPECT_EQ(after, codes);
    } else if (valid) {
      EXPECT_EQ(after.size(), 2u * static_cast<std::size_t>(variables)) << codes;
      EXPECT_TRUE(IsCanonical(after)) << codes << " became " << after;
    } else {
      EXPECT_TRUE(after == codes || after.size() == 2u * static_cast<std::size_t>(variables))
          << codes << " became " << after;
    }
  }
}

}  // namespace
}  // namespace wintarvel::testing
