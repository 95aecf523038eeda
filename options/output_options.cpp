// The "Output" page: the two choices that ask the engine for extra files enable the fields that
// name those files. A disabled field keeps its text; the run decides from the buttons.

#include <initializer_list>

#include "model/frm1.h"

namespace wintarvel {

namespace {

void enableAll(std::initializer_list<Control*> controls, bool on) {
  for (Control* c : controls) c->setEnabled(on);
}

}  // namespace

void TFrm1::CheckOptFiles() {
  enableAll({&TxtCoVar, &LblCoVar, &CmdCoVar}, RadOut4.checked());
  enableAll({&TxtIndDif, &LblIndDif, &CmdIndDif}, RadAP1.checked() || RadAP2.checked());
  Modified = true;
}

}  // namespace wintarvel
