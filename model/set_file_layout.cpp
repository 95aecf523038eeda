// What each column of the set file holds, for the set file view: the fixed fields come from the
// tables of the layout, the repeated ones (names, codes and flags of each variable or subject)
// from their widths.

#include "model/set_file_layout.h"

namespace wintarvel::setfile {

namespace {

template <std::size_t N>
FieldAt FromTable(const Field (&fields)[N], int column) {
  for (const Field& field : fields) {
    if (column >= field.column && column < field.column + field.width) {
      return {field.name, field.column, field.column + field.width - 1, field.control};
    }
  }
  return {};
}

// Field `index` (from 0) of equal fields of `width` columns from column `start`.
FieldAt Repeated(const std::string& name, int index, int start, int width, const char* control) {
  const int first = start + index * width;
  return {name, first, first + width - 1, control};
}

// The name fields: eight to a line.
FieldAt NameField(const char* what, int lineInSection, int column, const char* control) {
  const int width = static_cast<int>(kNameWidth);
  const int index = (column - 1) / width;
  if (index >= static_cast<int>(kNamesPerLine)) return {};
  const int number = lineInSection * static_cast<int>(kNamesPerLine) + index + 1;
  return Repeated(std::string(what) + " " + std::to_string(number) + " name", index, 1, width,
                  control);
}

FieldAt CodeField(const char* what, int column, const char* control) {
  const int width = static_cast<int>(kCodeWidth);
  const int index = (column - 1) / width;
  return Repeated(std::string(what) + " of dyadic variable " + std::to_string(index + 1), index, 1,
                  width, control);
}

FieldAt FormatLine(const char* record, int lineInSection, const char* control) {
  const int width = static_cast<int>(kFormatLineWidth);
  const int first = lineInSection * width + 1;
  return {std::string(record) + ", characters " + std::to_string(first) + "-" +
              std::to_string(first + width - 1),
          1, width, control};
}

std::string Columns(int first, int last) {
  return first == last ? "column " + std::to_string(first)
                       : "columns " + std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace

FieldAt FieldAtColumn(LineKind kind, int lineInSection, int column) {
  if (column < 1) return {};
  switch (kind) {
    case LineKind::Title:
      return FromTable(kTitleFields, column);
    case LineKind::Parameters:
      return FromTable(kParameterFields, column);
    case LineKind::DyadicNames:
      return NameField("Dyadic variable", lineInSection, column, "CmbDyVar");
    case LineKind::PersonalityNames:
      return NameField("Personality variable", lineInSection, column, "CmbPerVar");
    case LineKind::ConstructNames:
      return NameField("Construct", lineInSection, column, "CmbConst");
    case LineKind::ConstructRecord:
      return CodeField("Construct number", column, "LstVarsConst");
    case LineKind::CorrelationRecord:
      return CodeField("Correlated-error code", column, "CorVarList");
    case LineKind::ReverseScoring: {
      const Field& sum = kReverseSumField;
      if (column < sum.column + sum.width) return FromTable({sum}, column);
      const int variable = column - sum.width;
      return {"Reverse scoring of dyadic variable " + std::to_string(variable), column, column,
              "CmbDyVar"};
    }
    case LineKind::FormatRecord:
      return FormatLine("Group data input Fortran format record", lineInSection, "TxtGroupFortran");
    case LineKind::SecondFormatRecord:
      return FormatLine("Second variable format record for subgroup 2", lineInSection,
                        "TxtGroup2Fortran");
    case LineKind::ReorderRecords:
      return {"Reorder record " + std::to_string(lineInSection + 1), 1, 0, "MemoReorder"};
    case LineKind::DroppedSubjects:
      return {"Subject " + std::to_string(column) + " kept (1) or dropped (0)", column, column,
              "CmbDrop"};
  }
  return {};
}

std::string DescribeField(const FieldAt& field, int column) {
  if (field.name.empty()) return "";
  if (field.lastColumn == 0) return field.name + ", " + Columns(column, column);
  return field.name + ", " + Columns(field.firstColumn, field.lastColumn);
}

}  // namespace wintarvel::setfile
