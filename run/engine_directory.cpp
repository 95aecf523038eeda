// The engine directory dialog and its one-line configuration file wintvl.cfg, kept in the folder
// the program was started from so that each start folder has its own setting.

#include <fstream>
#include <optional>
#include <string>

#include "model/frm1.h"
#include "run/frm_options.h"

namespace wintarvel {

namespace {

// The separator between key and value is one character, whatever it is (a blank when this
// program wrote the file, a tab when someone edited it).
constexpr std::size_t kValueStart = std::char_traits<char>::length(kConfigKey) + 1;

// The value of the first line when it starts with the key, nullopt otherwise. The line is read
// whole: paths of any length come back as they were saved.
std::optional<std::string> readConfigValue(std::istream& in) {
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.compare(0, kValueStart - 1, kConfigKey) != 0) return std::nullopt;
  return line.size() > kValueStart ? line.substr(kValueStart) : std::string();
}

}  // namespace

std::string EngineDirOf(const std::string& programPath, char separator) {
  const auto last = programPath.rfind(separator);
  return last == std::string::npos ? programPath : programPath.substr(0, last);
}

TFrmOptions::TFrmOptions(Ui& ui, Platform& platform, const std::string& startDir, Edit& txtExeDir)
    : ui_(ui), platform_(platform), startDir_(startDir), txtExeDir_(txtExeDir) {
  Label1.setCaption("Path to tarvel.exe");
  Button1.setCaption("Browse");
  CmdOptSave.setCaption("Save");
  CmdOptCancel.setCaption("Cancel");
  setVisible(false);  // created at start, shown on demand
}

std::string TFrmOptions::configPath() const {
  if (startDir_.empty()) return kConfigFileName;
  return startDir_ + kPathSeparator + kConfigFileName;
}

// A missing or unreadable file, or a first line with another key, changes nothing and is not
// reported.
void TFrmOptions::LoadEnginePath(bool show) {
  platform_.setCurrentDir(startDir_);
  if (std::ifstream in(configPath(), std::ios::binary); in) {
    if (const auto value = readConfigValue(in)) {
      TxttvlPath.setText(*value);
      txtExeDir_.setText(EngineDirOf(*value));
    }
  }
  if (show) setVisible(true);
}

void TFrmOptions::LoadEnginePathIfUnknown() {
  const std::string& dir = txtExeDir_.text();
  if (dir.empty() || dir == kUndefinedEngineDir) LoadEnginePath(false);
}

void TFrmOptions::Button1Click() {
  DlgOpen.setDefaultExt("EXE");
  DlgOpen.setFileName("*.exe");
  if (ui_.execute(DlgOpen)) TxttvlPath.setText(DlgOpen.fileName());
}

// An empty path leaves the file empty and the engine directory as it was; a file that cannot be
// written only hides the dialog.
void TFrmOptions::CmdOptSaveClick() {
  platform_.setCurrentDir(startDir_);
  if (std::ofstream out(configPath(), std::ios::binary | std::ios::trunc); out) {
    const std::string& path = TxttvlPath.text();
    if (!path.empty()) {
      out << kConfigKey << ' ' << path << "\r\n";
      out.flush();
      txtExeDir_.setText(EngineDirOf(path));
    }
  }
  setVisible(false);
}

void TFrmOptions::CmdOptCancelClick() {
  setVisible(false);
}

void TFrm1::EditOptions1Click() {
  FrmOptions.LoadEnginePath(true);
}

}  // namespace wintarvel
