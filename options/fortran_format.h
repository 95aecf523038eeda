#pragma once
// The Fortran format record that the engine reads the data file with, taken apart the way a
// Fortran runtime reads it: which columns of which line each value comes from. The program never
// refuses a record for what is found here; the layout only explains the record to the user and
// lets the first lines of the data file be checked against it.

#include <string>
#include <vector>

namespace wintarvel {

// One value the record reads: line and column from 1, the width in columns, and the descriptor's
// letter: 'I' 'F' 'E' 'D' 'G' 'A' or 'L'.
struct FormatField {
  int line;
  int column;
  int width;
  char type;
};

struct FormatLayout {
  std::vector<FormatField> fields;
  int lines = 1;              // data lines one record takes
  std::string error;          // why the record cannot be read; empty when it parses
  int errorPosition = 0;      // from 1: the character where reading stopped; 0 when it parses
  std::vector<int> decimals;  // the d of each field's w.d, in the order of `fields` (0 without)
};

// Reads a format record in one pass: repeat counts and nested parentheses expand, nX, Tc, TLn
// and TRn move the column, / starts the next line, apostrophe and quoted strings are skipped, and
// blanks outside strings are ignored. On an error the layout holds no fields.
FormatLayout ParseFortranFormat(const std::string& record);

// One line for the user: "reads 5 values per record from columns 1-14, 1 record per line", or
// for a record that cannot be read "position 7: a width is missing after F".
std::string ExplainFormat(const FormatLayout& layout);

// What the descriptor of a field is called in the record: "F2.0", "I3", "A8".
std::string DescriptorText(const FormatField& field, int decimals);

}  // namespace wintarvel
