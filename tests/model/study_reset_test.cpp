// The window as it starts, and the reset that a new document, an open and a close start with.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

// Compares the window with tests/data/start-up.txt ("name: picture" for each control), where
// `changes` gives the pictures that differ from it.
void ExpectStartUpPictureBut(const TFrm1& f, std::map<std::string, std::string> changes) {
  std::istringstream golden(readFile(GoldenFile("start-up.txt")));
  auto picture = Picture(f);
  for (std::string line; std::getline(golden, line);) {
    const std::string name = line.substr(0, line.find(':'));
    const auto changed = changes.find(name);
    EXPECT_EQ(picture[name],
              changed != changes.end() ? changed->second : line.substr(name.size() + 2))
        << name;
  }
}

TEST(StudyReset, TheWindowStartsWithItsCaptionsAndLimitsAndNoDocument) {
  Fixture fx;
  ExpectStartUpPictureBut(fx.f, {});
  EXPECT_FALSE(fx.f.Modified);
}

// A new document after a whole study: the start-up state with the pages shown, and the group
// numbers kept, also when a size is not a number.
TEST(StudyReset, ANewDocumentIsTheStartUpStateWithThePagesShown) {
  for (const char* size : {"4", "x"}) {
    Fixture fx;
    fx.f.BtnNewSetClick();
    BuildRoommateStudy(fx.f);
    AddConstructWith(fx.f, "C1", {"LIKE", "ANXIOUS"});
    AddDyadic(fx.f, {"JOY"});
    AddConstructWith(fx.f, "C2", {"TRUST", "JOY"});
    fx.f.CorAvailVarList.setItemIndex(0), fx.f.CorAvailVarListClick();
    for (Edit* e :
         {&fx.f.TxtConstruct, &fx.f.TxtDyVars, &fx.f.TxtPerVars, &fx.f.TxtGroup2Fortran,
          &fx.f.TxtSetFile, &fx.f.TxtDataFile, &fx.f.TxtOutFile, &fx.f.TxtCoVar, &fx.f.TxtIndDif}) {
      e->setText("1 2");
    }
    fx.f.MemoReorder.setText("1 2 3 4 5 6 7 8");
    for (CheckBox* c : {&fx.f.ChkSecFmt, &fx.f.ChkTechOut, &fx.f.ChkRawData}) c->setChecked(true);
    for (RadioButton* b : {&fx.f.RadInpPat1, &fx.f.RadRePat1, &fx.f.RadReNewSame0})
      b->setChecked(true);
    fx.f.GenInstr.setEnabled(true);
    fx.f.LoadedFromFile = true;
    fx.f.TxtNumSubGroup2.setText(size);
    ASSERT_FALSE(fx.f.CorMapVarList.items().empty());

    fx.ui.queueAnswer(Answer::No);
    fx.f.BtnNewSetClick();
    SCOPED_TRACE(size);
    // The construct buttons stay as the last construct selection left them.
    ExpectStartUpPictureBut(fx.f, {{"WindowCaption", "110 WinTarvel - Set File Name"},
                                   {"PageControl1", "110 page 3"},
                                   {"Done", "110 Save Set File"},
                                   {"Cancel", "110 Close"},
                                   {"BtnSaveSet", "110 "},
                                   {"CmbDrop", "010 {} -1 "},
                                   {"CmdVarsConstAdd", "110 Add ->"},
                                   {"CmdVarsConstRem", "110 <- Remove"},
                                   {"LblNumReor", "110 0 record(s) needed"},
                                   {"GenInstr", "010 Run Tarvel"}});
    EXPECT_TRUE(fx.f.DyVarList.empty() && fx.f.DroppedSubjects.empty());
    EXPECT_EQ(Picture(fx.f)["counts"], "12/8/0");
    EXPECT_FALSE(fx.f.Modified || fx.f.LoadedFromFile || fx.f.CanUndo());
    EXPECT_EQ(fx.f.LastSetFile.path(), "");
    EXPECT_TRUE(fx.ui.errors.empty() && fx.ui.messages.empty());
  }
}

TEST(StudyReset, TheEngineDirectoryIsLoadedOnlyWhenUnknown) {
  TempDir dir;
  const std::string engineDir = std::string("/opt") + kPathSeparator + "tarvel";  // native
  writeFile(dir.file("wintvl.cfg"), "tvlpath " + engineDir + kPathSeparator + "tarvel.exe\r\n");
  Fixture fx(dir.str());
  fx.f.TxtExeDir.setText("/somewhere");
  fx.f.BtnNewSetClick();
  EXPECT_EQ(fx.f.TxtExeDir.text(), "/somewhere");
  fx.f.TxtExeDir.setText("Undefined");
  fx.f.BtnNewSetClick();
  EXPECT_EQ(fx.f.TxtExeDir.text(), engineDir);
  EXPECT_FALSE(fx.f.FrmOptions.visible());
}

}  // namespace
}  // namespace wintarvel::testing
