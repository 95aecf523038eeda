#include "app/memo_lines.h"

#include <algorithm>
#include <cstring>

namespace wintarvel::view {

void MemoLines::reindex(const std::string& text) {
  starts_.assign(1, 0);
  const char* data = text.data();
  const char* const last = data + text.size();
  for (const char* p = data; p < last;) {
    const auto* lineBreak = static_cast<const char*>(std::memchr(p, '\n', last - p));
    if (lineBreak == nullptr) break;
    p = lineBreak + 1;
    starts_.push_back(static_cast<std::size_t>(p - data));
  }
}

void MemoLines::replace(std::size_t position, std::size_t length, const std::string& insert) {
  // Lines that started inside the replaced bytes are gone; those after it move by the difference.
  const auto gone = std::upper_bound(starts_.begin(), starts_.end(), position);
  const auto kept = std::upper_bound(gone, starts_.end(), position + length);
  for (auto it = kept; it != starts_.end(); ++it) *it = *it - length + insert.size();
  std::vector<std::size_t> added;
  for (std::size_t i = insert.find('\n'); i != std::string::npos; i = insert.find('\n', i + 1)) {
    added.push_back(position + i + 1);
  }
  const auto at = starts_.erase(gone, kept);
  starts_.insert(at, added.begin(), added.end());
}

std::size_t MemoLines::lineOf(std::size_t position) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), position);
  return static_cast<std::size_t>(after - starts_.begin()) - 1;
}

std::size_t MemoLines::end(std::size_t line, const std::string& text) const {
  if (line + 1 >= starts_.size()) return text.size();
  const std::size_t from = std::min(start(line), text.size());
  std::size_t end = std::clamp(starts_[line + 1] - 1, from, text.size());  // at its LF
  if (end > from && text[end - 1] == '\r') --end;
  return end;
}

std::size_t MemoLines::widest(const std::string& text) const {
  std::size_t widest = 0;
  for (std::size_t line = 0; line < starts_.size(); ++line) {
    widest = std::max(widest, length(line, text));
  }
  return widest;
}

}  // namespace wintarvel::view
