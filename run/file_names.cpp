// The "File Names" page: the Browse buttons that fill the paths of a run, the rule that enables
// the run commands, and the splitting of a path into folder, base name and extension.

#include <optional>
#include <string>

#include "model/frm1.h"

namespace wintarvel {

namespace {

struct BrowseSettings {
  const char* title;
  const char* defaultExt;
  const char* fileName;
  std::optional<const char*> filter;  // nullopt: keep the filter the dialog last had
};

// Shows the shared open dialog with the given settings and puts the chosen path into the field;
// a cancelled dialog changes nothing.
void browseInto(TFrm1& f, Edit& target, const BrowseSettings& settings) {
  f.OpenDialog.setTitle(settings.title);
  f.OpenDialog.setDefaultExt(settings.defaultExt);
  f.OpenDialog.setFileName(settings.fileName);
  if (settings.filter) f.OpenDialog.setFilter(*settings.filter);
  if (f.ui.execute(f.OpenDialog)) target.setText(f.OpenDialog.fileName());
}

constexpr const char* kOutputTitle = "Choose The Output File Name";
constexpr const char* kOutputFilter = "Output Files|*.out";

}  // namespace

SplitPathResult SplitPath(const std::string& path, char separator) {
  SplitPathResult result{};
  std::string name = path;
  if (const auto slash = path.rfind(separator); slash != std::string::npos) {
    result.dir = path.substr(0, slash);
    name = path.substr(slash + 1);
  }
  result.base = name;
  if (const auto dot = name.rfind('.'); dot != std::string::npos) {
    result.base = name.substr(0, dot);
    result.ext = name.substr(dot + 1);
  }
  result.ok = !result.base.empty();
  return result;
}

// Choosing a set file here only names it for saving and running; opening is a separate command.
void TFrm1::Button2Click() {
  browseInto(*this, TxtSetFile, {"Choose The Set File", "set", "*.set", std::nullopt});
}

void TFrm1::Button1Click() {
  browseInto(*this, TxtDataFile, {"Choose The Data File", "txt", "", "Dat Files|*.txt;*.dat"});
}

void TFrm1::Button3Click() {
  browseInto(*this, TxtOutFile, {kOutputTitle, "", "*.out", kOutputFilter});
}

void TFrm1::CmdCoVarClick() {
  browseInto(*this, TxtCoVar, {kOutputTitle, "", "*.*", kOutputFilter});
}

void TFrm1::CmdIndDifClick() {
  browseInto(*this, TxtIndDif, {kOutputTitle, "", "*.*", kOutputFilter});
}

// A run needs the set, data and output files; the optional files play no part. The menu item
// "Run Tarvel" stays enabled whatever the names are.
void TFrm1::FileNameChangeCallback() {
  const bool ready =
      !TxtSetFile.text().empty() && !TxtDataFile.text().empty() && !TxtOutFile.text().empty();
  GenInstr.setEnabled(ready);
  BtnRun.setEnabled(ready);
}

}  // namespace wintarvel
