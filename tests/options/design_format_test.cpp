// The design, data format and output option pages: what each choice enables, shows or clears.

#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(DesignType, EachDesignDecidesSubgroupNamesAndSelfMeasures) {
  NewStudy fx;
  TFrm1& f = fx.f;
  // The names of both subgroups with their labels, then self measures checked and enabled.
  const auto design = [&f] {
    return Visible({&f.Label14, &f.TxtNameSubGroup1, &f.Label15, &f.TxtNameSubGroup2}) + " " +
           Checked({&f.ChkSelfM}) + Enabled({&f.ChkSelfM}) + " " + f.TxtNameSubGroup1.text();
  };
  f.RadDesTy1.setChecked(true);
  EXPECT_EQ(design(), "1111 11 ");
  f.TxtNameSubGroup1.setText("Mothers");
  f.TxtNameSubGroup2.setText("Sons");
  f.ChkSelfM.setChecked(false);
  f.Modified = false;
  f.RadDesTy0.setChecked(true);  // symmetric: names erased, "no self measures" overruled
  EXPECT_EQ(design(), "0000 11 ");
  EXPECT_EQ(f.TxtNameSubGroup2.text(), "");
  EXPECT_TRUE(f.Modified);
  f.RadDesTy2.setChecked(true);
  EXPECT_EQ(design(), "1111 00 ");
  f.TxtNameSubGroup1.setText("Leaders");
  f.RadDesTy1.setChecked(true);  // the block designs keep the names
  EXPECT_EQ(design(), "1111 11 Leaders");
}

TEST(DataFormat, TheSecondFormatRecordIsEmptiedOnEveryChange) {
  NewStudy fx;
  Edit& second = fx.f.TxtGroup2Fortran;
  fx.f.ChkSecFmt.setChecked(true);
  EXPECT_EQ(Enabled({&second}) + Visible({&second}), "11");
  EXPECT_TRUE(fx.f.Modified);
  second.setText("(2X,10F1.0)");
  fx.f.Modified = false;
  fx.f.ChkSecFmt.setChecked(false);
  EXPECT_EQ(second.text(), "");
  EXPECT_EQ(Enabled({&second}) + Visible({&second}), "00");
  EXPECT_TRUE(fx.f.Modified);
  second.setText("(2X,10F1.0)");  // as a reader might, before it sets the box
  fx.f.ChkSecFmt.setChecked(true);
  EXPECT_EQ(second.text(), "");
}

TEST(DataFormat, ReadingPersonalityVariablesAfterNeedsARoundRobinOrABlockWithPersonInput) {
  NewStudy fx;
  TFrm1& f = fx.f;
  for (RadioButton* r : {&f.RBPerBeforeDy, &f.RBPerAfterDy}) r->setEnabled(true);
  f.RadInpPat1.setChecked(true);  // round robin with dyad input
  f.RBPerAfterDy.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), 1);
  // Block with dyad input clears "after" and selects nothing in its place.
  f.Modified = false;
  f.RadInpPat0.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), -1);
  EXPECT_TRUE(f.Modified);
  f.RBPerAfterDy.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), -1);
  f.RBPerBeforeDy.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), 0);
  // A half block forbids it too, but choosing the design does not run the rule: the next click
  // on an input pattern does.
  f.RadInpPat3.setChecked(true);
  f.RBPerAfterDy.setChecked(true);
  f.RadDesTy2.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), 1);
  f.RadInpPat4.setChecked(true);
  EXPECT_EQ(f.ReadOrder.checkedIndex(), -1);
}

TEST(OutputOptions, OnlyTheChoicesThatWriteAFileEnableItsName) {
  Fixture fx;
  TFrm1& f = fx.f;
  const auto names = [&f] {
    return Enabled({&f.TxtCoVar, &f.LblCoVar, &f.CmdCoVar}) + " " +
           Enabled({&f.TxtIndDif, &f.LblIndDif, &f.CmdIndDif});
  };
  EXPECT_EQ(names(), "000 000");
  f.RadOut4.setChecked(true);
  f.RadAP1.setChecked(true);
  f.Modified = false;
  f.BtnNewSetClick();
  EXPECT_EQ(names(), "000 000") << "after New";
  f.RadOut4.setChecked(true);
  EXPECT_EQ(names(), "111 000");
  f.TxtCoVar.setText("study.cov");
  f.Modified = false;
  f.RadOut3.setChecked(true);
  EXPECT_EQ(names(), "000 000");
  EXPECT_EQ(f.TxtCoVar.text(), "study.cov");
  EXPECT_TRUE(f.Modified);
  f.RadAP1.setChecked(true);
  EXPECT_EQ(names(), "000 111");
  f.TxtIndDif.setText("study.eff");
  f.RadAP2.setChecked(true);
  EXPECT_EQ(names(), "000 111");
  f.RadAP0.setChecked(true);
  EXPECT_EQ(names(), "000 000");
  EXPECT_EQ(f.TxtIndDif.text(), "study.eff");
}

}  // namespace
}  // namespace wintarvel::testing
