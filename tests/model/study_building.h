#pragma once
// Studies built through the same handlers a user runs, and a control-by-control picture of a
// study, for the set file tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {

inline std::string GoldenFile(const std::string& name) {
  return std::string(WINTARVEL_TEST_DATA) + kPathSeparator + name;
}

inline void AddDyadicNames(TFrm1& f, std::initializer_list<std::string> names) {
  for (const std::string& name : names) {
    f.TxtDyVars.setText(name);
    f.CmdDyVarAddClick();
  }
}

inline void AddPersonalityNames(TFrm1& f, std::initializer_list<std::string> names) {
  for (const std::string& name : names) {
    f.TxtPerVars.setText(name);
    f.CmdPerVarAddClick();
  }
}

inline int ItemIndex(const ListBox& list, const std::string& text) {
  const auto& items = list.items();
  const auto it = std::find(items.begin(), items.end(), text);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// Adds a construct and puts the named variables into it.
inline void AddConstructWith(TFrm1& f, const std::string& construct,
                             std::initializer_list<std::string> members) {
  f.TxtConstruct.setText(construct);
  f.CmdConstAddClick();
  f.CmbConst.setItemIndex(ItemIndex(f.CmbConst, construct));
  f.CmdConstSelClick();
  for (int i = 0; i < f.LstVars.count(); ++i) f.LstVars.setSelected(i, false);
  for (const std::string& m : members) f.LstVars.setSelected(ItemIndex(f.LstVars, m), true);
  f.CmdVarsConstAddClick();
}

inline void ReverseScore(TFrm1& f, const std::string& item) {
  f.CmbDyVar.setItemIndex(ItemIndex(f.CmbDyVar, item));
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

// The example study of the file format: 12 groups of 4 women and 4 men.
inline void BuildRoommateStudy(TFrm1& f) {
  f.TxtProgTitle.setText("Roommate study");
  f.TxtNumSubGroup1.setText("4");
  f.TxtNumSubGroup2.setText("4");
  f.TxtNumGroups.setText("12");
  f.RadDesTy1.setChecked(true);  // shows the subgroup names and switches self measures on
  f.TxtNameSubGroup1.setText("Women");
  f.TxtNameSubGroup2.setText("Men");
  AddDyadicNames(f, {"LIKE", "TRUST", "ANXIOUS"});
  f.ChkReverseVar.setChecked(true);
  ReverseScore(f, "TRUST");
  f.TxtRevScore.setText("8");
  AddPersonalityNames(f, {"AGE", "EXTRAV"});
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

// Everything a set file stores, and the states that follow from it, control by control.
inline std::map<std::string, std::string> Snapshot(const TFrm1& f) {
  std::map<std::string, std::string> s;
  s["TxtProgTitle"] = f.TxtProgTitle.text();
  s["TxtNumGroups"] = f.TxtNumGroups.text();
  s["TxtNumSubGroup1"] = f.TxtNumSubGroup1.text();
  s["TxtNumSubGroup2"] = f.TxtNumSubGroup2.text();
  s["TxtNameSubGroup1"] = f.TxtNameSubGroup1.text();
  s["TxtNameSubGroup2"] = f.TxtNameSubGroup2.text();
  s["SubGroupNamesVisible"] = Bool(f.TxtNameSubGroup1.visible()) + Bool(f.Label15.visible());
  s["DesignType"] = std::to_string(f.DesignType.checkedIndex());
  s["ChkDropSub"] = Bool(f.ChkDropSub.checked()) + Bool(f.CmdDrop.enabled());
  s["CmbDrop"] = Joined(f.CmbDrop.items());
  std::vector<int> dropped = f.DroppedSubjects;
  std::sort(dropped.begin(), dropped.end());
  for (int d : dropped) s["DroppedSubjects"] += std::to_string(d) + ",";
  s["CmbDyVar"] = Joined(f.CmbDyVar.items());
  for (const _variable& v : f.DyVarList) {
    s["DyVarList"] += v.Name + "/" + v.Construct + "/" + Bool(v.Reversed) + "|";
  }
  s["CmbPerVar"] = Joined(f.CmbPerVar.items());
  s["GroupBoxPV"] = Bool(f.GroupBoxPV.enabled()) + Bool(f.RBPerAfterDy.enabled());
  s["ReadOrder"] = std::to_string(f.ReadOrder.checkedIndex());
  s["ChkSelfM"] = Bool(f.ChkSelfM.checked()) + Bool(f.ChkSelfM.enabled());
  s["ChkReverseVar"] = Bool(f.ChkReverseVar.checked()) + Bool(f.CmdDyVarRev.enabled());
  s["TxtRevScore"] = f.TxtRevScore.text();
  s["InputPattern"] = std::to_string(f.InputPattern.checkedIndex());
  s["ChkSecFmt"] = Bool(f.ChkSecFmt.checked());
  s["TxtGroupFortran"] = f.TxtGroupFortran.text();
  s["TxtGroup2Fortran"] = f.TxtGroup2Fortran.text() + Bool(f.TxtGroup2Fortran.visible());
  s["OutputOption"] = std::to_string(f.OutputOption.checkedIndex());
  s["ChkTechOut"] = Bool(f.ChkTechOut.checked());
  s["EffectEstimates"] = std::to_string(f.EffectEstimates.checkedIndex());
  s["ChkRawData"] = Bool(f.ChkRawData.checked());
  s["CmbConst"] = Joined(f.CmbConst.items());
  s["ConRecInfo"] = f.ConRecInfo.text();
  s["CorRecInfo"] = f.CorRecInfo.text();
  s["CorError"] = Bool(f.CorError.tabVisible());
  s["ReorderPattern"] = std::to_string(f.ReorderPattern.checkedIndex());
  s["ReorderNewSame"] = std::to_string(f.ReorderNewSame.checkedIndex());
  s["GroupBox17"] = Bool(f.GroupBox17.visible());
  s["MemoReorder"] = Joined(f.MemoReorder.lines());
  s["LblNumReor"] = f.LblNumReor.caption();
  return s;
}

inline void ExpectSameStudy(const std::map<std::string, std::string>& expected,
                            const std::map<std::string, std::string>& actual) {
  for (const auto& [control, value] : expected) {
    const auto it = actual.find(control);
    ASSERT_NE(it, actual.end()) << control;
    EXPECT_EQ(it->second, value) << "control " << control;
  }
}

// Opens a set file through the Open command of a window with no unsaved changes.
inline bool OpenThroughCommand(Fixture& fx, const std::string& path) {
  fx.ui.queueFile(path);
  fx.f.BtnOpenSetClick();
  return !fx.f.Modified;
}

}  // namespace wintarvel::testing
