#include "app/hints.h"

#include <QWidget>

namespace wintarvel::view {

namespace {

struct Hint {
  // The widget's object name; "Window/Name" for a widget of another window than the main one.
  const char* name;
  // Its access key, 0 for none. Keys are unique on each page and never one of the menu bar's
  // (F, R, P, H, and E and V kept free for the Edit and View menus).
  char key;
  const char* tip;
};

// clang-format off
const Hint kHints[] = {
    // ---- Basic ----------------------------------------------------------------------------
    {"StudyTitleBox", 'T', nullptr},
    {"TxtProgTitle", 0, "The title of the study, the first line of the set file. Up to 64 characters."},
    {"LblNumGroups", 'N', nullptr},
    {"TxtNumGroups", 0, "How many groups the data hold: a whole number from 1 to 999."},
    {"LblNumSubGroup1", '1', nullptr},
    {"TxtNumSubGroup1", 0, "How many members of each group are in subgroup 1: a whole number of up to 2 digits."},
    {"LblNumSubGroup2", '2', nullptr},
    {"TxtNumSubGroup2", 0, "How many members of each group are in subgroup 2: a whole number of up to 2 digits."},
    {"Label14", 'b', nullptr},
    {"TxtNameSubGroup1", 0, "A short name for subgroup 1, stored after the study title. Up to 8 characters."},
    {"Label15", 'm', nullptr},
    {"TxtNameSubGroup2", 0, "A short name for subgroup 2, stored after the study title. Up to 8 characters."},
    {"GroupBox14", 'D', nullptr},
    {"RadDesTy0", 0, "Symmetric block: the members of each subgroup rate the members of the other, and both subgroups are the same kind of people. The usual choice."},
    {"RadDesTy1", 0, "Asymmetric block: the members of each subgroup rate the members of the other, and the subgroups are different kinds of people. Name them beside their sizes."},
    {"RadDesTy2", 0, "Half block: the ratings go one way only, from one subgroup to the other. Self measures are not available. Name the subgroups beside their sizes."},
    {"ChkDropSub", 'o', "Leaves some subjects out of the analysis, in every group. Choose them in the list beside."},
    {"DropSub", 'j', nullptr},
    {"CmbDrop", 0, "The members of a group, by number; a dropped one ends in D. Choose one and press (Un) Drop."},
    {"CmdDrop", 'U', "Drops the chosen subject from every group, or takes a dropped one back."},

    // ---- Variables ------------------------------------------------------------------------
    {"DyadicBox", 'y', nullptr},
    {"TxtDyVars", 0, "Name of a dyadic variable. Up to 10 characters. Enter adds the variable; \".\" removes the selected one."},
    {"CmbDyVar", 0, "The dyadic variables in the order of the data, at most 20; R marks a reverse-scored one. Click one to rename, remove or move it."},
    {"CmdDyVarAdd", 'A', "Adds the name typed above to the dyadic variables (at most 20)."},
    {"CmdDyVarRem", 'o', "Removes the selected dyadic variable."},
    {"CmdDyVarRename", 'n', "Gives the selected dyadic variable the name typed above."},
    {"UDDyUp", 0, "Moves the selected dyadic variable up in the order of the data."},
    {"UDDyDown", 0, "Moves the selected dyadic variable down in the order of the data."},
    {"PersonalityBox", 't', nullptr},
    {"TxtPerVars", 0, "Name of a personality variable. Up to 10 characters. Enter adds the variable; \".\" removes the selected one."},
    {"CmbPerVar", 0, "The personality variables in the order of the data, at most 20. Click one to rename, remove or move it."},
    {"CmdPerVarAdd", 'd', "Adds the name typed above to the personality variables (at most 20)."},
    // "Remove" has no letter left on this page that the menu bar and the other buttons do not
    // use: the button is reached with Tab from the Add button above it.
    {"CmdPerVarRem", 0, "Removes the selected personality variable."},
    {"CmdPerVarRename", 'm', "Gives the selected personality variable the name typed above."},
    {"UDPerUp", 0, "Moves the selected personality variable up in the order of the data."},
    {"UDPerDown", 0, "Moves the selected personality variable down in the order of the data."},
    {"ChkSelfM", 'S', "Check when the data also hold each subject's rating of himself or herself."},
    {"ChkReverseVar", 'g', "Reverse scores some dyadic variables: select one in the list and press Reverse Score."},
    {"CmdDyVarRev", 'c', "Reverse scores the selected dyadic variable, or stops doing so. R marks it in the list."},
    {"LBLRevScore", 'U', nullptr},
    {"TxtRevScore", 0, "The upper limit of the rating scale plus its lower limit (8 for a scale from 1 to 7), used to reverse the scores. A whole number of up to 5 digits."},

    // ---- Data Format ----------------------------------------------------------------------
    {"Label16", 'G', nullptr},
    {"TxtGroupFortran", 0, "The Fortran format that reads the data of a group, for example (3F2.0,2F3.0). Up to 320 characters."},
    {"ChkSecFmt", 'n', "Check when the data of subgroup 2 need a format of their own, typed below."},
    {"TxtGroup2Fortran", 0, "The Fortran format that reads the data of subgroup 2. Up to 320 characters."},
    {"CmdCheckData", 0, "Reads the first records of the data file named on the File Names page with the format record and shows what it reads."},
    {"GroupBox9", 'I', nullptr},
    {"RadInpPat0", 0, "The data come from a block design and are entered dyad by dyad."},
    {"RadInpPat1", 0, "The data come from a round robin (everyone rates everyone in the group) and are entered dyad by dyad."},
    {"RadInpPat2", 0, "Block design entered person by person: within a person, the partner changes fastest."},
    {"RadInpPat3", 0, "Block design entered person by person: within a person, the variable changes fastest."},
    {"RadInpPat4", 0, "Round robin entered person by person: within a person, the partner changes fastest."},
    {"RadInpPat5", 0, "Round robin entered person by person: within a person, the variable changes fastest."},
    {"GroupBoxPV", 'O', nullptr},
    {"RBPerBeforeDy", 0, "Each subject's personality variables come before the dyadic variables in the data. Available once there are personality variables."},
    {"RBPerAfterDy", 0, "Each subject's personality variables come after the dyadic variables in the data. Available once there are personality variables."},

    // ---- Output ---------------------------------------------------------------------------
    {"RadioGroup1", 'O', nullptr},
    {"RadOut0", 0, "Analyses each variable on its own and reports the summary over all groups only."},
    {"RadOut1", 0, "Analyses each variable on its own and reports every group and the summary."},
    {"RadOut2", 0, "Analyses the variables together and reports the summary over all groups only."},
    {"RadOut3", 0, "Analyses the variables together and reports every group and the summary."},
    {"RadOut4", 0, "Writes the variances and covariances of the constructs to a file, named on the File Names page."},
    {"ChkTechOut", 'T', "Adds technical output, covariance matrices included, to the report."},
    {"ChkRawData", 'w', "Prints the raw data in the report."},
    {"GroupBox3", 'A', nullptr},
    {"RadAP0", 0, "Writes no file of effect estimates."},
    {"RadAP1", 0, "Writes the actor and partner effect estimates, self measures and personality variables to a file, with the means removed from the effect estimates. Name the file on the File Names page."},
    {"RadAP2", 0, "Writes the actor and partner effect estimates, self measures and personality variables to a file, with the means kept. Name the file on the File Names page."},

    // ---- Constructs -----------------------------------------------------------------------
    {"LblConstruct", 'C', nullptr},
    {"TxtConstruct", 0, "Name of a construct. Up to 10 characters. Enter adds the construct; \".\" removes the selected one."},
    {"CmbConst", 0, "The constructs, at most 20. Click one to see and change its variables."},
    {"CmdConstAdd", 'A', "Adds the name typed above as a construct (at most 20)."},
    {"CmdConstRem", 'm', "Removes the selected construct; its variables are then in no construct."},
    {"LblVarsNotInConstruct", 'N', nullptr},
    {"LstVars", 0, "Dyadic variables in no construct. Select one or more and press Add -> to put them in the selected construct. Saving gives each one left here a construct of its own."},
    {"CmdVarsConstAdd", 'd', "Puts the variables selected on the left into the selected construct."},
    {"CmdVarsConstRem", 'o', "Takes the variables selected on the right out of the selected construct."},
    {"LblVarsInConstruct", 'i', nullptr},
    {"LstVarsConst", 0, "The variables of the selected construct. Select one or more and press <- Remove to take them out."},

    // ---- Correlated Errors ----------------------------------------------------------------
    {"LblCorAvailVarList", 'A', nullptr},
    {"CorAvailVarList", 0, "The dyadic variables. Click one to see which variables of other constructs its errors may correlate with."},
    {"LblCorMapVarList", 'b', nullptr},
    {"CorMapVarList", 0, "Variables of other constructs whose errors may correlate with the chosen one. Click one, then Correlate ->."},
    {"LblCorVarList", 'C', nullptr},
    {"CorVarList", 0, "Variables whose errors correlate with the chosen one. Click one, then <- Uncorrelate."},
    {"PBCorConnect", 't', "Correlates the errors of the two chosen variables."},
    {"PBCorDisconnect", 'U', "Takes back the correlation of the errors of the chosen variables."},
    {"PBCorConfirm", 'n', "Checks the correlated errors."},
    {"ConRecInfo", 0, "The construct number of each dyadic variable, two digits each. Kept by the program."},
    {"CorRecInfo", 0, "The correlated-error code of each dyadic variable, two digits each. Kept by the program."},

    // ---- Reorder --------------------------------------------------------------------------
    {"GroupBox16", 't', nullptr},
    {"RadRePat0", 0, "The data are read in their order: no reorder records."},
    {"RadRePat1", 0, "Reorder records give a new order of the rows."},
    {"RadRePat2", 0, "Reorder records give a new order of the rows and the same order of the columns."},
    {"RadRePat3", 0, "Reorder records give a new order of the columns."},
    {"RadRePat4", 0, "Reorder records give a new order of the rows and another of the columns."},
    {"RadRePat5", 0, "Reorder records give a new order of the columns for each row."},
    {"RadRePat6", 0, "Reorder records give a new order of the rows, and of the columns for each row."},
    {"GroupBox17", 'N', nullptr},
    {"RadReNewSame0", 0, "Each group has reorder records of its own."},
    {"RadReNewSame1", 0, "Only the first group has reorder records."},
    {"MemoReorder", 0, "The reorder records, one a line. The count above says how many are needed."},

    // ---- File Names -----------------------------------------------------------------------
    {"GrpSetFile", 't', nullptr},
    {"TxtSetFile", 0, "The set file that Save writes and Run Tarvel hands to Tarvel. Type a path, browse, or drop a file here."},
    {"Button2", 'B', "Chooses the set file in a file dialog."},
    {"GrpDataFile", 'D', nullptr},
    {"TxtDataFile", 0, "The data file Tarvel analyses. Type a path, browse, or drop a file here."},
    {"Button1", 'o', "Chooses the data file in a file dialog."},
    {"GrpOutFile", 'u', nullptr},
    {"TxtOutFile", 0, "The report file Tarvel writes; it need not exist yet. Type a path, browse, or drop a file here."},
    {"Button3", 'w', "Chooses the report file in a file dialog."},
    {"GrpOptionalFiles", 'i', nullptr},
    {"LblCoVar", 'a', nullptr},
    {"TxtCoVar", 0, "The file for the construct variances and covariances, when the Output page asks for it."},
    {"CmdCoVar", 's', "Chooses the file for the construct variances and covariances."},
    {"LblIndDif", 'm', nullptr},
    {"TxtIndDif", 0, "The file for the effect estimates, when the Output page asks for it."},
    // Five "Browse" buttons share six letters, three of them the menu bar's: this one is
    // reached with Tab from its field.
    {"CmdIndDif", 0, "Chooses the file for the effect estimates."},
    {"GenInstr", 'n', "Starts Tarvel on the set file as last saved, and then shows its report (F5)."},
    {"TxtExeDir", 0, "The folder of tarvel.exe, chosen under Path > Tarvel Directory."},

    // ---- Below the pages ------------------------------------------------------------------
    {"Done", 0, "Saves the study to its set file (Ctrl+S)."},
    {"Cancel", 0, "Closes the study, asking first about unsaved changes."},

    // ---- Tarvel directory dialog ----------------------------------------------------------
    {"FrmOptions/Label1", 'P', nullptr},
    {"FrmOptions/TxttvlPath", 0, "The full path of tarvel.exe. It is kept in wintvl.cfg in the folder WinTarvel was started from."},
    {"FrmOptions/Button1", 'B', "Chooses tarvel.exe in a file dialog."},
    {"FrmOptions/CmdOptSave", 'S', "Keeps the path and closes the dialog."},
    {"FrmOptions/CmdOptCancel", 'C', "Closes the dialog without keeping the path."},
};
// clang-format on

// The row of the widget: a row for its window's name and its own takes precedence over one for
// its name alone.
const Hint* rowFor(const QWidget* widget) {
  if (widget == nullptr || widget->objectName().isEmpty()) return nullptr;
  const QString name = widget->objectName();
  const QWidget* window = widget->window();
  const QString qualified =
      window != nullptr && window != widget ? window->objectName() + QLatin1Char('/') + name : name;
  const Hint* plain = nullptr;
  for (const Hint& h : kHints) {
    const QLatin1String rowName(h.name);
    if (rowName == qualified) return &h;
    if (rowName == name) plain = &h;
  }
  return plain;
}

}  // namespace

QString hintFor(const QWidget* widget) {
  const Hint* h = rowFor(widget);
  return h == nullptr || h->tip == nullptr ? QString() : QString::fromLatin1(h->tip);
}

void applyHints(QWidget* root) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    const QString tip = hintFor(w);
    if (tip.isEmpty()) continue;
    w->setToolTip(tip);
    w->setStatusTip(tip);
    w->setAccessibleDescription(tip);
  }
}

QString captionWithAccessKey(const QWidget* widget, const QString& caption) {
  QString shown = caption;
  shown.replace(QLatin1Char('&'), QLatin1String("&&"));
  const Hint* h = rowFor(widget);
  if (h == nullptr || h->key == 0) return shown;
  const QChar key = QChar::fromLatin1(h->key);
  // The letter as the table writes it first, so "Read &Order" rather than "Pers&onality".
  qsizetype at = shown.indexOf(key, 0, Qt::CaseSensitive);
  if (at < 0) at = shown.indexOf(key, 0, Qt::CaseInsensitive);
  if (at >= 0) shown.insert(at, QLatin1Char('&'));
  return shown;
}

}  // namespace wintarvel::view
