// The list of subjects that can be dropped, built from the two subgroup sizes.

#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

struct DroppedSubjects : ::testing::Test {
  DroppedSubjects() { f.BtnNewSetClick(); }
  void withSizes(const std::string& first, const std::string& second) {
    f.TxtNumSubGroup1.setText(first);
    f.TxtNumSubGroup2.setText(second);
    f.Modified = false;
  }
  std::string controls() const { return Enabled({&f.DropSub, &f.CmbDrop, &f.CmdDrop}); }
  Fixture fx;
  TFrm1& f = fx.f;
};

const Names kSeven{"Subject1", "Subject2", "Subject3", "Subject4",
                   "Subject5", "Subject6", "Subject7"};

TEST_F(DroppedSubjects, TheBoxListsEverySubjectAndTheButtonDropsAndRestoresTheChosenOne) {
  withSizes("4", "3");
  f.ChkDropSub.setChecked(true);
  EXPECT_EQ(f.CmbDrop.items(), kSeven);
  EXPECT_EQ(f.GroupSize, 7);
  EXPECT_EQ(controls(), "111");
  EXPECT_TRUE(f.Modified);

  f.Modified = false;
  for (int subject : {5, 2, 6, 6, 3}) DropSubject(f, subject);
  EXPECT_EQ(f.DroppedSubjects, (std::vector<int>{5, 2, 3})) << "kept in the order dropped";
  EXPECT_EQ(f.CmbDrop.items(), (Names{"Subject1", "Subject2 D", "Subject3 D", "Subject4",
                                      "Subject5 D", "Subject6", "Subject7"}));
  EXPECT_TRUE(f.Modified);
  f.CmdDropClick();  // the subject stays chosen
  EXPECT_EQ(f.CmbDrop.item(2), "Subject3");
  f.Modified = false;
  f.CmbDrop.setItemIndex(-1);
  f.CmdDropClick();  // nothing chosen: nothing happens
  EXPECT_EQ(f.DroppedSubjects, (std::vector<int>{5, 2}));
  EXPECT_FALSE(f.Modified);

  f.ChkDropSub.setChecked(false);
  EXPECT_TRUE(f.CmbDrop.items().empty() && f.DroppedSubjects.empty());
  EXPECT_EQ(controls(), "000");
  f.CmbDrop.add("Subject1");  // without the box the button does nothing
  f.CmbDrop.setItemIndex(0);
  f.CmdDropClick();
  EXPECT_TRUE(f.DroppedSubjects.empty());
  f.CmbDrop.clear();
  f.ChkDropSub.setChecked(true);
  EXPECT_EQ(f.CmbDrop.items(), kSeven) << "checked again, no subject is dropped";
}

TEST_F(DroppedSubjects, ASizeThatIsNotANumberStopsTheRebuildHalfway) {
  withSizes("4", "3");
  f.ChkDropSub.setChecked(true);
  f.ChkDropSub.setChecked(false);
  f.TxtNumSubGroup2.setText("x");
  f.Modified = false;
  dispatch(fx.ui, [&] { f.ChkDropSub.setChecked(true); });
  EXPECT_EQ(fx.ui.errors, Names{"'x' is not a valid integer value."});
  EXPECT_TRUE(f.CmbDrop.items().empty());
  EXPECT_EQ(f.GroupSize, 7) << "keeps its old value";
  EXPECT_TRUE(f.ChkDropSub.checked());
  EXPECT_EQ(controls(), "111");
  EXPECT_FALSE(f.Modified);

  f.TxtNumSubGroup1.setText("y");
  dispatch(fx.ui, [&] { f.UpdateDropped(); });
  EXPECT_EQ(fx.ui.errors.back(), "'y' is not a valid integer value.") << "the first size first";
}

TEST_F(DroppedSubjects, TheListFollowsNewSizesOnlyWhenRebuiltAndAbsurdSizesAreHarmless) {
  withSizes("3", "3");
  f.ChkDropSub.setChecked(true);
  DropSubject(f, 2);
  DropSubject(f, 6);
  withSizes("2", "1");
  EXPECT_EQ(f.CmbDrop.count(), 6) << "editing the sizes rebuilds nothing";
  f.DropSubSameCallback();
  EXPECT_EQ(f.CmbDrop.items(), (Names{"Subject1", "Subject2 D", "Subject3"}));
  EXPECT_EQ(f.GroupSize, 3);
  EXPECT_EQ(f.DroppedSubjects, (std::vector<int>{2, 6})) << "numbers beyond the group stay";
  EXPECT_TRUE(f.Modified);

  withSizes("2000000000", "2000000000");
  f.DropSubSameCallback();
  EXPECT_GT(f.GroupSize, 0);
  EXPECT_LE(f.CmbDrop.count(), 198);
  withSizes("-5", "2");
  f.DropSubSameCallback();
  EXPECT_EQ(f.GroupSize, -3);
  EXPECT_TRUE(f.CmbDrop.items().empty());
}

}  // namespace
}  // namespace wintarvel::testing
