#include <gtest/gtest.h>

#include <initializer_list>

#include "support/fake_ui.h"

namespace wintarvel::testing {
namespace {

bool allEnabled(std::initializer_list<const Control*> controls, bool on) {
  for (const Control* c : controls) {
    if (c->enabled() != on) return false;
  }
  return true;
}

TEST(OutputOptions, OnlyTheChoicesThatWriteAFileEnableItsName) {
  Fixture fx;
  fx.f.BtnNewSetClick();
  TFrm1& f = fx.f;
  EXPECT_TRUE(allEnabled({&f.TxtCoVar, &f.LblCoVar, &f.CmdCoVar}, false));
  EXPECT_TRUE(allEnabled({&f.TxtIndDif, &f.LblIndDif, &f.CmdIndDif}, false));

  f.RadOut4.setChecked(true);
  EXPECT_TRUE(allEnabled({&f.TxtCoVar, &f.LblCoVar, &f.CmdCoVar}, true));
  f.TxtCoVar.setText("study.cov");
  f.Modified = false;
  f.RadOut3.setChecked(true);
  EXPECT_TRUE(allEnabled({&f.TxtCoVar, &f.LblCoVar, &f.CmdCoVar}, false));
  EXPECT_EQ(f.TxtCoVar.text(), "study.cov");
  EXPECT_TRUE(f.Modified);

  f.RadAP1.setChecked(true);
  EXPECT_TRUE(allEnabled({&f.TxtIndDif, &f.LblIndDif, &f.CmdIndDif}, true));
  f.TxtIndDif.setText("study.eff");
  f.RadAP2.setChecked(true);
  EXPECT_TRUE(allEnabled({&f.TxtIndDif, &f.LblIndDif, &f.CmdIndDif}, true));
  f.RadAP0.setChecked(true);
  EXPECT_TRUE(allEnabled({&f.TxtIndDif, &f.LblIndDif, &f.CmdIndDif}, false));
  EXPECT_EQ(f.TxtIndDif.text(), "study.eff");
  EXPECT_TRUE(allEnabled({&f.TxtCoVar}, false));  // the effect estimates leave the other alone
}

}  // namespace
}  // namespace wintarvel::testing
