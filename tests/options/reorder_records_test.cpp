// The "Reorder" page: the number of reorder records a pattern needs, its label, and the memo's
// warning when it holds more lines than that.

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

// A new study of 10 groups of 3 + 3 members.
struct TenGroupsOfSix : NewStudy {
  TenGroupsOfSix() {
    for (Edit* e : {&f.TxtNumSubGroup1, &f.TxtNumSubGroup2}) e->setText("3");
    f.TxtNumGroups.setText("10");
  }
};

TEST(ReorderRecords, TheCountFollowsThePatternAndTheNewOrSameChoice) {
  TenGroupsOfSix fx;
  RadioButton* patterns[] = {&fx.f.RadRePat0, &fx.f.RadRePat1, &fx.f.RadRePat2, &fx.f.RadRePat3,
                             &fx.f.RadRePat4, &fx.f.RadRePat5, &fx.f.RadRePat6};
  // For each pattern: the first group alone, then a new order for each group.
  const std::pair<int, int> counts[] = {{0, 0},  {1, 10}, {1, 10}, {1, 10},
                                        {2, 20}, {6, 60}, {7, 66}};
  for (int p = 0; p < 7; ++p) {
    SCOPED_TRACE(p);
    patterns[p]->setChecked(true);
    fx.f.RadReNewSame1.setChecked(true);
    EXPECT_EQ(fx.f.ReorderRecordCount, counts[p].first);
    fx.f.RadReNewSame0.setChecked(true);
    EXPECT_EQ(fx.f.LblNumReor.caption(), std::to_string(counts[p].second) + " record(s) needed");
    EXPECT_EQ(fx.f.ReorderRecordCount, counts[p].second);
  }
  EXPECT_EQ(TFrm1::ReorderRecordsFor(-1, 0, 10, 6), std::nullopt);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(3, -1, 10, 6), std::nullopt);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(6, 0, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(5, 0, INT_MIN, INT_MAX), INT_MIN);

  fx.f.RadRePat4.setChecked(true);
  fx.f.RadReNewSame0.setChecked(false);  // no choice: the count is kept
  fx.f.TxtNumGroups.setText("50");
  EXPECT_EQ(fx.f.ReorderRecordCount, 20);
  EXPECT_EQ(fx.f.NumGroups, 50);
}

TEST(ReorderRecords, NoReorderHidesTheChoiceAndTheMemoAndEmptySizesKeepTheCount) {
  NewStudy fx;
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
  TenGroupsOfSix fx;
  fx.f.RadRePat1.setChecked(true);
  fx.f.RadReNewSame0.setChecked(true);
  fx.f.TxtNumSubGroup1.setText("4");
  fx.f.Modified = false;
  EXPECT_THROW(fx.f.TxtNumGroups.setText(""), ConversionError);  // the group size is taken
  fx.f.TxtNumSubGroup2.setText("3a");
  fx.f.Modified = false;
  dispatch(fx.ui, [&] { fx.f.TxtNumGroups.setText("20"); });  // not even the group size
  EXPECT_EQ(fx.ui.errors, Names{"'3a' is not a valid integer value."});
  EXPECT_EQ(fx.f.GroupSize, 7);
  EXPECT_EQ(fx.f.NumGroups, 10);
  EXPECT_EQ(fx.f.ReorderRecordCount, 10);
  EXPECT_EQ(fx.f.LblNumReor.caption(), "10 record(s) needed");
  EXPECT_FALSE(fx.f.Modified);

  fx.f.TxtNumSubGroup2.setText("");  // no error: the count waits, but the edit counts
  fx.f.Modified = false;
  fx.f.CheckReorder();
  EXPECT_EQ(fx.f.ReorderRecordCount, 10);
  EXPECT_TRUE(fx.f.Modified);
}

TEST(ReorderRecords, TheMemoWarnsWhenItHoldsMoreLinesThanNeeded) {
  TenGroupsOfSix fx;
  fx.f.RadRePat4.setChecked(true);
  ASSERT_EQ(fx.f.ReorderRecordCount, 2);
  Memo& memo = fx.f.MemoReorder;
  for (const auto& [text, tooMany] : {std::pair{"1 2 3\r\n4 5 6\r\n", false},
                                      {"1 2 3\r\n4 5 6\r\n7", true},
                                      {"1 2 3\r\n\r\n\r\n", true},
                                      {"", false}}) {
    memo.setText(text);
    EXPECT_EQ(fx.f.LblNumReor.caption(),
              tooMany ? "Perhaps you have too many record(s)" : "2 record(s) needed")
        << text;
  }
  memo.setText("1 2 3\r\n4 5 6\r\n");
  memo.replace(memo.text().size(), 0, "7");  // edits count as a change too
  EXPECT_EQ(fx.f.LblNumReor.caption(), "Perhaps you have too many record(s)");
  fx.f.Modified = false;
  fx.f.MemoOnChange();  // the rule itself leaves the flag to the memo's wiring
  EXPECT_FALSE(fx.f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
