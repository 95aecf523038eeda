#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

using Items = std::vector<std::string>;

class DroppedSubjects : public ::testing::Test {
 protected:
  DroppedSubjects() { f.BtnNewSetClick(); }

  void withSizes(const std::string& first, const std::string& second) {
    f.TxtNumSubGroup1.setText(first);
    f.TxtNumSubGroup2.setText(second);
    f.Modified = false;
  }

  void toggle(int subject) {
    f.CmbDrop.setItemIndex(subject - 1);
    f.CmdDropClick();
  }

  Fixture fx;
  TFrm1& f = fx.f;
};

TEST_F(DroppedSubjects, CheckingTheBoxListsEverySubjectAndUncheckingItForgetsTheDropped) {
  withSizes("4", "3");
  f.ChkDropSub.setChecked(true);
  const Items everySubject{"Subject1", "Subject2", "Subject3", "Subject4",
                           "Subject5", "Subject6", "Subject7"};
  EXPECT_EQ(f.CmbDrop.items(), everySubject);
  EXPECT_EQ(f.GroupSize, 7);
  EXPECT_EQ(Enabled({&f.DropSub, &f.CmbDrop, &f.CmdDrop}), "111");
  EXPECT_TRUE(f.Modified);

  toggle(1);
  toggle(4);
  f.Modified = false;
  f.ChkDropSub.setChecked(false);
  EXPECT_TRUE(f.CmbDrop.items().empty());
  EXPECT_TRUE(f.DroppedSubjects.empty());
  EXPECT_EQ(Enabled({&f.DropSub, &f.CmbDrop, &f.CmdDrop}), "000");
  EXPECT_TRUE(f.Modified);

  f.ChkDropSub.setChecked(true);
  EXPECT_EQ(f.CmbDrop.items(), everySubject) << "checked again, no subject is dropped";
}

TEST_F(DroppedSubjects, TheButtonDropsAndRestoresTheChosenSubject) {
  withSizes("4", "3");
  f.ChkDropSub.setChecked(true);
  f.Modified = false;

  toggle(3);
  EXPECT_EQ(f.CmbDrop.item(2), "Subject3 D");
  EXPECT_EQ(f.CmbDrop.count(), 7);
  EXPECT_EQ(f.DroppedSubjects, std::vector<int>{3});
  EXPECT_TRUE(f.Modified);

  f.CmdDropClick();  // the subject stays chosen
  EXPECT_EQ(f.CmbDrop.item(2), "Subject3");
  EXPECT_TRUE(f.DroppedSubjects.empty());
}

TEST_F(DroppedSubjects, RestoringASubjectKeepsTheOthersInTheOrderTheyWereDropped) {
  withSizes("4", "3");
  f.ChkDropSub.setChecked(true);
  toggle(5);
  toggle(2);
  toggle(6);
  toggle(6);
  EXPECT_EQ(f.DroppedSubjects, (std::vector<int>{5, 2}));
  EXPECT_EQ(f.CmbDrop.items(), (Items{"Subject1", "Subject2 D", "Subject3", "Subject4",
                                      "Subject5 D", "Subject6", "Subject7"}));
}

TEST_F(DroppedSubjects, TheButtonDoesNothingWithoutTheBoxOrAChoice) {
  withSizes("2", "1");
  f.ChkDropSub.setChecked(true);
  f.Modified = false;
  f.CmbDrop.setItemIndex(-1);
  f.CmdDropClick();
  EXPECT_TRUE(f.DroppedSubjects.empty());
  EXPECT_FALSE(f.Modified);

  f.ChkDropSub.setChecked(false);
  f.Modified = false;
  f.CmbDrop.add("Subject1");
  f.CmbDrop.setItemIndex(0);
  f.CmdDropClick();
  EXPECT_TRUE(f.DroppedSubjects.empty());
  EXPECT_EQ(f.CmbDrop.item(0), "Subject1");
  EXPECT_FALSE(f.Modified);
}

TEST_F(DroppedSubjects, ASizeThatIsNotANumberStopsTheRebuildHalfway) {
  withSizes("4", "3");
  f.ChkDropSub.setChecked(true);
  f.ChkDropSub.setChecked(false);
  f.TxtNumSubGroup2.setText("x");
  f.Modified = false;

  dispatch(fx.ui, [&] { f.ChkDropSub.setChecked(true); });
  EXPECT_EQ(fx.ui.errors, Items{"'x' is not a valid integer value."});
  EXPECT_TRUE(f.CmbDrop.items().empty());
  EXPECT_EQ(f.CmbDrop.text(), "");
  EXPECT_EQ(f.GroupSize, 7) << "keeps its old value";
  EXPECT_TRUE(f.ChkDropSub.checked());
  EXPECT_EQ(Enabled({&f.DropSub, &f.CmbDrop, &f.CmdDrop}), "111");
  EXPECT_FALSE(f.Modified);

  f.TxtNumSubGroup2.setText("");
  EXPECT_THROW(f.UpdateDropped(), ConversionError) << "an empty size is no number either";

  f.TxtNumSubGroup1.setText("y");
  dispatch(fx.ui, [&] { f.UpdateDropped(); });
  EXPECT_EQ(fx.ui.errors.back(), "'y' is not a valid integer value.") << "the first size first";
}

TEST_F(DroppedSubjects, TheListFollowsNewSizesOnlyWhenRebuilt) {
  withSizes("3", "3");
  f.ChkDropSub.setChecked(true);
  toggle(2);
  toggle(6);
  withSizes("2", "1");
  EXPECT_EQ(f.CmbDrop.count(), 6) << "editing the sizes rebuilds nothing";

  f.DropSubSameCallback();
  EXPECT_EQ(f.CmbDrop.items(), (Items{"Subject1", "Subject2 D", "Subject3"}));
  EXPECT_EQ(f.GroupSize, 3);
  EXPECT_EQ(f.DroppedSubjects, (std::vector<int>{2, 6})) << "numbers beyond the group stay";
  EXPECT_TRUE(f.Modified);
}

TEST_F(DroppedSubjects, AbsurdSizesNeitherOverflowNorBuildAGiantList) {
  withSizes("2000000000", "2000000000");
  f.ChkDropSub.setChecked(true);
  EXPECT_GT(f.GroupSize, 0);
  EXPECT_LE(f.CmbDrop.count(), 198);

  f.ChkDropSub.setChecked(false);
  withSizes("-5", "2");
  f.ChkDropSub.setChecked(true);
  EXPECT_EQ(f.GroupSize, -3);
  EXPECT_TRUE(f.CmbDrop.items().empty());
}

}  // namespace
}  // namespace wintarvel::testing
