#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "model/frm1.h"

namespace wintarvel {
namespace {

TEST(Controls, AChangeRunsTheHandlerAndCountsAsARevisionOnlyWhenTheValueChanges) {
  Edit edit;
  CheckBox box;
  RadioGroup group;
  RadioButton a{group}, b{group};
  std::string calls;
  edit.onChange = [&] { calls += "e"; };
  box.onClick = [&] { calls += "x"; };
  a.onClick = [&] { calls += "a"; };
  b.onClick = [&] { calls += "b"; };
  for (const char* text : {"abc", "abc", ""}) edit.setText(text);
  for (bool on : {true, true, false}) box.setChecked(on);
  a.setChecked(true), b.setChecked(true), b.setChecked(true);  // b unchecks a without its handler
  EXPECT_EQ(calls + std::to_string(group.checkedIndex()), "eexxab1");
  EXPECT_EQ(edit.revision() + box.revision() + a.revision(), 6u);
  b.setChecked(false);  // only unchecks
  EXPECT_EQ(calls + std::to_string(group.checkedIndex()), "eexxab-1");
}

// A list of A, B, C with B chosen, then one change: the items and the chosen index after it.
TEST(Controls, TheChosenItemFollowsInsertsRemovesAndClears) {
  const struct {
    const char* change;
    std::function<void(ListBox&)> act;
    const char* items;
    int index;
  } rows[] = {
      {"insert at", [](ListBox& l) { l.insert(1, "Z"); }, "AZBC", 2},
      {"insert after", [](ListBox& l) { l.insert(2, "Z"); }, "ABZC", 1},
      {"remove before", [](ListBox& l) { l.remove(0); }, "BC", 0},
      {"remove chosen", [](ListBox& l) { l.remove(1); }, "AC", -1},
      {"remove after", [](ListBox& l) { l.remove(2); }, "AB", 1},
      {"replace chosen", [](ListBox& l) { l.replace(1, "b"); }, "AbC", -1},
      {"clear", [](ListBox& l) { l.clear(); }, "", -1},
      {"choose beyond", [](ListBox& l) { l.setItemIndex(3); }, "ABC", -1},
      {"choose before", [](ListBox& l) { l.setItemIndex(-2); }, "ABC", -1},
      {"unselect other", [](ListBox& l) { l.setSelected(0, false); }, "ABC", 1},
      {"unselect chosen", [](ListBox& l) { l.setSelected(1, false); }, "ABC", -1},
      {"select other", [](ListBox& l) { l.setSelected(2, true); }, "ABC", 2},
  };
  for (const auto& row : rows) {
    ListBox list;
    for (const char* item : {"A", "B", "C"}) list.add(item);
    list.setItemIndex(1);
    const auto revision = list.revision();
    row.act(list);
    std::string items;
    for (const std::string& item : list.items()) items += item;
    SCOPED_TRACE(row.change);
    EXPECT_EQ(items + std::to_string(list.itemIndex()) + std::to_string(list.firstSelected()),
              row.items + std::to_string(row.index) + std::to_string(row.index));
    EXPECT_EQ(list.revision() > revision, items != "ABC" || row.index != 1);
  }
  ListBox empty;
  empty.clear();
  EXPECT_EQ(empty.revision(), 0u) << "clearing an empty list changes nothing";
  EXPECT_THROW(empty.insert(1, "A"), std::out_of_range);
  EXPECT_THROW(empty.remove(0), std::out_of_range);
  EXPECT_THROW(empty.setSelected(0, true), std::out_of_range);
  EXPECT_FALSE(empty.selected(0));

  // A multi-selection list keeps each item's selection apart from the focus item.
  ListBox multi(true);
  for (const char* item : {"x", "y", "z"}) multi.add(item);
  multi.setSelected(2, true), multi.setSelected(1, true), multi.setItemIndex(0);
  multi.remove(1), multi.insert(0, "w");
  EXPECT_EQ(std::to_string(multi.itemIndex()) + std::to_string(multi.firstSelected()) +
                std::to_string(multi.selected(1)) + std::to_string(multi.selected(3)),
            "1200");
}

TEST(Controls, MemoCountsLinesWithAndWithoutAFinalLineBreak) {
  Memo memo;
  const std::pair<const char*, std::size_t> rows[] = {
      {"", 0}, {"\r\n", 1}, {"a", 1}, {"a\r\nb", 2}, {"a\r\nb\r\n", 2}, {"a\nb\r", 1}};
  for (const auto& [text, lines] : rows) {
    memo.setText(text);
    EXPECT_EQ(memo.lineCount(), lines) << text;
  }
  memo.setText("a\r\nb\r\n"), memo.appendLine("c");
  EXPECT_EQ(memo.text(), "a\r\nb\r\nc\r\n");
  // An edit that splits and joins a CR LF pair keeps the count right.
  memo.replace(1, 1, "");  // "a\nb..." : the pair is broken
  EXPECT_EQ(memo.lineCount(), 2u);
  memo.replace(1, 0, "\r");
  EXPECT_EQ(memo.lines(), (std::vector<std::string>{"a", "b", "c"}));
}

// Names compare without regard to case under every locale: ASCII and the Latin-1 capitals
// 0xC0-0xDE have their small letter 0x20 above, but 0xD7 (times) and 0xDF (sharp s) are none.
TEST(Text, NamesCompareWithoutRegardToLatin1Case) {
  const struct {
    std::string a, b;
    bool same;
  } rows[] = {
      {"like", "LIKE", true},   {"Like", "LIKES", false}, {"", "", true},
      {"@[", "`{", false},      {"AZ", "az", true},       {"\xC0\xDE", "\xE0\xFE", true},
      {"\xD7", "\xF7", false},  {"\xDF", "\xFF", false},  {"\xBF", "\xDF", false},
      {"a\xC9", "A\xE9", true}, {"ab", "ax", false},      {"xa", "ya", false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(SameText(row.a, row.b), row.same) << row.a << " / " << row.b;
    EXPECT_EQ(SameText(row.b, row.a), row.same) << row.b << " / " << row.a;
  }
  EXPECT_EQ(TrimBlanksAndControls("\t x y \r\n"), "x y");
}

}  // namespace
}  // namespace wintarvel
