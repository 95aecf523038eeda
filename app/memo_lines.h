#pragma once
// Where the lines of the memo's text start. The text itself stays in the core; this index is all
// the editor keeps of it (8 bytes a line), and one edit updates it without reading the text again.
// A line ends at a LF; a CR just before that LF belongs to the line break, so CR LF text (the
// core's) and LF text are both split as a user expects.

#include <cstddef>
#include <string>
#include <vector>

namespace wintarvel::view {

class MemoLines {
 public:
  void reindex(const std::string& text);
  // The text had `length` bytes at `position` replaced by `insert`.
  void replace(std::size_t position, std::size_t length, const std::string& insert);

  // At least one: an empty text is one empty line, and a final line break opens one more.
  std::size_t count() const { return starts_.size(); }
  std::size_t lineOf(std::size_t position) const;
  std::size_t start(std::size_t line) const { return starts_[line]; }
  // Where the line's characters end, before its line break; never past the end of `text`.
  std::size_t end(std::size_t line, const std::string& text) const;
  std::size_t length(std::size_t line, const std::string& text) const {
    return end(line, text) - std::min(start(line), text.size());
  }
  // The most characters on one line.
  std::size_t widest(const std::string& text) const;

 private:
  std::vector<std::size_t> starts_{0};
};

}  // namespace wintarvel::view
