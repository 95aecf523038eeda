// The document commands with the user's answers scripted: new, open, save, save as, close, exit
// and closing the window, the unsaved-changes question, captions, pages and buttons.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/frm1.h"
#include "study_building.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel::testing {
namespace {

namespace fs = std::filesystem;

const char* const kQuestion = "Changes have been made, do you want to save it?";

// A new document with a savable study and unsaved changes.
struct EditedStudy {
  EditedStudy() {
    fx.f.BtnNewSetClick();
    Basics(fx.f, "Edited");
    EXPECT_TRUE(fx.f.Modified);
  }
  // Names the study after a folder, which no save can replace.
  void nameAFolder() {
    fs::create_directory(dir.file("folder.set"));
    f.TxtSetFile.setText(dir.file("folder.set"));
  }
  TempDir dir;
  Fixture fx;
  TFrm1& f = fx.f;
  FakeUi& ui = fx.ui;
};

void expectAskedOnce(const FakeUi& ui, Buttons buttons) {
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, kQuestion);
  EXPECT_EQ(ui.questions[0].caption, "Confirm");
  EXPECT_EQ(ui.questions[0].buttons, buttons);
}

void expectDocumentShown(const TFrm1& f) {
  EXPECT_EQ(Visible({&f.PageControl1, &f.Done, &f.Cancel}), "111");
  EXPECT_TRUE(f.BtnSaveSet.enabled());
}

TEST(LifeCycle, ANewDocumentShowsThePagesUnnamedAndUnmodified) {
  Fixture fx;
  EXPECT_EQ(fx.f.caption(), "WinTarvel");
  EXPECT_FALSE(fx.f.PageControl1.visible());
  EXPECT_FALSE(fx.f.BtnSaveSet.enabled());
  fx.f.BtnNewSetClick();
  EXPECT_TRUE(fx.ui.questions.empty());
  EXPECT_EQ(fx.f.caption(), "WinTarvel - Set File Name");
  expectDocumentShown(fx.f);
  EXPECT_EQ(Enabled({&fx.f.GenInstr, &fx.f.BtnRun}), "00");
  EXPECT_FALSE(fx.f.Modified);
  EXPECT_FALSE(fx.f.LoadedFromFile);
}

TEST(LifeCycle, NewWithUnsavedChangesFollowsTheAnswer) {
  {  // Cancel: nothing changes
    EditedStudy s;
    s.ui.queueAnswer(Answer::Cancel);
    s.f.BtnNewSetClick();
    expectAskedOnce(s.ui, Buttons::YesNoCancel);
    EXPECT_EQ(s.f.TxtProgTitle.text(), "Edited");
    EXPECT_TRUE(s.f.Modified);
  }
  {  // No: the changes are dropped
    EditedStudy s;
    s.ui.queueAnswer(Answer::No);
    s.f.BtnNewSetClick();
    EXPECT_EQ(s.f.TxtProgTitle.text(), "");
    EXPECT_FALSE(s.f.Modified);
    EXPECT_TRUE(s.ui.dialogs.empty());
  }
  {  // Yes shows the save dialog even for a named document, starting from its name
    EditedStudy s;
    const std::string named = s.dir.file("named.set");
    const std::string chosen = s.dir.file("chosen.set");
    s.f.TxtSetFile.setText(named);
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueFile(chosen);
    s.f.BtnNewSetClick();
    ASSERT_EQ(s.ui.dialogs.size(), 1u);
    EXPECT_EQ(s.ui.dialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(s.ui.dialogs[0].fileName, named);
    EXPECT_EQ(readFile(chosen).substr(0, 6), "Edited");
    EXPECT_FALSE(fs::exists(named));
    EXPECT_EQ(s.f.TxtProgTitle.text(), "");
    EXPECT_EQ(s.f.TxtSetFile.text(), "");
    EXPECT_FALSE(s.f.Modified);
  }
  {  // Yes, then the name choice cancelled: the new document is created all the same
    EditedStudy s;
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueCancelledDialog();
    s.f.BtnNewSetClick();
    EXPECT_EQ(s.f.TxtProgTitle.text(), "");
    EXPECT_FALSE(s.f.Modified);
  }
  {  // Yes, and the study cannot be written: nothing is dropped
    EditedStudy s;
    s.f.TxtNumGroups.setText("0");
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueFile(s.dir.file("chosen.set"));
    s.f.BtnNewSetClick();
    EXPECT_EQ(s.ui.messages.size(), 1u);
    EXPECT_EQ(s.f.TxtProgTitle.text(), "Edited");
    EXPECT_TRUE(s.f.Modified);
    EXPECT_EQ(s.f.TxtSetFile.text(), "");  // the name of a file never written is not kept
  }
}

TEST(LifeCycle, OpenReadsTheChosenFileIntoAnUnmodifiedNamedDocument) {
  Fixture fx;
  fx.f.OpenDialog.setTitle("Choose The Data File");  // left by an earlier user of the dialog
  const std::string golden = GoldenFile("roommate.set");
  fx.ui.queueFile(golden);
  fx.f.BtnOpenSetClick();
  EXPECT_TRUE(fx.ui.questions.empty());
  ASSERT_EQ(fx.ui.dialogs.size(), 1u);
  EXPECT_EQ(fx.ui.dialogs[0].kind, FileDialogKind::Open);
  EXPECT_EQ(fx.ui.dialogs[0].defaultExt, "set");
  EXPECT_EQ(fx.ui.dialogs[0].fileName, "*.set");
  EXPECT_EQ(fx.ui.dialogs[0].title, "Choose The Data File");
  EXPECT_EQ(fx.ui.dialogs[0].filter, "All files (*.*)|*.*");

  EXPECT_EQ(fx.f.TxtProgTitle.text().substr(0, 14), "Roommate study");
  EXPECT_EQ(fx.f.caption(), "WinTarvel - roommate");
  EXPECT_EQ(fx.f.TxtSetFile.text(), golden);
  EXPECT_EQ(fx.f.PageControl1.activePage(), 0);
  expectDocumentShown(fx.f);
  EXPECT_EQ(Enabled({&fx.f.GenInstr, &fx.f.BtnRun}), "00");
  EXPECT_FALSE(fx.f.Modified);
  EXPECT_TRUE(fx.f.LoadedFromFile);
  EXPECT_TRUE(fx.ui.messages.empty());
}

TEST(LifeCycle, OpenWithUnsavedChangesFollowsTheAnswer) {
  {  // Yes saves under the document's name without a dialog
    EditedStudy s;
    const std::string named = s.dir.file("named.set");
    s.f.TxtSetFile.setText(named);
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueFile(GoldenFile("minimal.set"));
    s.f.BtnOpenSetClick();
    ASSERT_EQ(s.ui.dialogs.size(), 1u);
    EXPECT_EQ(s.ui.dialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(readFile(named).substr(0, 6), "Edited");
    EXPECT_EQ(s.f.TxtProgTitle.text().substr(0, 7), "Minimal");
  }
  {  // No, then the file dialog cancelled: the study stays, without unsaved changes
    EditedStudy s;
    s.ui.queueAnswer(Answer::No);
    s.ui.queueCancelledDialog();
    s.f.BtnOpenSetClick();
    EXPECT_EQ(s.f.TxtProgTitle.text(), "Edited");
    EXPECT_FALSE(s.f.Modified);
  }
  {  // Cancel: no dialog at all
    EditedStudy s;
    s.ui.queueAnswer(Answer::Cancel);
    s.f.BtnOpenSetClick();
    EXPECT_TRUE(s.ui.dialogs.empty());
    EXPECT_TRUE(s.f.Modified);
  }
  {  // Yes with no name: the name dialog, cancelled, then the open dialog
    EditedStudy s;
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueCancelledDialog();
    s.ui.queueFile(GoldenFile("minimal.set"));
    s.f.BtnOpenSetClick();
    ASSERT_EQ(s.ui.dialogs.size(), 2u);
    EXPECT_EQ(s.ui.dialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(s.f.TxtProgTitle.text().substr(0, 7), "Minimal");
  }
  {  // ... and with the open dialog cancelled too, the study is untouched: a variable in no
     // construct does not get one of its own, as a save would give it
    EditedStudy s;
    AddDyadic(s.f, {"LIKE", "TRUST"});
    AddConstructWith(s.f, "POS", {"LIKE"});
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueCancelledDialog();
    s.ui.queueCancelledDialog();
    s.f.BtnOpenSetClick();
    EXPECT_EQ(s.f.CmbConst.items(), (std::vector<std::string>{"POS"}));
    EXPECT_EQ(s.f.ConRecInfo.text(), "0100");
    EXPECT_FALSE(s.f.Modified);
  }
  {  // Yes, and the save fails: Open stops before its dialog
    EditedStudy s;
    s.nameAFolder();
    s.ui.queueAnswer(Answer::Yes);
    s.f.BtnOpenSetClick();
    EXPECT_TRUE(s.ui.dialogs.empty());
    EXPECT_EQ(s.ui.messages.size(), 1u);
    EXPECT_TRUE(s.f.Modified);
    EXPECT_EQ(s.f.TxtProgTitle.text(), "Edited");
  }
}

// A file named beforehand (recent files, command line, a drop) opens as Open does, without the
// dialog; the stored file follows every read and write, and a new study forgets it, though not
// the save that came before.
TEST(LifeCycle, ANamedFileOpensAsOpenDoesAndTheStoredFileFollowsReadsAndWrites) {
  EditedStudy s;
  const StoredFile& stored = s.f.LastSetFile;
  const std::string first = s.dir.file("first.set");
  s.ui.queueAnswer(Answer::Cancel);
  s.f.OpenNamedSetFile(GoldenFile("roommate.set"));
  EXPECT_EQ(s.f.TxtProgTitle.text(), "Edited");
  s.ui.queueAnswer(Answer::Yes);
  s.ui.queueFile(first);
  s.f.OpenNamedSetFile(GoldenFile("roommate.set"));
  ASSERT_EQ(s.ui.dialogs.size(), 1u);  // the name of the unsaved study only
  EXPECT_EQ(s.f.caption(), "WinTarvel - roommate");
  EXPECT_EQ(s.f.TxtSetFile.text(), GoldenFile("roommate.set"));
  EXPECT_FALSE(s.f.Modified);
  EXPECT_EQ(stored.path(), GoldenFile("roommate.set"));
  EXPECT_EQ(stored.lastWritten(), first);
  EXPECT_EQ(stored.writeCount(), 1u);

  s.nameAFolder();
  s.f.DoneClick();  // fails: nothing recorded
  s.ui.queueFile(first);
  s.f.SaveAsClick();
  s.f.BtnNewSetClick();
  EXPECT_EQ(stored.path(), "");
  EXPECT_EQ(stored.writeCount(), 2u);
}

TEST(LifeCycle, OpeningADamagedFileLeavesItUnnamedWithUnsavedChanges) {
  TempDir dir;
  const std::string path = dir.file("damaged.set");
  writeFile(path, std::string(80, ' ') + "\r\n 2 2xx 10000\r\n");
  Fixture fx;
  fx.ui.queueFile(path);
  fx.f.BtnOpenSetClick();
  EXPECT_EQ(fx.ui.messages.size(), 1u);
  EXPECT_EQ(fx.f.TxtSetFile.text(), "");
  EXPECT_TRUE(fx.f.Modified);
  EXPECT_FALSE(fx.f.LoadedFromFile);
  EXPECT_EQ(fx.f.LastSetFile.path(), "");
  expectDocumentShown(fx.f);
}

TEST(LifeCycle, SaveKeepsUnsavedChangesWhenNothingWasWritten) {
  EditedStudy s;
  s.ui.queueCancelledDialog();
  s.f.DoneClick();
  EXPECT_TRUE(s.f.Modified);

  s.nameAFolder();
  s.f.DoneClick();
  EXPECT_TRUE(s.f.Modified);
  EXPECT_EQ(s.ui.messages.size(), 1u);

  const std::string path = s.dir.file("study.set");
  s.f.TxtSetFile.setText(path);
  s.f.DoneClick();
  EXPECT_FALSE(s.f.Modified);
  EXPECT_EQ(readFile(path).substr(0, 6), "Edited");
  EXPECT_EQ(s.f.caption(), "WinTarvel - Set File Name");  // saving leaves the caption
}

TEST(LifeCycle, SaveAsWritesUnderTheChosenNameAndACancelChangesNothing) {
  EditedStudy s;
  const std::string first = s.dir.file("first.set");
  s.f.TxtSetFile.setText(first);
  s.ui.queueCancelledDialog();
  s.f.SaveAsClick();
  EXPECT_TRUE(s.f.Modified);
  EXPECT_EQ(s.f.TxtSetFile.text(), first);

  const std::string folder = s.dir.file("folder.set");
  fs::create_directory(folder);
  s.ui.queueFile(folder);
  s.f.SaveAsClick();
  EXPECT_TRUE(s.f.Modified);
  EXPECT_EQ(s.f.TxtSetFile.text(), first);  // the failed name is not kept

  const std::string second = s.dir.file("second.set");
  s.ui.queueFile(second);
  s.f.SaveAsClick();
  EXPECT_EQ(s.ui.dialogs.back().fileName, first);
  EXPECT_FALSE(s.f.Modified);
  EXPECT_EQ(s.f.TxtSetFile.text(), second);
  EXPECT_TRUE(fs::exists(second));
  EXPECT_FALSE(fs::exists(first));

  s.ui.queueCancelledDialog();  // an unmodified document stays unmodified
  s.f.SaveAsClick();
  EXPECT_FALSE(s.f.Modified);
}

void expectClosed(const TFrm1& f) {
  EXPECT_EQ(f.caption(), "WinTarvel - Set File Name");
  EXPECT_EQ(Visible({&f.PageControl1, &f.Done, &f.Cancel}), "000");
  EXPECT_FALSE(f.BtnSaveSet.enabled());
  EXPECT_EQ(f.PageControl1.activePage(), 0);
  EXPECT_EQ(f.TxtProgTitle.text(), "");
  EXPECT_FALSE(f.Modified);
}

TEST(LifeCycle, CloseAsksAboutUnsavedChangesAndHidesThePages) {
  {  // No name, Yes: a name is asked for; cancelling it closes without saving, even a study
     // whose sizes are still empty as a new one's are
    EditedStudy s;
    s.f.TxtNumSubGroup1.setText("");
    s.f.PageControl1.setActivePage(4);
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueCancelledDialog();
    s.f.CancelClick();
    expectAskedOnce(s.ui, Buttons::YesNoCancel);
    EXPECT_EQ(s.ui.dialogs.size(), 1u);
    EXPECT_TRUE(s.ui.messages.empty());
    expectClosed(s.f);
  }
  {  // Yes with a name: saved, then closed
    EditedStudy s;
    const std::string path = s.dir.file("study.set");
    s.f.TxtSetFile.setText(path);
    s.ui.queueAnswer(Answer::Yes);
    s.f.CancelClick();
    EXPECT_EQ(readFile(path).substr(0, 6), "Edited");
    expectClosed(s.f);
  }
  {  // Cancel: the document stays open
    EditedStudy s;
    s.ui.queueAnswer(Answer::Cancel);
    s.f.CancelClick();
    EXPECT_TRUE(s.f.PageControl1.visible());
    EXPECT_EQ(s.f.TxtProgTitle.text(), "Edited");
    EXPECT_TRUE(s.f.Modified);
  }
  {  // Yes, and the study cannot be written: the document stays open
    EditedStudy s;
    s.f.TxtNumSubGroup1.setText("");
    s.f.TxtSetFile.setText(s.dir.file("study.set"));
    s.ui.queueAnswer(Answer::Yes);
    s.f.CancelClick();
    EXPECT_TRUE(s.f.PageControl1.visible());
    EXPECT_TRUE(s.f.Modified);
    EXPECT_EQ(s.ui.messages.size(), 1u);
  }
  {  // Without unsaved changes nothing is asked
    Fixture fx;
    fx.f.BtnNewSetClick();
    fx.f.CancelClick();
    EXPECT_TRUE(fx.ui.questions.empty());
    expectClosed(fx.f);
  }
}

TEST(LifeCycle, ExitAsksOnceWithYesNoAndCancel) {
  {  // Cancel (and Escape, which answers Cancel) keeps the program and the study as they were
    EditedStudy s;
    s.ui.queueAnswer(Answer::Cancel);
    s.f.FileExitItemClick();
    expectAskedOnce(s.ui, Buttons::YesNoCancel);
    EXPECT_EQ(s.ui.closeRequests, 0);
    EXPECT_TRUE(s.f.Modified);
    EXPECT_EQ(s.f.TxtProgTitle.text(), "Edited");
  }
  {
    EditedStudy s;
    s.ui.queueAnswer(Answer::No);
    s.f.FileExitItemClick();
    expectAskedOnce(s.ui, Buttons::YesNoCancel);
    EXPECT_EQ(s.ui.closeRequests, 1);
    EXPECT_FALSE(s.f.Modified);
    EXPECT_TRUE(s.f.onFrmClose());  // the close that follows asks nothing
    s.f.FileExitItemClick();        // nor does the destruction of the window
    EXPECT_EQ(s.ui.questions.size(), 1u);
  }
  {
    EditedStudy s;
    const std::string path = s.dir.file("study.set");
    s.f.TxtSetFile.setText(path);
    s.f.LoadedFromFile = true;
    s.ui.queueAnswer(Answer::Yes);
    s.f.FileExitItemClick();
    EXPECT_EQ(readFile(path).substr(0, 6), "Edited");
    EXPECT_EQ(s.ui.closeRequests, 1);
    EXPECT_FALSE(s.f.Modified);
    EXPECT_FALSE(s.f.LoadedFromFile);
  }
  {  // Yes, and the file cannot be written: the program does not end
    EditedStudy s;
    s.nameAFolder();
    s.ui.queueAnswer(Answer::Yes);
    s.f.FileExitItemClick();
    EXPECT_EQ(s.ui.closeRequests, 0);
    EXPECT_TRUE(s.f.Modified);
  }
}

TEST(LifeCycle, ClosingTheWindowAsksAboutUnsavedChanges) {
  {
    EditedStudy s;
    s.ui.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(s.f.onFrmClose());
    EXPECT_TRUE(s.f.Modified);
  }
  {
    EditedStudy s;
    s.ui.queueAnswer(Answer::No);
    EXPECT_TRUE(s.f.onFrmClose());
    EXPECT_FALSE(s.f.Modified);
  }
  {
    EditedStudy s;
    const std::string path = s.dir.file("study.set");
    s.f.TxtSetFile.setText(path);
    s.ui.queueAnswer(Answer::Yes);
    EXPECT_TRUE(s.f.onFrmClose());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_FALSE(s.f.Modified);
  }
  {  // Yes with no name, and the name choice cancelled: the window closes, changes dropped
    EditedStudy s;
    s.f.TxtNumSubGroup2.setText("");
    s.ui.queueAnswer(Answer::Yes);
    s.ui.queueCancelledDialog();
    EXPECT_TRUE(s.f.onFrmClose());
    EXPECT_EQ(s.ui.dialogs.size(), 1u);
  }
  {  // Yes, and the save is refused: the window stays open
    EditedStudy s;
    s.f.TxtNumGroups.setText("1000");
    s.f.TxtSetFile.setText(s.dir.file("study.set"));
    s.ui.queueAnswer(Answer::Yes);
    EXPECT_FALSE(s.f.onFrmClose());
    EXPECT_TRUE(s.f.Modified);
  }
  {
    Fixture fx;
    fx.f.BtnNewSetClick();
    EXPECT_TRUE(fx.f.onFrmClose());
    EXPECT_TRUE(fx.ui.questions.empty());
  }
}

}  // namespace
}  // namespace wintarvel::testing
