#include <climits>
#include <cstdint>

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

}  // namespace wintarvel
