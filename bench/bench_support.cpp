#include "bench/bench_support.h"

#include <cstdio>
#include <stdexcept>

namespace wintarvel::bench {

namespace {

constexpr int kVariables = 20;

std::string Numbered(const char* prefix, int n) {
  char name[16];
  std::snprintf(name, sizeof name, "%s%02d", prefix, n);
  return name;
}

// A Fortran format record of exactly `length` characters.
std::string FormatRecord(std::size_t length) {
  std::string record = "(";
  while (record.size() + 6 <= length - 1) record += "F3.0, ";
  record.resize(length - 1, ' ');
  return record + ")";
}

}  // namespace

std::string ReorderRecord(int index) {
  std::string record;
  for (int column = 0; column < 26; ++column) {
    char field[8];
    std::snprintf(field, sizeof field, "%3d", 1 + (index + column) % kLargestGroupSize);
    record += field;
  }
  return record;
}

std::string ReorderText(int records) {
  std::string text;
  text.reserve(static_cast<std::size_t>(records) * 80);
  for (int i = 0; i < records; ++i) text += ReorderRecord(i) + "\r\n";
  return text;
}

void SetUpLargestReorder(TFrm1& f) {
  f.BtnNewSetClick();
  f.TxtNumSubGroup1.setText("99");
  f.TxtNumSubGroup2.setText("99");
  f.RadRePat6.setChecked(true);
  f.RadReNewSame0.setChecked(true);
  f.TxtNumGroups.setText("999");
  if (f.ReorderRecordCount != kLargestReorderRecords) {
    throw std::logic_error("the reorder settings do not need the largest number of records");
  }
}

void BuildLargestStudy(TFrm1& f) {
  SetUpLargestReorder(f);
  f.TxtProgTitle.setText(std::string(64, 'T'));
  f.TxtNameSubGroup1.setText("First");
  f.TxtNameSubGroup2.setText("Second");
  for (int i = 1; i <= kVariables; ++i) {
    f.TxtDyVars.setText(Numbered("DYADIC", i));
    f.CmdDyVarAddClick();
    f.TxtPerVars.setText(Numbered("PERSON", i));
    f.CmdPerVarAddClick();
    f.TxtConstruct.setText(Numbered("EMPTY", i));
    f.CmdConstAddClick();
  }
  f.RBPerAfterDy.setChecked(true);
  f.TxtGroupFortran.setText(FormatRecord(320));
  f.ChkSecFmt.setChecked(true);
  f.TxtGroup2Fortran.setText(FormatRecord(320));
  f.MemoReorder.setText(ReorderText(kLargestReorderRecords));
  f.ChkDropSub.setChecked(true);
  for (int subject = 1; subject <= kLargestGroupSize; subject += 3) {
    f.CmbDrop.setItemIndex(subject - 1);
    f.CmdDropClick();
  }
  if (f.ReorderRecordCount != kLargestReorderRecords || f.CmbDyVar.count() != kVariables ||
      f.CmbPerVar.count() != kVariables || f.CmbConst.count() != kVariables ||
      f.CmbDrop.count() != kLargestGroupSize) {
    throw std::logic_error("the largest study was not built as intended");
  }
}

void WriteLargestStudyFile(const std::string& path) {
  SilentUi ui;
  InertPlatform platform;
  TFrm1 f(ui, platform, "/");
  BuildLargestStudy(f);
  f.TxtSetFile.setText(path);
  if (!f.SaveSetFile() || f.CmbConst.count() != 2 * kVariables) {
    throw std::runtime_error("the largest study could not be saved to " + path);
  }
}

}  // namespace wintarvel::bench
