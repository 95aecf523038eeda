// The "Correlated Errors" page: choosing a dyadic variable shows the variables of other
// constructs it may still be correlated with and those it already is correlated with; the two
// buttons correlate or uncorrelate one pair at a time. Variables that share a code in
// CorRecInfo are correlated; "00" means no set.

#include <cstddef>
#include <vector>

#include "correlation/tab_cor_construct.h"
#include "model/code_record.h"
#include "model/frm1.h"

namespace wintarvel {
namespace {

constexpr const char* kCannotFind = "Cannot find the corresponding dyadic variable";

using Chain = std::vector<_tab_cor_construct>;

void ReportMissingVariable(TFrm1& f) {
  f.ui.showMessage(kCannotFind, "");
}

// 1-based position of the record's construct among the constructs, 0 when it has none.
// Number of dyadic variables whose construct record entry is the construct number c.
int ConstructSize(const TFrm1& f, int c) {
  const std::string& constructs = f.ConRecInfo.text();
  int size = 0;
  for (int p = 0; p < f.CmbDyVar.count(); ++p) {
    if (codes::HoldsEntry(constructs, p) && codes::EntryValue(constructs, p) == c) ++size;
  }
  return size;
}

_tab_cor_construct NewRecord(int number, int size, bool marked) {
  _tab_cor_construct record;
  record.Number = number;
  record.Size = size;
  record.Marked = marked;
  return record;
}

// The selected variable's construct c first, then every other construct of the same size n.
Chain BuildChain(const TFrm1& f, int c, int n) {
  Chain chain{NewRecord(c, n, true)};
  for (int d = 1; d <= f.CmbConst.count(); ++d) {
    if (d != c && ConstructSize(f, d) == n) chain.push_back(NewRecord(d, n, false));
  }
  return chain;
}

// Members by name, in study order, taken from the records' construct names.
void FillMembers(const TFrm1& f, Chain& chain) {
  for (_tab_cor_construct& record : chain) {
    for (const _variable& v : f.DyVarList) {
      if (static_cast<int>(record.Members.size()) >= record.Size) break;
      if (ConstructNumber(f, v.Construct) == record.Number) record.Members.push_back(v.Name);
    }
    record.Paired.assign(record.Members.size(), true);
  }
}

_tab_cor_construct* FirstCandidate(Chain& chain, int number) {
  for (std::size_t i = 1; i < chain.size(); ++i) {
    if (chain[i].Number == number) return &chain[i];
  }
  return nullptr;
}

// Lists the variables already correlated with variable p. A variable of p's own construct that
// shares its code breaks the rules, so its code is cleared on the spot. A candidate construct
// that holds a correlated variable is marked: it offers nothing more.
void ListCorrelated(TFrm1& f, int p, Chain& chain) {
  std::string correlations = f.CorRecInfo.text();
  const std::string& constructs = f.ConRecInfo.text();
  const std::string x = codes::Entry(correlations, p);
  if (x == codes::kNone) return;
  bool cleared = false;
  for (int j = 0; j < f.CmbDyVar.count(); ++j) {
    if (j == p || codes::Entry(correlations, j) != x) continue;
    if (codes::Entry(constructs, j) == codes::Entry(constructs, p)) {
      codes::SetEntry(correlations, j, codes::kNone);
      cleared = true;
    } else if (_tab_cor_construct* candidate =
                   FirstCandidate(chain, codes::EntryValue(constructs, j))) {
      candidate->Marked = true;
      f.CorVarList.add(f.CmbDyVar.item(j));
    }
  }
  if (cleared) f.CorRecInfo.setText(correlations);
}

// A candidate already correlated with another member of the selected construct is not offered.
void WithdrawTakenCandidates(TFrm1& f, Chain& chain) {
  const std::string correlations = f.CorRecInfo.text();
  for (const std::string& u : chain.front().Members) {
    if (u == f.SelectedAvailVar) continue;
    const int q = f.FindDyVarItem(u);
    if (q < 0) {
      ReportMissingVariable(f);
      continue;
    }
    const std::string xq = codes::Entry(correlations, q);
    if (xq == codes::kNone) continue;
    for (std::size_t i = 1; i < chain.size(); ++i) {
      _tab_cor_construct& candidate = chain[i];
      if (candidate.Marked) continue;
      for (std::size_t m = 0; m < candidate.Members.size(); ++m) {
        const int r = f.FindDyVarItem(candidate.Members[m]);
        if (r < 0) {
          ReportMissingVariable(f);
          continue;
        }
        if (codes::Entry(correlations, r) == xq) candidate.Paired[m] = false;
      }
    }
  }
}

void OfferCandidates(TFrm1& f, const Chain& chain) {
  for (std::size_t i = 1; i < chain.size(); ++i) {
    if (chain[i].Marked) continue;
    for (std::size_t m = 0; m < chain[i].Members.size(); ++m) {
      if (chain[i].Paired[m]) f.CorMapVarList.add(chain[i].Members[m]);
    }
  }
}

// Fills both lists for variable p of construct c, which has n variables.
void ShowPairingsOf(TFrm1& f, int p, int c, int n) {
  Chain chain = BuildChain(f, c, n);
  FillMembers(f, chain);
  ListCorrelated(f, p, chain);
  WithdrawTakenCandidates(f, chain);
  OfferCandidates(f, chain);
}

int RecordPositionByName(const TFrm1& f, const std::string& name) {
  for (std::size_t i = 0; i < f.DyVarList.size(); ++i) {
    if (f.DyVarList[i].Name == name) return static_cast<int>(i);
  }
  return -1;
}

// The correlation record with an entry for every dyadic variable, so that any of them can be
// given a code; entries past those are kept as they are.
std::string CodesForEveryVariable(const TFrm1& f) {
  std::string correlations = f.CorRecInfo.text();
  if (correlations.size() % 2 != 0) correlations.pop_back();
  while (codes::EntryCount(correlations) < f.CmbDyVar.count()) correlations += codes::kNone;
  return correlations;
}

// A click in either partner list: the variable chosen can be correlated (a candidate) or
// uncorrelated (already correlated), and only the matching button is enabled.
void ChoosePartner(TFrm1& f, const ListBox& list, bool correlated) {
  const int selected = list.firstSelected();
  if (selected < 0) return;
  f.SelectedCorrVar = list.item(selected);
  f.PBCorConnect.setEnabled(!correlated);
  f.PBCorDisconnect.setEnabled(correlated);
}

}  // namespace

int TFrm1::FindDyVarItem(const std::string& name) const {
  for (int i = 0; i < CmbDyVar.count(); ++i) {
    if (SameText(CmbDyVar.item(i), name)) return i;
  }
  const std::string reversed = name + kReversedMark;
  for (int i = 0; i < CmbDyVar.count(); ++i) {
    if (SameText(CmbDyVar.item(i), reversed)) return i;
  }
  return -1;
}

int TFrm1::NextFreeCode(const std::string& record) {
  // With E entries at most E values are in use, so the answer is at most E + 1.
  const int entries = codes::EntryCount(record);
  std::vector<bool> used(static_cast<std::size_t>(entries) + 2, false);
  for (int p = 0; p < entries; ++p) {
    const int value = codes::EntryValue(record, p);
    if (value > 0 && value <= entries + 1) used[static_cast<std::size_t>(value)] = true;
  }
  int code = 1;
  while (used[static_cast<std::size_t>(code)]) ++code;
  return code;
}

void TFrm1::CorAvailVarListClick() {
  const int selected = CorAvailVarList.firstSelected();
  if (selected < 0) return;
  SelectedAvailVar = CorAvailVarList.item(selected);
  CorMapVarList.clear();
  CorVarList.clear();
  const int p = RecordPositionByName(*this, SelectedAvailVar);
  if (p < 0) return;
  const int c = ConstructNumber(*this, DyVarList[static_cast<std::size_t>(p)].Construct);
  const int n = ConstructSize(*this, c);
  if (n < 2) return;
  ShowPairingsOf(*this, p, c, n);
}

void TFrm1::RefreshCorLists() {
  CorMapVarList.clear();
  CorVarList.clear();
  const int p = FindDyVarItem(SelectedAvailVar);
  if (p < 0) return;
  // Unlike a click, a refresh also lists for a construct of fewer than two variables.
  const int c = codes::EntryValue(ConRecInfo.text(), p);
  ShowPairingsOf(*this, p, c, ConstructSize(*this, c));
}

void TFrm1::CorMapVarListClick() {
  ChoosePartner(*this, CorMapVarList, false);
}

void TFrm1::CorVarListClick() {
  ChoosePartner(*this, CorVarList, true);
}

void TFrm1::PRCorConnectClick() {
  const int a = FindDyVarItem(SelectedAvailVar);
  const int b = FindDyVarItem(SelectedCorrVar);
  if (a < 0 || b < 0) {
    ReportMissingVariable(*this);
    return;
  }
  std::string correlations = CodesForEveryVariable(*this);
  const std::string x = codes::Entry(correlations, a);
  const std::string y = codes::Entry(correlations, b);
  if (x != codes::kNone && y != codes::kNone) {
    codes::MergeSets(correlations, x, y);
  } else if (x != codes::kNone) {
    codes::SetEntry(correlations, b, x);
  } else if (y != codes::kNone) {
    codes::SetEntry(correlations, a, y);
  } else {
    const std::string fresh = TwoDigits(NextFreeCode(correlations));
    codes::SetEntry(correlations, a, fresh);
    codes::SetEntry(correlations, b, fresh);
  }
  CorRecInfo.setText(correlations);
  RefreshCorLists();
  VerifyCorrelations(false);
  Modified = true;
}

void TFrm1::PBCorDisconnectClick() {
  const int b = FindDyVarItem(SelectedCorrVar);
  if (b < 0) {
    ReportMissingVariable(*this);
    return;
  }
  std::string correlations = CorRecInfo.text();
  codes::SetEntry(correlations, b, codes::kNone);
  CorRecInfo.setText(correlations);
  PBCorConnect.setEnabled(false);
  PBCorDisconnect.setEnabled(false);
  RefreshCorLists();
  Modified = true;
}

void TFrm1::PBCorVerifyClick() {
  VerifyCorrelations(true);
}

}  // namespace wintarvel
