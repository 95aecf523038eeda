#pragma once
// Builds a study for the correlated-errors tests by setting the document members directly: the
// constructs, the dyadic variables with their records and list items, and both code records.

#include <initializer_list>
#include <string>
#include <vector>

#include "model/frm1.h"

namespace wintarvel::testing {

struct StudyVariable {
  std::string name;
  std::string construct;  // empty: in no construct
};

// Entries run together: Codes({"01", "00"}) is "0100".
inline std::string Codes(std::initializer_list<const char*> entries) {
  std::string record;
  for (const char* entry : entries) record += entry;
  return record;
}

// Adds the constructs and variables to a new study, fills the list of available variables and
// sets ConRecInfo from the construct names; CorRecInfo is set to `correlationCodes`.
inline void BuildStudy(TFrm1& f, const std::vector<std::string>& constructs,
                       const std::vector<StudyVariable>& variables,
                       const std::string& correlationCodes) {
  for (const std::string& c : constructs) f.CmbConst.add(c);
  std::string constructNumbers;
  for (const StudyVariable& v : variables) {
    f.CmbDyVar.add(v.name);
    f.DyVarList.push_back({v.name, v.construct, false});
    f.CorAvailVarList.add(v.name);
    int number = 0;
    for (std::size_t i = 0; i < constructs.size(); ++i) {
      if (!v.construct.empty() && constructs[i] == v.construct) number = static_cast<int>(i) + 1;
    }
    constructNumbers += TwoDigits(number);
  }
  f.ConRecInfo.setText(constructNumbers);
  f.CorRecInfo.setText(correlationCodes);
}

}  // namespace wintarvel::testing
