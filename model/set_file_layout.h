#pragma once
// The columns of the set file: one table that its writer, its reader and the set file view share.
// The engine reads the file by position, so every column and width here is part of the format;
// the names say what a field holds and the controls which control of the main window fills it.

#include <cstddef>
#include <iterator>
#include <string>

namespace wintarvel::setfile {

inline constexpr const char* kLineBreak = "\r\n";  // on every platform: the engine expects it

// A field of a line: its first column (from 1), its width, what it holds and the control that
// fills it (the name of the control in the main window).
struct Field {
  int column;
  int width;
  const char* name;
  const char* control;
};

// The fields lie side by side from column 1, so a line can be written and read field by field.
template <std::size_t N>
constexpr bool SideBySide(const Field (&fields)[N]) {
  int column = 1;
  for (const Field& field : fields) {
    if (field.column != column) return false;
    column += field.width;
  }
  return true;
}

// The title line: the study title, then the names of the two subgroups, left-justified.
inline constexpr Field kTitleFields[] = {
    {1, 64, "Study title", "TxtProgTitle"},
    {65, 8, "Subgroup 1 name", "TxtNameSubGroup1"},
    {73, 8, "Subgroup 2 name", "TxtNameSubGroup2"},
};
static_assert(SideBySide(kTitleFields));
inline constexpr std::size_t kTitleWidth = kTitleFields[0].width;
inline constexpr std::size_t kSubgroupNameWidth = kTitleFields[1].width;

// The parameter line: counts right-justified in their columns and one-digit codes.
enum class Parameter {
  SubGroup1,
  SubGroup2,
  DyadicCount,
  Groups,
  DesignType,
  InputPattern,
  OutputOption,
  ReadOrder,
  PersonalityCount,
  SelfMeasures,
  TechnicalOutput,
  SecondFormat,
  FormatLineCount,
  DroppedSubjects,
  ConstructCount,
  EffectEstimates,
  RawData,
  ReorderPattern,
  ReorderNewSame,
  ReverseScoring,
};
inline constexpr Field kParameterFields[] = {
    {1, 2, "Number in subgroup 1", "TxtNumSubGroup1"},
    {3, 2, "Number in subgroup 2", "TxtNumSubGroup2"},
    {5, 2, "Number of dyadic variables", "CmbDyVar"},
    {7, 3, "Number of groups", "TxtNumGroups"},
    {10, 1, "Design type", "GroupBox14"},
    {11, 1, "Input pattern", "GroupBox9"},
    {12, 1, "Output option", "RadioGroup1"},
    {13, 1, "Personality variables read order", "GroupBoxPV"},
    {14, 2, "Number of personality variables", "CmbPerVar"},
    {16, 1, "Self measures", "ChkSelfM"},
    {17, 1, "Technical output", "ChkTechOut"},
    {18, 1, "Second variable format record", "ChkSecFmt"},
    {19, 1, "Format record lines after the first", "TxtGroupFortran"},
    {20, 1, "Dropped subjects", "ChkDropSub"},
    {21, 2, "Number of constructs", "CmbConst"},
    {23, 1, "Effect estimates", "GroupBox3"},
    {24, 1, "Raw data", "ChkRawData"},
    {25, 1, "Reorder pattern", "GroupBox16"},
    {26, 1, "New or same reorder records", "GroupBox17"},
    {27, 1, "Reverse scoring", "ChkReverseVar"},
};
inline constexpr std::size_t kParameterCount = std::size(kParameterFields);
static_assert(SideBySide(kParameterFields));
static_assert(kParameterCount == static_cast<std::size_t>(Parameter::ReverseScoring) + 1);

constexpr const Field& ParameterField(Parameter p) {
  return kParameterFields[static_cast<std::size_t>(p)];
}
constexpr std::size_t ParameterWidth(Parameter p) {
  return static_cast<std::size_t>(ParameterField(p).width);
}

// Lists of names: each right-justified in its columns, so many to a line.
inline constexpr std::size_t kNameWidth = 10;
inline constexpr std::size_t kNamesPerLine = 8;

// The construct and correlated-error records: two digits for each dyadic variable.
inline constexpr std::size_t kCodeWidth = 2;

// The reverse-scoring line: the sum of the scale's limits, zero-padded, then one flag for each
// dyadic variable.
inline constexpr Field kReverseSumField = {1, 5, "Sum of the upper and lower limits of the scale",
                                           "TxtRevScore"};

// A format record is cut into lines of this many characters.
inline constexpr std::size_t kFormatLineWidth = 80;

// The kinds of lines, in the order in which they follow each other in the file.
enum class LineKind {
  Title,
  Parameters,
  DyadicNames,
  PersonalityNames,
  ConstructRecord,
  CorrelationRecord,
  ConstructNames,
  ReverseScoring,
  FormatRecord,
  SecondFormatRecord,
  ReorderRecords,
  DroppedSubjects,
};

// Where the lines of one kind lie in a composed file.
struct Section {
  LineKind kind;
  int firstLine;  // from 1
  int lineCount;
};

// What the engine reads at one column of a line: the field's name and its columns. A field of a
// whole line (a reorder record) has lastColumn 0. The name is empty where the line holds no field.
struct FieldAt {
  std::string name;
  int firstColumn = 0;
  int lastColumn = 0;
  std::string control;  // the control that fills the field
};

// The field at `column` (from 1) of line `lineInSection` (from 0) of a section of kind `kind`.
FieldAt FieldAtColumn(LineKind kind, int lineInSection, int column);

// "Number of groups, columns 7-9"; for a field of a whole line, the column pointed at:
// "Reorder record 12, column 5".
std::string DescribeField(const FieldAt& field, int column);

}  // namespace wintarvel::setfile
