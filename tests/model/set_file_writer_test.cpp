// The set file writer: studies built through the handlers come out byte for byte as the golden
// files written by hand from the layout; those files read back into the same controls and save
// again unchanged. Numbers are checked before the file is touched, and a failed write leaves the
// previous file whole.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "model/frm1.h"
#include "study_building.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  const char* file;
  std::function<void(TFrm1&)> build;
  // Controls that read back differently from how the study was built.
  std::map<std::string, std::string> readBackDifferences;
};

// Without constructs the reader leaves both code strings empty.
std::map<std::string, std::string> noCodeStrings(std::map<std::string, std::string> more = {}) {
  more["ConRecInfo"] = "";
  more["CorRecInfo"] = "";
  return more;
}

// A small study of `n` dyadic variables VAR1, VAR2, ...
std::function<void(TFrm1&)> withVariables(const std::string& title, int n) {
  return [title, n](TFrm1& f) {
    Basics(f, title);
    for (int i = 1; i <= n; ++i) AddDyadic(f, {"VAR" + std::to_string(i)});
  };
}

const std::string k80 =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

std::vector<GoldenCase> goldenCases() {
  return {
      {"roommate.set", BuildRoommateStudy, noCodeStrings({{"TxtRevScore", "00008"}})},
      {"minimal.set",
       [](TFrm1& f) {
         f.TxtProgTitle.setText("Minimal study");
         f.TxtNumSubGroup1.setText("3");
         f.TxtNumSubGroup2.setText("2");
         f.TxtNumGroups.setText("5");
       },
       {}},
      {"dyadic8.set", withVariables("Eight dyadic variables", 8), noCodeStrings()},
      {"dyadic9.set", withVariables("Nine dyadic variables", 9), noCodeStrings()},
      {"dyadic16.set", withVariables("Sixteen dyadic variables", 16), noCodeStrings()},
      {"dyadic17.set", withVariables("Seventeen dyadic variables", 17), noCodeStrings()},
      {"name10.set",
       [](TFrm1& f) {
         Basics(f, "Long names");
         AddDyadic(f, {"ABCDEFGHIJ", "KLMNOPQRST"});
         AddPersonality(f, {"EXTRAVERSI"});
       },
       noCodeStrings()},
      {"format80.set",
       [](TFrm1& f) {
         Basics(f, "Format of 80");
         f.TxtGroupFortran.setText(k80);
       },
       {}},
      {"format81.set",
       [](TFrm1& f) {
         Basics(f, "Format of 81");
         f.TxtGroupFortran.setText(k80 + "X");
       },
       {}},
      {"format50_100.set",
       [](TFrm1& f) {
         Basics(f, "Two formats");
         f.TxtGroupFortran.setText("ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ");
         f.ChkSecFmt.setChecked(true);
         f.TxtGroup2Fortran.setText(k80 + "12345678901234567890");
       },
       {}},
      {"reverse_marked.set",
       [](TFrm1& f) {
         Basics(f, "Reverse scored");
         AddDyadic(f, {"LIKE", "TRUST", "ANXIOUS"});
         f.ChkReverseVar.setChecked(true);
         ReverseScore(f, "TRUST");
         ReverseScore(f, "ANXIOUS");
         f.TxtRevScore.setText(" 7 ");
       },
       noCodeStrings({{"TxtRevScore", "00007"}})},
      {"reverse_unmarked.set",
       [](TFrm1& f) {
         Basics(f, "Reverse not marked");
         AddDyadic(f, {"LIKE", "TRUST", "ANXIOUS"});
         f.ChkReverseVar.setChecked(true);
         f.TxtRevScore.setText("5");
       },
       // Nothing in the file says reverse scoring was on.
       noCodeStrings({{"ChkReverseVar", "00"}, {"TxtRevScore", ""}})},
      {"reorder.set",
       [](TFrm1& f) {
         Basics(f, "Reordered", "2");
         f.RadRePat4.setChecked(true);
         f.RadReNewSame0.setChecked(true);
         f.MemoReorder.setText("2 1 4 3\r\n1 2 3 4\r\n4 3 2 1\r\n3 4 1 2");
       },
       {}},
      {"dropped.set",
       [](TFrm1& f) {
         Basics(f, "Dropped");
         f.ChkDropSub.setChecked(true);
         DropSubject(f, 1);
         DropSubject(f, 4);
       },
       {}},
      {"constructs.set",
       [](TFrm1& f) {
         Basics(f, "Constructs");
         AddDyadic(f, {"LIKE", "TRUST", "ANXIOUS", "HOSTILE"});
         AddConstructWith(f, "POS", {"LIKE", "TRUST"});
         AddConstructWith(f, "NEG", {"ANXIOUS"});
       },
       {}},
  };
}

TEST(SetFileWriter, StudiesBuiltThroughTheWindowMatchTheGoldenFilesAndReadBackUnchanged) {
  for (const GoldenCase& c : goldenCases()) {
    SCOPED_TRACE(c.file);
    TempDir dir;
    const std::string golden = GoldenFile(c.file);

    Fixture built;
    built.f.BtnNewSetClick();
    c.build(built.f);
    built.f.TxtSetFile.setText(dir.file("built.set"));
    ASSERT_TRUE(built.f.SaveSetFile());
    EXPECT_EQ(readFile(dir.file("built.set")), readFile(golden));
    EXPECT_TRUE(built.ui.messages.empty());

    // The title line's texts come back padded to their columns.
    auto expected = Snapshot(built.f);
    expected["TxtProgTitle"].resize(64, ' ');
    expected["TxtNameSubGroup1"].resize(8, ' ');
    expected["TxtNameSubGroup2"].resize(8, ' ');
    for (const auto& [control, value] : c.readBackDifferences) expected[control] = value;
    Fixture opened;
    opened.f.BtnNewSetClick();
    ASSERT_TRUE(OpenThroughCommand(opened, golden));
    ExpectSameStudy(expected, Snapshot(opened.f));
    EXPECT_TRUE(opened.ui.messages.empty());

    opened.f.TxtSetFile.setText(dir.file("again.set"));
    ASSERT_TRUE(opened.f.SaveSetFile());
    EXPECT_EQ(readFile(dir.file("again.set")), readFile(golden));
  }
}

// The parameter line of a study of the given sizes and number of groups.
std::string parameterLineFor(const std::string& size1, const std::string& size2,
                             const std::string& groups) {
  Fixture fx;
  fx.f.BtnNewSetClick();
  TempDir dir;
  fx.f.TxtNumSubGroup1.setText(size1);
  fx.f.TxtNumSubGroup2.setText(size2);
  fx.f.TxtNumGroups.setText(groups);
  fx.f.TxtSetFile.setText(dir.file("p.set"));
  if (!fx.f.SaveSetFile()) return "not written";
  const std::string content = readFile(dir.file("p.set"));
  return content.substr(82, 9);  // sizes, dyadic count and groups
}

TEST(SetFileWriter, CountsAreRightJustifiedInTheirColumns) {
  EXPECT_EQ(parameterLineFor("5", "12", "7"), " 512 0  7");
  EXPECT_EQ(parameterLineFor("05", " 3", "42"), " 5 3 0 42");
  EXPECT_EQ(parameterLineFor("0", "99", "999"), " 099 0999");
}

// Saves a study whose one field is wrong: nothing is written, the previous file stays, and the
// message names the field.
void expectRefused(const std::function<void(TFrm1&)>& spoil, const std::string& field) {
  SCOPED_TRACE(field);
  TempDir dir;
  const std::string path = dir.file("study.set");
  writeFile(path, "previous content");
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Refused");
  spoil(fx.f);
  fx.f.TxtSetFile.setText(path);
  EXPECT_FALSE(fx.f.SaveSetFile());
  EXPECT_EQ(readFile(path), "previous content");
  ASSERT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_NE(fx.ui.messages[0].text.find(field), std::string::npos) << fx.ui.messages[0].text;
}

TEST(SetFileWriter, NumbersThatDoNotFitTheirColumnsAreRefusedBeforeTheFileIsTouched) {
  expectRefused([](TFrm1& f) { f.TxtNumSubGroup1.setText(""); }, "subgroup 1");
  expectRefused([](TFrm1& f) { f.TxtNumSubGroup1.setText("100"); }, "subgroup 1");
  expectRefused([](TFrm1& f) { f.TxtNumSubGroup2.setText("-1"); }, "subgroup 2");
  expectRefused([](TFrm1& f) { f.TxtNumSubGroup2.setText("4a"); }, "subgroup 2");
  expectRefused([](TFrm1& f) { f.TxtNumGroups.setText("0"); }, "number of groups");
  expectRefused([](TFrm1& f) { f.TxtNumGroups.setText("1000"); }, "number of groups");
  expectRefused([](TFrm1& f) { f.TxtGroupFortran.setText(std::string(321, 'F')); },
                "format record");
  expectRefused(
      [](TFrm1& f) {
        f.ChkSecFmt.setChecked(true);
        f.TxtGroup2Fortran.setText(std::string(321, 'F'));
      },
      "second variable format record");
  auto reversed = [](const std::string& sum) {
    return [sum](TFrm1& f) {
      AddDyadic(f, {"LIKE"});
      f.ChkReverseVar.setChecked(true);
      ReverseScore(f, "LIKE");
      f.TxtRevScore.setText(sum);
    };
  };
  expectRefused(reversed("100000"), "sum of the upper limit");
  expectRefused(reversed("x"), "sum of the upper limit");
}

TEST(SetFileWriter, TheReverseScoreSumIsTrimmedAndZeroPaddedAndOnlyCheckedWhenWritten) {
  TempDir dir;
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Sums");
  AddDyadic(fx.f, {"LIKE", "TRUST"});
  fx.f.ChkReverseVar.setChecked(true);
  fx.f.TxtRevScore.setText("not a number");  // no variable marked: the line is not written
  fx.f.TxtSetFile.setText(dir.file("a.set"));
  EXPECT_TRUE(fx.f.SaveSetFile());
  EXPECT_EQ(fx.f.TxtRevScore.text(), "not a number");

  ReverseScore(fx.f, "LIKE");
  fx.f.TxtRevScore.setText("\t 12 ");
  EXPECT_TRUE(fx.f.SaveSetFile());
  EXPECT_EQ(fx.f.TxtRevScore.text(), "12");
  EXPECT_NE(readFile(dir.file("a.set")).find("\r\n0001210\r\n"), std::string::npos);

  fx.f.TxtRevScore.setText("");  // an empty sum counts as 0
  EXPECT_TRUE(fx.f.SaveSetFile());
  EXPECT_NE(readFile(dir.file("a.set")).find("\r\n0000010\r\n"), std::string::npos);
}

TEST(SetFileWriter, ReorderRecordsEndWithExactlyOneLineBreak) {
  TempDir dir;
  const std::string golden = readFile(GoldenFile("reorder.set"));
  for (const char* memo : {"2 1 4 3\r\n1 2 3 4\r\n4 3 2 1\r\n3 4 1 2",
                           "2 1 4 3\r\n1 2 3 4\r\n4 3 2 1\r\n3 4 1 2\r\n"}) {
    for (bool loaded : {false, true}) {
      Fixture fx;
      fx.f.BtnNewSetClick();
      Basics(fx.f, "Reordered", "2");
      fx.f.RadRePat4.setChecked(true);
      fx.f.RadReNewSame0.setChecked(true);
      fx.f.MemoReorder.setText(memo);
      fx.f.LoadedFromFile = loaded;  // a memo edited after loading may have lost its last break
      fx.f.TxtSetFile.setText(dir.file("r.set"));
      ASSERT_TRUE(fx.f.SaveSetFile());
      EXPECT_EQ(readFile(dir.file("r.set")), golden) << "loaded " << loaded << " memo " << memo;
      EXPECT_EQ(fx.f.ReorderRecordCount, 4);
      EXPECT_EQ(fx.f.GroupSize, 4);
    }
  }
}

TEST(SetFileWriter, DroppedSubjectsBeyondTheGroupSizeAreNotWritten) {
  TempDir dir;
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Dropped");
  fx.f.ChkDropSub.setChecked(true);
  DropSubject(fx.f, 2);
  DropSubject(fx.f, 4);
  fx.f.TxtNumSubGroup2.setText("1");  // the group shrinks to three after subject 4 was dropped
  fx.f.TxtSetFile.setText(dir.file("d.set"));
  ASSERT_TRUE(fx.f.SaveSetFile());
  const std::string content = readFile(dir.file("d.set"));
  EXPECT_EQ(content.substr(content.size() - 5), "101\r\n");
  EXPECT_EQ(fx.f.GroupSize, 3);
}

TEST(SetFileWriter, InconsistentCorrelationsWriteNothing) {
  TempDir dir;
  const std::string path = dir.file("c.set");
  writeFile(path, "previous content");
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Correlations");
  AddDyadic(fx.f, {"A1", "A2", "B1", "B2"});
  AddConstructWith(fx.f, "A", {"A1", "A2"});
  AddConstructWith(fx.f, "B", {"B1", "B2"});
  fx.f.CorRecInfo.setText("01010000");  // two variables of one construct share a code
  fx.f.TxtSetFile.setText(path);
  EXPECT_FALSE(fx.f.SaveSetFile());
  EXPECT_EQ(readFile(path), "previous content");
  ASSERT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_EQ(fx.ui.messages[0].text, "Variables 1 and 2 cannot be correlated.");
}

TEST(SetFileWriter, AStudyWithoutAFileNameAsksForOneAndWritesNothingWhenCancelled) {
  TempDir dir;
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Unnamed");
  fx.ui.queueCancelledDialog();
  EXPECT_FALSE(fx.f.SaveSetFile());
  ASSERT_EQ(fx.ui.dialogs.size(), 1u);
  EXPECT_EQ(fx.ui.dialogs[0].kind, FileDialogKind::Save);
  EXPECT_EQ(fx.ui.dialogs[0].defaultExt, "set");
  EXPECT_EQ(fx.ui.dialogs[0].fileName, "*.set");
  EXPECT_EQ(fx.f.TxtSetFile.text(), "");

  fx.ui.queueFile(dir.file("named.set"));
  EXPECT_TRUE(fx.f.SaveSetFile());
  EXPECT_EQ(fx.f.TxtSetFile.text(), dir.file("named.set"));
  EXPECT_TRUE(fs::exists(dir.file("named.set")));
}

// Everything in a folder but the given file: a failed or finished save leaves no temporary file.
std::vector<std::string> othersIn(const TempDir& dir, const std::string& keep) {
  std::vector<std::string> others;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (entry.path().filename() != keep) others.push_back(entry.path().filename().string());
  }
  return others;
}

TEST(SetFileWriter, AFileThatCannotBeWrittenIsReportedAndTheOldOneStaysWhole) {
  TempDir dir;
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Atomic");

  // The target is a folder: the temporary file is written but cannot replace it.
  const std::string folder = dir.file("taken.set");
  fs::create_directory(folder);
  writeFile(folder + "/inside", "kept");
  fx.f.TxtSetFile.setText(folder);
  EXPECT_FALSE(fx.f.SaveSetFile());
  EXPECT_EQ(readFile(folder + "/inside"), "kept");
  ASSERT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_NE(fx.ui.messages[0].text.find(folder), std::string::npos);
  EXPECT_TRUE(othersIn(dir, "taken.set").empty());

  // The folder does not exist.
  const std::string missing = dir.file("no such folder/study.set");
  fx.f.TxtSetFile.setText(missing);
  EXPECT_FALSE(fx.f.SaveSetFile());
  ASSERT_EQ(fx.ui.messages.size(), 2u);
  EXPECT_NE(fx.ui.messages[1].text.find(missing), std::string::npos);
  EXPECT_NE(fx.ui.messages[1].text.find("No such file or directory"), std::string::npos);

  // A read-only file is not replaced.
  const std::string readOnly = dir.file("read-only.set");
  writeFile(readOnly, "previous content");
  fs::permissions(readOnly, fs::perms::owner_read);
  fx.f.TxtSetFile.setText(readOnly);
  EXPECT_FALSE(fx.f.SaveSetFile());
  EXPECT_EQ(readFile(readOnly), "previous content");
  ASSERT_EQ(fx.ui.messages.size(), 3u);
  EXPECT_NE(fx.ui.messages[2].text.find("Permission denied"), std::string::npos);
  fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add);  // Windows needs it
  fs::remove(readOnly);

#ifndef _WIN32  // a folder's permission bits do not make it read-only on Windows
  // A read-only folder keeps the old file (permission bits do not stop root).
  if (::geteuid() != 0) {
    const std::string locked = dir.file("locked");
    fs::create_directory(locked);
    writeFile(locked + "/study.set", "previous content");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    fx.f.TxtSetFile.setText(locked + "/study.set");
    EXPECT_FALSE(fx.f.SaveSetFile());
    EXPECT_EQ(readFile(locked + "/study.set"), "previous content");
    EXPECT_EQ(fx.ui.messages.size(), 4u);
    fs::permissions(locked, fs::perms::owner_all);
    fs::remove_all(locked);
  }
#endif

#ifndef _WIN32  // MinGW's filesystem library has no symbolic links
  // A link gets its file written, and stays a link.
  const std::string linked = dir.file("linked.set");
  const std::string link = dir.file("link.set");
  writeFile(linked, "old");
  fs::create_symlink(linked, link);
  fx.f.TxtSetFile.setText(link);
  EXPECT_TRUE(fx.f.SaveSetFile());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(readFile(linked).substr(0, 6), "Atomic");
  fs::remove(link);
  fs::remove(linked);
#endif

  // A good save replaces the old file and leaves nothing else behind.
  const std::string good = dir.file("good.set");
  writeFile(good, "old");
  fx.f.TxtSetFile.setText(good);
  EXPECT_TRUE(fx.f.SaveSetFile());
  EXPECT_EQ(readFile(good).substr(0, 6), "Atomic");
  fs::remove_all(folder);
  EXPECT_TRUE(othersIn(dir, "good.set").empty());
}

}  // namespace
}  // namespace wintarvel::testing
