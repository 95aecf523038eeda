// Subjects left out of the analysis. One list of dropped subject numbers serves every group; the
// combo box lists every subject of a group as "Subject<i>", with " D" after a dropped one.

#include <algorithm>
#include <string>

#include "model/frm1.h"

namespace wintarvel {
namespace {

// The two subgroup sizes have two digits each, so a group never has more subjects than this; the
// cap only keeps an absurd size given by the program from building a giant list.
constexpr int kMostListedSubjects = 99 + 99;

std::string SubjectLabel(int subject) {
  return "Subject" + std::to_string(subject);
}

std::string DroppedLabel(int subject) {
  return SubjectLabel(subject) + " D";
}

bool IsDropped(const TFrm1& f, int subject) {
  return std::find(f.DroppedSubjects.begin(), f.DroppedSubjects.end(), subject) !=
         f.DroppedSubjects.end();
}

// Deletes item i and inserts the new label in its place, keeping the subject selected so that a
// second click undoes the first.
void ShowLabel(TFrm1& f, int index, const std::string& label) {
  f.CmbDrop.replace(index, label);
  f.CmbDrop.setItemIndex(index);
  f.CmbDrop.setText(label);
}

}  // namespace

void TFrm1::ChkDropSubClick() {
  const bool on = ChkDropSub.checked();
  DropSub.setEnabled(on);
  CmbDrop.setEnabled(on);
  CmdDrop.setEnabled(on);
  UpdateDropped();
  Modified = true;
}

void TFrm1::UpdateDropped() {
  CmbDrop.clear();
  CmbDrop.setText("");
  if (!ChkDropSub.checked()) {
    DroppedSubjects.clear();
    return;
  }
  GroupSize = SubjectsPerGroup(*this);
  for (int subject = 1; subject <= std::min(GroupSize, kMostListedSubjects); ++subject) {
    CmbDrop.add(IsDropped(*this, subject) ? DroppedLabel(subject) : SubjectLabel(subject));
  }
}

void TFrm1::CmdDropClick() {
  const int index = CmbDrop.itemIndex();
  if (!ChkDropSub.checked() || index < 0) return;
  const int subject = index + 1;
  if (CmbDrop.item(index) == DroppedLabel(subject)) {
    std::erase(DroppedSubjects, subject);
    ShowLabel(*this, index, SubjectLabel(subject));
  } else {
    DroppedSubjects.push_back(subject);
    ShowLabel(*this, index, DroppedLabel(subject));
  }
  // Dropping or restoring a subject changes what the set file stores.
  Modified = true;
}

// Rebuilds the list after the subgroup sizes changed. No control runs it.
void TFrm1::DropSubSameCallback() {
  UpdateDropped();
  Modified = true;
}

}  // namespace wintarvel
