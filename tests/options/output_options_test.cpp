#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(OutputOptions, OnlyTheChoicesThatWriteAFileEnableItsName) {
  Fixture fx;
  TFrm1& f = fx.f;
  const auto coVar = [&f] { return Enabled({&f.TxtCoVar, &f.LblCoVar, &f.CmdCoVar}); };
  const auto indDif = [&f] { return Enabled({&f.TxtIndDif, &f.LblIndDif, &f.CmdIndDif}); };
  for (int newDocument = 0; newDocument < 2; ++newDocument) {  // at start and after New
    EXPECT_EQ(coVar(), "000");
    EXPECT_EQ(indDif(), "000");
    f.BtnNewSetClick();
  }

  f.RadOut4.setChecked(true);
  EXPECT_EQ(coVar(), "111");
  f.TxtCoVar.setText("study.cov");
  f.Modified = false;
  f.RadOut3.setChecked(true);
  EXPECT_EQ(coVar(), "000");
  EXPECT_EQ(f.TxtCoVar.text(), "study.cov");
  EXPECT_TRUE(f.Modified);

  f.RadAP1.setChecked(true);
  EXPECT_EQ(indDif(), "111");
  f.TxtIndDif.setText("study.eff");
  f.RadAP2.setChecked(true);
  EXPECT_EQ(indDif(), "111");
  f.RadAP0.setChecked(true);
  EXPECT_EQ(indDif(), "000");
  EXPECT_EQ(f.TxtIndDif.text(), "study.eff");
  EXPECT_EQ(coVar(), "000");  // the effect estimates leave the other alone
}

}  // namespace
}  // namespace wintarvel::testing
