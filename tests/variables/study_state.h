#pragma once
// The dyadic variables of a study in one line, so that a test compares the list items, the
// records and both code records at once and a failure shows where they differ:
// "items | name:construct (with * when reverse scored) | ConRecInfo | CorRecInfo".

#include "support/study.h"

namespace wintarvel::testing {

inline std::string Joined(const Names& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) text += (i ? "," : "") + names[i];
  return text;
}

inline std::string DyadicState(const TFrm1& f) {
  Names records;
  for (const _variable& v : f.DyVarList) {
    records.push_back(v.Name + ":" + v.Construct + (v.Reversed ? "*" : ""));
  }
  return Joined(f.CmbDyVar.items()) + " | " + Joined(records) + " | " + f.ConRecInfo.text() +
         " | " + f.CorRecInfo.text();
}

// The one message shown, as "text|caption"; each message shown joined with "/".
inline std::string Shown(const FakeUi& ui) {
  std::string text;
  for (const ShownMessage& m : ui.messages)
    text += (text.empty() ? "" : "/") + m.text + "|" + m.caption;
  return text;
}

// The construct page: the constructs, the current one and both member lists.
inline std::string ConstructPage(const TFrm1& f) {
  return Joined(f.CmbConst.items()) + " | " + f.LblConstVar.caption() + " | " +
         Joined(f.LstVars.items()) + " | " + Joined(f.LstVarsConst.items());
}

}  // namespace wintarvel::testing
