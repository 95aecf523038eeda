#pragma once
// Studies built through the same handlers a user runs, and short ways to compare the states of
// several controls at once, for the tests of every folder.

#include <initializer_list>
#include <string>
#include <vector>

#include "support/fake_ui.h"

namespace wintarvel::testing {

using Names = std::vector<std::string>;

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
  for (const std::string& name : names) {
    f.TxtDyVars.setText(name);
    f.CmdDyVarAddClick();
  }
}

inline void AddPersonality(TFrm1& f, std::initializer_list<std::string> names) {
  for (const std::string& name : names) {
    f.TxtPerVars.setText(name);
    f.CmdPerVarAddClick();
  }
}

inline void AddConstructs(TFrm1& f, std::initializer_list<std::string> names) {
  for (const std::string& name : names) {
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
inline void SelectMembers(ListBox& list, std::initializer_list<std::string> names) {
  for (int i = 0; i < list.count(); ++i) list.setSelected(i, false);
  for (const std::string& name : names) list.setSelected(IndexOf(list, name), true);
}

// Puts the named dyadic variables (in no construct yet) into the current construct.
inline void MoveIntoCurrentConstruct(TFrm1& f, std::initializer_list<std::string> names) {
  f.LstVarsRefresh();
  SelectMembers(f.LstVars, names);
  f.CmdVarsConstAddClick();
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

inline Names RecordNames(const TFrm1& f) {
  Names names;
  for (const _variable& record : f.DyVarList) names.push_back(record.Name);
  return names;
}

inline Names RecordConstructs(const TFrm1& f) {
  Names constructs;
  for (const _variable& record : f.DyVarList) constructs.push_back(record.Construct);
  return constructs;
}

// The states of several controls as one text of 1s and 0s, in the order given, so that a test
// compares them in one line and a failure shows which position differs.
inline std::string Enabled(std::initializer_list<const Control*> controls) {
  std::string states;
  for (const Control* c : controls) states += c->enabled() ? '1' : '0';
  return states;
}

inline std::string Visible(std::initializer_list<const Control*> controls) {
  std::string states;
  for (const Control* c : controls) states += c->visible() ? '1' : '0';
  return states;
}

template <class Checkable>
std::string Checked(std::initializer_list<const Checkable*> controls) {
  std::string states;
  for (const Checkable* c : controls) states += c->checked() ? '1' : '0';
  return states;
}

}  // namespace wintarvel::testing
