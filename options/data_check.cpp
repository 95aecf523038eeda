// Checks the beginning of the data file against the format record. Values are read as a Fortran
// runtime reads a file it opened itself: blanks inside a numeric field are ignored, a blank field
// reads as zero, a number without a decimal point has the descriptor's d decimals implied, and a
// line shorter than the format reads is padded with blanks (so its missing values quietly become
// zeros: that is why a short line gets a warning).

#include "options/data_check.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

namespace wintarvel {

namespace {

// Enough for 1,000 lines of any sensible record; a file of one endless line stops here.
constexpr std::size_t kMaxBytesRead = 8u << 20;
constexpr std::size_t kMinColumnsKept = 256;

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string withoutBlanks(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ' && c != '\t') kept += c;
  }
  return kept;
}

std::string quoted(const std::string& text) {
  std::string q = "'";
  q += text;
  q += '\'';
  return q;
}

// Digits without their leading zeros, "0" for none.
std::string significant(const std::string& digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? std::string("0") : digits.substr(first);
}

// An integer field: an optional sign and digits; nothing at all reads as zero.
std::optional<std::string> readInteger(const std::string& s) {
  if (s.empty()) return std::string(1, '0');
  const bool hasSign = s[0] == '+' || s[0] == '-';
  const std::string digits = s.substr(hasSign ? 1 : 0);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
  const std::string magnitude = significant(digits);
  return s[0] == '-' && magnitude != "0" ? '-' + magnitude : magnitude;
}

std::size_t digitsFrom(const std::string& s, std::size_t i) {
  while (i < s.size() && isDigit(s[i])) ++i;
  return i;
}

// A real field: sign, digits with an optional decimal point, and an optional exponent written
// as E, D or Q with an optional sign, or as a sign alone ("1.5+3").
std::optional<std::string> readReal(const std::string& s, int decimals) {
  if (s.empty()) return std::string(1, '0');
  std::size_t i = 0;
  const bool negative = s[0] == '-';
  if (s[0] == '+' || s[0] == '-') ++i;
  const std::size_t intEnd = digitsFrom(s, i);
  std::string digits = s.substr(i, intEnd - i);
  i = intEnd;
  int scale = -decimals;
  if (i < s.size() && s[i] == '.') {
    const std::size_t fracEnd = digitsFrom(s, i + 1);
    digits += s.substr(i + 1, fracEnd - i - 1);
    scale = -static_cast<int>(fracEnd - i - 1);
    i = fracEnd;
  }
  if (digits.empty()) return std::nullopt;
  long exponent = 0;
  if (i < s.size()) {
    const char e = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
    if (e == 'E' || e == 'D' || e == 'Q') {
      ++i;
    } else if (s[i] != '+' && s[i] != '-') {
      return std::nullopt;
    }
    const bool down = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t end = digitsFrom(s, i);
    if (end == i || end != s.size() || end - i > 6) return std::nullopt;
    exponent = std::strtol(s.substr(i).c_str(), nullptr, 10);
    if (down) exponent = -exponent;
  }
  std::string number(negative ? 1 : 0, '-');
  number += digits;
  number += 'e';
  number += std::to_string(exponent + scale);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", std::strtod(number.c_str(), nullptr));
  const std::string value = buffer;
  return value == "-0" ? std::string(1, '0') : value;
}

// A logical field: blanks, an optional period, then T or F; the rest is not looked at.
std::optional<std::string> readLogical(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return std::string("false");
  if (text[i] == '.') ++i;
  const char c =
      i < text.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[i]))) : ' ';
  if (c != 'T' && c != 'F') return std::nullopt;
  return std::string(c == 'T' ? "true" : "false");
}

// The text of columns [column, column + width) of a line, padded with blanks past its end.
std::string columnsOf(const std::string& line, int column, int width) {
  const auto from = static_cast<std::size_t>(column - 1);
  std::string text = from < line.size() ? line.substr(from, static_cast<std::size_t>(width)) : "";
  text.resize(static_cast<std::size_t>(width), ' ');
  return text;
}

std::string columnRange(int first, int last) {
  return first == last ? "column " + std::to_string(first)
                       : "columns " + std::to_string(first) + "-" + std::to_string(last);
}

// The last column each line of a record is read to, by line from 1 (0: the line gives nothing).
std::vector<int> reachOfLines(const FormatLayout& layout) {
  std::vector<int> reach(static_cast<std::size_t>(layout.lines) + 1, 0);
  for (const FormatField& f : layout.fields) {
    int& r = reach[static_cast<std::size_t>(f.line)];
    r = std::max(r, f.column + f.width - 1);
  }
  return reach;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Collects lines from the bytes it is fed; the lines are cut at `keep` columns but measured whole.
class LineCollector {
 public:
  LineCollector(FirstLines& out, std::size_t maxLines, std::size_t keep)
      : out_(out), maxLines_(maxLines), keep_(keep) {}

  bool full() const { return out_.lines.size() >= maxLines_; }

  // Takes bytes until the lines are complete; returns how many it used.
  std::size_t feed(const char* data, std::size_t size) {
    std::size_t used = 0;
    while (used < size && !full()) {
      const char* start = data + used;
      const auto* end = static_cast<const char*>(std::memchr(start, '\n', size - used));
      const std::size_t n = end == nullptr ? size - used : static_cast<std::size_t>(end - start);
      take(start, n);
      used += n;
      if (end != nullptr) {
        ++used;
        finishLine();
      }
    }
    return used;
  }

  // The end of the file: a last line without a line break still counts.
  void finish() {
    if (pending_ && !full()) finishLine();
  }

 private:
  void take(const char* data, std::size_t n) {
    if (n == 0) return;
    pending_ = true;
    if (line_.size() < keep_) line_.append(data, std::min(n, keep_ - line_.size()));
    length_ += n;
    lastChar_ = data[n - 1];
  }

  void finishLine() {
    if (lastChar_ == '\r' && length_ > 0) {
      --length_;
      if (line_.size() > length_) line_.pop_back();
    }
    out_.lines.push_back(std::move(line_));
    out_.lengths.push_back(length_);
    line_.clear();
    length_ = 0;
    lastChar_ = 0;
    pending_ = false;
  }

  FirstLines& out_;
  std::size_t maxLines_;
  std::size_t keep_;
  std::string line_;
  std::size_t length_ = 0;
  char lastChar_ = 0;
  bool pending_ = false;
};

}  // namespace

bool DataFileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

FirstLines ReadFirstLines(const std::string& path, std::size_t maxLines, std::size_t keepColumns) {
  FirstLines result;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    result.error = std::strerror(EISDIR);
    return result;
  }
  const std::unique_ptr<std::FILE, FileCloser> in(std::fopen(path.c_str(), "rb"));
  if (!in) {
    result.error = std::strerror(errno);
    return result;
  }
  LineCollector collector(result, maxLines, keepColumns);
  std::vector<char> buffer(1 << 16);
  std::size_t read = 0;
  while (!collector.full() && read < kMaxBytesRead) {
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in.get());
    if (n == 0) break;
    read += n;
    const std::size_t used = collector.feed(buffer.data(), n);
    // The lines are complete: the file is whole when nothing follows them.
    if (collector.full()) {
      result.wholeFile = used == n && std::fgetc(in.get()) == EOF && std::feof(in.get());
      return result;
    }
  }
  if (std::ferror(in.get())) {
    result.error = std::strerror(errno);
    return result;
  }
  result.wholeFile = std::feof(in.get()) != 0;
  if (result.wholeFile) collector.finish();
  return result;
}

ReadValue ReadField(const std::string& text, char type, int decimals) {
  std::optional<std::string> value;
  const char* problem = "";
  switch (type) {
    case 'I':
      value = readInteger(withoutBlanks(text));
      problem = " is not a whole number";
      break;
    case 'A':
      value = text;
      break;
    case 'L':
      value = readLogical(text);
      problem = " is not T or F";
      break;
    default:  // F, E, D, G
      value = readReal(withoutBlanks(text), decimals);
      problem = " is not a number";
  }
  if (value) return ReadValue{text, *value, {}};
  return ReadValue{text, {}, quoted(text) + problem};
}

std::vector<CheckedRecord> CheckRecords(const FirstLines& lines, const FormatLayout& layout) {
  std::vector<CheckedRecord> records;
  if (!layout.error.empty() || layout.lines < 1) return records;
  const auto perRecord = static_cast<std::size_t>(layout.lines);
  const std::vector<int> reach = reachOfLines(layout);
  const std::size_t count = lines.lines.size();
  for (std::size_t first = 0; first < count; first += perRecord) {
    // A record cut off by the end of what was read (not of the file) is not judged.
    if (first + perRecord > count && !lines.wholeFile) break;
    CheckedRecord record;
    record.firstLine = static_cast<int>(first) + 1;
    for (std::size_t k = 0; k < perRecord && first + k < count; ++k) {
      record.lines.push_back(lines.lines[first + k]);
    }
    for (std::size_t k = 0; k < perRecord; ++k) {
      const int needed = reach[k + 1];
      const std::string line = "line " + std::to_string(first + k + 1);
      if (needed == 0) continue;
      if (first + k >= count) {
        record.warnings.push_back(line + " is missing: the file ends within the record");
      } else if (lines.lengths[first + k] < static_cast<std::size_t>(needed)) {
        const std::size_t length = lines.lengths[first + k];
        record.warnings.push_back(
            line + (length == 0 ? " is empty" : " has " + std::to_string(length) + " columns") +
            "; the format reads to column " + std::to_string(needed));
      }
    }
    for (std::size_t j = 0; j < layout.fields.size(); ++j) {
      const FormatField& field = layout.fields[j];
      const std::size_t index = first + static_cast<std::size_t>(field.line) - 1;
      const std::string text =
          columnsOf(index < count ? lines.lines[index] : "", field.column, field.width);
      ReadValue value =
          ReadField(text, field.type, j < layout.decimals.size() ? layout.decimals[j] : 0);
      if (!value.problem.empty()) {
        record.warnings.push_back("line " + std::to_string(index + 1) + ", " +
                                  columnRange(field.column, field.column + field.width - 1) + ": " +
                                  value.problem);
      }
      record.values.push_back(std::move(value));
    }
    records.push_back(std::move(record));
  }
  return records;
}

std::size_t DataCheck::warningCount() const {
  std::size_t n = 0;
  for (const CheckedRecord& r : records) n += r.warnings.size();
  return n;
}

DataCheck CheckDataFile(const std::string& path, const std::string& formatRecord) {
  DataCheck check;
  const FormatLayout layout = ParseFortranFormat(formatRecord);
  if (!layout.error.empty()) {
    check.error = "The format record cannot be read: " + ExplainFormat(layout) + ".";
    return check;
  }
  std::size_t keep = kMinColumnsKept;
  for (const FormatField& f : layout.fields) {
    keep = std::max(keep, static_cast<std::size_t>(f.column + f.width - 1));
  }
  const FirstLines lines = ReadFirstLines(path, kDataCheckLines, keep);
  if (!lines.error.empty()) {
    check.error = "The data file " + path + " could not be read: " + lines.error + ".";
    return check;
  }
  check.linesRead = lines.lines.size();
  check.wholeFile = lines.wholeFile;
  check.records = CheckRecords(lines, layout);
  return check;
}

}  // namespace wintarvel
