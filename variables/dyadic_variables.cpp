// The two variable lists of the "Variables" page. A dyadic variable is an item of CmbDyVar, a
// record of DyVarList at the same position and an entry in each code string; add, remove and
// rename keep the three in step. Personality variables are plain list items.

#include <string>

#include "model/code_record.h"
#include "model/frm1.h"

namespace wintarvel {

namespace {

constexpr char kEnterKey = 13;
constexpr char kPeriodKey = 46;
constexpr int kMaxVariables = 20;

// Trims the box's text and writes the trimmed text back, as the user then sees it.
std::string TrimmedTextOf(Edit& box) {
  const std::string text = TrimBlanksAndControls(box.text());
  box.setText(text);
  return text;
}

// Position of the construct among the items of CmbConst, counted from 1; 0 when it is none.
void EnableReadOrder(TFrm1& f, bool on) {
  f.GroupBoxPV.setEnabled(on);
  f.RBPerBeforeDy.setEnabled(on);
  f.RBPerAfterDy.setEnabled(on);
}

}  // namespace

int TFrm1::FindDyVarRec(const std::string& text) const {
  for (std::size_t k = 0; k < DyVarList.size(); ++k) {
    const std::string& name = DyVarList[k].Name;
    if (name == text || name + kReversedMark == text) return static_cast<int>(k);
  }
  return -1;
}

void TFrm1::CmdDyVarAddClick() {
  const std::string name = TrimmedTextOf(TxtDyVars);
  if (name.empty()) return;
  if (CmbDyVar.count() >= kMaxVariables) {
    ui.showMessage("There cannot be more than 20 dyadic variables", "Warning");
    return;
  }
  CmbDyVar.add(name);
  DyVarList.push_back(_variable{name, "", false});
  TxtDyVars.setText("");
  // A new variable correlates with nothing until the user pairs it.
  if (!CorRecInfo.text().empty()) CorRecInfo.setText(CorRecInfo.text() + "00");
  UpdateVarCodes();
  Modified = true;
}

void TFrm1::CmdDyVarRemClick() {
  const int selected = CmbDyVar.itemIndex();
  if (selected < 0) return;
  // An item without a record (lists out of step) removes no record; the position then points
  // behind the last record, so only a longer, damaged code string loses an entry.
  int position = FindDyVarRec(CmbDyVar.item(selected));
  if (position >= 0) {
    DyVarList.erase(DyVarList.begin() + position);
  } else {
    position = static_cast<int>(DyVarList.size());
  }
  CmbDyVar.remove(selected);
  TxtDyVars.setText("");
  std::string correlations = CorRecInfo.text();
  codes::CutEntry(correlations, position);
  CorRecInfo.setText(correlations);
  UpdateVarCodes();
  Modified = true;
}

void TFrm1::CmdDyVarRenameClick() {
  const int selected = CmbDyVar.itemIndex();
  if (selected < 0) return;
  const int position = FindDyVarRec(CmbDyVar.item(selected));
  if (position < 0) {
    Modified = true;
    return;
  }
  // Empty and duplicate names are accepted; the record keeps its place, so the codes stay.
  const std::string name = TrimmedTextOf(TxtDyVars);
  DyVarList[static_cast<std::size_t>(position)].Name = name;
  CmbDyVar.replace(selected, name);
  CmbDyVar.setItemIndex(-1);
  TxtDyVars.setText("");
  Modified = true;
}

void TFrm1::CmbDyVarClick() {
  const int selected = CmbDyVar.itemIndex();
  if (selected < 0) return;
  TxtDyVars.setText(CmbDyVar.item(selected));
}

void TFrm1::TxtDyVarsKeyPress(char key) {
  // The key still reaches the box afterwards; only the period is a command, not Delete.
  if (key == kEnterKey) CmdDyVarAddClick();
  if (key == kPeriodKey) CmdDyVarRemClick();
}

void TFrm1::CmdPerVarAddClick() {
  const std::string name = TrimmedTextOf(TxtPerVars);
  if (name.empty()) return;
  if (CmbPerVar.count() >= kMaxVariables) {
    ui.showMessage("There cannot be more than 20 personality variables", "Warning");
    return;
  }
  CmbPerVar.add(name);
  TxtPerVars.setText("");
  EnableReadOrder(*this, true);
  Modified = true;
}

void TFrm1::CmdPerVarRemClick() {
  const int selected = CmbPerVar.itemIndex();
  if (selected >= 0) {
    CmbPerVar.remove(selected);
    TxtPerVars.setText("");
    Modified = true;
  }
  if (CmbPerVar.count() == 0) EnableReadOrder(*this, false);
}

void TFrm1::CmdPerVarRenameClick() {
  const int selected = CmbPerVar.itemIndex();
  if (selected >= 0) {
    const std::string name = TrimmedTextOf(TxtPerVars);
    CmbPerVar.replace(selected, name);
    CmbPerVar.setItemIndex(-1);
    TxtPerVars.setText("");
  }
  if (CmbPerVar.count() > 0) Modified = true;
}

void TFrm1::CmbPerVarClick() {
  const int selected = CmbPerVar.itemIndex();
  if (selected < 0) return;
  TxtPerVars.setText(CmbPerVar.item(selected));
}

void TFrm1::TxtPerVarsKeyPress(char key) {
  if (key == kEnterKey) CmdPerVarAddClick();
  if (key == kPeriodKey) CmdPerVarRemClick();
}

void TFrm1::UpdateVarCodes() {
  CorAvailVarList.clear();
  CorMapVarList.clear();
  CorVarList.clear();

  std::string constructNumbers;
  for (const _variable& record : DyVarList) {
    constructNumbers += codes::Code(ConstructNumber(*this, record.Construct));
    CorAvailVarList.add(record.Name);
  }
  if (static_cast<int>(DyVarList.size()) != CmbDyVar.count()) {
    ui.showMessage("Data inconsistency", "");
  }
  ConRecInfo.setText(constructNumbers);
  // Without correlation codes yet, every variable starts in a set of its own.
  if (CorRecInfo.text().empty()) CorRecInfo.setText(codes::Numbered(CmbDyVar.count()));
}

}  // namespace wintarvel
