#pragma once
// The main window as a presentation model: every control of the eight pages, the document
// members of the study, and every event handler and shared operation. The Qt view binds real
// widgets to these members; tests drive them directly.
//
// The member functions are defined in the folder of the subsystem that owns them:
//   model/        start-up state, study reset, set file writer and reader, document life cycle
//   variables/    dyadic and personality variables, reordering, constructs, reverse scoring
//   correlation/  correlated-error pairing and verification, dropped subjects
//   options/      design type and data format, output options, reorder records
//   run/          file names, engine directory, instruction file and engine run, viewers

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/controls.h"
#include "model/history.h"
#include "model/ui.h"
#include "run/frm_options.h"
#include "run/platform.h"

namespace wintarvel {

// The record of one dyadic variable.
struct _variable {
  std::string Name;       // as typed, never with the " R" mark
  std::string Construct;  // name of its construct, empty when none
  bool Reversed = false;  // reverse scored
  bool operator==(const _variable&) const = default;
};

struct SplitPathResult {
  std::string dir, base, ext;
  bool ok;  // the base name is not empty
};
// Splits a path at its last separator into folder and name, and the name at its last dot into
// base name and extension.
SplitPathResult SplitPath(const std::string& path, char separator = kPathSeparator);

// Leading and trailing blanks and control characters removed.
std::string TrimBlanksAndControls(const std::string& text);
// Equal when letter case is ignored.
bool SameText(const std::string& a, const std::string& b);
// A number in two digits with a leading zero below 10 ("%02d").
std::string TwoDigits(int n);

// Texts of the program's messages and captions that several parts use.
inline constexpr const char* kAppTitle = "WinTarvel";
inline constexpr const char* kNewDocumentCaption = "WinTarvel - Set File Name";
inline constexpr const char* kUndefinedEngineDir = "Undefined";
// Follows the name in the list item of a reverse-scored dyadic variable.
inline constexpr const char* kReversedMark = " R";

// The About box: shown without being modal, hidden again by its Close button.
class TAboutBox : public Control {
 public:
  TAboutBox() { setVisible(false); }
  void OKButtonClick() { setVisible(false); }
};

// The set file of the study: the one it was last read from or written to, empty for a study
// never stored (a reset forgets it). Writes are counted too, with the last file written, which a
// reset keeps: so a view can say where each save went (also the save that a new study follows)
// and keep a list of recent files.
class StoredFile : public Control {
 public:
  const std::string& path() const { return path_; }
  const std::string& lastWritten() const { return lastWritten_; }
  std::uint64_t writeCount() const { return writeCount_; }
  void noteRead(const std::string& path) {
    path_ = path;
    touch();
  }
  void noteWritten(const std::string& path) {
    path_ = lastWritten_ = path;
    ++writeCount_;
    touch();
  }
  void forget() {
    path_.clear();
    touch();
  }

 private:
  std::string path_;
  std::string lastWritten_;
  std::uint64_t writeCount_ = 0;
};

class TFrm1 {
 public:
  TFrm1(Ui& ui, Platform& platform, std::string startDir);
  TFrm1(const TFrm1&) = delete;
  TFrm1& operator=(const TFrm1&) = delete;

  Ui& ui;
  Platform& platform;
  const std::string StartDir;

  // ---- Window ---------------------------------------------------------------------------
  Label WindowCaption;
  std::string caption() const { return WindowCaption.caption(); }
  PageControl PageControl1;
  TabSheet Groups, Variables, TabSheet2, Output, Constructs, CorError, Reorder, TabSheet1;
  Button Done;    // "Save Set File"
  Button Cancel;  // "Close"
  // Toolbar buttons
  Button BtnNewSet, BtnOpenSet, BtnSaveSet, BtnOpenData, BtnRun;
  FileDialog OpenDialog{FileDialogKind::Open};
  FileDialog SaveDialog{FileDialogKind::Save};
  StoredFile LastSetFile;

  // ---- Page "Basic" (Groups) --------------------------------------------------------------
  GroupBox StudyTitleBox;  // "Study Title Line"
  Edit TxtProgTitle;       // at most 64
  Edit TxtNumGroups;
  Label LblNumGroupsRange;                  // "(Between 1 and 999 Groups)"
  Edit TxtNumSubGroup1, TxtNumSubGroup2;    // at most 2
  Label Label14, Label15;                   // "Subgroup 1 Name", "Subgroup 2 Name"
  Edit TxtNameSubGroup1, TxtNameSubGroup2;  // at most 8
  GroupBox GroupBox14;                      // "Design Type"
  RadioGroup DesignType;
  RadioButton RadDesTy0{DesignType}, RadDesTy1{DesignType}, RadDesTy2{DesignType};
  CheckBox ChkDropSub;
  GroupBox DropSub;
  ComboBox CmbDrop;
  Button CmdDrop;

  // ---- Page "Variables" -------------------------------------------------------------------
  GroupBox DyadicBox;  // "Dyadic Variables"
  Edit TxtDyVars;      // at most 10
  ListBox CmbDyVar;
  Button CmdDyVarAdd, CmdDyVarRem, CmdDyVarRename;
  UpDown UDDy;
  GroupBox PersonalityBox;  // "Personality Variables"
  Edit TxtPerVars;          // at most 10
  ListBox CmbPerVar;
  Button CmdPerVarAdd, CmdPerVarRem, CmdPerVarRename;
  UpDown UDPer;
  CheckBox ChkSelfM;
  CheckBox ChkReverseVar;
  Button CmdDyVarRev;
  Label LBLRevScore;
  Edit TxtRevScore;  // at most 5

  // ---- Page "Data Format" (TabSheet2) -----------------------------------------------------
  Label Label16;         // "Group Data Input Fortran Format Record"
  Edit TxtGroupFortran;  // at most 320
  CheckBox ChkSecFmt;
  Edit TxtGroup2Fortran;  // at most 320
  GroupBox GroupBox9;     // "Input Pattern "
  RadioGroup InputPattern;
  RadioButton RadInpPat0{InputPattern}, RadInpPat1{InputPattern}, RadInpPat2{InputPattern},
      RadInpPat3{InputPattern}, RadInpPat4{InputPattern}, RadInpPat5{InputPattern};
  GroupBox GroupBoxPV;  // "Personality Variables Read Order"
  RadioGroup ReadOrder;
  RadioButton RBPerBeforeDy{ReadOrder}, RBPerAfterDy{ReadOrder};

  // ---- Page "Output" ----------------------------------------------------------------------
  GroupBox RadioGroup1;  // "Output Options"
  RadioGroup OutputOption;
  RadioButton RadOut0{OutputOption}, RadOut1{OutputOption}, RadOut2{OutputOption},
      RadOut3{OutputOption}, RadOut4{OutputOption};
  CheckBox ChkTechOut;
  Label Label3;  // "(Includes Covariance Matrices)"
  CheckBox ChkRawData;
  GroupBox GroupBox3;
  RadioGroup EffectEstimates;
  RadioButton RadAP0{EffectEstimates}, RadAP1{EffectEstimates}, RadAP2{EffectEstimates};

  // ---- Page "Constructs" ------------------------------------------------------------------
  Edit TxtConstruct;  // at most 10
  ListBox CmbConst;
  Button CmdConstAdd, CmdConstRem;
  Label LblConstVar;
  ListBox LstVars{true};       // "Variables Not in a Construct"
  ListBox LstVarsConst{true};  // "Variables in Construct"
  Button CmdVarsConstAdd, CmdVarsConstRem;

  // ---- Page "Correlated Errors" (CorError) ------------------------------------------------
  ListBox CorAvailVarList, CorMapVarList, CorVarList;
  Button PBCorConnect, PBCorDisconnect, PBCorConfirm;
  Edit ConRecInfo, CorRecInfo;  // hidden, read-only code strings

  // ---- Page "Reorder" ---------------------------------------------------------------------
  GroupBox GroupBox16;  // "Reorder Pattern"
  RadioGroup ReorderPattern;
  RadioButton RadRePat0{ReorderPattern}, RadRePat1{ReorderPattern}, RadRePat2{ReorderPattern},
      RadRePat3{ReorderPattern}, RadRePat4{ReorderPattern}, RadRePat5{ReorderPattern},
      RadRePat6{ReorderPattern};
  Label Label7;         // "Differently for Each Row"
  GroupBox GroupBox17;  // "New or Same Reorder Record(s)"
  RadioGroup ReorderNewSame;
  RadioButton RadReNewSame0{ReorderNewSame}, RadReNewSame1{ReorderNewSame};
  Label Label2;  // "Alone"
  Memo MemoReorder;
  Label LblNumReor;

  // ---- Page "File Names" (TabSheet1) ------------------------------------------------------
  Edit TxtSetFile, TxtDataFile, TxtOutFile, TxtCoVar, TxtIndDif;
  Button Button2, Button1, Button3, CmdCoVar, CmdIndDif;  // "Browse"
  Label LblCoVar, LblIndDif;
  Button GenInstr;  // "Run Tarvel"
  Edit TxtExeDir;   // hidden: the engine directory
  // How the last run ended, for the status bar; set anew by every run.
  Label RunOutcome;

  // ---- Other windows ----------------------------------------------------------------------
  TFrmOptions FrmOptions;
  TAboutBox AboutBox;

  // ---- Document members -------------------------------------------------------------------
  std::vector<_variable> DyVarList;
  std::vector<int> DroppedSubjects;
  int NumGroups = 0;
  int GroupSize = 3;
  int ReorderRecordCount = 0;
  bool Modified = false;
  bool LoadedFromFile = false;
  std::string SelectedAvailVar;
  std::string SelectedCorrVar;

  // ---- Undo (model/) ---------------------------------------------------------------------
  // Runs one user event as one undoable step (see History::runEvent); the view runs every
  // user event through here.
  void UserEvent(const std::string& step, const std::function<void()>& handler);
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();
  std::string UndoStepName() const;
  std::string RedoStepName() const;

  // ---- Document life cycle, reset, set file (model/) ------------------------------------
  void ChangeCallback();
  void BtnNewSetClick();
  void BtnOpenSetClick();
  // Open with the file already chosen (a recent file, the command line, a dropped file): the
  // same question about unsaved changes and the same reading, without the file dialog.
  void OpenNamedSetFile(const std::string& path);
  void DoneClick();
  void SaveAsClick();
  void CancelClick();
  void FileExitItemClick();
  bool onFrmClose();  // true when the window may close
  void ResetStudy();  // the reset that follows the question of BtnNewSetClick
  bool ChooseSetFileName();
  bool SaveSetFile();  // true when the file was written
  bool OpenSetFile();  // false when the file could not be read whole

  // ---- Dyadic and personality variables (variables/) --------------------------------------
  void CmdDyVarAddClick();
  void CmdDyVarRemClick();
  void CmdDyVarRenameClick();
  void CmbDyVarClick();
  void TxtDyVarsKeyPress(char key);
  void CmdPerVarAddClick();
  void CmdPerVarRemClick();
  void CmdPerVarRenameClick();
  void CmbPerVarClick();
  void TxtPerVarsKeyPress(char key);
  int FindDyVarRec(const std::string& text) const;  // position in DyVarList, or -1
  void UpdateVarCodes();
  void UDDyClick(UpDownButton button);
  void UDPerClick(UpDownButton button);
  // Constructs
  void CmdConstAddClick();
  void CmdConstRemClick();
  void CmdConstSelClick();
  void CmbConstKeyPress(char key);
  void CmdVarsConstAddClick();
  void CmdVarsConstRemClick();
  void LstVarsRefresh();
  void CompleteConstructs();
  // Reverse scoring
  void ChkReverseVarClick();
  void CmdDyVarRevClick();

  // ---- Correlated errors and dropped subjects (correlation/) ------------------------------
  void CorAvailVarListClick();
  void CorMapVarListClick();
  void CorVarListClick();
  void PRCorConnectClick();
  void PBCorDisconnectClick();
  void PBCorVerifyClick();
  void RefreshCorLists();
  int FindDyVarItem(const std::string& name) const;
  static int NextFreeCode(const std::string& record);
  bool VerifyCorrelations(bool ShowMessages);
  void ChkDropSubClick();
  void CmdDropClick();
  void UpdateDropped();
  void DropSubSameCallback();

  // ---- Study options (options/) -----------------------------------------------------------
  void CheckDesignTypes();
  void ChkSecFmtChange();
  void InputOptChange();
  void CheckOptFiles();
  void CheckReorder();
  void MemoOnChange();
  // Reorder records the settings require: pattern 0-6 and choice 0 (new for each group) or 1
  // (first group alone); nullopt when either is -1 (no button selected).
  static std::optional<int> ReorderRecordsFor(int pattern, int newSame, int numGroups,
                                              int groupSize);

  // ---- File names, engine run, viewers, About (run/) ---------------------------------------
  void Button2Click();
  void Button1Click();
  void Button3Click();
  void CmdCoVarClick();
  void CmdIndDifClick();
  void FileNameChangeCallback();
  void GenInstrClick();
  void BtnRunClick();
  void EditOptions1Click();
  void BtnOpenDataClick();
  void OpeninNotepad1Click();
  void HelpAboutItemClick();

 private:
  void setUpControls();
  void wireHandlers();

  History history_{*this};
};

// The number of subjects in a group: the sum of the two subgroup sizes, held within the range of
// an int. Throws ConversionError when a size is not a whole number; the first size is converted
// first, so that when both are wrong the error names the first.
int SubjectsPerGroup(const TFrm1& f);

// Sets ReorderRecordCount to what the checked reorder choices need for these groups; leaves it
// as it was while either choice has no button checked.
void UpdateReorderRecordCount(TFrm1& f, int numGroups, int groupSize);

// The number of a variable's construct: the position of the first construct of that name in
// CmbConst (letter case ignored) plus one; 0 for a variable in no construct, even when a damaged
// file gave some construct an empty name.
int ConstructNumber(const TFrm1& f, const std::string& construct);

}  // namespace wintarvel
