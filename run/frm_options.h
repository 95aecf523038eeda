#pragma once
// The engine directory dialog: the user names tarvel.exe once, the program keeps the choice in
// wintvl.cfg in the start folder and the folder part in the main window's TxtExeDir.

#include <string>

#include "model/controls.h"
#include "model/ui.h"
#include "run/platform.h"

namespace wintarvel {

inline constexpr const char* kConfigFileName = "wintvl.cfg";
inline constexpr const char* kConfigKey = "tvlpath";

class TFrmOptions : public Control {
 public:
  TFrmOptions(Ui& ui, Platform& platform, const std::string& startDir, Edit& txtExeDir);

  Label Label1;       // "Path to tarvel.exe"
  Edit TxttvlPath;    // full path of the engine program
  Button Button1;     // "Browse"
  Button CmdOptSave;  // "Save"
  Button CmdOptCancel;
  FileDialog DlgOpen{FileDialogKind::Open};

  // Reads the engine path from wintvl.cfg in the start folder (when the file's first line has the
  // key) and shows the dialog when asked to.
  void LoadEnginePath(bool show);
  // Reads the engine path without showing the dialog, when the main window does not know the
  // engine directory yet (empty or "Undefined").
  void LoadEnginePathIfUnknown();
  void Button1Click();
  void CmdOptSaveClick();
  void CmdOptCancelClick();

  std::string caption() const { return "WinTarvel - Tarvel.exe Directory"; }

 private:
  std::string configPath() const;

  Ui& ui_;
  Platform& platform_;
  const std::string& startDir_;
  Edit& txtExeDir_;
};

// The engine directory for a chosen program path: the text before its last separator, or the
// whole path when it has none.
std::string EngineDirOf(const std::string& programPath, char separator = kPathSeparator);

}  // namespace wintarvel
