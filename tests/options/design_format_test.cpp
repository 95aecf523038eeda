#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

// The names of both subgroups with their labels, shown ("1111") or hidden ("0000").
std::string subgroupNames(const TFrm1& f) {
  return Visible({&f.Label14, &f.TxtNameSubGroup1, &f.Label15, &f.TxtNameSubGroup2});
}

TEST(DesignType, EachDesignDecidesSubgroupNamesAndSelfMeasures) {
  NewStudy fx;
  fx.f.RadDesTy1.setChecked(true);
  EXPECT_EQ(subgroupNames(fx.f), "1111");
  EXPECT_TRUE(fx.f.ChkSelfM.checked());
  EXPECT_TRUE(fx.f.ChkSelfM.enabled());
  fx.f.TxtNameSubGroup1.setText("Mothers");
  fx.f.TxtNameSubGroup2.setText("Sons");
  fx.f.ChkSelfM.setChecked(false);

  // Symmetric: the names are erased, and the user's "no self measures" is overruled.
  fx.f.Modified = false;
  fx.f.RadDesTy0.setChecked(true);
  EXPECT_EQ(subgroupNames(fx.f), "0000");
  EXPECT_EQ(fx.f.TxtNameSubGroup1.text(), "");
  EXPECT_EQ(fx.f.TxtNameSubGroup2.text(), "");
  EXPECT_TRUE(fx.f.ChkSelfM.checked());
  EXPECT_TRUE(fx.f.Modified);

  fx.f.RadDesTy2.setChecked(true);
  EXPECT_EQ(subgroupNames(fx.f), "1111");
  EXPECT_EQ(fx.f.TxtNameSubGroup1.text(), "");
  EXPECT_FALSE(fx.f.ChkSelfM.checked());
  EXPECT_FALSE(fx.f.ChkSelfM.enabled());

  fx.f.TxtNameSubGroup1.setText("Leaders");
  fx.f.RadDesTy1.setChecked(true);
  EXPECT_EQ(fx.f.TxtNameSubGroup1.text(), "Leaders");  // the block designs keep the names
  EXPECT_TRUE(fx.f.ChkSelfM.checked());
  EXPECT_TRUE(fx.f.ChkSelfM.enabled());
}

TEST(DataFormat, TheSecondFormatRecordIsEmptiedOnEveryChange) {
  NewStudy fx;
  Edit& second = fx.f.TxtGroup2Fortran;
  fx.f.Modified = false;
  fx.f.ChkSecFmt.setChecked(true);
  EXPECT_TRUE(second.enabled() && second.visible());
  EXPECT_TRUE(fx.f.Modified);

  second.setText("(2X,10F1.0)");
  fx.f.Modified = false;
  fx.f.ChkSecFmt.setChecked(false);
  EXPECT_EQ(second.text(), "");
  EXPECT_FALSE(second.enabled() || second.visible());
  EXPECT_TRUE(fx.f.Modified);

  second.setText("(2X,10F1.0)");  // as a reader might, before it sets the box
  fx.f.ChkSecFmt.setChecked(true);
  EXPECT_EQ(second.text(), "");
}

TEST(DataFormat, ReadingPersonalityVariablesAfterNeedsARoundRobinOrABlockWithPersonInput) {
  NewStudy fx;
  for (RadioButton* r : {&fx.f.RBPerBeforeDy, &fx.f.RBPerAfterDy}) r->setEnabled(true);

  fx.f.RadInpPat1.setChecked(true);  // round robin with dyad input
  fx.f.RBPerAfterDy.setChecked(true);
  EXPECT_TRUE(fx.f.RBPerAfterDy.checked());
  EXPECT_FALSE(fx.f.RBPerBeforeDy.checked());

  // Block with dyad input clears "after" and selects nothing in its place.
  fx.f.Modified = false;
  fx.f.RadInpPat0.setChecked(true);
  EXPECT_EQ(fx.f.ReadOrder.checkedIndex(), -1);
  EXPECT_TRUE(fx.f.Modified);
  fx.f.RBPerAfterDy.setChecked(true);
  EXPECT_EQ(fx.f.ReadOrder.checkedIndex(), -1);
  fx.f.RBPerBeforeDy.setChecked(true);
  EXPECT_TRUE(fx.f.RBPerBeforeDy.checked());

  // A half block forbids it too, but choosing the design does not run the rule: the next click
  // on an input pattern does.
  fx.f.RadInpPat3.setChecked(true);
  fx.f.RBPerAfterDy.setChecked(true);
  fx.f.RadDesTy2.setChecked(true);
  EXPECT_TRUE(fx.f.RBPerAfterDy.checked());
  fx.f.RadInpPat4.setChecked(true);
  EXPECT_EQ(fx.f.ReadOrder.checkedIndex(), -1);
}

}  // namespace
}  // namespace wintarvel::testing
