#pragma once
// The example study built through the handlers, a control-by-control picture of a study for the
// set file tests, and one of the whole window for its start-up and reset states.

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/study.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {

// The example study of the file format: 12 groups of 4 women and 4 men.
inline void BuildRoommateStudy(TFrm1& f) {
  f.TxtProgTitle.setText("Roommate study");
  f.TxtNumSubGroup1.setText("4");
  f.TxtNumSubGroup2.setText("4");
  f.TxtNumGroups.setText("12");
  f.RadDesTy1.setChecked(true);  // shows the subgroup names and switches self measures on
  f.TxtNameSubGroup1.setText("Women");
  f.TxtNameSubGroup2.setText("Men");
  AddDyadic(f, {"LIKE", "TRUST", "ANXIOUS"});
  f.ChkReverseVar.setChecked(true);
  ReverseScore(f, "TRUST");
  f.TxtRevScore.setText("8");
  AddPersonality(f, {"AGE", "EXTRAV"});
  // With block and dyad input the read-order rule clears "after" again: neither is checked.
  f.RBPerAfterDy.setChecked(true);
  f.RadOut2.setChecked(true);
  f.RadAP1.setChecked(true);
  f.ChkDropSub.setChecked(true);
  DropSubject(f, 3);
  f.TxtGroupFortran.setText("(3F2.0,2F3.0)");
}

inline std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const auto& item : items) text += item + "|";
  return text;
}

inline std::string Bool(bool on) {
  return on ? "1" : "0";
}

// The pictures `expected` names hold the texts it gives for them.
inline void ExpectPicture(const std::map<std::string, std::string>& expected,
                          std::map<std::string, std::string> actual) {
  for (const auto& [name, part] : expected) {
    EXPECT_NE(actual[name].find(part), std::string::npos) << name << ": " << actual[name];
  }
}

// Every control of the window, in the order of the lines of tests/data/start-up.txt.
// clang-format off
inline std::vector<const Control*> AllControls(const TFrm1& f) {
  return {&f.WindowCaption, &f.PageControl1, &f.Groups, &f.Variables, &f.TabSheet2, &f.Output,
      &f.Constructs, &f.CorError, &f.Reorder, &f.TabSheet1, &f.Done, &f.Cancel, &f.BtnNewSet,
      &f.BtnOpenSet, &f.BtnSaveSet, &f.BtnOpenData, &f.BtnRun, &f.StudyTitleBox, &f.TxtProgTitle,
      &f.TxtNumGroups, &f.LblNumGroupsRange, &f.TxtNumSubGroup1, &f.TxtNumSubGroup2, &f.Label14,
      &f.Label15, &f.TxtNameSubGroup1, &f.TxtNameSubGroup2, &f.GroupBox14, &f.RadDesTy0,
      &f.RadDesTy1, &f.RadDesTy2, &f.ChkDropSub, &f.DropSub, &f.CmbDrop, &f.CmdDrop, &f.DyadicBox,
      &f.TxtDyVars, &f.CmbDyVar, &f.CmdDyVarAdd, &f.CmdDyVarRem, &f.CmdDyVarRename, &f.UDDy,
      &f.PersonalityBox, &f.TxtPerVars, &f.CmbPerVar, &f.CmdPerVarAdd, &f.CmdPerVarRem,
      &f.CmdPerVarRename, &f.UDPer, &f.ChkSelfM, &f.ChkReverseVar, &f.CmdDyVarRev, &f.LBLRevScore,
      &f.TxtRevScore, &f.Label16, &f.TxtGroupFortran, &f.ChkSecFmt, &f.TxtGroup2Fortran,
      &f.GroupBox9, &f.RadInpPat0, &f.RadInpPat1, &f.RadInpPat2, &f.RadInpPat3, &f.RadInpPat4,
      &f.RadInpPat5, &f.GroupBoxPV, &f.RBPerBeforeDy, &f.RBPerAfterDy, &f.RadioGroup1, &f.RadOut0,
      &f.RadOut1, &f.RadOut2, &f.RadOut3, &f.RadOut4, &f.ChkTechOut, &f.Label3, &f.ChkRawData,
      &f.GroupBox3, &f.RadAP0, &f.RadAP1, &f.RadAP2, &f.TxtConstruct, &f.CmbConst, &f.CmdConstAdd,
      &f.CmdConstRem, &f.LblConstVar, &f.LstVars, &f.LstVarsConst, &f.CmdVarsConstAdd,
      &f.CmdVarsConstRem, &f.CorAvailVarList, &f.CorMapVarList, &f.CorVarList, &f.PBCorConnect,
      &f.PBCorDisconnect, &f.PBCorConfirm, &f.ConRecInfo, &f.CorRecInfo, &f.GroupBox16,
      &f.RadRePat0, &f.RadRePat1, &f.RadRePat2, &f.RadRePat3, &f.RadRePat4, &f.RadRePat5,
      &f.RadRePat6, &f.Label7, &f.GroupBox17, &f.RadReNewSame0, &f.RadReNewSame1, &f.Label2,
      &f.MemoReorder, &f.LblNumReor, &f.TxtSetFile, &f.TxtDataFile, &f.TxtOutFile, &f.TxtCoVar,
      &f.TxtIndDif, &f.Button2, &f.Button1, &f.Button3, &f.CmdCoVar, &f.CmdIndDif, &f.LblCoVar,
      &f.LblIndDif, &f.GenInstr, &f.TxtExeDir, &f.RunOutcome, &f.FrmOptions, &f.AboutBox};
}
// clang-format on

// The window control by control, named as in tests/data/start-up.txt: enabled, visible and
// checked (a page: its tab shown), then what it shows (caption, text, items and the chosen one,
// the page on top) and an edit's length limit. The study's records follow the controls.
inline std::map<std::string, std::string> Picture(const TFrm1& f) {
  std::map<std::string, std::string> picture;
  std::istringstream names(readFile(GoldenFile("start-up.txt")));
  for (const Control* c : AllControls(f)) {
    std::string name;
    std::getline(names, name);
    ControlState s;
    c->saveState(s);
    std::string& line = picture[name.substr(0, name.find(':'))];
    line = Bool(s.enabled) + Bool(s.visible) + Bool(s.checked) + " " + s.caption;
    if (const auto* e = dynamic_cast<const Edit*>(c)) {
      line += "[" + e->text() + "] max " + std::to_string(e->maxLength());
    } else if (const auto* memo = dynamic_cast<const Memo*>(c)) {
      line += "[" + memo->text() + "]";
    } else if (const auto* pages = dynamic_cast<const PageControl*>(c)) {
      line += "page " + std::to_string(pages->activePage());
    } else if (dynamic_cast<const ListBox*>(c)) {
      line += "{" + Joined(s.items) + "} " + std::to_string(s.itemIndex) + " ";
      for (bool on : s.selected) line += Bool(on);
    }
  }
  for (const _variable& v : f.DyVarList) {
    picture["DyVarList"] += v.Name + "/" + v.Construct + "/" + Bool(v.Reversed) + "|";
  }
  for (int d : f.DroppedSubjects) picture["DroppedSubjects"] += std::to_string(d) + ",";
  picture["chosen"] = f.SelectedAvailVar + "|" + f.SelectedCorrVar;
  picture["counts"] = std::to_string(f.NumGroups) + "/" + std::to_string(f.GroupSize) + "/" +
                      std::to_string(f.ReorderRecordCount);
  return picture;
}

// Opens a set file through the Open command of a window with no unsaved changes.
inline bool OpenThroughCommand(Fixture& fx, const std::string& path) {
  fx.ui.queueFile(path);
  fx.f.BtnOpenSetClick();
  return !fx.f.Modified;
}

}  // namespace wintarvel::testing
