// The design, data format and output option pages: what each choice enables, shows or clears,
// and the edits that mark the study as changed. Closing the window must never drop a value the
// set file stores without asking; the file names are not stored and leave the study unmarked.

#include <utility>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(OptionPages, EachDesignAndOutputChoiceShowsEnablesOrClearsItsFields) {
  NewStudy s;
  TFrm1& f = s.f;
  f.TxtCoVar.setText("study.cov");
  f.TxtIndDif.setText("study.eff");
  // Each choice is made with subgroup names typed and self measures off. Then: the names with
  // their labels shown, self measures checked and enabled, the names, the file name fields of the
  // covariances and of the effect estimates enabled with their labels and buttons.
  const std::pair<RadioButton*, const char*> rows[] = {
      {&f.RadDesTy1, "1111 11 MS 000 000"}, {&f.RadDesTy0, "0000 11  000 000"},
      {&f.RadDesTy2, "1111 00 MS 000 000"}, {&f.RadDesTy1, "1111 11 MS 000 000"},
      {&f.RadOut4, "1111 01 MS 111 000"},   {&f.RadOut3, "1111 01 MS 000 000"},
      {&f.RadAP1, "1111 01 MS 000 111"},    {&f.RadAP2, "1111 01 MS 000 111"},
      {&f.RadAP0, "1111 01 MS 000 000"}};
  for (const auto& [button, expected] : rows) {
    f.TxtNameSubGroup1.setText("M");
    f.TxtNameSubGroup2.setText("S");
    f.ChkSelfM.setChecked(false);
    f.Modified = false;
    button->setChecked(true);
    EXPECT_EQ(Visible({&f.Label14, &f.TxtNameSubGroup1, &f.Label15, &f.TxtNameSubGroup2}) + " " +
                  Checked({&f.ChkSelfM}) + Enabled({&f.ChkSelfM}) + " " +
                  f.TxtNameSubGroup1.text() + f.TxtNameSubGroup2.text() + " " +
                  Enabled({&f.TxtCoVar, &f.LblCoVar, &f.CmdCoVar}) + " " +
                  Enabled({&f.TxtIndDif, &f.LblIndDif, &f.CmdIndDif}),
              expected);
    EXPECT_TRUE(f.Modified);
  }
  EXPECT_EQ(f.TxtCoVar.text() + f.TxtIndDif.text(), "study.covstudy.eff");
}

TEST(DataFormat, TheSecondRecordStartsEmptyAndReadingPersonalityVariablesAfterNeedsItsInput) {
  NewStudy s;
  TFrm1& f = s.f;
  Edit& second = f.TxtGroup2Fortran;
  for (bool on : {true, false, true}) {
    second.setText("(2X,10F1.0)");  // as a reader might, before it sets the box
    f.Modified = false;
    f.ChkSecFmt.setChecked(on);
    EXPECT_EQ(Enabled({&second}) + Visible({&second}) + second.text(), on ? "11" : "00");
    EXPECT_TRUE(f.Modified);
  }
  for (RadioButton* r : {&f.RBPerBeforeDy, &f.RBPerAfterDy}) r->setEnabled(true);
  f.RadInpPat1.setChecked(true);  // round robin with dyad input
  f.RBPerAfterDy.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), 1);
  f.Modified = false;
  f.RadInpPat0.setChecked(true);  // block with dyad input clears "after", selecting nothing
  EXPECT_EQ(f.ReadOrder.checkedIndex(), -1);
  EXPECT_TRUE(f.Modified);
  // A half block forbids it too, but only the next click on an input pattern runs the rule.
  f.RadInpPat3.setChecked(true);
  f.RBPerAfterDy.setChecked(true);
  f.RadDesTy2.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), 1);
  f.RadInpPat4.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), -1);
}

TEST(ModifiedFlag, EveryEditOfAStoredValueMarksTheStudyButFileNamesDoNot) {
  NewStudy s;
  TFrm1& f = s.f;
  for (Edit* name : {&f.TxtSetFile, &f.TxtDataFile, &f.TxtOutFile, &f.TxtCoVar, &f.TxtIndDif})
    name->setText("study.x");
  EXPECT_FALSE(f.Modified);
  std::string marked;
  const auto mark = [&](auto edit) {
    f.Modified = false, edit(), marked += f.Modified ? '1' : '0';
  };
  for (Edit* e : {&f.TxtProgTitle, &f.TxtNumSubGroup1, &f.TxtNumSubGroup2, &f.TxtNumGroups,
                  &f.TxtNameSubGroup1, &f.TxtNameSubGroup2, &f.TxtRevScore, &f.TxtGroupFortran})
    mark([e] { e->setText("3"); });
  for (CheckBox* c : {&f.ChkSelfM, &f.ChkTechOut, &f.ChkRawData})
    mark([c] { c->setChecked(!c->checked()); });
  mark([&f] { f.MemoReorder.setText("1 2 3"); });
  EXPECT_EQ(marked, std::string(12, '1'));
}

}  // namespace
}  // namespace wintarvel::testing
