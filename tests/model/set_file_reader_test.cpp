// The set file reader: fields by position, the defaults of a short file, and damaged files, which
// are reported with their line and never take the program down.

#include "support/study.h"

namespace wintarvel::testing {
namespace {

// A file of the given lines, each ending in CR LF; the first one is the title line.
std::string File(std::initializer_list<std::string> lines) {
  std::string content;
  for (const std::string& line : lines) content += line + "\r\n";
  return content;
}

// The picture of a new window after reading the content, with the outcome of the reading.
State Read(const std::string& content) {
  TempDir dir;
  writeFile(dir.file("read.set"), content);
  Fixture fx;
  fx.f.OpenDialog.setFileName(dir.file("read.set"));
  const bool complete = fx.f.OpenSetFile();
  State s = Picture(fx.f);
  s["complete"] = Bool(complete) + std::to_string(fx.ui.messages.size()) +
                  Bool(fx.f.TxtSetFile.text() == dir.file("read.set"));
  s.erase("TxtSetFile");
  s["checks"] = Checked<CheckBox>({&fx.f.ChkSelfM, &fx.f.ChkTechOut, &fx.f.ChkSecFmt,
                                   &fx.f.ChkDropSub, &fx.f.ChkRawData, &fx.f.ChkReverseVar});
  return s;
}

const std::string kNames = "       AGE    EXTRAV";
const std::string kShort = " 2 2 0  10000  00000 000010";  // a parameter line of every field

// What the pictures of the named controls hold after reading each file.
TEST(SetFileReader, FieldsAreReadByTheirPositionAndAShortEndTakesTheDefaults) {
  const struct {
    const char* what;
    std::string content;
    State expected;
  } rows[] = {
      // clang-format off
      // The shortest file ends before its one empty format line, which reads as empty.
      {"seven fields", File({"Study", " 2 2 0  1000"}),
       {{"complete", "101"}, {"WindowCaption", "WinTarvel - read"}, {"checks", "000000"},
        {"TxtGroupFortran", "[]"}, {"CmbPerVar", "{}"}, {"GroupBoxPV", "010"}, {"CmbConst", "{}"},
        {"RadAP0", "111"}, {"RadRePat0", "111"}, {"RadReNewSame0", "111"}}},
      // Design 7, input 9, output x, read order 5 with a count but no names, self measures x,
      // effect estimates 9, reorder pattern 8, new-or-same 7: all change nothing.
      {"unknown codes", File({"", " 2 2 0  179x5 2x0000 090871", "00000", ""}),
       {{"complete", "101"}, {"RadDesTy0", "111"}, {"RadInpPat0", "111"}, {"RadOut0", "111"},
        {"RBPerBeforeDy", "011"}, {"RadAP0", "111"}, {"RadRePat0", "111"}, {"RadReNewSame1", "111"},
        {"CmbPerVar", "{}"}, {"GroupBoxPV", "010"}, {"checks", "000001"}}},
      {"read before", File({"", " 2 2 0  10101 200000 000010", kNames, "(F2.0)"}),
       {{"CmbPerVar", "{AGE|EXTRAV|}"}, {"GroupBoxPV", "110"}, {"RBPerBeforeDy", "111"},
        {"TxtGroupFortran", "[(F2.0)]"}}},
      {"read order without names", File({"", " 2 2 0  10101 000000 000010", ""}),
       {{"CmbPerVar", "{}"}, {"GroupBoxPV", "010"}, {"RBPerBeforeDy", "011"}}},
      {"read after, round robin", File({"", " 2 2 0  10102 200000 000010", kNames, ""}),
       {{"RBPerAfterDy", "111"}, {"GroupBoxPV", "110"}}},
      // 00 and 05 name no construct: their variables are in none.
      {"constructs", File({"", " 2 2 3 100000  00000 200010", "         A         B         C",
                           "020005", "010000", "        C1        C2", ""}),
       {{"complete", "101"}, {"ConRecInfo", "[020000]"}, {"CorRecInfo", "[010000]"},
        {"DyVarList", "A/C2/0|B//0|C//0|"}, {"CorError", "111"}}},
      {"one construct", File({"", " 2 2 1 100000  00000 100010", "         A", "01", "01", "        C1", ""}),
       {{"DyVarList", "A/C1/0|"}, {"CorError", "110"}}},
      {"reverse flags", File({"", " 2 2 3 100000  00000 000011", "      LIKE     TRUST      LIKE", "00008001", ""}),
       {{"TxtRevScore", "110 [00008]"}, {"CmbDyVar", "{LIKE|TRUST|LIKE R|}"},
        {"DyVarList", "LIKE//0|TRUST//0|LIKE//1|"}, {"ChkReverseVar", "111"}, {"CmdDyVarRev", "110"}}},
      // Reorder lines of zero are counted but not kept.
      {"reorder and dropped", File({"", " 2 2 0  20000  00001 000400", "", "2 1 4 3", "0", "4 3 2 1", "3 4 1 2", "0110"}),
       {{"complete", "101"}, {"counts", "2/4/4"}, {"MemoReorder", "[2 1 4 3\r\n4 3 2 1\r\n3 4 1 2\r\n]"},
        {"DroppedSubjects", "1,4,"}, {"CmbDrop", "{Subject1 D|Subject2|Subject3|Subject4 D|}"}}},
      {"long record", File({"", kShort, std::string(300, 'F')}), {{"TxtGroupFortran", "[" + std::string(300, 'F') + "]"}}},
      {"format line lost", File({"", kShort}), {{"complete", "101"}}},
      {"reorder records lost", File({"", " 2 2 0  20000  00000 000400", "", "2 1 4 3"}),
       {{"complete", "101"}, {"MemoReorder", "[2 1 4 3\r\n]"}}},
      {"trailing empty lines", File({"", kShort, "", "", "  "}), {{"complete", "101"}}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    State actual = Read(row.content);
    for (const auto& [name, part] : row.expected)
      EXPECT_NE(actual[name].find(part), std::string::npos) << name << ": " << actual[name];
  }

  // Lines ending in line feeds read as those ending in CR LF.
  std::string unix = readFile(GoldenFile("roommate.set"));
  for (std::size_t p; (p = unix.find("\r\n")) != std::string::npos;) unix.erase(p, 1);
  EXPECT_EQ(Read(readFile(GoldenFile("roommate.set"))), Read(unix));
}

// Each file in tests/data/damaged holds one damage, told in one message with its line; what was
// read stays, unnamed and unsaved, so that no save writes the partial study over the file.
TEST(SetFileReader, DamagedFilesAreToldWithTheirLineAndKeepWhatWasRead) {
  // In a message {} stands for the path, "{} line" for "The set file {} is damaged at line";
  // the title is the one read before the damage.
  struct Row {
    const char *file, *message, *title;
  };
  // clang-format off
  const Row rows[] = {
      {"empty.set", "The set file {} is empty.", ""},
      {"binary.set", "The file {} is not a set file: line 1 holds binary data, not text.", ""},
      {"binary-late.set", "The file {} is not a set file: line 101 holds binary data, not text.", ""},
      {"text-file.set", "The file {} is not a set file: line 2 does not hold the numbers of a study.", "Shopping list"},
      {"title-only.set", "{} line 2: the file ends before the parameter line.", "Damaged study"},
      {"too-many-dyadic.set", "{} line 2: it announces 99 dyadic variables, and a study has at most 20.", "Damaged study"},
      {"too-many-personality.set", "{} line 2: it announces 21 personality variables, and a study has at most 20.", "Damaged study"},
      {"too-many-constructs.set", "{} line 2: it announces 25 constructs, and a study has at most 22.", "Damaged study"},  // 20 and 2 of their own
      {"roommate-cut.set", "{} line 4: the file ends before the personality variable names.", "Roommate study"},
      {"cut-in-names.set", "{} line 4: the file ends before the dyadic variable names.", "Damaged study"},
      {"cut-before-constructs.set", "{} line 4: the file ends before the construct record.", "Damaged study"},
      {"cut-before-reverse.set", "{} line 4: the file ends before the reverse scoring line.", "Damaged study"},
      {"cut-before-dropped.set", "{} line 4: the file ends before the dropped subjects line.", "Damaged study"},
      {"construct-record-length.set", "{} line 4: the construct record has 9 characters, where 3 dyadic variables need 6 digits.", "Damaged study"},
      {"correlation-record-letters.set", "{} line 5: the correlated-error record holds characters other than digits.", "Damaged study"},
      {"name-line-too-long.set", "{} line 3: the dyadic variable names take 30 columns, but the line holds 43 characters.", "Damaged study"},
      {"left-over.set", "{} line 4: lines are left over after the last section.", "Damaged study"},
      {"missing.set", "The set file {} could not be opened: No such file or directory.", ""},
      {"", "The set file {} could not be opened: Is a directory.", ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const std::string path = GoldenFile(std::string("damaged") + kPathSeparator + row.file);
    Fixture fx;
    fx.ui.queueFile(path);
    fx.f.BtnOpenSetClick();
    std::string expected = row.message;
    if (expected.rfind("{} line", 0) == 0)
      expected = "The set file {} is damaged at" + expected.substr(2);
    expected.replace(expected.find("{}"), 2, path);
    ASSERT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_EQ(fx.ui.messages[0].text, expected);
    EXPECT_EQ(TrimBlanksAndControls(fx.f.TxtProgTitle.text()), row.title);
    EXPECT_EQ(fx.f.TxtSetFile.text() + fx.f.LastSetFile.path() + fx.f.caption(),
              "WinTarvel - Set File Name");
    EXPECT_EQ(Bool(fx.f.Modified) + Bool(fx.f.LoadedFromFile) +
                  Visible({&fx.f.PageControl1, &fx.f.Done, &fx.f.Cancel}),
              "10111");
  }
}

// Every input that once broke the reader opens, and what came out of it saves, without harm: a
// field that is not a number ends an operation as in the window; nothing else may escape.
TEST(SetFileReader, EveryInputThatOnceBrokeItOpensAndSavesWithoutHarm) {
  TempDir dir;
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(GoldenFile("fuzz-regressions"))) {
    Fixture fx;
    fx.f.OpenDialog.setFileName(entry.path().string());
    fx.f.OpenSetFile();
    fx.f.TxtSetFile.setText(dir.file("saved.set"));
    try {
      fx.f.SaveSetFile();
    } catch (const ConversionError&) {
    }
    ++inputs;
  }
  EXPECT_EQ(inputs, 4);
}

}  // namespace
}  // namespace wintarvel::testing
