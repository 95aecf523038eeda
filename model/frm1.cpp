// The main window's start-up state: captions, limits, what is enabled, visible and checked
// before the first set file is created, and which handler each control runs on a change.

#include "model/frm1.h"

#include <initializer_list>
#include <utility>

namespace wintarvel {

TFrm1::TFrm1(Ui& ui_, Platform& platform_, std::string startDir)
    : ui(ui_),
      platform(platform_),
      StartDir(std::move(startDir)),
      FrmOptions(ui_, platform_, StartDir, TxtExeDir) {
  setUpControls();
  wireHandlers();
  Modified = false;
}

void TFrm1::setUpControls() {
  WindowCaption.setCaption(kAppTitle);
  OpenDialog.setFilter("All files (*.*)|*.*");

  const std::initializer_list<std::pair<TabSheet*, const char*>> pages = {
      {&Groups, "Basic"},    {&Variables, "Variables"},   {&TabSheet2, "Data Format"},
      {&Output, "Output"},   {&Constructs, "Constructs"}, {&CorError, "Correlated Errors"},
      {&Reorder, "Reorder"}, {&TabSheet1, "File Names"}};
  for (const auto& [page, caption] : pages) page->setCaption(caption);
  CorError.setTabVisible(false);
  PageControl1.setVisible(false);
  PageControl1.setActivePage(3);  // "Output" is on top when the pages first appear

  Done.setCaption("Save Set File");
  Cancel.setCaption("Close");
  Done.setVisible(false);
  Cancel.setVisible(false);
  BtnSaveSet.setEnabled(false);
  BtnRun.setEnabled(false);

  // Basic
  StudyTitleBox.setCaption("Study Title Line");
  TxtProgTitle.setMaxLength(64);
  TxtNumGroups.setText("1");
  LblNumGroupsRange.setCaption("(Between 1 and 999 Groups)");
  TxtNumSubGroup1.setMaxLength(2);
  TxtNumSubGroup2.setMaxLength(2);
  Label14.setCaption("Subgroup 1 Name");
  Label15.setCaption("Subgroup 2 Name");
  TxtNameSubGroup1.setMaxLength(8);
  TxtNameSubGroup2.setMaxLength(8);
  for (Control* c :
       std::initializer_list<Control*>{&Label14, &Label15, &TxtNameSubGroup1, &TxtNameSubGroup2}) {
    c->setVisible(false);
  }
  GroupBox14.setCaption("Design Type");
  RadDesTy0.setCaption("Symmetric Block (Default)");
  RadDesTy1.setCaption("Asymmetric Block");
  RadDesTy2.setCaption("Half Block");
  RadDesTy0.setChecked(true);
  ChkDropSub.setCaption("Dropped Subjects");
  DropSub.setCaption("Dropped Subjects");
  DropSub.setEnabled(false);
  CmdDrop.setCaption("(Un) Drop");
  CmdDrop.setEnabled(false);

  // Variables
  DyadicBox.setCaption("Dyadic Variables");
  PersonalityBox.setCaption("Personality Variables");
  TxtDyVars.setMaxLength(10);
  TxtPerVars.setMaxLength(10);
  for (Button* b : {&CmdDyVarAdd, &CmdPerVarAdd}) b->setCaption("Add");
  for (Button* b : {&CmdDyVarRem, &CmdPerVarRem}) b->setCaption("Remove");
  for (Button* b : {&CmdDyVarRename, &CmdPerVarRename}) b->setCaption("Rename");
  ChkSelfM.setCaption("Self Measures");
  ChkReverseVar.setCaption("Reverse Scoring");
  CmdDyVarRev.setCaption("Reverse Score");
  CmdDyVarRev.setEnabled(false);
  LBLRevScore.setCaption("Sum of the Upper Limit and Lower Limit");
  LBLRevScore.setVisible(false);
  TxtRevScore.setMaxLength(5);
  TxtRevScore.setVisible(false);

  // Data Format
  Label16.setCaption("Group Data Input Fortran Format Record");
  TxtGroupFortran.setMaxLength(320);
  ChkSecFmt.setCaption("Second Variable Format Record for Subgroup 2");
  TxtGroup2Fortran.setMaxLength(320);
  TxtGroup2Fortran.setVisible(false);
  TxtGroup2Fortran.setEnabled(false);
  GroupBox9.setCaption("Input Pattern ");
  RadInpPat0.setCaption("Block with Dyad Input");
  RadInpPat1.setCaption("Round Robin with Dyad Input");
  RadInpPat2.setCaption("Block with Person Input, Partners Fastest Moving");
  RadInpPat3.setCaption("Block with Person Input, Variables Fastest Moving");
  RadInpPat4.setCaption("Round Robin with Person Input, Partners Fastest Moving");
  RadInpPat5.setCaption("Round Robin with Person Input, Variables Fastest Moving");
  RadInpPat0.setChecked(true);
  GroupBoxPV.setCaption("Personality Variables Read Order");
  RBPerBeforeDy.setCaption("Read Before Dyadic Variables");
  RBPerAfterDy.setCaption("Read After Dyadic Variables");
  RBPerBeforeDy.setChecked(true);
  for (Control* c : std::initializer_list<Control*>{&GroupBoxPV, &RBPerBeforeDy, &RBPerAfterDy}) {
    c->setEnabled(false);
  }

  // Output
  RadioGroup1.setCaption("Output Options");
  RadOut0.setCaption("Univariate, Summary Only");
  RadOut1.setCaption("Univariate, Every Group and Summary");
  RadOut2.setCaption("Multivariate, Summary Only");
  RadOut3.setCaption("Multivariate, Every Group and Summary");
  RadOut4.setCaption("Construct Variances and Covariances to a File");
  RadOut0.setChecked(true);
  ChkTechOut.setCaption("Technical Output");
  Label3.setCaption("(Includes Covariance Matrices)");
  ChkRawData.setCaption("Print out Raw Data");
  GroupBox3.setCaption(
      "Actor and Partner Effect Estimates, Self Measures, and Personality Variables to a File");
  RadAP0.setCaption("None");
  RadAP1.setCaption("Yes with Means Removed for the Effect Estimates to a File");
  RadAP2.setCaption("Yes with Means Remaining to a File");
  RadAP0.setChecked(true);

  // Constructs
  TxtConstruct.setMaxLength(10);
  CmdConstAdd.setCaption("Add");
  CmdConstRem.setCaption("Remove");
  LblConstVar.setCaption("none selected");
  CmdVarsConstAdd.setCaption("Add ->");
  CmdVarsConstRem.setCaption("<- Remove");
  CmdVarsConstAdd.setEnabled(false);
  CmdVarsConstRem.setEnabled(false);

  // Correlated Errors
  PBCorConnect.setCaption("Correlate ->");
  PBCorDisconnect.setCaption("<- Uncorrelate");
  PBCorConfirm.setCaption("Confirm");
  for (Control* c :
       std::initializer_list<Control*>{&PBCorConnect, &PBCorDisconnect, &PBCorConfirm}) {
    c->setEnabled(false);
  }
  for (Control* c : std::initializer_list<Control*>{&PBCorConfirm, &ConRecInfo, &CorRecInfo}) {
    c->setVisible(false);
  }

  // Reorder
  GroupBox16.setCaption("Reorder Pattern");
  RadRePat0.setCaption("No Reorder Record");
  RadRePat1.setCaption("Reorder Rows Only");
  RadRePat2.setCaption("Reorder Rows and Columns in the Same Way");
  RadRePat3.setCaption("Reorder Columns Only");
  RadRePat4.setCaption("Reorder Rows and Columns in Different Ways");
  RadRePat5.setCaption("Reorder Columns Differently for Each Row");
  RadRePat6.setCaption("Reorder Rows and Reorder Columns");
  RadRePat0.setChecked(true);
  Label7.setCaption("Differently for Each Row");
  GroupBox17.setCaption("New or Same Reorder Record(s)");
  RadReNewSame0.setCaption("New Reorder Record for Each Group");
  RadReNewSame1.setCaption("Reorder Record for the First Group");
  RadReNewSame1.setChecked(true);
  Label2.setCaption("Alone");
  GroupBox17.setVisible(false);
  MemoReorder.setVisible(false);
  LblNumReor.setCaption("0  reorder record(s) needed");

  // File Names
  for (Button* b : {&Button2, &Button1, &Button3, &CmdCoVar, &CmdIndDif}) b->setCaption("Browse");
  LblCoVar.setCaption("Variance and Covariances");
  LblIndDif.setCaption("Effect Estimates");
  for (Control* c : std::initializer_list<Control*>{&TxtCoVar, &LblCoVar, &CmdCoVar, &TxtIndDif,
                                                    &LblIndDif, &CmdIndDif}) {
    c->setEnabled(false);
  }
  GenInstr.setCaption("Run Tarvel");
  TxtExeDir.setVisible(false);
}

void TFrm1::wireHandlers() {
  auto modified = [this] { ChangeCallback(); };
  TxtProgTitle.onChange = modified;
  ChkSelfM.onClick = modified;
  // Every other edit of a value that the set file stores marks the document modified too, so
  // that closing the window never drops what the user typed without asking.
  for (Edit* e : {&TxtNumSubGroup1, &TxtNumSubGroup2, &TxtNameSubGroup1, &TxtNameSubGroup2,
                  &TxtGroupFortran, &TxtGroup2Fortran, &TxtRevScore}) {
    e->onChange = modified;
  }
  ChkTechOut.onClick = modified;
  ChkRawData.onClick = modified;
  MemoReorder.onChange = [this] {
    MemoOnChange();
    Modified = true;
  };

  TxtNumGroups.onChange = [this] { CheckReorder(); };
  for (RadioButton* r : {&RadDesTy0, &RadDesTy1, &RadDesTy2}) {
    r->onClick = [this] { CheckDesignTypes(); };
  }
  ChkDropSub.onClick = [this] { ChkDropSubClick(); };
  ChkReverseVar.onClick = [this] { ChkReverseVarClick(); };
  ChkSecFmt.onClick = [this] { ChkSecFmtChange(); };
  for (RadioButton* r : {&RadInpPat0, &RadInpPat1, &RadInpPat2, &RadInpPat3, &RadInpPat4,
                         &RadInpPat5, &RBPerBeforeDy, &RBPerAfterDy}) {
    r->onClick = [this] { InputOptChange(); };
  }
  for (RadioButton* r :
       {&RadOut0, &RadOut1, &RadOut2, &RadOut3, &RadOut4, &RadAP0, &RadAP1, &RadAP2}) {
    r->onClick = [this] { CheckOptFiles(); };
  }
  for (RadioButton* r : {&RadRePat0, &RadRePat1, &RadRePat2, &RadRePat3, &RadRePat4, &RadRePat5,
                         &RadRePat6, &RadReNewSame0, &RadReNewSame1}) {
    r->onClick = [this] { CheckReorder(); };
  }
  for (Edit* e : {&TxtSetFile, &TxtDataFile, &TxtOutFile, &TxtCoVar, &TxtIndDif}) {
    e->onChange = [this] { FileNameChangeCallback(); };
  }
}

void TFrm1::ChangeCallback() {
  Modified = true;
}

}  // namespace wintarvel
