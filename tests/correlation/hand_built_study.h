#pragma once
// Builds a study for the correlated-errors tests by setting the document members directly: the
// constructs, the dyadic variables with their records and list items, and both code records.

#include <initializer_list>
#include <string>
#include <vector>

#include "model/frm1.h"

namespace wintarvel::testing {

// Entries run together: Codes({"01", "00"}) is "0100".
inline std::string Codes(std::initializer_list<const char*> entries) {
  std::string record;
  for (const char* entry : entries) record += entry;
  return record;
}

// Adds the constructs and variables to a new study, fills the list of available variables and
// sets ConRecInfo from the construct names; CorRecInfo is set to `correlationCodes`. A variable
// is written "name:construct", or "name" alone when it is in no construct.
inline void BuildStudy(TFrm1& f, const std::vector<std::string>& constructs,
                       const std::vector<std::string>& variables,
                       const std::string& correlationCodes) {
  for (const std::string& c : constructs) f.CmbConst.add(c);
  std::string constructNumbers;
  for (const std::string& v : variables) {
    const std::size_t colon = v.find(':');
    const std::string name = v.substr(0, colon);
    const std::string construct = colon == std::string::npos ? "" : v.substr(colon + 1);
    f.CmbDyVar.add(name);
    f.DyVarList.push_back({name, construct, false});
    f.CorAvailVarList.add(name);
    int number = 0;
    for (std::size_t i = 0; i < constructs.size(); ++i) {
      if (!construct.empty() && constructs[i] == construct) number = static_cast<int>(i) + 1;
    }
    constructNumbers += TwoDigits(number);
  }
  f.ConRecInfo.setText(constructNumbers);
  f.CorRecInfo.setText(correlationCodes);
}

}  // namespace wintarvel::testing
