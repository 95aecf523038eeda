#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

struct ReorderFixture : Fixture {
  ReorderFixture() {
    f.BtnNewSetClick();
    f.TxtNumSubGroup1.setText("3");
    f.TxtNumSubGroup2.setText("3");
    f.TxtNumGroups.setText("10");
  }
  RadioButton& pattern(int i) {
    RadioButton* buttons[] = {&f.RadRePat0, &f.RadRePat1, &f.RadRePat2, &f.RadRePat3,
                              &f.RadRePat4, &f.RadRePat5, &f.RadRePat6};
    return *buttons[i];
  }
};

struct CountRow {
  int firstGroupAlone, newForEachGroup;
};
// 10 groups of 3 + 3 members.
const std::vector<CountRow> kTenGroupsOfSix = {{0, 0},  {1, 10}, {1, 10}, {1, 10},
                                               {2, 20}, {6, 60}, {7, 66}};

TEST(ReorderRecords, TheCountFollowsThePatternAndTheNewOrSameChoice) {
  ReorderFixture fx;
  for (int p = 0; p < 7; ++p) {
    SCOPED_TRACE(p);
    fx.pattern(p).setChecked(true);
    fx.f.RadReNewSame1.setChecked(true);
    fx.f.CheckReorder();
    EXPECT_EQ(fx.f.ReorderRecordCount, kTenGroupsOfSix[p].firstGroupAlone);
    fx.f.RadReNewSame0.setChecked(true);
    EXPECT_EQ(fx.f.ReorderRecordCount, kTenGroupsOfSix[p].newForEachGroup);
    EXPECT_EQ(fx.f.LblNumReor.caption(),
              std::to_string(kTenGroupsOfSix[p].newForEachGroup) + " record(s) needed");
    EXPECT_EQ(TFrm1::ReorderRecordsFor(p, 1, 10, 6), kTenGroupsOfSix[p].firstGroupAlone);
    EXPECT_EQ(TFrm1::ReorderRecordsFor(p, 0, 10, 6), kTenGroupsOfSix[p].newForEachGroup);
  }
  EXPECT_EQ(fx.f.NumGroups, 10);
  EXPECT_EQ(fx.f.GroupSize, 6);
}

TEST(ReorderRecords, NoButtonKeepsTheCountAndAbsurdSizesSaturate) {
  EXPECT_EQ(TFrm1::ReorderRecordsFor(-1, 0, 10, 6), std::nullopt);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(3, -1, 10, 6), std::nullopt);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(6, 0, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(5, 0, INT_MIN, INT_MAX), INT_MIN);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(4, 0, INT_MAX, 1), INT_MAX);

  ReorderFixture fx;
  fx.f.RadRePat4.setChecked(true);
  EXPECT_EQ(fx.f.ReorderRecordCount, 2);
  fx.f.RadReNewSame1.setChecked(false);
  fx.f.TxtNumGroups.setText("50");
  EXPECT_EQ(fx.f.ReorderRecordCount, 2);
  EXPECT_EQ(fx.f.NumGroups, 50);
}

TEST(ReorderRecords, NoReorderRecordHidesTheChoiceAndTheMemo) {
  Fixture fx;
  fx.f.BtnNewSetClick();
  fx.f.RadRePat2.setChecked(true);  // sizes still empty: only visibility and the flag change
  EXPECT_EQ(Visible({&fx.f.GroupBox17, &fx.f.MemoReorder}), "11");
  EXPECT_EQ(fx.f.LblNumReor.caption(), "0 record(s) needed");
  EXPECT_TRUE(fx.f.Modified);

  fx.f.TxtNumSubGroup1.setText("2");
  fx.f.TxtNumSubGroup2.setText("2");
  fx.f.TxtNumGroups.setText("5");
  EXPECT_EQ(fx.f.LblNumReor.caption(), "1 record(s) needed");
  fx.f.RadRePat0.setChecked(true);
  EXPECT_EQ(Visible({&fx.f.GroupBox17, &fx.f.MemoReorder}), "00");
  EXPECT_EQ(fx.f.LblNumReor.caption(), "0 record(s) needed");
  EXPECT_EQ(fx.f.ReorderRecordCount, 0);
}

TEST(ReorderRecords, ATextThatIsNotANumberStopsTheRuleBeforeTheCount) {
  ReorderFixture fx;
  fx.f.RadRePat1.setChecked(true);
  fx.f.RadReNewSame0.setChecked(true);
  ASSERT_EQ(fx.f.ReorderRecordCount, 10);

  // Group size 7 taken, and nothing else: the old count, label and flag.
  const auto expectOnlyTheGroupSizeTaken = [&fx] {
    EXPECT_EQ(fx.f.GroupSize, 7);
    EXPECT_EQ(fx.f.NumGroups, 10);
    EXPECT_EQ(fx.f.ReorderRecordCount, 10);
    EXPECT_EQ(fx.f.LblNumReor.caption(), "10 record(s) needed");
    EXPECT_FALSE(fx.f.Modified);
  };

  // Number of groups emptied while both sizes are filled: the group size is taken, nothing else.
  fx.f.TxtNumSubGroup1.setText("4");
  fx.f.Modified = false;
  EXPECT_THROW(fx.f.TxtNumGroups.setText(""), ConversionError);
  expectOnlyTheGroupSizeTaken();

  // Letters in a size: not even the group size changes; the error names the text.
  fx.f.TxtNumSubGroup2.setText("3a");
  fx.f.Modified = false;
  dispatch(fx.ui, [&] { fx.f.TxtNumGroups.setText("20"); });
  ASSERT_EQ(fx.ui.errors.size(), 1u);
  EXPECT_EQ(fx.ui.errors[0], "'3a' is not a valid integer value.");
  expectOnlyTheGroupSizeTaken();

  // An empty size is no error: the count waits for it, but the change still counts as an edit.
  fx.f.TxtNumSubGroup2.setText("");
  fx.f.Modified = false;
  fx.f.CheckReorder();
  EXPECT_EQ(fx.f.ReorderRecordCount, 10);
  EXPECT_TRUE(fx.f.Modified);
}

TEST(ReorderRecords, TheMemoWarnsWhenItHoldsMoreLinesThanNeeded) {
  ReorderFixture fx;
  fx.f.RadRePat4.setChecked(true);
  ASSERT_EQ(fx.f.ReorderRecordCount, 2);
  Memo& memo = fx.f.MemoReorder;
  const std::string tooMany = "Perhaps you have too many record(s)";

  const std::pair<const char*, bool> rows[] = {
      {"1 2 3\r\n4 5 6", false},
      {"1 2 3\r\n4 5 6\r\n", false},  // a final line break adds no line
      {"1 2 3\r\n4 5 6\r\n7", true},
      {"1 2 3\r\n\r\n\r\n", true},  // empty lines inside count
      {"", false},
  };
  for (const auto& [text, tooManyLines] : rows) {
    memo.setText(text);
    EXPECT_EQ(fx.f.LblNumReor.caption(), tooManyLines ? tooMany : "2 record(s) needed") << text;
  }
  memo.setText("1 2 3\r\n4 5 6\r\n");
  memo.replace(memo.text().size(), 0, "7");  // edits count as a change too
  EXPECT_EQ(fx.f.LblNumReor.caption(), tooMany);
  memo.replace(memo.text().size() - 3, 3, "");
  EXPECT_EQ(fx.f.LblNumReor.caption(), "2 record(s) needed");
  fx.f.Modified = false;
  fx.f.MemoOnChange();  // the rule itself leaves the flag to the memo's wiring
  EXPECT_FALSE(fx.f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
