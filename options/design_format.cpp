// Design type on the "Basic" page and the data format page: which subgroup fields and self
// measures a design allows, the second format record, and the personality read order.

#include <initializer_list>

#include "model/frm1.h"

namespace wintarvel {

namespace {

void showSubgroupNames(TFrm1& f, bool on) {
  for (Control* c : std::initializer_list<Control*>{&f.Label14, &f.TxtNameSubGroup1, &f.Label15,
                                                    &f.TxtNameSubGroup2}) {
    c->setVisible(on);
  }
}

}  // namespace

void TFrm1::CheckDesignTypes() {
  const bool symmetric = RadDesTy0.checked();
  if (symmetric) {
    // A symmetric block has no subgroups to name: what was typed for them goes.
    TxtNameSubGroup1.setText("");
    TxtNameSubGroup2.setText("");
  }
  showSubgroupNames(*this, !symmetric);
  // Every change of design turns self measures on again; a half block cannot have them.
  ChkSelfM.setChecked(true);
  ChkSelfM.setEnabled(true);
  if (RadDesTy2.checked()) {
    ChkSelfM.setChecked(false);
    ChkSelfM.setEnabled(false);
  }
  Modified = true;
}

void TFrm1::ChkSecFmtChange() {
  // Either way the second record starts empty, so a reader sets the box before filling it.
  const bool on = ChkSecFmt.checked();
  TxtGroup2Fortran.setText("");
  TxtGroup2Fortran.setEnabled(on);
  TxtGroup2Fortran.setVisible(on);
  Modified = true;
}

void TFrm1::InputOptChange() {
  // A block with dyad input, or a half block, cannot read personality variables after the dyadic
  // ones. Only "after" is cleared; "before" is not selected in its place, so neither may be
  // selected afterwards, and the set file then records the read order as after.
  if (RadInpPat0.checked() || RadDesTy2.checked()) RBPerAfterDy.setChecked(false);
  Modified = true;
}

}  // namespace wintarvel
