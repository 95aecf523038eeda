// The viewer commands and the About box.

#include <gtest/gtest.h>

#include "support/fake_ui.h"

namespace wintarvel {
namespace {

using testing::Fixture;

TEST(Viewers, OpeningADataFileSetsUpTheDialogAndPassesThePathUnchanged) {
  Fixture fx;
  TFrm1& f = fx.f;
  f.OpenDialog.setTitle("Choose The Output File Name");
  f.OpenDialog.setFileName("*.out");
  fx.ui.queueFile("/my data/group data.txt");
  f.BtnOpenDataClick();
  ASSERT_EQ(fx.ui.dialogs.size(), 1u);
  EXPECT_EQ(fx.ui.dialogs[0].title, "Choose The Output File Name") << "the title is left as it was";
  EXPECT_EQ(fx.ui.dialogs[0].defaultExt, "txt");
  EXPECT_EQ(fx.ui.dialogs[0].fileName, "");
  EXPECT_EQ(fx.ui.dialogs[0].filter, "dat files|*.txt;*.dat");
  EXPECT_EQ(fx.platform.viewerStarts, std::vector<std::string>{"/my data/group data.txt"});
  EXPECT_FALSE(f.Modified);
}

TEST(Viewers, OpeningASetFileKeepsTheFilterLastGiven) {
  Fixture fx;
  TFrm1& f = fx.f;
  f.OpenDialog.setFilter("Output Files|*.out");
  f.Modified = true;
  fx.ui.queueFile("/studies/other.set");
  f.OpeninNotepad1Click();
  ASSERT_EQ(fx.ui.dialogs.size(), 1u);
  EXPECT_EQ(fx.ui.dialogs[0].defaultExt, "set");
  EXPECT_EQ(fx.ui.dialogs[0].fileName, "*.set");
  EXPECT_EQ(fx.ui.dialogs[0].filter, "Output Files|*.out");
  EXPECT_EQ(fx.platform.viewerStarts, std::vector<std::string>{"/studies/other.set"});
  EXPECT_TRUE(f.Modified) << "the study is neither saved nor changed";
  EXPECT_EQ(f.TxtSetFile.text(), "");
}

TEST(Viewers, CancellingEitherDialogStartsNothing) {
  Fixture fx;
  fx.ui.queueCancelledDialog();
  fx.f.BtnOpenDataClick();
  fx.ui.queueCancelledDialog();
  fx.f.OpeninNotepad1Click();
  EXPECT_TRUE(fx.platform.viewerStarts.empty());
}

TEST(AboutBox, IsShownWithoutBlockingAndHiddenByClose) {
  Fixture fx;
  TFrm1& f = fx.f;
  EXPECT_FALSE(f.AboutBox.visible());
  f.HelpAboutItemClick();
  f.HelpAboutItemClick();
  EXPECT_TRUE(f.AboutBox.visible());
  f.AboutBox.OKButtonClick();
  EXPECT_FALSE(f.AboutBox.visible());
  f.HelpAboutItemClick();
  EXPECT_TRUE(f.AboutBox.visible());
}

}  // namespace
}  // namespace wintarvel
