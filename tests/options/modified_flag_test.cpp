#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_ui.h"

namespace wintarvel::testing {
namespace {

struct StoredEdit {
  const char* what;
  std::function<void(TFrm1&)> change;
};

// Closing the window must never drop a value the set file stores without asking, so every edit
// of such a value marks the study; the file names are not stored and leave it alone.
TEST(ModifiedFlag, EveryEditOfAStoredValueMarksTheStudyButFileNamesDoNot) {
  const std::vector<StoredEdit> stored = {
      {"title", [](TFrm1& f) { f.TxtProgTitle.setText("T"); }},
      {"subgroup 1 size", [](TFrm1& f) { f.TxtNumSubGroup1.setText("3"); }},
      {"subgroup 2 size", [](TFrm1& f) { f.TxtNumSubGroup2.setText("3"); }},
      {"subgroup 1 name", [](TFrm1& f) { f.TxtNameSubGroup1.setText("Men"); }},
      {"subgroup 2 name", [](TFrm1& f) { f.TxtNameSubGroup2.setText("Women"); }},
      {"number of groups", [](TFrm1& f) { f.TxtNumGroups.setText("12"); }},
      {"self measures", [](TFrm1& f) { f.ChkSelfM.setChecked(true); }},
      {"limit sum", [](TFrm1& f) { f.TxtRevScore.setText("8"); }},
      {"format record", [](TFrm1& f) { f.TxtGroupFortran.setText("(3F2.0)"); }},
      {"technical output", [](TFrm1& f) { f.ChkTechOut.setChecked(true); }},
      {"raw data", [](TFrm1& f) { f.ChkRawData.setChecked(true); }},
      {"reorder records", [](TFrm1& f) { f.MemoReorder.setText("1 2 3"); }},
  };
  for (const StoredEdit& e : stored) {
    SCOPED_TRACE(e.what);
    Fixture fx;
    fx.f.BtnNewSetClick();
    ASSERT_FALSE(fx.f.Modified);
    e.change(fx.f);
    EXPECT_TRUE(fx.f.Modified);
  }

  Fixture fx;
  fx.f.BtnNewSetClick();
  for (Edit* name :
       {&fx.f.TxtSetFile, &fx.f.TxtDataFile, &fx.f.TxtOutFile, &fx.f.TxtCoVar, &fx.f.TxtIndDif}) {
    name->setText("study.x");
  }
  EXPECT_FALSE(fx.f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
