// The set file writer: studies built through the handlers come out byte for byte as the golden
// files, which read back into the same controls and save again unchanged; what does not fit is
// refused before the file is touched, and a failed write leaves the previous file whole.

#include <filesystem>
#include <functional>
#include <set>

#include "model/set_file_writer.h"
#include "support/study.h"

namespace wintarvel::testing {
namespace {

namespace fs = std::filesystem;
using Build = std::function<void(TFrm1&)>;

// The composition of the study, or the message that refuses it, into one reused result.
std::string Composed(const TFrm1& f) {
  static ComposedSetFile composed;
  ComposeSetFile(f, composed);
  return composed.refusal.empty() ? composed.text : "refused: " + composed.refusal;
}

Build Small(const std::string& title, const Build& more) {
  return [title, more](TFrm1& f) { Basics(f, title), more(f); };
}
Build Variables(const std::string& title, int n) {
  return Small(title, [n](TFrm1& f) {
    for (int i = 1; i <= n; ++i) AddDyadic(f, {"VAR" + std::to_string(i)});
  });
}
Build Reversed(const std::string& title, std::vector<std::string> marked, const char* sum) {
  return Small(title, [marked, sum](TFrm1& f) {
    AddDyadic(f, {"LIKE", "TRUST", "ANXIOUS"}), f.ChkReverseVar.setChecked(true);
    for (const std::string& name : marked) ReverseScore(f, name);
    f.TxtRevScore.setText(sum);
  });
}

const std::string k80 =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

TEST(SetFileWriter, StudiesBuiltThroughTheWindowMatchTheGoldenFilesAndReadBackUnchanged) {
  const std::set<std::string> noCodes = {"ConRecInfo", "CorRecInfo"};
  const struct {
    const char* file;
    Build build;
    // Controls that read back otherwise (beside the file name and page): without constructs
    // both code strings stay empty, the reverse sum comes back padded with zeros.
    std::set<std::string> readBack;
  } rows[] = {
      // clang-format off
      {"roommate.set", BuildRoommateStudy, {"ConRecInfo", "CorRecInfo", "TxtRevScore", "CmbDrop"}},
      {"minimal.set", [](TFrm1& f) { Basics(f, "Minimal study", "5"); f.TxtNumSubGroup1.setText("3"); }, {}},
      {"dyadic8.set", Variables("Eight dyadic variables", 8), noCodes},
      {"dyadic9.set", Variables("Nine dyadic variables", 9), noCodes},
      {"dyadic16.set", Variables("Sixteen dyadic variables", 16), noCodes},
      {"dyadic17.set", Variables("Seventeen dyadic variables", 17), noCodes},
      {"name10.set", Small("Long names", [](TFrm1& f) { AddDyadic(f, {"ABCDEFGHIJ", "KLMNOPQRST"}), AddPersonality(f, {"EXTRAVERSI"}); }), noCodes},
      {"format80.set", Small("Format of 80", [](TFrm1& f) { f.TxtGroupFortran.setText(k80); }), {}},
      {"format81.set", Small("Format of 81", [](TFrm1& f) { f.TxtGroupFortran.setText(k80 + "X"); }), {}},
      {"format50_100.set", Small("Two formats", [](TFrm1& f) { f.TxtGroupFortran.setText("ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ"), f.ChkSecFmt.setChecked(true),
         f.TxtGroup2Fortran.setText(k80 + k80.substr(0, 20)); }), {}},
      {"reverse_marked.set", Reversed("Reverse scored", {"TRUST", "ANXIOUS"}, " 7 "),
       {"ConRecInfo", "CorRecInfo", "TxtRevScore"}},
      // Nothing in the file says reverse scoring was on.
      {"reverse_unmarked.set", Reversed("Reverse not marked", {}, "5"), {"ConRecInfo", "CorRecInfo",
       "TxtRevScore", "ChkReverseVar", "CmdDyVarRev", "LBLRevScore", "CmdDyVarRename"}},
      {"reorder.set", Small("Reordered", [](TFrm1& f) { f.TxtNumGroups.setText("2"), f.RadRePat4.setChecked(true), f.RadReNewSame0.setChecked(true),
         f.MemoReorder.setText("2 1 4 3\r\n1 2 3 4\r\n4 3 2 1\r\n3 4 1 2"); }), {"MemoReorder"}},
      {"dropped.set", Small("Dropped", [](TFrm1& f) { f.ChkDropSub.setChecked(true), DropSubject(f, 1), DropSubject(f, 4); }), {"CmbDrop"}},
      {"constructs.set", Small("Constructs", [](TFrm1& f) { AddDyadic(f, {"LIKE", "TRUST", "ANXIOUS", "HOSTILE"}),
         AddConstructWith(f, "POS", {"LIKE", "TRUST"}), AddConstructWith(f, "NEG", {"ANXIOUS"}); }),
       {"CmbConst", "CmdVarsConstAdd", "CmdVarsConstRem", "LblConstVar", "LstVarsConst"}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    TempDir dir;
    const std::string golden = readFile(GoldenFile(row.file));
    NewStudy built;
    row.build(built.f);
    // The composition completes the constructs of a copy only: the study stays as built.
    const auto asBuilt = Picture(built.f);
    EXPECT_EQ(Composed(built.f), golden);
    EXPECT_EQ(Picture(built.f), asBuilt);
    built.f.TxtSetFile.setText(dir.file("built.set"));
    ASSERT_TRUE(built.f.SaveSetFile());
    EXPECT_EQ(readFile(dir.file("built.set")), golden);

    Fixture opened;
    ASSERT_TRUE(OpenThroughCommand(opened, GoldenFile(row.file)));
    EXPECT_EQ(Composed(opened.f), golden);
    auto readBack = Picture(opened.f);
    // The title line's texts come back padded to their columns.
    built.f.TxtProgTitle.setText(built.f.TxtProgTitle.text() +
                                 std::string(64, ' ').substr(built.f.TxtProgTitle.text().size()));
    for (Edit* name : {&built.f.TxtNameSubGroup1, &built.f.TxtNameSubGroup2})
      name->setText(name->text() + std::string(8 - name->text().size(), ' '));
    auto asRead = Picture(built.f);
    std::set<std::string> differ = row.readBack;
    differ.insert({"TxtSetFile", "WindowCaption", "PageControl1", "counts"});
    for (const std::string& name : differ) readBack.erase(name), asRead.erase(name);
    EXPECT_EQ(readBack, asRead);
  }
}

// The parameter line's counts are right-justified; a field that does not fit is refused with
// its name: nothing is written, and the composition gives the message instead of the text.
TEST(SetFileWriter, CountsAreRightJustifiedAndWhatDoesNotFitIsRefusedBeforeTheFileIsTouched) {
  // clang-format off
  auto sizes = [](const char* one, const char* two, const char* groups) {
    return [=](TFrm1& f) { f.TxtNumGroups.setText(groups), f.TxtNumSubGroup1.setText(one), f.TxtNumSubGroup2.setText(two); };
  };
  auto reversed = [](const char* sum) {
    return [sum](TFrm1& f) { AddDyadic(f, {"LIKE"}), f.ChkReverseVar.setChecked(true), ReverseScore(f, "LIKE"), f.TxtRevScore.setText(sum); };
  };
  auto correlated = [](TFrm1& f) {  // two variables of one construct share a code
    AddDyadic(f, {"A1", "A2", "B1", "B2"}), AddConstructWith(f, "A", {"A1", "A2"}), AddConstructWith(f, "B", {"B1", "B2"});
    f.CorRecInfo.setText("01010000");
  };
  const std::pair<Build, const char*> rows[] = {
      {sizes("5", "12", "7"), " 512 0  7"}, {sizes("05", " 3", "42"), " 5 3 0 42"}, {sizes("0", "99", "999"), " 099 0999"},
      {sizes("", "2", "5"), "subgroup 1"}, {sizes("100", "2", "5"), "subgroup 1"},
      {sizes("2", "-1", "5"), "subgroup 2"}, {sizes("2", "4a", "5"), "subgroup 2"},
      {sizes("2", "2", "0"), "number of groups"},
      {sizes("2", "2", "1000"), "The number of groups must be a whole number from 1 to 999."},
      {[](TFrm1& f) { f.TxtGroupFortran.setText(std::string(321, 'F')); }, "format record"},
      {[](TFrm1& f) { f.ChkSecFmt.setChecked(true), f.TxtGroup2Fortran.setText(std::string(321, 'F')); }, "second variable format record"},
      {reversed("100000"), "sum of the upper limit"}, {reversed("x"), "sum of the upper limit"},
      {correlated, "Variables 1 and 2 cannot be correlated."},
  };
  // clang-format on
  for (const auto& [spoil, part] : rows) {
    SCOPED_TRACE(part);
    TempDir dir;
    writeFile(dir.file("study.set"), "previous content");
    NewStudy fx;
    Basics(fx.f, "Refused"), spoil(fx.f), fx.f.TxtSetFile.setText(dir.file("study.set"));
    const std::string composed = Composed(fx.f);
    if (fx.f.SaveSetFile()) {
      EXPECT_EQ(readFile(dir.file("study.set")).substr(82, 9), part);
      EXPECT_EQ(composed, readFile(dir.file("study.set")));
      continue;
    }
    EXPECT_EQ(readFile(dir.file("study.set")), "previous content");
    ASSERT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_NE(fx.ui.messages[0].text.find(part), std::string::npos) << fx.ui.messages[0].text;
    EXPECT_EQ(composed, "refused: " + fx.ui.messages[0].text);
  }
}

// An unmarked study writes no reverse line, whatever the sum; an empty sum counts as 0. A memo
// edited after loading may have lost its last break: the records end with one. Subjects dropped
// beyond the group size are not written.
TEST(SetFileWriter, TheReverseSumIsTrimmedAndPaddedTheRecordsEndOnceAndDroppedSubjectsFit) {
  NewStudy fx;
  Basics(fx.f, "Sums"), AddDyadic(fx.f, {"LIKE", "TRUST"}), fx.f.ChkReverseVar.setChecked(true);
  TempDir dir;
  fx.f.TxtSetFile.setText(dir.file("a.set")), fx.f.TxtRevScore.setText("not a number");
  EXPECT_TRUE(fx.f.SaveSetFile());
  ReverseScore(fx.f, "LIKE"), fx.f.TxtRevScore.setText("\t 12 ");
  EXPECT_TRUE(fx.f.SaveSetFile());
  EXPECT_EQ(fx.f.TxtRevScore.text(), "12");
  fx.f.TxtRevScore.setText("");
  EXPECT_NE(Composed(fx.f).find("\r\n0000010\r\n"), std::string::npos);

  Fixture r;
  ASSERT_TRUE(OpenThroughCommand(r, GoldenFile("reorder.set")));
  r.f.MemoReorder.setText("2 1 4 3\r\n1 2 3 4\r\n4 3 2 1\r\n3 4 1 2");
  EXPECT_EQ(Composed(r.f), readFile(GoldenFile("reorder.set")));

  NewStudy d;
  Basics(d.f, "Dropped");
  d.f.ChkDropSub.setChecked(true), DropSubject(d.f, 2), DropSubject(d.f, 4);
  d.f.TxtNumSubGroup2.setText("1");
  EXPECT_EQ(Composed(d.f).substr(Composed(d.f).size() - 5), "101\r\n");
}

// A failed save tells the file's name and the system's reason and leaves the old file whole;
// no save leaves a temporary file behind.
TEST(SetFileWriter, AFileThatCannotBeWrittenIsReportedAndTheOldOneStaysWhole) {
  TempDir dir;
  NewStudy fx;
  Basics(fx.f, "Atomic");
  auto save = [&](const std::string& name) {
    fx.f.TxtSetFile.setText(dir.file(name));
    fx.ui.messages.clear();
    return fx.f.SaveSetFile() ? std::string("written") : fx.ui.messages.at(0).text;
  };
  EXPECT_EQ(save("no folder/a.set"), "The set file " + dir.file("no folder/a.set") +
                                         " could not be written: No such file or directory.");
  writeFile(dir.file("read-only.set"), "previous content");
  fs::permissions(dir.file("read-only.set"), fs::perms::owner_read);
  EXPECT_NE(save("read-only.set").find("Permission denied"), std::string::npos);
  EXPECT_EQ(readFile(dir.file("read-only.set")), "previous content");
  fs::permissions(dir.file("read-only.set"), fs::perms::owner_write, fs::perm_options::add);
#ifndef _WIN32  // no symbolic links there
  writeFile(dir.file("linked.set"), "old");
  fs::create_symlink(dir.file("linked.set"), dir.file("link.set"));
  EXPECT_EQ(save("link.set"), "written");  // a link gets its file written, and stays a link
  EXPECT_TRUE(fs::is_symlink(dir.file("link.set")));
  EXPECT_EQ(readFile(dir.file("linked.set")).substr(0, 6), "Atomic");
  fs::remove(dir.file("link.set")), fs::remove(dir.file("linked.set"));
#endif
  writeFile(dir.file("good.set"), "old");
  EXPECT_EQ(save("good.set"), "written");
  EXPECT_EQ(readFile(dir.file("good.set")).substr(0, 6), "Atomic");
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    left.insert(entry.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{"good.set", "read-only.set"}));
}

// Where the set file view points, it names the field and the control that fills it.
TEST(SetFileWriter, EachColumnIsNamedByTheFieldThatHoldsIt) {
  const struct {
    const char* file;
    int line, column;
    const char *field, *control;
  } rows[] = {
      // clang-format off
      {"roommate.set", 1, 1, "Study title, columns 1-64", "TxtProgTitle"},
      {"roommate.set", 1, 81, "", ""},
      {"roommate.set", 2, 10, "Design type, column 10", "GroupBox14"},
      {"roommate.set", 3, 20, "Dyadic variable 2 name, columns 11-20", "CmbDyVar"},
      {"roommate.set", 5, 3, "Sum of the upper and lower limits of the scale, columns 1-5", "TxtRevScore"},
      {"roommate.set", 5, 7, "Reverse scoring of dyadic variable 2, column 7", "CmbDyVar"},
      {"roommate.set", 4, 1, "Personality variable 1 name, columns 1-10", "CmbPerVar"},
      {"roommate.set", 6, 4, "Group data input Fortran format record, characters 1-80, columns 1-80", "TxtGroupFortran"},
      {"roommate.set", 7, 3, "Subject 3 kept (1) or dropped (0), column 3", "CmbDrop"},
      {"constructs.set", 4, 6, "Construct number of dyadic variable 3, columns 5-6", "LstVarsConst"},
      {"constructs.set", 5, 1, "Correlated-error code of dyadic variable 1, columns 1-2", "CorVarList"},
      {"constructs.set", 6, 25, "Construct 3 name, columns 21-30", "CmbConst"},
      {"dyadic9.set", 4, 5, "Dyadic variable 9 name, columns 1-10", "CmbDyVar"},
      {"format50_100.set", 6, 9, "Second variable format record for subgroup 2, characters 81-160, columns 1-80", "TxtGroup2Fortran"},
      {"reorder.set", 5, 3, "Reorder record 2, column 3", "MemoReorder"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.line) + ":" + std::to_string(row.column) + " " + row.file);
    Fixture fx;
    ASSERT_TRUE(OpenThroughCommand(fx, GoldenFile(row.file)));
    ComposedSetFile composed;
    ComposeSetFile(fx.f, composed);
    const setfile::FieldAt field = FieldAtLine(composed, row.line, row.column);
    EXPECT_EQ(setfile::DescribeField(field, row.column) + "|" + field.control,
              std::string(row.field) + "|" + row.control);
  }
}

}  // namespace
}  // namespace wintarvel::testing
