// The engine directory dialog and wintvl.cfg in the start folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::Fixture;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// The paths below are written with '/'; on Windows the same paths take its backslash.
std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

TEST(EngineDirectory, TheDialogStartsHiddenAndEmptyAndWithoutAConfigurationFileKeepsWhatItHeld) {
  TempDir start;
  Fixture fx(start.str());
  TFrm1& f = fx.f;
  const TFrmOptions& d = f.FrmOptions;
  EXPECT_FALSE(d.visible());
  EXPECT_EQ(d.caption(), "WinTarvel - Tarvel.exe Directory");
  EXPECT_EQ(d.Label1.caption(), "Path to tarvel.exe");
  EXPECT_EQ(d.CmdOptSave.caption(), "Save");
  EXPECT_EQ(d.CmdOptCancel.caption(), "Cancel");
  EXPECT_EQ(d.TxttvlPath.text(), "");

  f.EditOptions1Click();
  EXPECT_TRUE(f.FrmOptions.visible());
  EXPECT_EQ(f.FrmOptions.TxttvlPath.text(), "");
  EXPECT_EQ(f.TxtExeDir.text(), "");

  f.FrmOptions.TxttvlPath.setText("/typed/but/not/saved");
  f.FrmOptions.CmdOptCancelClick();
  f.EditOptions1Click();
  EXPECT_EQ(f.FrmOptions.TxttvlPath.text(), "/typed/but/not/saved");
  EXPECT_EQ(f.TxtExeDir.text(), "");
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST(EngineDirectory, SavingWritesOneLineAndALaterStartReadsItBack) {
  TempDir start;
  {
    Fixture fx(start.str());
    TFrm1& f = fx.f;
    f.EditOptions1Click();
    f.FrmOptions.TxttvlPath.setText(native("/opt/tarvel/bin/other.exe"));
    f.FrmOptions.CmdOptSaveClick();
    EXPECT_FALSE(f.FrmOptions.visible());
    EXPECT_EQ(f.TxtExeDir.text(), native("/opt/tarvel/bin"));
  }
  EXPECT_EQ(readFile(start.file("wintvl.cfg")), native("tvlpath /opt/tarvel/bin/other.exe\r\n"));

  Fixture later(start.str());
  later.f.FrmOptions.LoadEnginePath(false);
  EXPECT_FALSE(later.f.FrmOptions.visible());
  EXPECT_EQ(later.f.FrmOptions.TxttvlPath.text(), native("/opt/tarvel/bin/other.exe"));
  EXPECT_EQ(later.f.TxtExeDir.text(), native("/opt/tarvel/bin"));
}

TEST(EngineDirectory, OnlyAFirstLineWithTheKeyCounts) {
  struct Case {
    const char* content;
    const char* path;  // nullptr: the file is ignored
    const char* exeDir;
  };
  const Case cases[] = {
      {"tvlpath\t/e/tarvel.exe\r\n", "/e/tarvel.exe", "/e"},   // any separator character
      {"tvlpath /e/tarvel.exe", "/e/tarvel.exe", "/e"},        // no line end
      {"tvlpath /e/tarvel.exe\n", "/e/tarvel.exe", "/e"},      // LF only
      {"tvlpath tarvel.exe\r\n", "tarvel.exe", "tarvel.exe"},  // no folder: the whole value
      {"tvlpath \r\n", "", ""},
      {"TVLPATH /e/tarvel.exe\r\n", nullptr, nullptr},  // the key is case sensitive
      {"path /e/tarvel.exe\r\n", nullptr, nullptr},
      {"\r\ntvlpath /e/tarvel.exe\r\n", nullptr, nullptr},  // only the first line is read
      {"", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    TempDir start;
    writeFile(start.file("wintvl.cfg"), native(c.content));
    Fixture fx(start.str());
    TFrm1& f = fx.f;
    f.FrmOptions.TxttvlPath.setText("/before/tarvel.exe");
    f.TxtExeDir.setText("/before");
    f.FrmOptions.LoadEnginePath(false);
    EXPECT_EQ(f.FrmOptions.TxttvlPath.text(), c.path ? native(c.path) : "/before/tarvel.exe")
        << c.content;
    EXPECT_EQ(f.TxtExeDir.text(), c.exeDir ? native(c.exeDir) : "/before") << c.content;
    EXPECT_TRUE(fx.ui.messages.empty());
  }
}

TEST(EngineDirectory, SavingAnEmptyPathLeavesAnEmptyFileAndTheDirectoryAsItWas) {
  TempDir start;
  writeFile(start.file("wintvl.cfg"), "tvlpath /old/tarvel.exe\r\n");
  Fixture fx(start.str());
  TFrm1& f = fx.f;
  f.TxtExeDir.setText("/kept");
  f.FrmOptions.CmdOptSaveClick();
  EXPECT_EQ(readFile(start.file("wintvl.cfg")), "");
  EXPECT_EQ(f.TxtExeDir.text(), "/kept");

  f.FrmOptions.TxttvlPath.setText("/still/typed.exe");
  f.FrmOptions.LoadEnginePath(false);
  EXPECT_EQ(f.FrmOptions.TxttvlPath.text(), "/still/typed.exe");
  EXPECT_EQ(f.TxtExeDir.text(), "/kept");
}

TEST(EngineDirectory, PathsOfAnyLengthRoundTrip) {
  TempDir start;
  const std::string folder = native("/" + std::string(300, 'd') + "/sub folder");
  const std::string program = folder + native("/tarvel.exe");
  {
    Fixture fx(start.str());
    fx.f.FrmOptions.TxttvlPath.setText(program);
    fx.f.FrmOptions.CmdOptSaveClick();
    EXPECT_EQ(fx.f.TxtExeDir.text(), folder);
  }
  Fixture later(start.str());
  later.f.FrmOptions.LoadEnginePath(false);
  EXPECT_EQ(later.f.FrmOptions.TxttvlPath.text(), program);
  EXPECT_EQ(later.f.TxtExeDir.text(), folder);
}

TEST(EngineDirectory, TheFileLivesInTheStartFolderWhateverFolderIsCurrent) {
  TempDir start, elsewhere;
  writeFile(elsewhere.file("wintvl.cfg"), "tvlpath /elsewhere/tarvel.exe\r\n");
  Fixture fx(start.str());
  TFrm1& f = fx.f;
  std::filesystem::current_path(elsewhere.path());

  f.FrmOptions.LoadEnginePath(false);
  EXPECT_EQ(f.TxtExeDir.text(), "") << "the other folder's file is not read";

  f.FrmOptions.TxttvlPath.setText("/mine/tarvel.exe");
  f.FrmOptions.CmdOptSaveClick();
  EXPECT_EQ(readFile(start.file("wintvl.cfg")), "tvlpath /mine/tarvel.exe\r\n");
  EXPECT_EQ(readFile(elsewhere.file("wintvl.cfg")), "tvlpath /elsewhere/tarvel.exe\r\n");
}

TEST(EngineDirectory, AnUnwritableStartFolderOnlyHidesTheDialog) {
  TempDir start;
  Fixture fx(start.file("missing folder"));
  TFrm1& f = fx.f;
  f.EditOptions1Click();
  f.FrmOptions.TxttvlPath.setText("/e/tarvel.exe");
  f.FrmOptions.CmdOptSaveClick();
  EXPECT_FALSE(f.FrmOptions.visible());
  EXPECT_EQ(f.TxtExeDir.text(), "");
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST(EngineDirectory, CancelWritesNothing) {
  TempDir start;
  writeFile(start.file("wintvl.cfg"), native("tvlpath /saved/tarvel.exe\r\n"));
  Fixture fx(start.str());
  TFrm1& f = fx.f;
  f.EditOptions1Click();
  f.FrmOptions.TxttvlPath.setText("/typed/tarvel.exe");
  f.FrmOptions.CmdOptCancelClick();
  EXPECT_FALSE(f.FrmOptions.visible());
  EXPECT_EQ(f.TxtExeDir.text(), native("/saved"));
  EXPECT_EQ(readFile(start.file("wintvl.cfg")), native("tvlpath /saved/tarvel.exe\r\n"));
}

TEST(EngineDirectory, BrowseChoosesTheProgramAndCancelKeepsTheText) {
  TempDir start;
  Fixture fx(start.str());
  TFrmOptions& d = fx.f.FrmOptions;
  fx.ui.queueFile("/engines/tarvel.exe");
  d.Button1Click();
  ASSERT_EQ(fx.ui.dialogs.size(), 1u);
  EXPECT_EQ(fx.ui.dialogs[0].defaultExt, "EXE");
  EXPECT_EQ(fx.ui.dialogs[0].fileName, "*.exe");
  EXPECT_EQ(d.TxttvlPath.text(), "/engines/tarvel.exe");

  fx.ui.queueCancelledDialog();
  d.Button1Click();
  EXPECT_EQ(d.TxttvlPath.text(), "/engines/tarvel.exe");
  EXPECT_EQ(fx.f.TxtExeDir.text(), "") << "only saving sets the engine directory";
}

TEST(EngineDirectory, TheDirectoryIsThePathWithoutItsLastComponent) {
  EXPECT_EQ(EngineDirOf("C:\\engine\\tarvel.exe", '\\'), "C:\\engine");
  EXPECT_EQ(EngineDirOf("tarvel.exe", '\\'), "tarvel.exe");
  EXPECT_EQ(EngineDirOf(native("/opt/e/tarvel.exe")), native("/opt/e"));
  EXPECT_EQ(EngineDirOf(native("/tarvel.exe")), "");
}

}  // namespace
}  // namespace wintarvel
