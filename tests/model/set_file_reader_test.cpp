// The set file reader: fields by position, the defaults of a short parameter line, and damaged
// files, which are reported with their line and never take the program down.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/frm1.h"
#include "study_building.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {
namespace {

std::string title(const std::string& text = "Study") {
  return text + std::string(80 - text.size(), ' ') + "\r\n";
}

std::string crlf(const std::string& line) {
  return line + "\r\n";
}

// A window that has read the given file content.
struct ReadStudy {
  explicit ReadStudy(const std::string& content) {
    writeFile(path, content);
    fx.f.BtnNewSetClick();
    fx.f.Modified = false;
    fx.f.OpenDialog.setFileName(path);
    complete = fx.f.OpenSetFile();
  }
  TempDir dir;
  std::string path = dir.file("read.set");
  Fixture fx;
  TFrm1& f = fx.f;
  bool complete = false;
};

TEST(SetFileReader, AParameterLineOfSevenFieldsTakesTheDefaultsForTheRest) {
  // The shortest file: it ends before its one empty format line, which reads as empty.
  ReadStudy r(title() + crlf(" 2 2 0  1000"));
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(r.f.TxtSetFile.text(), r.path);
  EXPECT_EQ(r.f.caption(), "WinTarvel - read");
  EXPECT_EQ(r.f.TxtGroupFortran.text(), "");
  EXPECT_EQ(r.f.CmbPerVar.count(), 0);
  EXPECT_FALSE(r.f.GroupBoxPV.enabled());
  for (const CheckBox* c : {&r.f.ChkSelfM, &r.f.ChkTechOut, &r.f.ChkSecFmt, &r.f.ChkDropSub,
                            &r.f.ChkRawData, &r.f.ChkReverseVar}) {
    EXPECT_FALSE(c->checked()) << c->caption();
  }
  EXPECT_EQ(r.f.CmbConst.count(), 0);
  // A new study starts with the other new-or-same choice.
  EXPECT_EQ(Checked({&r.f.RadAP0, &r.f.RadRePat0, &r.f.RadReNewSame0}), "111");
  EXPECT_TRUE(r.fx.ui.messages.empty());

  // An asymmetric design switches self measures on, and a missing field leaves it so.
  ReadStudy asymmetric(title() + crlf(" 2 2 0  1100") + crlf(""));
  EXPECT_TRUE(asymmetric.f.RadDesTy1.checked() && asymmetric.f.ChkSelfM.checked());
}

TEST(SetFileReader, SizesAndGroupsDropTheirLeadingBlanksAndZeros) {
  ReadStudy r(title() + crlf(" 404 0  70000  00000 000010") + crlf(""));
  EXPECT_EQ(r.f.TxtNumSubGroup1.text(), "4");
  EXPECT_EQ(r.f.TxtNumSubGroup2.text(), "4");
  EXPECT_EQ(r.f.TxtNumGroups.text(), "7");
  EXPECT_EQ(r.f.NumGroups, 7);
  EXPECT_EQ(r.f.GroupSize, 8);

  ReadStudy twelve(title() + crlf("12 1 09990000  00000 000010") + crlf(""));
  EXPECT_EQ(twelve.f.TxtNumSubGroup1.text(), "12");
  EXPECT_EQ(twelve.f.TxtNumGroups.text(), "999");
}

TEST(SetFileReader, TheTitleKeepsItsTrailingBlanks) {
  const std::string text = "Fourteen chars" + std::string(50, ' ');
  ReadStudy r(text + "Women   Men     \r\n" + crlf(" 2 2 0  11000  00000 000010") + crlf(""));
  EXPECT_EQ(r.f.TxtProgTitle.text(), text);
  EXPECT_EQ(r.f.TxtNameSubGroup1.text(), "Women   ");
  EXPECT_EQ(r.f.TxtNameSubGroup2.text(), "Men     ");
}

TEST(SetFileReader, UnknownCodesChangeNothing) {
  // Design 7, input pattern 9, output x, read order 5 with a count but no names, self measures
  // x, effect estimates 9, reorder pattern 8, new-or-same 7.
  ReadStudy r(title() + crlf(" 2 2 0  179x5 2x0000 090871") + crlf("00000") + crlf(""));
  EXPECT_TRUE(r.complete);
  const TFrm1& f = r.f;
  EXPECT_EQ(Checked({&f.RadDesTy0, &f.RadInpPat0, &f.RadOut0, &f.RBPerBeforeDy, &f.RadAP0,
                     &f.RadRePat0, &f.RadReNewSame1}),
            "1111111");
  EXPECT_EQ(f.CmbPerVar.count(), 0);
  EXPECT_FALSE(f.GroupBoxPV.enabled());
  EXPECT_EQ(Checked({&f.ChkSelfM, &f.ChkReverseVar}), "01");  // the reverse flag is field 20
}

TEST(SetFileReader, PersonalityNamesAreReadOnlyForReadOrderOneOrTwo) {
  const std::string names = crlf("       AGE    EXTRAV");
  ReadStudy none(title() + crlf(" 2 2 0  10000 200000 000010") + crlf(""));
  EXPECT_EQ(none.f.CmbPerVar.count(), 0);
  EXPECT_EQ(none.f.TxtGroupFortran.text(), "");

  ReadStudy before(title() + crlf(" 2 2 0  10101 200000 000010") + names + crlf("(F2.0)"));
  EXPECT_EQ(before.f.CmbPerVar.items(), (std::vector<std::string>{"AGE", "EXTRAV"}));
  EXPECT_TRUE(before.f.GroupBoxPV.enabled());
  EXPECT_TRUE(before.f.RBPerBeforeDy.checked());
  EXPECT_EQ(before.f.TxtGroupFortran.text(), "(F2.0)");

  // Announced without any names, the read order stays disabled.
  ReadStudy noNames(title() + crlf(" 2 2 0  10101 000000 000010") + crlf(""));
  EXPECT_EQ(noNames.f.CmbPerVar.count(), 0);
  EXPECT_EQ(Enabled({&noNames.f.GroupBoxPV, &noNames.f.RBPerBeforeDy}), "00");

  // Round robin input lets "after" stay selected.
  ReadStudy after(title() + crlf(" 2 2 0  10102 200000 000010") + names + crlf(""));
  EXPECT_TRUE(after.f.RBPerAfterDy.checked() && after.f.RBPerAfterDy.enabled());
}

TEST(SetFileReader, UnknownConstructNumbersLeaveTheVariableInNone) {
  ReadStudy r(title() + crlf(" 2 2 3 100000  00000 200010") +
              crlf("         A         B         C") + crlf("020005") + crlf("010000") +
              crlf("        C1        C2") + crlf(""));
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(r.f.ConRecInfo.text(), "020000");  // 00 and 05 name no construct
  EXPECT_EQ(r.f.CorRecInfo.text(), "010000");
  ASSERT_EQ(r.f.DyVarList.size(), 3u);
  EXPECT_EQ(RecordConstructs(r.f), (Names{"C2", "", ""}));
  EXPECT_TRUE(r.f.CorError.tabVisible());

  ReadStudy one(title() + crlf(" 2 2 1 100000  00000 100010") + crlf("         A") + crlf("01") +
                crlf("01") + crlf("        C1") + crlf(""));
  EXPECT_FALSE(one.f.CorError.tabVisible());
  EXPECT_EQ(one.f.DyVarList[0].Construct, "C1");
}

TEST(SetFileReader, ReverseFlagsMarkTheVariableAtTheirPosition) {
  ReadStudy r(title() + crlf(" 2 2 3 100000  00000 000011") +
              crlf("      LIKE     TRUST      LIKE") + crlf("00008001") + crlf(""));
  EXPECT_EQ(r.f.TxtRevScore.text(), "00008");
  EXPECT_EQ(r.f.CmbDyVar.items(), (std::vector<std::string>{"LIKE", "TRUST", "LIKE R"}));
  EXPECT_FALSE(r.f.DyVarList[0].Reversed);
  EXPECT_TRUE(r.f.DyVarList[2].Reversed);
  EXPECT_TRUE(r.f.CmdDyVarRev.enabled());
  EXPECT_TRUE(r.f.TxtRevScore.visible());
}

TEST(SetFileReader, ReorderLinesOfZeroAreCountedButNotKept) {
  ReadStudy r(title() + crlf(" 2 2 0  20000  00001 000400") + crlf("") + crlf("2 1 4 3") +
              crlf("0") + crlf("4 3 2 1") + crlf("3 4 1 2") + crlf("0110"));
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(r.f.ReorderRecordCount, 4);
  EXPECT_EQ(r.f.MemoReorder.lines(), (std::vector<std::string>{"2 1 4 3", "4 3 2 1", "3 4 1 2"}));
  EXPECT_EQ(r.f.DroppedSubjects, (std::vector<int>{1, 4}));
  EXPECT_EQ(r.f.CmbDrop.items(),
            (std::vector<std::string>{"Subject1 D", "Subject2", "Subject3", "Subject4 D"}));
}

TEST(SetFileReader, LinesEndingInLineFeedsAndLongLinesReadAsWell) {
  std::string unix = readFile(GoldenFile("roommate.set"));
  for (std::size_t p; (p = unix.find("\r\n")) != std::string::npos;) unix.erase(p, 1);
  ReadStudy lf(unix);
  ReadStudy crLf(readFile(GoldenFile("roommate.set")));
  EXPECT_TRUE(lf.complete);
  ExpectSameStudy(Snapshot(crLf.f), Snapshot(lf.f));

  const std::string record(300, 'F');  // a hand-edited record longer than the program makes
  ReadStudy longLine(title() + crlf(" 2 2 0  10000  00000 000010") + crlf(record));
  EXPECT_EQ(longLine.f.TxtGroupFortran.text(), record);
}

// Each file in tests/data/damaged holds one damage. It is told in one message naming the file
// and the line; what was read stays, and the document has no name and unsaved changes, so that
// a save never writes the partial study over the file.
TEST(SetFileReader, DamagedFilesAreToldWithTheirLineAndKeepWhatWasRead) {
  struct Row {
    const char* file;
    const char* message;  // {} stands for the file's path
    const char* title;    // the title read before the damage, empty when none was read
  };
  const Row rows[] = {
      {"empty.set", "The set file {} is empty.", ""},
      {"binary.set", "The file {} is not a set file: line 1 holds binary data, not text.", ""},
      {"text-file.set",
       "The file {} is not a set file: line 2 does not hold the numbers of a study.",
       "Shopping list"},
      {"title-only.set",
       "The set file {} is damaged at line 2: the file ends before the parameter line.",
       "Damaged study"},
      {"too-many-dyadic.set",
       "The set file {} is damaged at line 2: it announces 99 dyadic variables, and a study has "
       "at most 20.",
       "Damaged study"},
      {"too-many-personality.set",
       "The set file {} is damaged at line 2: it announces 21 personality variables, and a study "
       "has at most 20.",
       "Damaged study"},
      {"too-many-constructs.set",
       "The set file {} is damaged at line 2: it announces 25 constructs, and a study has at most "
       "22.",  // 20, and one of its own for each of the 2 dyadic variables
       "Damaged study"},
      {"roommate-cut.set",
       "The set file {} is damaged at line 4: the file ends before the personality variable "
       "names.",
       "Roommate study"},
      {"cut-in-names.set",
       "The set file {} is damaged at line 4: the file ends before the dyadic variable names.",
       "Damaged study"},
      {"cut-before-constructs.set",
       "The set file {} is damaged at line 4: the file ends before the construct record.",
       "Damaged study"},
      {"cut-before-reverse.set",
       "The set file {} is damaged at line 4: the file ends before the reverse scoring line.",
       "Damaged study"},
      {"cut-before-dropped.set",
       "The set file {} is damaged at line 4: the file ends before the dropped subjects line.",
       "Damaged study"},
      {"construct-record-length.set",
       "The set file {} is damaged at line 4: the construct record has 9 characters, where 3 "
       "dyadic variables need 6 digits.",
       "Damaged study"},
      {"correlation-record-letters.set",
       "The set file {} is damaged at line 5: the correlated-error record holds characters other "
       "than digits.",
       "Damaged study"},
      {"name-line-too-long.set",
       "The set file {} is damaged at line 3: the dyadic variable names take 30 columns, but the "
       "line holds 43 characters.",
       "Damaged study"},
      {"left-over.set",
       "The set file {} is damaged at line 4: lines are left over after the last section.",
       "Damaged study"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const std::string path = GoldenFile(std::string("damaged") + kPathSeparator + row.file);
    Fixture fx;
    fx.f.BtnNewSetClick();
    fx.f.OpenDialog.setFileName(path);
    EXPECT_FALSE(fx.f.OpenSetFile());
    std::string expected = row.message;
    expected.replace(expected.find("{}"), 2, path);
    ASSERT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_EQ(fx.ui.messages[0].text, expected);
    EXPECT_EQ(TrimBlanksAndControls(fx.f.TxtProgTitle.text()), row.title);
    EXPECT_EQ(fx.f.TxtSetFile.text(), "");
    EXPECT_TRUE(fx.f.Modified);
    EXPECT_EQ(fx.f.caption(), "WinTarvel - Set File Name");
    EXPECT_TRUE(fx.f.PageControl1.visible());
  }
}

TEST(SetFileReader, OnlyTheEndOfAFileMayBeShort) {
  // Lost empty format lines read as empty, and missing reorder records are simply not there.
  ReadStudy noFormat(title() + crlf(" 2 2 0  10000  00000 000010"));
  EXPECT_TRUE(noFormat.complete);
  ReadStudy fewRecords(title() + crlf(" 2 2 0  20000  00000 000400") + crlf("") + crlf("2 1 4 3"));
  EXPECT_TRUE(fewRecords.complete);
  EXPECT_EQ(fewRecords.f.MemoReorder.lines(), Names{"2 1 4 3"});
  // Trailing empty lines are no left-overs.
  ReadStudy trailing(title() + crlf(" 2 2 0  10000  00000 000010") + crlf("") + crlf("") +
                     crlf("  "));
  EXPECT_TRUE(trailing.complete);
}

TEST(SetFileReader, AMissingFileIsReportedAndLeavesANewUnnamedDocument) {
  Fixture fx;
  fx.f.BtnNewSetClick();
  TempDir dir;
  const std::string path = dir.file("missing.set");
  fx.f.OpenDialog.setFileName(path);
  EXPECT_FALSE(fx.f.OpenSetFile());
  ASSERT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_NE(fx.ui.messages[0].text.find(path), std::string::npos);
  EXPECT_NE(fx.ui.messages[0].text.find("No such file or directory"), std::string::npos);
  EXPECT_EQ(fx.f.TxtSetFile.text(), "");
  EXPECT_TRUE(fx.f.Modified);

  fx.f.OpenDialog.setFileName(dir.str());  // a folder is no set file either
  EXPECT_FALSE(fx.f.OpenSetFile());
  EXPECT_EQ(fx.ui.messages.size(), 2u);
}

TEST(SetFileReader, ArbitraryBytesNeverCrashTheReaderOrTheWriter) {
  std::mt19937 rng(20240611);
  const std::string golden = readFile(GoldenFile("roommate.set"));
  const std::string alphabet = " 0123456789\r\n-xR";
  TempDir dir;
  for (int round = 0; round < 300; ++round) {
    std::string content = golden;
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = rng() % content.size();
      switch (rng() % 3) {
        case 0:
          content[at] = alphabet[rng() % alphabet.size()];
          break;
        case 1:
          content.erase(at, 1 + rng() % 20);
          break;
        default:
          content.insert(at, 1, static_cast<char>(rng() % 256));
      }
      if (content.empty()) content = " ";
    }
    ReadStudy r(content);
    r.f.TxtSetFile.setText(dir.file("fuzzed.set"));
    try {
      r.f.SaveSetFile();
    } catch (const ConversionError&) {
      // a handler's own conversion error ends the operation; the dispatcher shows it
    }
  }
}

}  // namespace
}  // namespace wintarvel::testing
