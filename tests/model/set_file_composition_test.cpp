// The composition a save writes and the set file view shows: for every golden file it is the file
// byte for byte, it changes nothing in the study, it says why a save would write nothing, and
// each column of it is named by the one table of the set file's fields.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/frm1.h"
#include "model/set_file_writer.h"
#include "study_building.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {
namespace {

std::string Composed(const TFrm1& f) {
  ComposedSetFile composed;
  ComposeSetFile(f, composed);
  return composed.refusal.empty() ? composed.text : "refused: " + composed.refusal;
}

TEST(SetFileComposition, EveryGoldenFileComposesAsTheSaveWritesItWithoutChangingTheStudy) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(WINTARVEL_TEST_DATA)) {
    if (entry.path().extension() != ".set") continue;
    SCOPED_TRACE(entry.path().string());
    ++files;
    Fixture fx;
    fx.f.BtnNewSetClick();
    ASSERT_TRUE(OpenThroughCommand(fx, entry.path().string()));
    const auto before = Snapshot(fx.f);
    const std::string composed = Composed(fx.f);
    ExpectSameStudy(before, Snapshot(fx.f));
    EXPECT_FALSE(fx.f.Modified);

    TempDir dir;
    fx.f.TxtSetFile.setText(dir.file("saved.set"));
    ASSERT_TRUE(fx.f.SaveSetFile());
    EXPECT_EQ(composed, readFile(dir.file("saved.set")));
    EXPECT_EQ(composed, readFile(entry.path().string()));
  }
  EXPECT_GE(files, 15);
}

TEST(SetFileComposition, AStudyTheSaveWouldCompleteShowsTheCompletedFileAndStaysAsItWas) {
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Constructs");
  AddDyadic(fx.f, {"LIKE", "TRUST", "ANXIOUS", "HOSTILE"});
  AddConstructWith(fx.f, "POS", {"LIKE", "TRUST"});
  AddConstructWith(fx.f, "NEG", {"ANXIOUS"});
  const auto before = Snapshot(fx.f);
  const std::string composed = Composed(fx.f);
  EXPECT_EQ(composed, readFile(GoldenFile("constructs.set")));
  ExpectSameStudy(before, Snapshot(fx.f));
  EXPECT_EQ(fx.f.CmbConst.count(), 2);
  EXPECT_TRUE(fx.ui.messages.empty());

  TempDir dir;
  fx.f.TxtSetFile.setText(dir.file("c.set"));
  ASSERT_TRUE(fx.f.SaveSetFile());
  EXPECT_EQ(readFile(dir.file("c.set")), composed);
  EXPECT_EQ(Composed(fx.f), composed);  // after the save's own completion, the same again
}

TEST(SetFileComposition, WhatASaveWouldRefuseGivesItsMessageInsteadOfTheText) {
  Fixture fx;
  fx.f.BtnNewSetClick();
  Basics(fx.f, "Refused");
  fx.f.TxtNumGroups.setText("1000");
  EXPECT_EQ(Composed(fx.f), "refused: The number of groups must be a whole number from 1 to 999.");
  fx.f.TxtNumGroups.setText("5");
  AddDyadic(fx.f, {"A1", "A2", "B1", "B2"});
  AddConstructWith(fx.f, "A", {"A1", "A2"});
  AddConstructWith(fx.f, "B", {"B1", "B2"});
  fx.f.CorRecInfo.setText("01010000");  // two variables of one construct share a code
  EXPECT_EQ(Composed(fx.f), "refused: Variables 1 and 2 cannot be correlated.");
  EXPECT_EQ(fx.f.CorRecInfo.text(), "01010000");
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST(SetFileComposition, EachColumnIsNamedByTheFieldThatHoldsIt) {
  struct Row {
    const char* file;
    int line;
    int column;
    const char* field;    // as the view names it
    const char* control;  // the control that fills it
  };
  const Row rows[] = {
      {"roommate.set", 1, 1, "Study title, columns 1-64", "TxtProgTitle"},
      {"roommate.set", 1, 70, "Subgroup 1 name, columns 65-72", "TxtNameSubGroup1"},
      {"roommate.set", 1, 80, "Subgroup 2 name, columns 73-80", "TxtNameSubGroup2"},
      {"roommate.set", 1, 81, "", ""},
      {"roommate.set", 2, 2, "Number in subgroup 1, columns 1-2", "TxtNumSubGroup1"},
      {"roommate.set", 2, 8, "Number of groups, columns 7-9", "TxtNumGroups"},
      {"roommate.set", 2, 10, "Design type, column 10", "GroupBox14"},
      {"roommate.set", 2, 15, "Number of personality variables, columns 14-15", "CmbPerVar"},
      {"roommate.set", 2, 19, "Format record lines after the first, column 19", "TxtGroupFortran"},
      {"roommate.set", 2, 27, "Reverse scoring, column 27", "ChkReverseVar"},
      {"roommate.set", 2, 28, "", ""},
      {"roommate.set", 3, 15, "Dyadic variable 2 name, columns 11-20", "CmbDyVar"},
      {"roommate.set", 4, 1, "Personality variable 1 name, columns 1-10", "CmbPerVar"},
      {"roommate.set", 5, 3, "Sum of the upper and lower limits of the scale, columns 1-5",
       "TxtRevScore"},
      {"roommate.set", 5, 7, "Reverse scoring of dyadic variable 2, column 7", "CmbDyVar"},
      {"roommate.set", 6, 4,
       "Group data input Fortran format record, characters 1-80, columns 1-80", "TxtGroupFortran"},
      {"roommate.set", 7, 3, "Subject 3 kept (1) or dropped (0), column 3", "CmbDrop"},
      {"constructs.set", 3, 40, "Dyadic variable 4 name, columns 31-40", "CmbDyVar"},
      {"constructs.set", 4, 6, "Construct number of dyadic variable 3, columns 5-6",
       "LstVarsConst"},
      {"constructs.set", 5, 1, "Correlated-error code of dyadic variable 1, columns 1-2",
       "CorVarList"},
      {"constructs.set", 6, 25, "Construct 3 name, columns 21-30", "CmbConst"},
      {"dyadic9.set", 4, 5, "Dyadic variable 9 name, columns 1-10", "CmbDyVar"},
      {"format50_100.set", 5, 9,
       "Second variable format record for subgroup 2, characters 1-80, columns 1-80",
       "TxtGroup2Fortran"},
      {"format50_100.set", 6, 9,
       "Second variable format record for subgroup 2, characters 81-160, columns 1-80",
       "TxtGroup2Fortran"},
      {"reorder.set", 5, 3, "Reorder record 2, column 3", "MemoReorder"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.file) + " line " + std::to_string(row.line) + " column " +
                 std::to_string(row.column));
    Fixture fx;
    fx.f.BtnNewSetClick();
    ASSERT_TRUE(OpenThroughCommand(fx, GoldenFile(row.file)));
    ComposedSetFile composed;
    ComposeSetFile(fx.f, composed);
    const setfile::FieldAt field = FieldAtLine(composed, row.line, row.column);
    EXPECT_EQ(setfile::DescribeField(field, row.column), row.field);
    EXPECT_EQ(field.control, row.control);
  }
}

}  // namespace
}  // namespace wintarvel::testing
