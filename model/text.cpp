#include <cstdio>

#include "model/frm1.h"

namespace wintarvel {

std::string TrimBlanksAndControls(const std::string& text) {
  // Blanks and control characters are the bytes up to and including the blank.
  auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isTrimmed(text[begin])) ++begin;
  while (end > begin && isTrimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

namespace {

// Lower case of a Latin-1 letter, the same under every locale: A-Z and the accented capitals
// 0xC0-0xDE (except the multiplication sign 0xD7) have their small letter 0x20 above.
unsigned char Latin1Lower(unsigned char c) {
  const bool ascii = c >= 'A' && c <= 'Z';
  const bool accented = c >= 0xC0 && c <= 0xDE && c != 0xD7;
  return ascii || accented ? static_cast<unsigned char>(c + 0x20) : c;
}

}  // namespace

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (Latin1Lower(ca) != Latin1Lower(cb)) return false;
  }
  return true;
}

std::string TwoDigits(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

}  // namespace wintarvel
