#pragma once
// Studies built through the handlers a user runs, and pictures of controls and the whole window.

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {

using Names = std::vector<std::string>;
using State = std::map<std::string, std::string>;  // a picture: each control's state by name

inline std::string GoldenFile(const std::string& name) {
  return std::string(WINTARVEL_TEST_DATA) + kPathSeparator + name;
}

// A study that has just been created, with nothing recorded yet by the fakes.
struct NewStudy : Fixture {
  NewStudy() {
    f.BtnNewSetClick();
    ui.messages.clear();
    ui.errors.clear();
    f.Modified = false;
  }
};

inline void AddDyadic(TFrm1& f, std::initializer_list<std::string> names) {
  for (const std::string& name : names) f.TxtDyVars.setText(name), f.CmdDyVarAddClick();
}

inline void AddPersonality(TFrm1& f, std::initializer_list<std::string> names) {
  for (const std::string& name : names) f.TxtPerVars.setText(name), f.CmdPerVarAddClick();
}

inline void AddConstructs(TFrm1& f, std::initializer_list<std::string> names) {
  for (const std::string& name : names) f.TxtConstruct.setText(name), f.CmdConstAddClick();
}

inline int IndexOf(const ListBox& list, const std::string& text) {
  for (int i = 0; i < list.count(); ++i) {
    if (list.item(i) == text) return i;
  }
  return -1;
}

// Clicks a construct in the list, making it the current one.
inline void SelectConstruct(TFrm1& f, const std::string& name) {
  f.CmbConst.setItemIndex(IndexOf(f.CmbConst, name));
  f.CmdConstSelClick();
}

// Selects the named items of a multi-selection member list, and only those.
inline void SelectMembers(ListBox& list, std::initializer_list<std::string> names) {
  for (int i = 0; i < list.count(); ++i) list.setSelected(i, false);
  for (const std::string& name : names) list.setSelected(IndexOf(list, name), true);
}

// Adds a construct and puts the named variables into it.
inline void AddConstructWith(TFrm1& f, const std::string& construct,
                             std::initializer_list<std::string> members) {
  AddConstructs(f, {construct});
  SelectConstruct(f, construct);
  SelectMembers(f.LstVars, members);
  f.CmdVarsConstAddClick();
}

inline void ReverseScore(TFrm1& f, const std::string& item) {
  f.CmbDyVar.setItemIndex(IndexOf(f.CmbDyVar, item));
  f.CmdDyVarRevClick();
}

inline void DropSubject(TFrm1& f, int subject) {
  f.CmbDrop.setItemIndex(subject - 1);
  f.CmdDropClick();
}

// The sizes and groups every small test study uses.
inline void Basics(TFrm1& f, const std::string& title, const std::string& groups = "10") {
  f.TxtProgTitle.setText(title);
  f.TxtNumSubGroup1.setText("2");
  f.TxtNumSubGroup2.setText("2");
  f.TxtNumGroups.setText(groups);
}

// The states of several controls as one text of 1s and 0s, in the order given.
template <class C, class Get>
std::string Flags(std::initializer_list<const C*> controls, Get get) {
  std::string states;
  for (const C* c : controls) states += (c->*get)() ? '1' : '0';
  return states;
}
inline std::string Enabled(std::initializer_list<const Control*> c) {
  return Flags(c, &Control::enabled);
}
inline std::string Visible(std::initializer_list<const Control*> c) {
  return Flags(c, &Control::visible);
}
template <class Checkable>
std::string Checked(std::initializer_list<const Checkable*> c) {
  return Flags(c, &Checkable::checked);
}

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

inline std::string Bool(bool on) {
  return on ? "1" : "0";
}

// Each control named as in tests/data/start-up.txt: enabled, visible, checked (a page: its tab
// shown), what it shows and an edit's length limit; then the study's records.
inline State Picture(const TFrm1& f) {
  // clang-format off
  const Control* const controls[] = {&f.WindowCaption, &f.PageControl1, &f.Groups, &f.Variables, &f.TabSheet2, &f.Output, &f.Constructs,
      &f.CorError, &f.Reorder, &f.TabSheet1, &f.Done, &f.Cancel, &f.BtnNewSet, &f.BtnOpenSet, &f.BtnSaveSet,
      &f.BtnOpenData, &f.BtnRun, &f.StudyTitleBox, &f.TxtProgTitle, &f.TxtNumGroups, &f.LblNumGroupsRange,
      &f.TxtNumSubGroup1, &f.TxtNumSubGroup2, &f.Label14, &f.Label15, &f.TxtNameSubGroup1, &f.TxtNameSubGroup2,
      &f.GroupBox14, &f.RadDesTy0, &f.RadDesTy1, &f.RadDesTy2, &f.ChkDropSub, &f.DropSub, &f.CmbDrop, &f.CmdDrop,
      &f.DyadicBox, &f.TxtDyVars, &f.CmbDyVar, &f.CmdDyVarAdd, &f.CmdDyVarRem, &f.CmdDyVarRename, &f.UDDy,
      &f.PersonalityBox, &f.TxtPerVars, &f.CmbPerVar, &f.CmdPerVarAdd, &f.CmdPerVarRem, &f.CmdPerVarRename, &f.UDPer,
      &f.ChkSelfM, &f.ChkReverseVar, &f.CmdDyVarRev, &f.LBLRevScore, &f.TxtRevScore, &f.Label16, &f.TxtGroupFortran,
      &f.ChkSecFmt, &f.TxtGroup2Fortran, &f.GroupBox9, &f.RadInpPat0, &f.RadInpPat1, &f.RadInpPat2, &f.RadInpPat3,
      &f.RadInpPat4, &f.RadInpPat5, &f.GroupBoxPV, &f.RBPerBeforeDy, &f.RBPerAfterDy, &f.RadioGroup1, &f.RadOut0,
      &f.RadOut1, &f.RadOut2, &f.RadOut3, &f.RadOut4, &f.ChkTechOut, &f.Label3, &f.ChkRawData, &f.GroupBox3, &f.RadAP0,
      &f.RadAP1, &f.RadAP2, &f.TxtConstruct, &f.CmbConst, &f.CmdConstAdd, &f.CmdConstRem, &f.LblConstVar, &f.LstVars,
      &f.LstVarsConst, &f.CmdVarsConstAdd, &f.CmdVarsConstRem, &f.CorAvailVarList, &f.CorMapVarList, &f.CorVarList,
      &f.PBCorConnect, &f.PBCorDisconnect, &f.PBCorConfirm, &f.ConRecInfo, &f.CorRecInfo, &f.GroupBox16, &f.RadRePat0,
      &f.RadRePat1, &f.RadRePat2, &f.RadRePat3, &f.RadRePat4, &f.RadRePat5, &f.RadRePat6, &f.Label7, &f.GroupBox17,
      &f.RadReNewSame0, &f.RadReNewSame1, &f.Label2, &f.MemoReorder, &f.LblNumReor, &f.TxtSetFile, &f.TxtDataFile,
      &f.TxtOutFile, &f.TxtCoVar, &f.TxtIndDif, &f.Button2, &f.Button1, &f.Button3, &f.CmdCoVar, &f.CmdIndDif,
      &f.LblCoVar, &f.LblIndDif, &f.GenInstr, &f.TxtExeDir, &f.RunOutcome, &f.FrmOptions, &f.AboutBox};
  // clang-format on
  State picture;
  std::istringstream names(readFile(GoldenFile("start-up.txt")));
  for (const Control* c : controls) {
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
      line += "{";
      for (const auto& item : s.items) line += item + "|";
      line += "} " + std::to_string(s.itemIndex) + " ";
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

inline bool OpenThroughCommand(Fixture& fx, const std::string& path) {
  fx.ui.queueFile(path);
  fx.f.BtnOpenSetClick();
  return !fx.f.Modified;
}

}  // namespace wintarvel::testing
