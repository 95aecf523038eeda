#pragma once
// Studies for the correlated-errors tests, built by setting the document members directly.

#include "variables/study_state.h"

namespace wintarvel::testing {

// Splits "a|b|" at the bars into "a", "b" and "", or "x y" at the blanks.
inline Names Split(const std::string& text, char separator) {
  Names parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

// Adds the constructs and variables to `f`, fills the list of available variables and sets
// ConRecInfo from the construct names and CorRecInfo to `codes`. A variable is written
// "name:construct", or "name" alone when it is in no construct.
inline void BuildStudy(TFrm1& f, const std::string& constructs, const std::string& variables,
                       const std::string& codes) {
  for (const std::string& c : Split(constructs, ' ')) f.CmbConst.add(c);
  std::string numbers;
  for (const std::string& v : Split(variables, ' ')) {
    const std::size_t colon = v.find(':');
    const std::string name = v.substr(0, colon);
    const std::string construct = colon == std::string::npos ? "" : v.substr(colon + 1);
    f.CmbDyVar.add(name);
    f.DyVarList.push_back({name, construct, false});
    f.CorAvailVarList.add(name);
    numbers += TwoDigits(construct.empty() ? 0 : IndexOf(f.CmbConst, construct) + 1);
  }
  f.ConRecInfo.setText(numbers);
  f.CorRecInfo.setText(codes);
}

}  // namespace wintarvel::testing
