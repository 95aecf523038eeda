// Closing the window must never drop a value the set file stores without asking, so every edit
// of such a value marks the study; the file names are not stored and leave it alone.

#include <gtest/gtest.h>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

TEST(ModifiedFlag, EveryEditOfAStoredValueMarksTheStudyButFileNamesDoNot) {
  NewStudy s;
  TFrm1& f = s.f;
  for (Edit* name : {&f.TxtSetFile, &f.TxtDataFile, &f.TxtOutFile, &f.TxtCoVar, &f.TxtIndDif}) {
    name->setText("study.x");
  }
  EXPECT_FALSE(f.Modified);
  int edit = 0;
  for (Edit* stored :
       {&f.TxtProgTitle, &f.TxtNumSubGroup1, &f.TxtNumSubGroup2, &f.TxtNumGroups,
        &f.TxtNameSubGroup1, &f.TxtNameSubGroup2, &f.TxtRevScore, &f.TxtGroupFortran}) {
    f.Modified = false;
    stored->setText("3");
    EXPECT_TRUE(f.Modified) << "edit " << edit++;
  }
  for (CheckBox* stored : {&f.ChkSelfM, &f.ChkTechOut, &f.ChkRawData}) {
    f.Modified = false;
    stored->setChecked(!stored->checked());
    EXPECT_TRUE(f.Modified) << "edit " << edit++;
  }
  f.Modified = false;
  f.MemoReorder.setText("1 2 3");
  EXPECT_TRUE(f.Modified);
}

}  // namespace
}  // namespace wintarvel::testing
