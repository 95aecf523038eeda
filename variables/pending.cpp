// Placeholders that let the program link while this folder's handlers are being written.
// Each definition here is deleted when its real one lands; the file goes when it is empty.
// NOLINTBEGIN
#include "model/frm1.h"

namespace wintarvel {
// clang-format off
void TFrm1::CmdDyVarAddClick() {}
void TFrm1::CmdDyVarRemClick() {}
void TFrm1::CmdDyVarRenameClick() {}
void TFrm1::CmbDyVarClick() {}
void TFrm1::TxtDyVarsKeyPress(char) {}
void TFrm1::CmdPerVarAddClick() {}
void TFrm1::CmdPerVarRemClick() {}
void TFrm1::CmdPerVarRenameClick() {}
void TFrm1::CmbPerVarClick() {}
void TFrm1::TxtPerVarsKeyPress(char) {}
int TFrm1::FindDyVarRec(const std::string&) const { return -1; }
void TFrm1::UpdateVarCodes() {}
void TFrm1::UDDyClick(UpDownButton) {}
void TFrm1::UDPerClick(UpDownButton) {}
void TFrm1::CmdConstAddClick() {}
void TFrm1::CmdConstRemClick() {}
void TFrm1::CmdConstSelClick() {}
void TFrm1::CmbConstKeyPress(char) {}
void TFrm1::CmdVarsConstAddClick() {}
void TFrm1::CmdVarsConstRemClick() {}
void TFrm1::LstVarsRefresh() {}
void TFrm1::CompleteConstructs() {}
void TFrm1::ChkReverseVarClick() {}
void TFrm1::CmdDyVarRevClick() {}
// clang-format on
}  // namespace wintarvel
// NOLINTEND
