// The document commands with the user's answers scripted: new, open, save, save as, close, exit
// and closing the window, the question about unsaved changes they ask, and the reset that a new
// document, an open and a close start with.

#include <filesystem>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

namespace fs = std::filesystem;

// A document with unsaved changes, set up as `setup` says: "named" (a file name), "folder" (the
// name of a folder, which no save can replace), "refused" (named, a number no save accepts),
// "no size" (unnamed, a size left empty) or "unchanged" (a new document without changes).
struct Document {
  explicit Document(const std::string& setup) {
    fx.f.BtnNewSetClick();
    if (setup == "unchanged") return;
    Basics(fx.f, "Edited");
    fs::create_directory(dir.file("folder.set"));
    if (setup == "named" || setup == "refused") fx.f.TxtSetFile.setText(dir.file("named.set"));
    if (setup == "folder") fx.f.TxtSetFile.setText(dir.file("folder.set"));
    if (setup == "refused") fx.f.TxtNumGroups.setText("1000");
    if (setup == "no size") fx.f.TxtNumSubGroup1.setText("");
  }
  std::string path(const std::string& choice) const {
    return choice == "minimal.set" ? GoldenFile(choice) : dir.file(choice);
  }
  // Questions, messages, dialogs shown (kind and starting name), files written, the study's
  // title and file name, modified and pages shown, and a caption other than a new document's.
  std::string outcome(const std::string& result) const {
    const TFrm1& f = fx.f;
    std::string s = "q" + std::to_string(fx.ui.questions.size()) + " m" +
                    std::to_string(fx.ui.messages.size()) + " [";
    for (const ShownDialog& d : fx.ui.dialogs)
      s += (d.kind == FileDialogKind::Open ? "O:" : "S:") +
           fs::path(d.fileName).filename().string() + " ";
    s += "]";
    for (const char* name : {"named.set", "chosen.set"})
      if (fs::is_regular_file(dir.file(name)))
        s += " wrote " + readFile(dir.file(name)).substr(0, 6);
    const std::string title = TrimBlanksAndControls(f.TxtProgTitle.text());
    s += " title " + title.substr(0, title.find(' ')) + " name " +
         fs::path(f.TxtSetFile.text()).filename().string() + " " + Bool(f.Modified) +
         Bool(f.PageControl1.visible()) + (result.empty() ? "" : " " + result);
    if (f.caption() != kNewDocumentCaption) s += " " + f.caption().substr(12);
    return s;
  }
  TempDir dir;
  Fixture fx;
};

TEST(LifeCycle, EveryCommandSettlesUnsavedChangesAsTheUserAnswers) {
  struct Row {
    const char* command;
    const char* setup;
    Answer answer;                     // given when asked
    std::vector<const char*> choices;  // in the file dialogs, "" for cancel
    const char* outcome;
  };
  using A = Answer;
  // clang-format off
  const Row rows[] = {
      {"new", "", A::No, {}, "q1 m0 [] title  name  01"},
      // New offers the name dialog even for a named document, starting from its name; the name
      // of a file never written is not kept.
      {"new", "named", A::Yes, {"chosen.set"}, "q1 m0 [S:named.set ] wrote Edited title  name  01"},
      {"new", "", A::Yes, {""}, "q1 m0 [S:*.set ] title  name  01"},
      {"new", "refused", A::Yes, {"chosen.set"}, "q1 m1 [S:named.set ] title Edited name named.set 11"},
      {"open", "named", A::Yes, {"minimal.set"}, "q1 m0 [O:*.set ] wrote Edited title Minimal name minimal.set 01 minimal"},
      {"open", "", A::No, {""}, "q1 m0 [O:*.set ] title Edited name  01"},
      {"open", "", A::Yes, {"", "minimal.set"}, "q1 m0 [S:*.set O:*.set ] title Minimal name minimal.set 01 minimal"},
      {"named open", "", A::Yes, {"chosen.set"}, "q1 m0 [S:*.set ] wrote Edited title Minimal name minimal.set 01 minimal"},
      // Close asks for a missing name; cancelling it closes without saving.
      {"close", "no size", A::Yes, {""}, "q1 m0 [S:*.set ] title  name  00"},
      {"close", "named", A::Yes, {}, "q1 m0 [] wrote Edited title  name  00"},
      {"close", "refused", A::Yes, {}, "q1 m1 [] title Edited name named.set 11"},
      {"exit", "", A::Cancel, {}, "q1 m0 [] title Edited name  11 0"},
      {"exit", "unchanged", A::Yes, {}, "q0 m0 [] title  name  01 1"},
      {"window", "", A::Cancel, {}, "q1 m0 [] title Edited name  11 0"},
      {"window", "named", A::Yes, {}, "q1 m0 [] wrote Edited title Edited name named.set 01 1"},
      {"save", "", A::Yes, {""}, "q0 m0 [S:*.set ] title Edited name  11"},
      {"save", "folder", A::Yes, {}, "q0 m1 [] title Edited name folder.set 11"},
      {"save", "named", A::Yes, {}, "q0 m0 [] wrote Edited title Edited name named.set 01"},
      {"save as", "named", A::Yes, {""}, "q0 m0 [S:named.set ] title Edited name named.set 11"},
      {"save as", "named", A::Yes, {"chosen.set"}, "q0 m0 [S:named.set ] wrote Edited title Edited name chosen.set 01"},
  };
  // clang-format on
  for (const Row& row : rows) {
    const std::string command = row.command;
    SCOPED_TRACE(command + " " + row.setup);
    Document d(row.setup);
    TFrm1& f = d.fx.f;
    d.fx.ui.queueAnswer(row.answer);
    for (const std::string choice : row.choices) {
      choice.empty() ? d.fx.ui.queueCancelledDialog() : d.fx.ui.queueFile(d.path(choice));
    }
    std::string result;
    if (command == "new") f.BtnNewSetClick();
    if (command == "open") f.BtnOpenSetClick();
    if (command == "named open") f.OpenNamedSetFile(GoldenFile("minimal.set"));
    if (command == "close") f.CancelClick();
    if (command == "exit") f.FileExitItemClick(), result = std::to_string(d.fx.ui.closeRequests);
    if (command == "window") result = Bool(f.onFrmClose());
    if (command == "save") f.DoneClick();
    if (command == "save as") f.SaveAsClick();
    EXPECT_EQ(d.outcome(result), row.outcome);
    EXPECT_EQ(d.fx.ui.pendingFiles(), 0u);
    for (const AskedQuestion& q : d.fx.ui.questions) {
      EXPECT_EQ(q.text + "|" + q.caption + (q.buttons == Buttons::YesNoCancel ? "|3" : ""),
                "Changes have been made, do you want to save it?|Confirm|3");
    }
  }
}

// The stored file follows reads and writes; a new study forgets it, not the saves before. An open
// after a close enables saving again; the open dialog keeps a title left by an earlier use.
TEST(LifeCycle, TheStoredFileFollowsReadsAndWrites) {
  Document d("folder");
  TFrm1& f = d.fx.f;
  const StoredFile& stored = f.LastSetFile;
  f.DoneClick();  // fails: nothing recorded
  f.OpenDialog.setTitle("Choose The Data File");
  d.fx.ui.queueFile(d.path("first.set")), d.fx.ui.queueFile(GoldenFile("roommate.set"));
  f.SaveAsClick();
  f.CancelClick();  // closed: nothing to save
  f.BtnOpenSetClick();
  const ShownDialog& open = d.fx.ui.dialogs.back();
  EXPECT_EQ(open.title + "|" + open.defaultExt + "|" + open.filter,
            "Choose The Data File|set|All files (*.*)|*.*");
  EXPECT_EQ(stored.path() + "|" + stored.lastWritten() + "|" + Bool(f.LoadedFromFile) +
                Enabled({&f.GenInstr, &f.BtnRun, &f.BtnSaveSet}),
            GoldenFile("roommate.set") + "|" + d.path("first.set") + "|1001");
  d.fx.ui.queueFile(d.path("second.set"));
  f.SaveAsClick();
  f.BtnNewSetClick();
  EXPECT_EQ(stored.path() + std::to_string(stored.writeCount()) + Bool(f.LoadedFromFile), "20");

  // With a cancelled name choice the study stays untouched: a variable in no construct does not
  // get one of its own, as a save would give it.
  AddDyadic(f, {"LIKE", "TRUST"});
  AddConstructWith(f, "POS", {"LIKE"});
  d.fx.ui.queueAnswer(Answer::Yes);
  d.fx.ui.queueCancelledDialog(), d.fx.ui.queueCancelledDialog();
  f.BtnOpenSetClick();
  EXPECT_EQ(f.CmbConst.items(), (std::vector<std::string>{"POS"}));
  EXPECT_EQ(f.ConRecInfo.text(), "0100");
}

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

// The window starts with its captions and limits and no document. A new document after a whole
// study is that state with the pages shown, and the group numbers kept, also when a size is not a
// number.
TEST(StudyReset, TheWindowStartsAndANewDocumentIsThatStateWithThePagesShown) {
  Fixture start;
  ExpectStartUpPictureBut(start.f, {});
  EXPECT_FALSE(start.f.Modified);
  for (const char* size : {"4", "x"}) {
    NewStudy fx;
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
  std::string shown;
  for (const char* before : {"/somewhere", "Undefined"}) {
    fx.f.TxtExeDir.setText(before), fx.f.BtnNewSetClick();
    shown += fx.f.TxtExeDir.text() + "|";
  }
  EXPECT_EQ(shown, "/somewhere|" + engineDir + "|");
  EXPECT_FALSE(fx.f.FrmOptions.visible());
}

}  // namespace
}  // namespace wintarvel::testing
