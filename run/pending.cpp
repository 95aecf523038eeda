// Placeholders that let the program link while this folder's handlers are being written.
// Each definition here is deleted when its real one lands; the file goes when it is empty.
// NOLINTBEGIN
#include "model/frm1.h"
#include "run/posix_platform.h"

namespace wintarvel {
// clang-format off
void TFrm1::Button2Click() {}
void TFrm1::Button1Click() {}
void TFrm1::Button3Click() {}
void TFrm1::CmdCoVarClick() {}
void TFrm1::CmdIndDifClick() {}
void TFrm1::FileNameChangeCallback() {}
void TFrm1::GenInstrClick() {}
void TFrm1::BtnRunClick() {}
void TFrm1::EditOptions1Click() {}
void TFrm1::BtnOpenDataClick() {}
void TFrm1::OpeninNotepad1Click() {}
void TFrm1::HelpAboutItemClick() {}
SplitPathResult SplitPath(const std::string& path, char) { return {"", path, "", !path.empty()}; }
TFrmOptions::TFrmOptions(Ui& ui, Platform& platform, const std::string& startDir, Edit& txtExeDir) : ui_(ui), platform_(platform), startDir_(startDir), txtExeDir_(txtExeDir) { setVisible(false); }
void TFrmOptions::LoadEnginePath(bool) {}
void TFrmOptions::Button1Click() {}
void TFrmOptions::CmdOptSaveClick() {}
void TFrmOptions::CmdOptCancelClick() {}
std::string TFrmOptions::configPath() const { return {}; }
std::string EngineDirOf(const std::string& p, char) { return p; }
std::string PosixPlatform::currentDir() { return {}; }
bool PosixPlatform::setCurrentDir(const std::string&) { return false; }
std::size_t PosixPlatform::shortPath(const std::string&, std::string&) { return 0; }
void PosixPlatform::createIfMissing(const std::string&) {}
std::optional<int> PosixPlatform::runEngine(const std::string&, const std::string&) { return std::nullopt; }
void PosixPlatform::startViewer(const std::string&) {}
// clang-format on
}  // namespace wintarvel
// NOLINTEND
