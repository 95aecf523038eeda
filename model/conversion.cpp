// Conversions of the user's texts into numbers.

#include <algorithm>
#include <climits>
#include <cstdint>

#include "model/frm1.h"
#include "model/ui.h"

namespace wintarvel {

int StrToInt(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) throw ConversionError(text);
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') throw ConversionError(text);
    value = value * 10 + (c - '0');
    if (value > std::int64_t{INT_MAX} + 1) throw ConversionError(text);
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) throw ConversionError(text);
  return static_cast<int>(value);
}

int SubjectsPerGroup(const TFrm1& f) {
  const std::int64_t first = StrToInt(f.TxtNumSubGroup1.text());
  const std::int64_t second = StrToInt(f.TxtNumSubGroup2.text());
  return static_cast<int>(std::clamp<std::int64_t>(first + second, INT_MIN, INT_MAX));
}

}  // namespace wintarvel
