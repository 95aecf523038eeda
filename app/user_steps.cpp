#include "app/user_steps.h"

#include <iterator>

namespace wintarvel::view {

namespace {

struct Named {
  const char* control;
  const char* step;
};

const char* find(const Named* table, std::size_t size, const QString& name) {
  for (std::size_t i = 0; i < size; ++i) {
    if (name == QLatin1String(table[i].control)) return table[i].step;
  }
  return nullptr;
}

constexpr Named kFields[] = {
    {"TxtProgTitle", "Study Title"},
    {"TxtNumGroups", "Number of Groups"},
    {"TxtNumSubGroup1", "Number in Subgroup 1"},
    {"TxtNumSubGroup2", "Number in Subgroup 2"},
    {"TxtNameSubGroup1", "Subgroup 1 Name"},
    {"TxtNameSubGroup2", "Subgroup 2 Name"},
    {"TxtDyVars", "Dyadic Variable Name"},
    {"TxtPerVars", "Personality Variable Name"},
    {"TxtRevScore", "Sum of the Limits"},
    {"TxtGroupFortran", "Format Record"},
    {"TxtGroup2Fortran", "Second Format Record"},
    {"TxtConstruct", "Construct Name"},
};

constexpr Named kCommands[] = {
    {"CmdDyVarAdd", "Add Variable"},
    {"CmdDyVarRem", "Remove Variable"},
    {"CmdDyVarRename", "Rename Variable"},
    {"UDDy", "Move Variable"},
    {"CmdPerVarAdd", "Add Personality Variable"},
    {"CmdPerVarRem", "Remove Personality Variable"},
    {"CmdPerVarRename", "Rename Personality Variable"},
    {"UDPer", "Move Personality Variable"},
    {"CmdDyVarRev", "Reverse Score"},
    {"CmdConstAdd", "Add Construct"},
    {"CmdConstRem", "Remove Construct"},
    {"CmdVarsConstAdd", "Add to Construct"},
    {"CmdVarsConstRem", "Remove from Construct"},
    {"PBCorConnect", "Correlate"},
    {"PBCorDisconnect", "Uncorrelate"},
    {"PBCorConfirm", "Confirm Correlations"},
    {"CmdDrop", "Drop Subject"},
    // Saving completes the constructs, and a run may save first.
    {"Done", "Save"},
    {"FileSaveItem", "Save"},
    {"BtnSaveSet", "Save"},
    {"SaveSetFileAs1", "Save As"},
    {"GenInstr", "Run Tarvel"},
    {"BtnRun", "Run Tarvel"},
    {"ExecuteWinMendra1", "Run Tarvel"},
    {"FileExitItem", "Exit"},
};

// The name box and the list of each group take Enter as Add and '.' as Remove.
struct KeyCommands {
  const char* control;
  const char* enter;
  const char* period;
};

constexpr KeyCommands kKeys[] = {
    {"TxtDyVars", "Add Variable", "Remove Variable"},
    {"CmbDyVar", "Add Variable", "Remove Variable"},
    {"TxtPerVars", "Add Personality Variable", "Remove Personality Variable"},
    {"CmbPerVar", "Add Personality Variable", "Remove Personality Variable"},
    {"TxtConstruct", "Add Construct", "Remove Construct"},
    {"CmbConst", "Add Construct", "Remove Construct"},
};

}  // namespace

std::string typingStep(const QString& editName) {
  const char* field = find(kFields, std::size(kFields), editName);
  return field ? std::string("Typing in ") + field : std::string();
}

std::string commandStep(const QString& name) {
  const char* step = find(kCommands, std::size(kCommands), name);
  return step ? step : std::string();
}

std::string keyStep(const QString& name, char key) {
  for (const KeyCommands& k : kKeys) {
    if (name == QLatin1String(k.control)) return key == '.' ? k.period : k.enter;
  }
  return {};
}

}  // namespace wintarvel::view
