// The "Reorder" page: the number of reorder records a pattern needs, its label, and the memo's
// warning when it holds more lines than that.

#include <climits>
#include <optional>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(ReorderRecords, TheCountFollowsThePatternAndTheNewOrSameChoiceAndTheMemoWarnsPastIt) {
  NewStudy s;
  TFrm1& f = s.f;
  Basics(f, "Ten groups of 2 + 2");
  RadioButton* patterns[] = {&f.RadRePat0, &f.RadRePat1, &f.RadRePat2, &f.RadRePat3,
                             &f.RadRePat4, &f.RadRePat5, &f.RadRePat6};
  // For each pattern: the first group alone, then a new order for each group.
  const std::pair<int, int> counts[] = {{0, 0},  {1, 10}, {1, 10}, {1, 10},
                                        {2, 20}, {4, 40}, {5, 44}};
  for (int p = 0; p < 7; ++p) {
    patterns[p]->setChecked(true);
    f.RadReNewSame1.setChecked(true);
    EXPECT_EQ(f.ReorderRecordCount, counts[p].first) << p;
    f.RadReNewSame0.setChecked(true);
    EXPECT_EQ(f.LblNumReor.caption(), std::to_string(counts[p].second) + " record(s) needed") << p;
    EXPECT_EQ(Visible({&f.GroupBox17, &f.MemoReorder}), p == 0 ? "00" : "11") << p;
  }
  EXPECT_EQ(TFrm1::ReorderRecordsFor(0, 0, 10, 6), 0);  // the lowest pattern is one
  EXPECT_EQ(TFrm1::ReorderRecordsFor(-1, 0, 10, 6), std::nullopt);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(3, -1, 10, 6), std::nullopt);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(6, 0, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(TFrm1::ReorderRecordsFor(5, 0, INT_MIN, INT_MAX), INT_MIN);

  f.RadRePat4.setChecked(true);
  f.RadReNewSame0.setChecked(false);  // no choice: the count is kept
  f.TxtNumGroups.setText("50");
  EXPECT_EQ(f.ReorderRecordCount, 20);
  EXPECT_EQ(f.NumGroups, 50);

  f.RadReNewSame1.setChecked(true);
  ASSERT_EQ(f.ReorderRecordCount, 2);
  Memo& memo = f.MemoReorder;
  for (const auto& [text, tooMany] : {std::pair{"1 2 3\r\n4 5 6\r\n", false},
                                      {"1 2 3\r\n4 5 6\r\n7", true},
                                      {"1 2 3\r\n\r\n\r\n", true},
                                      {"", false}}) {
    memo.setText(text);
    EXPECT_EQ(f.LblNumReor.caption(),
              tooMany ? "Perhaps you have too many record(s)" : "2 record(s) needed")
        << text;
  }
  memo.setText("1 2 3\r\n4 5 6\r\n");
  memo.replace(memo.text().size(), 0, "7");  // edits count as a change too
  EXPECT_EQ(f.LblNumReor.caption(), "Perhaps you have too many record(s)");
  f.Modified = false;
  f.MemoOnChange();  // the rule itself leaves the flag to the memo's wiring
  EXPECT_FALSE(f.Modified);
}

TEST(ReorderRecords, UntilBothSizesAreNumbersTheCountAndItsLabelStay) {
  NewStudy s;
  TFrm1& f = s.f;
  f.RadRePat1.setChecked(true);
  f.RadReNewSame0.setChecked(true);
  EXPECT_EQ(f.LblNumReor.caption(), "0 record(s) needed");  // the sizes are still empty
  EXPECT_TRUE(f.Modified);
  Basics(f, "Sizes");
  f.TxtNumSubGroup2.setText("3a");
  f.Modified = false;
  dispatch(s.ui, [&] { f.TxtNumGroups.setText("20"); });
  EXPECT_EQ(s.ui.errors, Names{"'3a' is not a valid integer value."});
  EXPECT_EQ(f.LblNumReor.caption() + " " + std::to_string(f.NumGroups), "10 record(s) needed 10");
  EXPECT_FALSE(f.Modified);
  f.TxtNumSubGroup2.setText("");  // no error: the count waits, but the edit counts
  f.Modified = false;
  f.CheckReorder();
  EXPECT_EQ(f.ReorderRecordCount, 10);
  EXPECT_TRUE(f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
