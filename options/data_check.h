#pragma once
// The first lines of the data file read through the format record, as the engine would read them:
// which text each value comes from, the value it becomes, and a warning for every record shorter
// than what the format reads and for every text that is not a number where a number is read.
// Only the beginning of the file is read, never more than a bounded number of bytes, so a large
// data file is checked as fast as a small one.

#include <cstddef>
#include <string>
#include <vector>

#include "options/fortran_format.h"

namespace wintarvel {

inline constexpr std::size_t kDataCheckLines = 1000;

// True when `path` names an existing file (not a folder).
bool DataFileExists(const std::string& path);

struct FirstLines {
  std::vector<std::string> lines;    // without their line ends, each cut at `keepColumns`
  std::vector<std::size_t> lengths;  // the length of each line before the cut
  bool wholeFile = false;            // the file ended within the lines read
  std::string error;                 // the system's reason the file could not be read
};

// Reads at most `maxLines` lines (ending in LF or CR LF) and at most a few megabytes in all.
FirstLines ReadFirstLines(const std::string& path, std::size_t maxLines, std::size_t keepColumns);

// One value of a record: the text in its columns (blank-padded past the end of a short line, as
// a Fortran runtime pads it), the value it reads as, and why it is not what its descriptor reads.
struct ReadValue {
  std::string text;
  std::string value;
  std::string problem;  // empty when the text reads as its descriptor expects
};

// The value a field's text reads as under descriptor `type` with `decimals` implied decimals.
ReadValue ReadField(const std::string& text, char type, int decimals);

struct CheckedRecord {
  int firstLine = 1;               // line of the data file where the record begins, from 1
  std::vector<std::string> lines;  // the record's lines as read
  std::vector<ReadValue> values;   // one per field of the layout
  std::vector<std::string> warnings;
};

struct DataCheck {
  std::vector<CheckedRecord> records;
  std::size_t linesRead = 0;
  bool wholeFile = false;
  std::string error;  // why nothing could be checked; empty otherwise
  std::size_t warningCount() const;
};

// Reads the records of `lines` through `layout`; a last record cut short by the end of the file
// is checked as far as it goes.
std::vector<CheckedRecord> CheckRecords(const FirstLines& lines, const FormatLayout& layout);

// The first kDataCheckLines lines of the data file checked against the format record.
DataCheck CheckDataFile(const std::string& path, const std::string& formatRecord);

}  // namespace wintarvel
