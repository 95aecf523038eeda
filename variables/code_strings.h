#pragma once
// Entry-wise access to the two-digit code strings ConRecInfo and CorRecInfo. Entry k takes
// characters 2k and 2k+1. A string read from a damaged set file may have any length, so every
// operation first checks that the entries it touches are really there and otherwise leaves the
// string alone.

#include <string>
#include <utility>

#include "model/controls.h"
#include "model/frm1.h"

namespace wintarvel::codes {

// The largest number an entry can hold.
inline constexpr int kMaxCode = 99;

// A number as an entry: two digits; a number that does not fit counts as none ("00"), so that
// every entry keeps its two characters.
inline std::string Code(int n) {
  return n >= 0 && n <= kMaxCode ? TwoDigits(n) : "00";
}

// True when the string is long enough to hold entry k.
inline bool HoldsEntry(const std::string& codes, int k) {
  return k >= 0 && codes.size() >= 2 * (static_cast<std::size_t>(k) + 1);
}

inline std::string EntryAt(const std::string& codes, int k) {
  return HoldsEntry(codes, k) ? codes.substr(2 * static_cast<std::size_t>(k), 2) : std::string();
}

// Overwrites entry k with a two-character code when the string holds it.
inline void SetEntry(Edit& field, int k, const std::string& code) {
  std::string codes = field.text();
  if (!HoldsEntry(codes, k) || code.size() != 2) return;
  codes.replace(2 * static_cast<std::size_t>(k), 2, code);
  field.setText(codes);
}

// Cuts entry k out when the string holds it; the entries behind it move forward.
inline void CutEntry(Edit& field, int k) {
  std::string codes = field.text();
  if (!HoldsEntry(codes, k)) return;
  codes.erase(2 * static_cast<std::size_t>(k), 2);
  field.setText(codes);
}

// Exchanges entries a and b when the string holds both.
inline void SwapEntries(Edit& field, int a, int b) {
  std::string codes = field.text();
  if (!HoldsEntry(codes, a) || !HoldsEntry(codes, b)) return;
  const std::size_t pa = 2 * static_cast<std::size_t>(a);
  const std::size_t pb = 2 * static_cast<std::size_t>(b);
  std::swap(codes[pa], codes[pb]);
  std::swap(codes[pa + 1], codes[pb + 1]);
  field.setText(codes);
}

}  // namespace wintarvel::codes
