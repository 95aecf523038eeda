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

// The program path in the dialog and the engine directory, in one text.
std::string shown(const TFrm1& f) {
  return f.FrmOptions.TxttvlPath.text() + " | " + f.TxtExeDir.text();
}

TEST(EngineDirectory, SavingWritesOneLineInTheStartFolderAndALaterStartReadsItBack) {
  TempDir start, elsewhere;
  const std::string folder = native("/" + std::string(300, 'd') + "/sub folder");
  const std::string line = "tvlpath " + folder + native("/tarvel.exe\r\n");
  writeFile(elsewhere.file("wintvl.cfg"), "tvlpath /elsewhere/tarvel.exe\r\n");
  {
    Fixture fx(start.str());
    TFrmOptions& d = fx.f.FrmOptions;
    fx.f.EditOptions1Click();
    d.TxttvlPath.setText("/typed/but/not/saved");
    d.CmdOptCancelClick();
    EXPECT_FALSE(d.visible());
    std::filesystem::current_path(elsewhere.path());  // the start folder counts, not the current
    d.LoadEnginePath(false);
    EXPECT_EQ(shown(fx.f), "/typed/but/not/saved | ");
    EXPECT_FALSE(std::filesystem::exists(start.file("wintvl.cfg")));
    fx.f.EditOptions1Click();
    d.TxttvlPath.setText(folder + native("/tarvel.exe"));
    d.CmdOptSaveClick();
    EXPECT_EQ(std::string(d.visible() ? "shown " : "hidden ") + fx.f.TxtExeDir.text(),
              "hidden " + folder);
  }
  EXPECT_EQ(readFile(start.file("wintvl.cfg")) + readFile(elsewhere.file("wintvl.cfg")),
            line + "tvlpath /elsewhere/tarvel.exe\r\n");

  Fixture later(start.str());
  TFrmOptions& d = later.f.FrmOptions;
  d.LoadEnginePath(false);
  EXPECT_FALSE(d.visible());
  EXPECT_EQ(shown(later.f), folder + native("/tarvel.exe | ") + folder);
  // Saving an empty path empties the file and keeps the directory.
  d.TxttvlPath.setText("");
  d.CmdOptSaveClick();
  EXPECT_EQ(readFile(start.file("wintvl.cfg")) + later.f.TxtExeDir.text(), folder);
  EXPECT_TRUE(later.ui.messages.empty());
}

TEST(EngineDirectory, OnlyAFirstLineWithTheKeyCounts) {
  const std::pair<const char*, const char*> rows[] = {
      {"tvlpath\t/e/tarvel.exe\r\n", "/e/tarvel.exe | /e"},   // any separator character
      {"tvlpath /e/tarvel.exe\n", "/e/tarvel.exe | /e"},      // LF only
      {"tvlpath tarvel.exe\r\n", "tarvel.exe | tarvel.exe"},  // no folder: the whole value
      {"tvlpath /tarvel.exe\r\n", "/tarvel.exe | "},
      {"tvlpath \r\n", " | "},
      {"TVLPATH /e/tarvel.exe\r\n", nullptr},      // the key is case sensitive
      {"\r\ntvlpath /e/tarvel.exe\r\n", nullptr},  // only the first line is read
      {"", nullptr},
  };
  for (const auto& [content, expected] : rows) {
    TempDir start;
    writeFile(start.file("wintvl.cfg"), native(content));
    Fixture fx(start.str());
    fx.f.FrmOptions.TxttvlPath.setText("/before/tarvel.exe");
    fx.f.FrmOptions.LoadEnginePath(false);
    EXPECT_EQ(shown(fx.f), expected ? native(expected) : "/before/tarvel.exe | ") << content;
  }
  EXPECT_EQ(EngineDirOf("C:\\engine\\tarvel.exe", '\\'), "C:\\engine");
}

TEST(EngineDirectory, BrowseChoosesTheProgramAndAnUnwritableStartFolderOnlyHidesTheDialog) {
  TempDir start;
  Fixture fx(start.file("missing folder"));
  std::filesystem::current_path(start.path());  // a file written by mistake stays in the test
  TFrmOptions& d = fx.f.FrmOptions;
  fx.f.EditOptions1Click();
  fx.ui.queueFile("/engines/tarvel.exe");
  d.Button1Click();
  ASSERT_EQ(fx.ui.dialogs.size(), 1u);
  EXPECT_EQ(fx.ui.dialogs[0].defaultExt + " " + fx.ui.dialogs[0].fileName, "EXE *.exe");
  fx.ui.queueCancelledDialog();
  d.Button1Click();
  d.CmdOptSaveClick();
  EXPECT_FALSE(d.visible());
  EXPECT_EQ(shown(fx.f), "/engines/tarvel.exe | ") << "nothing saved, so no engine directory";
  EXPECT_TRUE(fx.ui.messages.empty());
}

}  // namespace
}  // namespace wintarvel
