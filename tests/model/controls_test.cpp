#include <gtest/gtest.h>

#include "model/controls.h"

namespace wintarvel {
namespace {

TEST(Controls, AProgramChangeRunsTheHandlerOnlyWhenTheValueChanges) {
  Edit edit;
  int changes = 0;
  edit.onChange = [&] { ++changes; };
  edit.setText("abc");
  edit.setText("abc");
  EXPECT_EQ(changes, 1);

  CheckBox box;
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setChecked(true);
  box.setChecked(true);
  box.setChecked(false);
  EXPECT_EQ(clicks, 2);
}

TEST(Controls, CheckingARadioButtonUnchecksTheOthersWithoutTheirHandlers) {
  RadioGroup group;
  RadioButton a{group}, b{group};
  int aClicks = 0, bClicks = 0;
  a.onClick = [&] { ++aClicks; };
  b.onClick = [&] { ++bClicks; };
  a.setChecked(true);
  b.setChecked(true);
  EXPECT_FALSE(a.checked());
  EXPECT_TRUE(b.checked());
  EXPECT_EQ(aClicks, 1);
  EXPECT_EQ(bClicks, 1);
  b.setChecked(false);  // only unchecks
  EXPECT_EQ(group.checkedIndex(), -1);
  EXPECT_EQ(bClicks, 1);
}

TEST(Controls, ListSelectionFollowsInsertAndRemove) {
  ListBox list;
  list.add("A");
  list.add("B");
  list.add("C");
  list.setItemIndex(1);
  list.insert(0, "Z");
  EXPECT_EQ(list.itemIndex(), 2);
  list.remove(0);
  EXPECT_EQ(list.itemIndex(), 1);
  list.replace(1, "b");  // a replaced item loses the selection
  EXPECT_EQ(list.itemIndex(), -1);
  EXPECT_EQ(list.item(1), "b");

  ListBox multi(true);
  multi.add("x");
  multi.add("y");
  multi.setSelected(1, true);
  EXPECT_EQ(multi.firstSelected(), 1);
  multi.setSelected(0, true);
  EXPECT_TRUE(multi.selected(0) && multi.selected(1));
}

TEST(Controls, MemoCountsLinesWithAndWithoutAFinalLineBreak) {
  Memo memo;
  EXPECT_EQ(memo.lineCount(), 0u);
  memo.setText("a\r\nb");
  EXPECT_EQ(memo.lineCount(), 2u);
  memo.setText("a\r\nb\r\n");
  EXPECT_EQ(memo.lineCount(), 2u);
  memo.appendLine("c");
  EXPECT_EQ(memo.lineCount(), 3u);
  EXPECT_EQ(memo.text(), "a\r\nb\r\nc\r\n");
  // An edit that splits and joins a CR LF pair keeps the count right.
  memo.replace(1, 1, "");  // "a\nb..." : the pair is broken
  EXPECT_EQ(memo.lineCount(), 2u);
  memo.replace(1, 0, "\r");
  EXPECT_EQ(memo.lineCount(), 3u);
  EXPECT_EQ(memo.lines(), (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
}  // namespace wintarvel
