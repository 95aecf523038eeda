#pragma once
// Studies for the correlated-errors tests, built by setting the document members directly.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/study.h"

namespace wintarvel::testing {

using Texts = std::vector<std::string>;

// Splits "a|b|c" at the bars, or "x y" at the blanks.
inline Texts Split(const std::string& text, char separator) {
  Texts parts(1);
  for (char c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  if (separator == ' ' && parts == Texts{""}) return {};
  return parts;
}

// Adds the constructs and variables to `f`, fills the list of available variables and sets
// ConRecInfo from the construct names and CorRecInfo to `codes`. A variable is written
// "name:construct", or "name" alone when it is in no construct.
inline void BuildStudy(TFrm1& f, const Texts& constructs, const Texts& variables,
                       const std::string& codes) {
  for (const std::string& c : constructs) f.CmbConst.add(c);
  std::string numbers;
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
    numbers += TwoDigits(number);
  }
  f.ConRecInfo.setText(numbers);
  f.CorRecInfo.setText(codes);
}

// A new study with its fakes.
struct CorrelationStudy : ::testing::Test {
  CorrelationStudy() { f.BtnNewSetClick(); }
  Texts messages() const {
    Texts texts;
    for (const ShownMessage& m : fx.ui.messages) texts.push_back(m.text + "|" + m.caption);
    return texts;
  }
  Fixture fx;
  TFrm1& f = fx.f;
};

}  // namespace wintarvel::testing
