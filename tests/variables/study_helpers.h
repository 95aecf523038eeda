#pragma once
// Short ways for the variable tests to build a study through the same handlers a user runs.

#include <initializer_list>
#include <string>
#include <vector>

#include "support/fake_ui.h"

namespace wintarvel::testing {

inline void AddDyadic(TFrm1& f, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    f.TxtDyVars.setText(name);
    f.CmdDyVarAddClick();
  }
}

inline void AddPersonality(TFrm1& f, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    f.TxtPerVars.setText(name);
    f.CmdPerVarAddClick();
  }
}

inline void AddConstructs(TFrm1& f, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    f.TxtConstruct.setText(name);
    f.CmdConstAddClick();
  }
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
inline void SelectMembers(ListBox& list, std::initializer_list<const char*> names) {
  for (int i = 0; i < list.count(); ++i) list.setSelected(i, false);
  for (const char* name : names) list.setSelected(IndexOf(list, name), true);
}

// Puts the named dyadic variables (in no construct yet) into the current construct.
inline void MoveIntoCurrentConstruct(TFrm1& f, std::initializer_list<const char*> names) {
  f.LstVarsRefresh();
  SelectMembers(f.LstVars, names);
  f.CmdVarsConstAddClick();
}

inline std::vector<std::string> RecordNames(const TFrm1& f) {
  std::vector<std::string> names;
  for (const _variable& record : f.DyVarList) names.push_back(record.Name);
  return names;
}

inline std::vector<std::string> RecordConstructs(const TFrm1& f) {
  std::vector<std::string> constructs;
  for (const _variable& record : f.DyVarList) constructs.push_back(record.Construct);
  return constructs;
}

using Names = std::vector<std::string>;

// A study that has just been created, with nothing recorded yet by the fakes.
struct NewStudy : Fixture {
  NewStudy() {
    f.BtnNewSetClick();
    ui.messages.clear();
    ui.errors.clear();
    f.Modified = false;
  }
};

}  // namespace wintarvel::testing
