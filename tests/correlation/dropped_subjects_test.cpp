// The list of subjects that can be dropped, built from the two subgroup sizes.

#include "variables/study_state.h"

namespace wintarvel::testing {
namespace {

std::string Dropped(const TFrm1& f) {
  std::string subjects;
  for (int subject : f.DroppedSubjects) subjects += " " + std::to_string(subject);
  return Enabled({&f.DropSub, &f.CmbDrop, &f.CmdDrop}) + " " + std::to_string(f.GroupSize) + ":" +
         Joined(f.CmbDrop.items()) + " |" + subjects;
}

TEST(DroppedSubjects, TheBoxListsEverySubjectOfTheSizesGivenAndTheButtonDropsOrRestoresOne) {
  NewStudy s;
  TFrm1& f = s.f;
  Basics(f, "Drops");
  f.TxtNumSubGroup2.setText("3");
  f.Modified = false;
  f.ChkDropSub.setChecked(true);
  EXPECT_TRUE(f.Modified);
  for (int subject : {5, 2, 3, 3, 4}) DropSubject(f, subject);
  EXPECT_EQ(Dropped(f), "111 5:Subject1,Subject2 D,Subject3,Subject4 D,Subject5 D | 5 2 4");
  f.CmdDropClick();  // the subject stays chosen: a second click restores it
  f.Modified = false;
  f.CmbDrop.setItemIndex(-1);
  f.CmdDropClick();  // nothing chosen: nothing happens
  EXPECT_EQ(Dropped(f), "111 5:Subject1,Subject2 D,Subject3,Subject4,Subject5 D | 5 2");
  EXPECT_FALSE(f.Modified);

  f.ChkDropSub.setChecked(false);
  EXPECT_EQ(Dropped(f), "000 5: |");
  f.CmbDrop.add("Subject1");  // without the box the button does nothing
  DropSubject(f, 1);
  f.CmbDrop.clear();
  f.ChkDropSub.setChecked(true);
  EXPECT_EQ(Dropped(f), "111 5:Subject1,Subject2,Subject3,Subject4,Subject5 |");

  DropSubject(f, 4);
  f.TxtNumSubGroup2.setText("1");
  EXPECT_EQ(f.CmbDrop.count(), 5) << "editing the sizes rebuilds nothing";
  f.Modified = false;
  f.DropSubSameCallback();
  EXPECT_EQ(Dropped(f), "111 3:Subject1,Subject2,Subject3 | 4") << "numbers beyond stay";
  EXPECT_TRUE(f.Modified);

  // A size that is not a number stops the rebuild halfway, the first size looked at first.
  f.TxtNumSubGroup2.setText("x");
  f.Modified = false;
  dispatch(s.ui, [&] { f.DropSubSameCallback(); });
  EXPECT_EQ(Dropped(f), "111 3: | 4");
  EXPECT_FALSE(f.Modified);
  f.TxtNumSubGroup1.setText("y");
  dispatch(s.ui, [&] { f.UpdateDropped(); });
  EXPECT_EQ(s.ui.errors,
            (Names{"'x' is not a valid integer value.", "'y' is not a valid integer value."}));

  f.TxtNumSubGroup1.setText("2000000000");
  f.TxtNumSubGroup2.setText("2000000000");
  f.DropSubSameCallback();
  EXPECT_GT(f.GroupSize, 0);
  EXPECT_EQ(f.CmbDrop.count(), 198);
  f.TxtNumSubGroup1.setText("-5");
  f.TxtNumSubGroup2.setText("2");
  f.DropSubSameCallback();
  EXPECT_EQ(Dropped(f), "111 -3: | 4");
}

}  // namespace
}  // namespace wintarvel::testing
