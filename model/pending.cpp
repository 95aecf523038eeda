// Placeholders that let the program link while this folder's handlers are being written.
// Each definition here is deleted when its real one lands; the file goes when it is empty.
// NOLINTBEGIN
#include "model/frm1.h"

namespace wintarvel {
// clang-format off
void TFrm1::BtnNewSetClick() { ResetStudy(); }
void TFrm1::BtnOpenSetClick() {}
void TFrm1::DoneClick() {}
void TFrm1::SaveAsClick() {}
void TFrm1::CancelClick() {}
void TFrm1::FileExitItemClick() {}
bool TFrm1::onFrmClose() { return true; }
bool TFrm1::ChooseSetFileName() { return false; }
bool TFrm1::SaveSetFile() { return false; }
bool TFrm1::OpenSetFile() { return false; }
// clang-format on
}  // namespace wintarvel
// NOLINTEND
