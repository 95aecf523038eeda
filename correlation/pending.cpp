// Placeholders that let the program link while this folder's handlers are being written.
// Each definition here is deleted when its real one lands; the file goes when it is empty.
// NOLINTBEGIN
#include "model/frm1.h"

namespace wintarvel {
// clang-format off
void TFrm1::CorAvailVarListClick() {}
void TFrm1::CorMapVarListClick() {}
void TFrm1::CorVarListClick() {}
void TFrm1::PRCorConnectClick() {}
void TFrm1::PBCorDisconnectClick() {}
void TFrm1::PBCorVerifyClick() {}
void TFrm1::RefreshCorLists() {}
int TFrm1::FindDyVarItem(const std::string&) const { return -1; }
int TFrm1::NextFreeCode(const std::string&) { return 1; }
bool TFrm1::VerifyCorrelations(bool) { return true; }
void TFrm1::ChkDropSubClick() {}
void TFrm1::CmdDropClick() {}
void TFrm1::UpdateDropped() {}
void TFrm1::DropSubSameCallback() {}
// clang-format on
}  // namespace wintarvel
// NOLINTEND
