#include "model/code_record.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "model/frm1.h"

namespace wintarvel::codes {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t Offset(int p) {
  return 2 * static_cast<std::size_t>(p);
}

}  // namespace

std::string Code(int n) {
  return n >= 0 && n <= kMaxCode ? TwoDigits(n) : kNone;
}

std::string Numbered(int count) {
  std::string record;
  for (int k = 1; k <= count; ++k) record += Code(k);
  return record;
}

int EntryCount(const std::string& record) {
  return static_cast<int>(record.size() / 2);
}

bool HoldsEntry(const std::string& record, int p) {
  return p >= 0 && p < EntryCount(record);
}

std::string Entry(const std::string& record, int p) {
  if (!HoldsEntry(record, p)) return kNone;
  const std::string code = record.substr(Offset(p), 2);
  return IsDigit(code[0]) && IsDigit(code[1]) ? code : kNone;
}

int EntryValue(const std::string& record, int p) {
  const std::string code = Entry(record, p);
  return (code[0] - '0') * 10 + (code[1] - '0');
}

void SetEntry(std::string& record, int p, const std::string& code) {
  if (!HoldsEntry(record, p) || code.size() != 2) return;
  record.replace(Offset(p), 2, code);
}

void CutEntry(std::string& record, int p) {
  if (HoldsEntry(record, p)) record.erase(Offset(p), 2);
}

void SwapEntries(std::string& record, int a, int b) {
  if (!HoldsEntry(record, a) || !HoldsEntry(record, b)) return;
  std::swap(record[Offset(a)], record[Offset(b)]);
  std::swap(record[Offset(a) + 1], record[Offset(b) + 1]);
}

std::string Fitted(const std::string& record, int count) {
  std::string fitted;
  for (int p = 0; p < count; ++p) fitted += Entry(record, p);
  return fitted;
}

void MergeSets(std::string& record, const std::string& a, const std::string& b) {
  const std::string smaller = std::min(a, b);
  for (int p = 0; p < EntryCount(record); ++p) {
    const std::string code = Entry(record, p);
    if (code != kNone && (code == a || code == b)) SetEntry(record, p, smaller);
  }
}

}  // namespace wintarvel::codes
