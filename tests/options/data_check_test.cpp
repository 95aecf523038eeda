// The data file checked against the format record: values read as a Fortran runtime reads them,
// warnings for short records and for text where a number is read, and only the first lines of
// a file ever read.

#include <tuple>

#include "options/data_check.h"
#include "support/study.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {
namespace {

TEST(DataCheck, FieldsReadAsTheirDescriptorsReadThem) {
  // The text, the descriptor and its decimals, the value or "?" where the text does not read.
  const std::tuple<const char*, char, int, const char*> rows[] = {
      {" 12", 'I', 0, "12"},    {"-007", 'I', 0, "-7"},      {"1 2", 'I', 0, "12"},
      {"   ", 'I', 0, "0"},     {"1.5", 'I', 0, "?"},        {"-", 'I', 0, "?"},
      {" 3", 'F', 0, "3"},      {"12345", 'F', 2, "123.45"}, {"1.5  ", 'F', 2, "1.5"},
      {"  ", 'F', 1, "0"},      {"-.5", 'F', 1, "-0.5"},     {"15E1", 'E', 1, "15"},
      {"1.5D2", 'D', 0, "150"}, {"2.5-1", 'G', 0, "0.25"},   {"1.5e+2", 'E', 0, "150"},
      {".", 'F', 0, "?"},       {"1.2.3", 'F', 0, "?"},      {"1E", 'F', 0, "?"},
      {" .T", 'L', 0, "true"},  {"f", 'L', 0, "false"},      {"y", 'L', 0, "?"},
      {"ab ", 'A', 0, "ab "},
  };
  for (const auto& [text, type, decimals, value] : rows) {
    const ReadValue read = ReadField(text, type, decimals);
    EXPECT_EQ(read.problem.empty() ? read.value : "?", value) << type << " '" << text << "'";
    EXPECT_EQ(read.text, text);
  }
}

std::string Warnings(const std::vector<CheckedRecord>& records) {
  std::string text;
  for (const CheckedRecord& r : records) {
    for (const std::string& w : r.warnings) text += std::to_string(r.firstLine) + " " + w + "\n";
  }
  return text;
}

TEST(DataCheck, ShortRecordsAndTextWhereANumberIsReadAreWarnedAbout) {
  FirstLines data;
  data.lines = {" 3 4 1 24 38", " 3 4 1 24", "", " 3 x 1 24 38", "ab", " 1 2 3 45 67"};
  for (const std::string& line : data.lines) data.lengths.push_back(line.size());
  data.wholeFile = true;
  const std::vector<CheckedRecord> one = CheckRecords(data, ParseFortranFormat("(3F2.0,2F3.0)"));
  ASSERT_EQ(one.size(), 6u);
  EXPECT_EQ(one[0].values[4].value, "38");
  // A short line is padded with blanks: its missing value reads as zero, with a warning.
  EXPECT_EQ(one[1].values[4].text + one[1].values[4].value, "   0");
  EXPECT_EQ(Warnings(one),
            "2 line 2 has 9 columns; the format reads to column 12\n"
            "3 line 3 is empty; the format reads to column 12\n"
            "4 line 4, columns 3-4: ' x' is not a number\n"
            "5 line 5 has 2 columns; the format reads to column 12\n"
            "5 line 5, columns 1-2: 'ab' is not a number\n");

  // Two lines to a record; the last record is cut short by the end of the file.
  data.lines.pop_back();
  data.lengths.pop_back();
  const std::vector<CheckedRecord> two = CheckRecords(data, ParseFortranFormat("(I2/T3,I2)"));
  ASSERT_EQ(two.size(), 3u);
  EXPECT_EQ(two[1].values[0].value, "0");
  EXPECT_EQ(Warnings(two),
            "3 line 3 is empty; the format reads to column 2\n"
            "3 line 4, columns 3-4: ' x' is not a whole number\n"
            "5 line 6 is missing: the file ends within the record\n"
            "5 line 5, columns 1-2: 'ab' is not a whole number\n");
  // Where reading stopped early, an unfinished record is not judged.
  data.wholeFile = false;
  EXPECT_EQ(CheckRecords(data, ParseFortranFormat("(I2/T3,I2)")).size(), 2u);
}

TEST(DataCheck, OnlyTheFirstLinesAreReadWithTheirFullLengths) {
  TempDir dir;
  const std::string path = dir.file("data.txt");
  std::string content;
  for (int i = 1; i <= 1500; ++i) content += std::to_string(i % 10) + " 1\r\n";
  content.insert(0, std::string(300, '7') + "\n");  // a long first line, cut when kept
  writeFile(path, content);
  const FirstLines first = ReadFirstLines(path, 1000, 256);
  ASSERT_EQ(first.lines.size(), 1000u);
  EXPECT_FALSE(first.wholeFile);
  EXPECT_EQ(first.lines[0], std::string(256, '7'));
  EXPECT_EQ(first.lines[1], "1 1");  // CR LF ends no line with a CR
  EXPECT_EQ(first.lengths[0], 300u);

  writeFile(path, "12\n34");  // the last line needs no line break
  EXPECT_EQ(ReadFirstLines(path, 1000, 256).lines, (std::vector<std::string>{"12", "34"}));
  writeFile(path, "12\n34\n");
  EXPECT_TRUE(ReadFirstLines(path, 2, 256).wholeFile);  // nothing follows the lines read
  EXPECT_TRUE(ReadFirstLines(path, 3, 256).wholeFile);
  EXPECT_FALSE(ReadFirstLines(path, 1, 256).wholeFile);

  EXPECT_FALSE(ReadFirstLines(dir.file("missing.txt"), 10, 10).error.empty() ||
               ReadFirstLines(dir.str(), 10, 10).error.empty());
  EXPECT_TRUE(DataFileExists(path) && !DataFileExists(dir.str()) && !DataFileExists(""));
}

TEST(DataCheck, TheExampleDataFileReadsWithoutAWarningAndABadFormatIsReported) {
  const std::string data = std::string(WINTARVEL_EXAMPLES) + kPathSeparator + "roommate.txt";
  const DataCheck check = CheckDataFile(data, "(3F2.0,2F3.0)");
  EXPECT_TRUE(check.error.empty() && check.wholeFile) << check.error;
  EXPECT_EQ(check.records.size(), check.linesRead);
  EXPECT_GT(check.records.size(), 100u);
  EXPECT_EQ(check.warningCount(), 0u);
  EXPECT_EQ(CheckDataFile(data, "(3F2.0,2F4.0)").warningCount(), check.records.size());
  EXPECT_EQ(CheckDataFile(data, "(3F2.0,2F)").error,
            "The format record cannot be read: position 10: a width is missing after F.");
  EXPECT_NE(CheckDataFile(data + ".missing", "(I1)").error.find("could not be read"),
            std::string::npos);
}

}  // namespace
}  // namespace wintarvel::testing
