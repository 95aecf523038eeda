// The document commands: new, open, save, save as, close and exit, and the question asked before
// unsaved changes would be lost. A save that the user asked for and that wrote nothing (refused
// or failed, not a cancelled name choice) stops the command, so nothing is ever dropped silently.

#include <string>

#include "model/frm1.h"
#include "model/set_file_writer.h"

namespace wintarvel {

namespace {

constexpr const char* kSaveQuestion = "Changes have been made, do you want to save it?";
constexpr const char* kConfirmCaption = "Confirm";

// Asks for a name first (starting from the current one), then writes. A failed write gives the
// document its previous name back: the chosen one holds nothing.
SaveOutcome saveUnderChosenName(TFrm1& f) {
  const std::string previousName = f.TxtSetFile.text();
  if (!f.ChooseSetFileName()) return SaveOutcome::NameCancelled;
  const SaveOutcome outcome = WriteSetFile(f);
  if (outcome != SaveOutcome::Written) f.TxtSetFile.setText(previousName);
  return outcome;
}

// The outcomes after which a command goes on: the file was written, or the user chose not to
// name one and so drops the changes.
bool goesOn(SaveOutcome outcome) {
  return outcome == SaveOutcome::Written || outcome == SaveOutcome::NameCancelled;
}

// The question of New, Open, Close, Exit and closing the window. False when the command stops.
bool settleUnsavedChanges(TFrm1& f, SaveOutcome (*save)(TFrm1&)) {
  if (!f.Modified) return true;
  switch (f.ui.ask(kSaveQuestion, kConfirmCaption, Buttons::YesNoCancel)) {
    case Answer::Cancel:
      return false;
    case Answer::Yes:
      if (!goesOn(save(f))) return false;
      break;
    case Answer::No:
      break;
  }
  f.Modified = false;
  return true;
}

// Saves under the document's name; a document without one asks for it before anything else,
// so that a cancelled choice leaves the study untouched (the save would first complete its
// constructs).
SaveOutcome saveAskingForAMissingNameFirst(TFrm1& f) {
  return f.TxtSetFile.text().empty() ? saveUnderChosenName(f) : WriteSetFile(f);
}

// Reads the file the open dialog names into the document.
void openChosenSetFile(TFrm1& f) {
  const bool complete = f.OpenSetFile();
  f.GenInstr.setEnabled(false);
  f.BtnRun.setEnabled(false);
  f.BtnSaveSet.setEnabled(true);
  if (complete) {
    // A damaged file keeps Modified set and no file name, so that the partial study is never
    // saved over it without asking.
    f.Modified = false;
    f.LoadedFromFile = true;
    f.TxtSetFile.setText(f.OpenDialog.fileName());
  }
  f.FrmOptions.LoadEnginePathIfUnknown();
}

}  // namespace

void TFrm1::BtnNewSetClick() {
  // New always offers the name dialog, even for a document that has a name.
  if (!settleUnsavedChanges(*this, saveUnderChosenName)) return;
  ResetStudy();
}

void TFrm1::BtnOpenSetClick() {
  if (!settleUnsavedChanges(*this, saveAskingForAMissingNameFirst)) return;
  OpenDialog.setDefaultExt("set");
  OpenDialog.setFileName("*.set");
  if (!ui.execute(OpenDialog)) return;
  openChosenSetFile(*this);
}

void TFrm1::OpenNamedSetFile(const std::string& path) {
  if (!settleUnsavedChanges(*this, saveAskingForAMissingNameFirst)) return;
  OpenDialog.setDefaultExt("set");
  OpenDialog.setFileName(path);
  openChosenSetFile(*this);
}

void TFrm1::DoneClick() {
  if (saveAskingForAMissingNameFirst(*this) == SaveOutcome::Written) Modified = false;
}

void TFrm1::SaveAsClick() {
  if (saveUnderChosenName(*this) == SaveOutcome::Written) Modified = false;
}

void TFrm1::CancelClick() {
  if (!settleUnsavedChanges(*this, WriteSetFile)) return;
  BtnNewSetClick();  // asks nothing now: Modified is clear
  BtnSaveSet.setEnabled(false);
  PageControl1.setActivePage(0);  // "Basic"
  PageControl1.setVisible(false);
  Done.setVisible(false);
  Cancel.setVisible(false);
}

// Exit asks with Cancel as well, like every other question about unsaved changes: a key that
// merely closes the question never drops the study.
void TFrm1::FileExitItemClick() {
  if (Modified) {
    if (!settleUnsavedChanges(*this, WriteSetFile)) return;
    LoadedFromFile = false;
  }
  ui.closeMainWindow();
}

bool TFrm1::onFrmClose() {
  return settleUnsavedChanges(*this, WriteSetFile);
}

}  // namespace wintarvel
