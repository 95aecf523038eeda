// The reset to a new, empty set document. Setting each control runs its change handler, exactly
// as a user's change would, so every dependent enabled and visible state follows; the handlers
// also mark the document modified, which the reset clears again at the end.

#include <initializer_list>

#include "model/frm1.h"

namespace wintarvel {

void TFrm1::ResetStudy() {
  TxtProgTitle.setText("");
  // The sizes are emptied before the number of groups changes, so that the reorder rule that
  // change runs converts nothing: the group numbers keep their last values, and a size that is
  // not a number cannot stop the reset.
  TxtNumSubGroup1.setText("");
  TxtNumSubGroup2.setText("");
  TxtNumGroups.setText("1");
  for (Control* c : std::initializer_list<Control*>{&Label14, &Label15}) c->setVisible(false);
  TxtNameSubGroup1.setText("");
  TxtNameSubGroup2.setText("");
  TxtNameSubGroup1.setVisible(false);
  TxtNameSubGroup2.setVisible(false);
  RadDesTy0.setChecked(true);
  ChkDropSub.setChecked(false);
  for (Control* c : std::initializer_list<Control*>{&DropSub, &CmdDrop, &CmbDrop}) {
    c->setEnabled(false);
  }
  CmbDyVar.clear();
  TxtDyVars.setText("");
  TxtPerVars.setText("");
  CmbPerVar.clear();
  ChkSelfM.setChecked(false);
  ChkReverseVar.setChecked(false);
  TxtRevScore.setText("");
  RadInpPat0.setChecked(true);
  GroupBoxPV.setEnabled(false);
  RBPerBeforeDy.setChecked(true);
  RBPerBeforeDy.setEnabled(false);
  RBPerAfterDy.setEnabled(false);
  TxtGroupFortran.setText("");
  ChkSecFmt.setChecked(false);
  TxtGroup2Fortran.setText("");
  TxtGroup2Fortran.setEnabled(false);
  RadOut0.setChecked(true);
  RadAP0.setChecked(true);
  ChkTechOut.setChecked(false);
  ChkRawData.setChecked(false);
  TxtConstruct.setText("");
  CmbConst.clear();
  LstVars.clear();
  LstVarsConst.clear();
  LblConstVar.setCaption("none selected");
  CorAvailVarList.clear();
  CorMapVarList.clear();
  CorVarList.clear();
  CorError.setTabVisible(false);
  CorRecInfo.setText("");
  ConRecInfo.setText("");
  RadRePat0.setChecked(true);
  RadReNewSame1.setChecked(true);
  GroupBox17.setVisible(false);
  // The count goes to zero before the memo is emptied, so that the memo's change rule leaves
  // the label at "0 record(s) needed" rather than the old count.
  ReorderRecordCount = 0;
  LblNumReor.setCaption("0 record(s) needed");
  MemoReorder.setText("");
  for (Edit* e : {&TxtSetFile, &TxtDataFile, &TxtOutFile, &TxtCoVar, &TxtIndDif}) e->setText("");

  Done.setVisible(true);
  Cancel.setVisible(true);
  BtnSaveSet.setEnabled(true);
  GenInstr.setEnabled(false);
  BtnRun.setEnabled(false);

  WindowCaption.setCaption(kNewDocumentCaption);
  LastSetFile.forget();
  DyVarList.clear();
  DroppedSubjects.clear();
  PageControl1.setVisible(true);
  Modified = false;
  LoadedFromFile = false;
  history_.clear();  // a new study starts with no history
  FrmOptions.LoadEnginePathIfUnknown();
}

}  // namespace wintarvel
