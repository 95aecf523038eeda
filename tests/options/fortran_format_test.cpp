// The format record parser: the columns each descriptor reads, or where it stops and why, as the
// user is told. Layouts are written compactly: each field as its descriptor, "@", line, ":",
// column, then the number of lines ("F2.0@1:1 F3.1@1:3 /1").

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "options/fortran_format.h"

namespace wintarvel::testing {
namespace {

std::string Compact(const FormatLayout& layout) {
  if (!layout.error.empty()) return ExplainFormat(layout);
  std::string text;
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    const FormatField& f = layout.fields[i];
    text += DescriptorText(f, layout.decimals.at(i)) + "@" + std::to_string(f.line) + ":" +
            std::to_string(f.column) + " ";
  }
  return text + "/" + std::to_string(layout.lines);
}

using Row = std::pair<const char*, const char*>;

TEST(FortranFormat, RecordsGiveTheColumnsARuntimeReadsOrTheFirstPositionItCannotRead) {
  const Row rows[] = {
      {"(3F2.0,2F3.1)", "F2.0@1:1 F2.0@1:3 F2.0@1:5 F3.1@1:7 F3.1@1:10 /1"},
      {"( 1 2 X , I 1 0 ,X,I5.3)", "I10@1:13 I5@1:24 /1"},
      {"(2f5.1,a3,l1)", "F5.1@1:1 F5.1@1:6 A3@1:11 L1@1:14 /1"},
      {"(E10.3E2,D8.2,G6.1,EN9.2,ES9.2)", "E10.3@1:1 D8.2@1:11 G6.1@1:19 E9.2@1:25 E9.2@1:34 /1"},
      {"(1PE10.3,BN,SP,-2PF5.1,BZ,S)", "E10.3@1:1 F5.1@1:11 /1"},
      {"()", "/1"},
      {"(2(I1,2(F2.1)),1X,A4)", "I1@1:1 F2.1@1:2 F2.1@1:4 I1@1:6 F2.1@1:7 F2.1@1:9 A4@1:12 /1"},
      {"(T10,I2,TL5,I2,TR3,I1,TL99,I1)", "I2@1:10 I2@1:7 I1@1:12 I1@1:1 /1"},
      {"(I2/2I3,2/I1/)", "I2@1:1 I3@2:1 I3@2:4 I1@4:1 /5"},
      {"('it''s',I2,\"x\",4HAB,C,I1)", "I2@1:1 I1@1:3 /1"},
      {"", "position 1: the record is empty"},
      {"3F2.0", "position 1: a format record begins with ("},
      {"(I3,2F,I2)", "position 7: a width is missing after F"},
      {"(F5)", "position 4: a period is missing after F5 (as in F5.0)"},
      {"(F5.)", "position 5: the number of decimals is missing after F5."},
      {"(I0)", "position 3: the width after I must be at least 1"},
      {"(I2", "position 4: a closing ) is missing"},
      {"(I2))", "position 5: nothing may follow the closing )"},
      {"(I2 I3)", "position 5: a comma or ) is expected"},
      {"(I2,)", "position 5: an edit descriptor is missing"},
      {"(0I2)", "position 2: a repeat count must be at least 1"},
      {"(3,I2)", "position 3: an edit descriptor is missing after the repeat count"},
      {"(2T5)", "position 3: a repeat count cannot stand before T"},
      {"(T0)", "position 3: the column after T must be at least 1"},
      {"(TL)", "position 4: a count is missing after TL"},
      {"(I1,'abc)", "position 5: this string is not closed"},
      {"(Q5)", "position 2: Q is not an edit descriptor"},
      {"(B5)", "position 2: B is not an edit descriptor this program reads"},
      {"(-2I5)", "position 4: P is expected after a signed scale factor"},
      {"(I999999)", "position 3: the number is too large"},
      {"(99(99(99(99I1))))", "position 11: the record reads more than 10000 values"},
      {"(99(99(99(99X))))", "position 11: the record reaches beyond column 99999"},
  };
  for (const auto& [record, layout] : rows) {
    EXPECT_EQ(Compact(ParseFortranFormat(record)), layout) << record;
  }
}

TEST(FortranFormat, TheExplanationNamesValuesColumnsAndLinesOrTheError) {
  const Row rows[] = {
      {"(3F2.0,2F3.0)", "reads 5 values per record from columns 1-12, 1 record per line"},
      {"(I3,2X,F5.2)", "reads 2 values per record from columns 1-3, 6-10, 1 record per line"},
      {"(T5,I2,T1,I4)", "reads 2 values per record from columns 1-6, 1 record per line"},
      {"(5X,I1)", "reads 1 value per record from column 6, 1 record per line"},
      {"(I2/2I3)",
       "reads 3 values per record from columns 1-2 of line 1 and 1-6 of line 2, 2 lines per "
       "record"},
      {"(I2//I1)",
       "reads 2 values per record from columns 1-2 of line 1 and 1 of line 3, 3 lines per record"},
      {"(10X)", "reads no values, 1 record per line"},
  };
  for (const auto& [record, explanation] : rows) {
    EXPECT_EQ(ExplainFormat(ParseFortranFormat(record)), explanation) << record;
  }
}

}  // namespace
}  // namespace wintarvel::testing
