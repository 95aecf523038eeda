// The "Constructs" page: the list of constructs, the current construct named by LblConstVar, and
// the moves of dyadic variables into and out of it. Membership lives in each record's Construct
// and, coded, in ConRecInfo. Changing a construct's members undoes the correlation codes of all
// of them, since correlated errors are paired across constructs.

#include <string>

#include "model/code_record.h"
#include "model/frm1.h"
#include "variables/construct_completion.h"

namespace wintarvel {

namespace {

constexpr char kEnterKey = 13;
constexpr char kPeriodKey = 46;
constexpr int kMaxConstructs = 20;
const std::string kNoConstruct = "none selected";

bool ListsText(const ListBox& list, const std::string& text) {
  for (const std::string& item : list.items()) {
    if (SameText(item, text)) return true;
  }
  return false;
}

// First record whose name is the text exactly (member lists show plain names).
int FindRecordNamed(const TFrm1& f, const std::string& name) {
  for (std::size_t k = 0; k < f.DyVarList.size(); ++k) {
    if (f.DyVarList[k].Name == name) return static_cast<int>(k);
  }
  return -1;
}

// Sets to "00" the correlation entry of every item that shows the record, marked or not.
void ClearCorrelationCodesOf(TFrm1& f, const _variable& record) {
  const std::string marked = record.Name + kReversedMark;
  std::string correlations = f.CorRecInfo.text();
  for (int j = 0; j < f.CmbDyVar.count(); ++j) {
    const std::string& item = f.CmbDyVar.item(j);
    if (item == record.Name || item == marked) codes::SetEntry(correlations, j, codes::kNone);
  }
  f.CorRecInfo.setText(correlations);
}

void ClearCorrelationCodesOfMembers(TFrm1& f, const std::string& construct) {
  for (const _variable& record : f.DyVarList) {
    if (record.Construct == construct) ClearCorrelationCodesOf(f, record);
  }
}

void EnableMemberButtons(TFrm1& f, bool on) {
  f.CmdVarsConstAdd.setEnabled(on);
  f.CmdVarsConstRem.setEnabled(on);
}

}  // namespace

int ConstructNumber(const TFrm1& f, const std::string& construct) {
  if (construct.empty()) return 0;
  for (int i = 0; i < f.CmbConst.count(); ++i) {
    if (SameText(f.CmbConst.item(i), construct)) return i + 1;
  }
  return 0;
}

void TFrm1::CmdConstAddClick() {
  const std::string name = TrimBlanksAndControls(TxtConstruct.text());
  TxtConstruct.setText(name);
  if (name.empty() || ListsText(CmbConst, name)) return;
  if (CmbConst.count() >= kMaxConstructs) {
    ui.showMessage("There cannot be more than 20 constructs", "Warning");
    return;
  }
  CmbConst.add(name);
  // The new construct becomes the current one; the member lists still show the previous one.
  LblConstVar.setCaption(name);
  TxtConstruct.setText("");
  if (!CorError.tabVisible() && CmbConst.count() >= 2) CorError.setTabVisible(true);
  UpdateVarCodes();
  Modified = true;
}

void TFrm1::CmdConstSelClick() {
  const int selected = CmbConst.itemIndex();
  if (selected < 0) return;
  LblConstVar.setCaption(CmbConst.item(selected));
  LstVarsRefresh();
  EnableMemberButtons(*this, true);
}

void TFrm1::CmdConstRemClick() {
  const int selected = CmbConst.itemIndex();
  if (selected < 0) return;
  // The members released are those of the current construct, which is normally, but not
  // necessarily, the one deleted from the list.
  const std::string current = LblConstVar.caption();
  for (_variable& record : DyVarList) {
    if (record.Construct != current) continue;
    ClearCorrelationCodesOf(*this, record);
    record.Construct.clear();
  }
  LblConstVar.setCaption(kNoConstruct);
  EnableMemberButtons(*this, false);
  CmbConst.remove(selected);
  LstVarsRefresh();
  if (CorError.tabVisible() && CmbConst.count() < 2) CorError.setTabVisible(false);
  UpdateVarCodes();  // the constructs behind the deleted one get their new numbers
  Modified = true;
}

void TFrm1::CmbConstKeyPress(char key) {
  // The key still reaches the box or list afterwards; only the period is a command.
  if (key == kEnterKey) CmdConstAddClick();
  if (key == kPeriodKey) CmdConstRemClick();
}

void TFrm1::LstVarsRefresh() {
  LstVars.clear();
  LstVarsConst.clear();
  const std::string& current = LblConstVar.caption();
  for (const _variable& record : DyVarList) {
    if (record.Construct.empty()) LstVars.add(record.Name);
    if (record.Construct == current) LstVarsConst.add(record.Name);
  }
}

void TFrm1::CmdVarsConstAddClick() {
  const std::string current = LblConstVar.caption();
  for (int i = 0; i < LstVars.count(); ++i) {
    if (!LstVars.selected(i)) continue;
    const int position = FindRecordNamed(*this, LstVars.item(i));
    if (position < 0) continue;
    DyVarList[static_cast<std::size_t>(position)].Construct = current;
    if (CorRecInfo.text().size() >= 2) ClearCorrelationCodesOfMembers(*this, current);
    UpdateVarCodes();
    Modified = true;
  }
  LstVarsRefresh();
}

void TFrm1::CmdVarsConstRemClick() {
  for (int i = 0; i < LstVarsConst.count(); ++i) {
    if (!LstVarsConst.selected(i)) continue;
    const int position = FindRecordNamed(*this, LstVarsConst.item(i));
    if (position < 0) continue;
    _variable& record = DyVarList[static_cast<std::size_t>(position)];
    const std::string construct = record.Construct;
    if (CorRecInfo.text().size() >= 2) ClearCorrelationCodesOfMembers(*this, construct);
    record.Construct.clear();
    UpdateVarCodes();
    Modified = true;
  }
  LstVarsRefresh();
}

ConstructCompletion CompletionOf(const TFrm1& f) {
  ConstructCompletion completion;
  completion.record = f.ConRecInfo.text();
  if (f.CmbConst.count() == 0) return completion;
  std::string numbers = TrimBlanksAndControls(f.ConRecInfo.text());
  const int variables = f.CmbDyVar.count();
  const std::size_t needed = 2 * static_cast<std::size_t>(variables);
  if (numbers.size() < needed) numbers.resize(needed, '0');

  // Every variable still in no construct becomes a construct of its own. Neither the limit of
  // 20 constructs nor unique names apply here: the set file needs a construct for each variable.
  // Only an entry that is "00" to the letter is free: one the reader accepted in another
  // spelling (" 1") already names a construct.
  int next = f.CmbConst.count() + 1;
  for (int j = 0; j < variables && j < static_cast<int>(f.DyVarList.size()); ++j) {
    const bool free = numbers.compare(2 * static_cast<std::size_t>(j), 2, codes::kNone) == 0;
    if (!free || next > codes::kMaxCode) continue;
    completion.ownConstructs.push_back(j);
    codes::SetEntry(numbers, j, codes::Code(next));
    ++next;
  }
  completion.record = numbers;
  return completion;
}

void TFrm1::CompleteConstructs() {
  if (CmbConst.count() == 0) return;
  const ConstructCompletion completion = CompletionOf(*this);
  for (int j : completion.ownConstructs) {
    _variable& record = DyVarList[static_cast<std::size_t>(j)];
    CmbConst.add(record.Name);
    record.Construct = record.Name;
  }
  ConRecInfo.setText(completion.record);
  LstVarsRefresh();
}

}  // namespace wintarvel
