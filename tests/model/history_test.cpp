// Undo and redo of the user's events: every page's handlers with the whole state checked after
// each undo and redo, the unsaved-changes flag, and the reorder memo's text shared, not copied.

#include <functional>

#include "support/study.h"

namespace wintarvel::testing {
namespace {

void Select(ListBox& list, const std::string& item) {
  list.setItemIndex(IndexOf(list, item));
}

// One user's way through every page, each entry one event as the view runs it. The unnamed
// events are selections, which are no steps.
// clang-format off
std::vector<std::pair<const char*, std::function<void()>>> Walk(TFrm1& f) {
  return {
      {"Typing in Study Title", [&] { f.TxtProgTitle.setText("Ro"); }},
      {"Typing in Number in Subgroup 1", [&] { f.TxtNumSubGroup1.setText("4"); }},
      {"Typing in Number in Subgroup 2", [&] { f.TxtNumSubGroup2.setText("4"); }},
      {"Typing in Number of Groups", [&] { f.TxtNumGroups.setText("12"); }},
      {"Choose Asymmetric Block", [&] { f.RadDesTy1.setChecked(true); }},
      {"Dropped Subjects On", [&] { f.ChkDropSub.setChecked(true); }}, {"", [&] { f.CmbDrop.setItemIndex(2); }},
      {"Drop Subject", [&] { f.CmdDropClick(); }},
      {"Typing in Dyadic Variable Name", [&] { f.TxtDyVars.setText("LIKE"); }},
      {"Add Variable", [&] { f.TxtDyVarsKeyPress(13); }},
      {"Add Variable", [&] { AddDyadic(f, {"TRUST", "ANX", "JOY"}); }},
      {"", [&] { Select(f.CmbDyVar, "ANX"), f.CmbDyVarClick(); }},
      {"Typing in Dyadic Variable Name", [&] { f.TxtDyVars.setText("ANXIOUS"); }},
      {"Rename Variable", [&] { f.CmdDyVarRenameClick(); }}, {"", [&] { Select(f.CmbDyVar, "TRUST"); }},
      {"Move Variable", [&] { f.UDDyClick(UpDownButton::Up); }},
      {"Add Personality Variable", [&] { AddPersonality(f, {"AGE"}); }},
      {"Reverse Scoring On", [&] { f.ChkReverseVar.setChecked(true); }},
      {"Reverse Score", [&] { f.CmdDyVarRevClick(); }},
      {"Choose Round Robin with Dyad Input", [&] { f.RadInpPat1.setChecked(true); }},
      {"Second Variable Format Record for Subgroup 2 On", [&] { f.ChkSecFmt.setChecked(true); }},
      {"Choose Construct Variances and Covariances to a File", [&] { f.RadOut4.setChecked(true); }},
      {"Technical Output On", [&] { f.ChkTechOut.setChecked(true); }},
      {"Typing in Construct Name", [&] { f.TxtConstruct.setText("C1"); }},
      {"Add Construct", [&] { f.CmbConstKeyPress(13); }}, {"Add Construct", [&] { AddConstructs(f, {"C2"}); }},
      {"", [&] { SelectConstruct(f, "C1"), SelectMembers(f.LstVars, {"LIKE", "TRUST"}); }},
      {"Add to Construct", [&] { f.CmdVarsConstAddClick(); }},
      {"", [&] { SelectConstruct(f, "C2"), SelectMembers(f.LstVars, {"ANXIOUS", "JOY"}); }},
      {"Add to Construct", [&] { f.CmdVarsConstAddClick(); }},
      {"", [&] { Select(f.CorAvailVarList, "LIKE"), f.CorAvailVarListClick(); }},
      {"", [&] { Select(f.CorMapVarList, "JOY"), f.CorMapVarListClick(); }},
      {"Correlate", [&] { f.PRCorConnectClick(); }}, {"", [&] { Select(f.CorVarList, "JOY"), f.CorVarListClick(); }},
      {"Uncorrelate", [&] { f.PBCorDisconnectClick(); }},
      {"Choose Reorder Rows Only", [&] { f.RadRePat1.setChecked(true); }},
      {"Typing in Reorder Records", [&] { f.MemoReorder.appendLine("2 1 4 3"); }},
      {"", [&] { Select(f.CmbDyVar, "LIKE"); }}, {"Remove Variable", [&] { f.TxtDyVarsKeyPress('.'); }},
  };
}
// clang-format on

TEST(History, EveryStepOfEveryPageIsUndoneAndRedoneWhole) {
  NewStudy s;
  TFrm1& f = s.f;
  const State start = Picture(f);
  int steps = 0;
  for (const auto& [step, act] : Walk(f)) {
    const State before = Picture(f);
    f.UserEvent(step, act);
    if (*step == '\0') continue;  // no step
    ++steps;
    SCOPED_TRACE(step);
    const State after = Picture(f);
    ASSERT_NE(before, after);
    EXPECT_EQ(f.UndoStepName(), step);
    f.Undo();
    EXPECT_EQ(Picture(f), before);
    EXPECT_EQ(f.RedoStepName(), step);
    f.Redo();
    EXPECT_EQ(Picture(f), after);
    EXPECT_TRUE(f.Modified && !f.CanRedo());
  }
  EXPECT_TRUE(s.ui.messages.empty());

  // Back to the new study, one step at a time, and forward again to the end.
  const State end = Picture(f);
  for (; f.CanUndo(); --steps) f.Undo();
  EXPECT_EQ(steps, 0);
  EXPECT_EQ(Picture(f), start);
  EXPECT_FALSE(f.Modified) << "back at the state of the new study";
  while (f.CanRedo()) f.Redo();
  EXPECT_EQ(Picture(f), end);
  EXPECT_TRUE(f.Modified);
}

TEST(History, TypingJoinsOnlyWhileItGoesOnInTheSameField) {
  NewStudy s;
  TFrm1& f = s.f;
  auto type = [&f](Edit& edit, const char* text) {
    f.UserEvent(&edit == &f.TxtProgTitle ? "Typing in Study Title" : "Typing in Number of Groups",
                [&] { edit.setText(text); });
  };
  type(f.TxtProgTitle, "A"), type(f.TxtProgTitle, "AB"), type(f.TxtNumGroups, "2");
  f.UserEvent("", [] {});  // a click elsewhere ends the run
  type(f.TxtNumGroups, "23");
  f.UserEvent("Save", [] {});  // a command that changes nothing is no step, but ends the run
  type(f.TxtNumGroups, "234");
  std::vector<std::string> texts;
  while (f.CanUndo()) {
    f.Undo();
    texts.push_back(f.TxtProgTitle.text() + "/" + f.TxtNumGroups.text());
  }
  EXPECT_EQ(texts, (Names{"AB/23", "AB/2", "AB/1", "/1"}));

  // A new step after an undo drops what redo would have brought back.
  f.Redo(), type(f.TxtProgTitle, "C");
  EXPECT_EQ(f.UndoStepName() + Bool(f.CanRedo()), "Typing in Study Title0");
}

TEST(History, ModifiedIsOffOnlyWhereTheStudyIsAsLastOpenedOrSaved) {
  TempDir dir;
  NewStudy s;
  TFrm1& f = s.f;
  f.UserEvent("Typing in Study Title", [&] { Basics(f, "Saved"); });
  f.TxtSetFile.setText(dir.file("study.set"));
  f.UserEvent("Save", [&] { f.DoneClick(); });
  EXPECT_FALSE(f.Modified);
  f.UserEvent("Technical Output On", [&] { f.ChkTechOut.setChecked(true); });
  f.UserEvent("Choose Reorder Rows Only", [&] { f.RadRePat1.setChecked(true); });
  f.Undo(), f.Undo();
  EXPECT_FALSE(f.Modified) << "back at the saved study";
  EXPECT_EQ(f.TxtSetFile.text(), dir.file("study.set")) << "file names are not undone";
  f.Redo(), f.Redo();
  EXPECT_TRUE(f.Modified);
  f.Undo();
  f.UserEvent("", [&] { f.MemoReorder.appendLine("1 2 3 4"); });  // the memo's own typing
  EXPECT_FALSE(f.CanRedo()) << "redo would take back the memo's typing";
  f.Undo();
  EXPECT_TRUE(f.Modified) << "the memo differs from the file";
  EXPECT_EQ(f.MemoReorder.lines(), Names{"1 2 3 4"}) << "the memo undoes its own typing";

  // New, Open and Close start without history.
  f.UserEvent("Technical Output On", [&] { f.ChkTechOut.setChecked(true); });
  s.ui.queueAnswer(Answer::Yes);
  f.UserEvent("Close", [&] { f.CancelClick(); });
  EXPECT_FALSE(f.CanUndo() || f.CanRedo());
  f.UserEvent("", [&] { f.BtnNewSetClick(); });
  f.UserEvent("Typing in Study Title", [&] { f.TxtProgTitle.setText("x"); });
  s.ui.queueAnswer(Answer::No);
  EXPECT_TRUE(OpenThroughCommand(s, dir.file("study.set")));
  EXPECT_FALSE(f.CanUndo());
  f.UserEvent("Typing in Study Title", [&] { f.TxtProgTitle.setText("Changed"); });
  f.Undo();
  EXPECT_FALSE(f.Modified) << "as opened";
}

// A step keeps the memo's shared text once it changed it, also a typing run that changes it only
// after its first event. Typing in the memo is its own undo.
TEST(History, StepsShareTheMemosTextAndKeepItOnlyWhenTheyChangedIt) {
  NewStudy s;
  TFrm1& f = s.f;
  f.UserEvent("Typing in Reorder Records", [&] { f.TxtProgTitle.setText("t"); });
  for (const char* line : {"1 2 3 4", "5 6 7 8"}) {
    f.UserEvent("Typing in Reorder Records", [&] { f.MemoReorder.appendLine(line); });
  }
  const std::string* text = &f.MemoReorder.text();
  for (const char* title : {"a", "b"}) f.UserEvent(title, [&] { f.TxtProgTitle.setText(title); });
  EXPECT_EQ(f.MemoReorder.sharedText().use_count(), 2) << "held by the memo and this call only";
  f.Undo(), f.Redo();
  f.UserEvent("", [&] { f.MemoReorder.appendLine("4 3 2 1"); });  // typed in the memo
  EXPECT_EQ(&f.MemoReorder.text(), text) << "never copied";
  f.Undo();
  EXPECT_EQ(f.TxtProgTitle.text() + "|" + f.MemoReorder.text(),
            "a|1 2 3 4\r\n5 6 7 8\r\n4 3 2 1\r\n");
  f.Undo(), f.Undo();
  EXPECT_EQ(f.TxtProgTitle.text() + "|" + f.MemoReorder.text(), "|");
  f.Redo();  // with the memo's own typing, which no undo took back
  EXPECT_EQ(f.TxtProgTitle.text() + "|" + f.MemoReorder.text(),
            "t|1 2 3 4\r\n5 6 7 8\r\n4 3 2 1\r\n");
}

}  // namespace
}  // namespace wintarvel::testing
