// Reverse scoring: the study-wide switch with its limit sum, and the mark of single dyadic
// variables. A marked variable has Reversed set and its item reads its name followed by " R";
// the two always change together. Marks exist only while the switch is on.

#include <string>

#include "model/frm1.h"

namespace wintarvel {

namespace {

void ShowReverseScoringControls(TFrm1& f, bool on) {
  f.CmdDyVarRev.setEnabled(on);
  f.LBLRevScore.setVisible(on);
  f.TxtRevScore.setVisible(on);
  // A new name would lose the mark of its item, so renaming waits until the switch is off.
  f.CmdDyVarRename.setEnabled(!on);
}

// Turns every marked item back into its plain name and clears every flag.
void ClearReverseMarks(TFrm1& f) {
  for (_variable& record : f.DyVarList) {
    if (!record.Reversed) continue;
    const std::string marked = record.Name + kReversedMark;
    for (int i = 0; i < f.CmbDyVar.count(); ++i) {
      if (f.CmbDyVar.item(i) == marked) f.CmbDyVar.replace(i, record.Name);
    }
    record.Reversed = false;
  }
}

}  // namespace

void TFrm1::ChkReverseVarClick() {
  const bool on = ChkReverseVar.checked();
  ShowReverseScoringControls(*this, on);
  if (!on) ClearReverseMarks(*this);
  Modified = true;
}

void TFrm1::CmdDyVarRevClick() {
  const int selected = CmbDyVar.itemIndex();
  if (selected < 0) return;
  const int position = FindDyVarRec(CmbDyVar.item(selected));
  if (position >= 0) {
    _variable& record = DyVarList[static_cast<std::size_t>(position)];
    record.Reversed = !record.Reversed;
    CmbDyVar.replace(selected, record.Reversed ? record.Name + kReversedMark : record.Name);
    CmbDyVar.setItemIndex(-1);
  }
  TxtDyVars.setText("");
  Modified = true;
}

}  // namespace wintarvel
