#pragma once
// The example study built through the handlers, and a control-by-control picture of a study, for
// the set file tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
