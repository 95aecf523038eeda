// The up-down arrows beside the two variable lists. A dyadic move carries the list item, its
// record and its two code entries one place together, because that order is the variable order
// of the set file.

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "model/code_record.h"
#include "model/frm1.h"

namespace wintarvel {

namespace {

// Moves the selected item one place in the arrow's direction and keeps it selected. Returns the
// two indices that changed places, or nothing when the item is already at that end or none is
// selected.
std::optional<std::pair<int, int>> MoveSelectedItem(ListBox& list, UpDownButton button) {
  const int i = list.itemIndex();
  const int target = button == UpDownButton::Up ? i - 1 : i + 1;
  if (i < 0 || target < 0 || target >= list.count()) return std::nullopt;
  const std::string text = list.item(i);
  list.remove(i);
  list.insert(target, text);
  list.setItemIndex(target);
  return std::make_pair(std::min(i, target), std::max(i, target));
}

}  // namespace

void TFrm1::UDDyClick(UpDownButton button) {
  const int selected = CmbDyVar.itemIndex();
  const std::string text =
      selected >= 0 && selected < CmbDyVar.count() ? CmbDyVar.item(selected) : "";
  const auto moved = MoveSelectedItem(CmbDyVar, button);
  Modified = true;
  if (!moved) return;

  // The record moved is the first one the item's text names, which is not necessarily the one
  // at the item's position when names repeat; it moves only when it has a neighbour that way.
  const int record = FindDyVarRec(text);
  const int neighbour = button == UpDownButton::Up ? record - 1 : record + 1;
  if (record >= 0 && neighbour >= 0 && neighbour < static_cast<int>(DyVarList.size())) {
    std::swap(DyVarList[static_cast<std::size_t>(record)],
              DyVarList[static_cast<std::size_t>(neighbour)]);
  }

  const auto [a, b] = *moved;
  for (Edit* field : {&CorRecInfo, &ConRecInfo}) {
    std::string entries = field->text();
    codes::SwapEntries(entries, a, b);
    field->setText(entries);
  }
}

void TFrm1::UDPerClick(UpDownButton button) {
  MoveSelectedItem(CmbPerVar, button);
  Modified = true;
}

}  // namespace wintarvel
