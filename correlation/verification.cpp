// Checks the correlation record against the constructs, completes what follows from it and puts
// it into a canonical form. The rules:
//  1. two variables of the same construct never share a correlation code;
//  2. constructs linked by a correlation set have the same number of variables;
//  3. within a family of linked constructs every construct has at most one variable without a
//     partner, and that one is paired with the one unmatched variable of each other construct;
//  4. a construct with a single variable takes part in no correlation.
//
// The construct record and the working copy of the correlation record are read with exactly one
// entry per dyadic variable (see model/code_record.h): a missing or damaged entry counts as "00". A
// construct number outside the construct list counts as no construct. A variable in no
// construct that shares a code with a construct's variable is left alone: such a pairing is not
// judged here, and the code stays as it is.

#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "correlation/correlation_check.h"
#include "correlation/tab_cor_construct.h"
#include "model/code_record.h"
#include "model/frm1.h"

namespace wintarvel {
namespace {

constexpr const char* kCannotFind = "Cannot find the corresponding dyadic variable";
constexpr const char* kCannotBeCorrelated = "Variables %d and %d cannot be correlated.";
constexpr const char* kMoreThanOneUnspecified =
    "Construct %d has more than one unspecified variables";
constexpr const char* kNotCorrelatedCorrectly =
    "Construct %d and %d have not been correlated correctlly.";

// The message has a run of blanks and a tab before "of variables".
const std::string& DifferentNumberFormat() {
  static const std::string format =
      "Construct %d and %d have different number" + std::string(24, ' ') + "\tof variables.";
  return format;
}

// A message with its construct or variable numbers filled in.
template <class... Numbers>
std::string Format(const char* format, Numbers... numbers) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, format, numbers...);
  return buffer;
}

// Works on copies of the code records: what it would store in CorRecInfo and the messages it
// would show are its result, so that a save and the set file view share one verification.
class Verification {
 public:
  Verification(const TFrm1& f, const std::string& constructRecord, int constructCount,
               const std::string& correlationRecord)
      : f_(f),
        variables_(f.CmbDyVar.count()),
        constructs_(constructCount),
        a_(codes::Fitted(constructRecord, variables_)),
        w_(codes::Fitted(correlationRecord, variables_)),
        examined_(static_cast<std::size_t>(constructs_) + 1, false),
        collected_(static_cast<std::size_t>(constructs_) + 1, false) {
    result_.record = correlationRecord;
  }

  CorrelationCheck run() {
    for (int k = NextUnexamined(); k > 0; k = NextUnexamined()) {
      const std::vector<int> members = PositionsOf(k);
      if (members.size() == 1) SettleSingleVariable(members.front());
      if (members.size() < 2) {
        examined_[static_cast<std::size_t>(k)] = true;
        continue;
      }
      if (!ExamineFamily(k, members)) return ReportFailure();
    }
    return Succeed();
  }

 private:
  enum class Outcome { Nothing, Paired, Incorrect };

  // The construct number of variable p, 0 when it is in no construct of the list.
  int ConstructAt(int p) const {
    const int number = codes::EntryValue(a_, p);
    return number <= constructs_ ? number : 0;
  }

  int NextUnexamined() const {
    for (int k = 1; k <= constructs_; ++k) {
      if (!examined_[static_cast<std::size_t>(k)]) return k;
    }
    return 0;
  }

  std::vector<int> PositionsOf(int construct) const {
    std::vector<int> positions;
    for (int p = 0; p < variables_; ++p) {
      if (ConstructAt(p) == construct) positions.push_back(p);
    }
    return positions;
  }

  std::string NewCode() const { return TwoDigits(TFrm1::NextFreeCode(w_)); }

  void ReportMissingVariable() { ++result_.missingVariables; }

  // A rule is broken: its message becomes the pending one and the verification stops.
  bool Broken(std::string message) {
    pending_ = std::move(message);
    return false;
  }

  // Rule 4: a lone variable is correlated with nothing. One without a code gets a new one at once.
  void SettleSingleVariable(int v) {
    const std::string x = codes::Entry(w_, v);
    if (x == codes::kNone) {
      codes::SetEntry(w_, v, NewCode());
      result_.record = w_;
      return;
    }
    for (int p = 0; p < variables_; ++p) {
      if (p != v && codes::Entry(w_, p) == x) {
        codes::SetEntry(w_, v, codes::kNone);
        return;
      }
    }
  }

  _tab_cor_construct NewRecord(int number, const std::vector<int>& positions, bool marked) const {
    _tab_cor_construct record;
    record.Number = number;
    record.Size = static_cast<int>(positions.size());
    record.Marked = marked;
    for (int p : positions) record.Members.push_back(f_.CmbDyVar.item(p));
    record.Paired.assign(positions.size(), false);
    return record;
  }

  // Sets Paired of the first member of `record` whose text is exactly that of item j.
  void MarkPartner(_tab_cor_construct& record, int j) {
    const std::string& text = f_.CmbDyVar.item(j);
    for (std::size_t m = 0; m < record.Members.size(); ++m) {
      if (record.Members[m] == text) {
        record.Paired[m] = true;
        return;
      }
    }
  }

  _tab_cor_construct* RecordAfterFirst(int number) {
    for (std::size_t i = 1; i < chain_.size(); ++i) {
      if (chain_[i].Number == number) return &chain_[i];
    }
    return nullptr;
  }

  // Gathers the family of construct k, checks it and completes it.
  bool ExamineFamily(int k, const std::vector<int>& members) {
    chain_.clear();
    chain_.push_back(NewRecord(k, members, true));
    collected_.assign(collected_.size(), false);
    collected_[static_cast<std::size_t>(k)] = true;
    for (std::size_t a = 0; a < members.size(); ++a) {
      if (!FollowCorrelationsOf(a)) return false;
    }
    if (chain_.size() > 1 && !Complete()) return false;
    for (const _tab_cor_construct& record : chain_) {
      examined_[static_cast<std::size_t>(record.Number)] = true;
    }
    return true;
  }

  // Follows the set of member a of the first record to the constructs it links to (rules 1, 2).
  bool FollowCorrelationsOf(std::size_t a) {
    const int idx = f_.FindDyVarItem(chain_.front().Members[a]);
    if (idx < 0) {
      ReportMissingVariable();
      return true;
    }
    const std::string x = codes::Entry(w_, idx);
    if (x == codes::kNone) return true;
    const int n = chain_.front().Size;
    for (int j = 0; j < variables_; ++j) {
      if (j == idx || codes::Entry(w_, j) != x) continue;
      const int d = ConstructAt(j);
      if (d == ConstructAt(idx)) return Broken(Format(kCannotBeCorrelated, idx + 1, j + 1));
      if (d == 0) continue;
      if (collected_[static_cast<std::size_t>(d)]) {
        chain_.front().Paired[a] = true;
        if (_tab_cor_construct* record = RecordAfterFirst(d)) MarkPartner(*record, j);
        continue;
      }
      const std::vector<int> linked = PositionsOf(d);
      const int m = static_cast<int>(linked.size());
      if (m > n) return Broken(Format(DifferentNumberFormat().c_str(), chain_.front().Number, d));
      if (m < n) {
        // The smaller construct met second is cut loose: each of its variables gets a new code.
        for (int p : linked) codes::SetEntry(w_, p, NewCode());
        continue;
      }
      chain_.push_back(NewRecord(d, linked, false));
      collected_[static_cast<std::size_t>(d)] = true;
      chain_.front().Paired[a] = true;
      MarkPartner(chain_.back(), j);
    }
    return true;
  }

  // Rule 3: passes over the family until one pass pairs nothing.
  bool Complete() {
    for (;;) {
      bool pairedAny = false;
      bool correct = true;
      for (std::size_t p = 0; p < chain_.size(); ++p) {
        std::vector<std::size_t> unpaired;
        for (std::size_t m = 0; m < chain_[p].Members.size(); ++m) {
          if (!chain_[p].Paired[m]) unpaired.push_back(m);
        }
        if (unpaired.size() > 1) return Broken(Format(kMoreThanOneUnspecified, chain_[p].Number));
        if (unpaired.empty()) continue;
        for (std::size_t q : PartnersOf(p)) {
          const Outcome outcome = PairLoneMember(p, unpaired.front(), q);
          pairedAny = pairedAny || outcome == Outcome::Paired;
          correct = correct && outcome != Outcome::Incorrect;
        }
      }
      if (!pairedAny) return correct;
    }
  }

  // The records a record is compared with: those after it, or for the last one those before it.
  std::vector<std::size_t> PartnersOf(std::size_t p) const {
    std::vector<std::size_t> partners;
    const bool last = p + 1 == chain_.size();
    for (std::size_t q = last ? 0 : p + 1; q < (last ? p : chain_.size()); ++q) {
      partners.push_back(q);
    }
    return partners;
  }

  // Matches the paired members of record p with members of record q by code; when exactly one
  // member of q is left over, it becomes the partner of p's lone member f.
  Outcome PairLoneMember(std::size_t p, std::size_t f, std::size_t q) {
    const _tab_cor_construct& from = chain_[p];
    const _tab_cor_construct& to = chain_[q];
    std::vector<bool> matched(to.Members.size(), false);
    for (std::size_t m = 0; m < from.Members.size(); ++m) {
      if (m != f) MatchMember(from.Members[m], to, matched);
    }
    std::size_t left = 0;
    std::size_t g = 0;
    for (std::size_t m = 0; m < matched.size(); ++m) {
      if (!matched[m]) {
        ++left;
        g = m;
      }
    }
    if (left > 1) {
      pending_ = Format(kNotCorrelatedCorrectly, from.Number, to.Number);
      return Outcome::Incorrect;
    }
    if (left == 0) return Outcome::Nothing;
    const int x = f_.FindDyVarItem(from.Members[f]);
    const int y = f_.FindDyVarItem(to.Members[g]);
    if (x < 0 || y < 0) {
      ReportMissingVariable();
      return Outcome::Nothing;
    }
    chain_[p].Paired[f] = true;
    chain_[q].Paired[g] = true;
    Unite(x, y);
    return Outcome::Paired;
  }

  // Marks the first member of `to` not yet matched that shares the code of `member`.
  void MatchMember(const std::string& member, const _tab_cor_construct& to,
                   std::vector<bool>& matched) {
    const int va = f_.FindDyVarItem(member);
    if (va < 0) {
      ReportMissingVariable();
      return;
    }
    for (std::size_t m = 0; m < to.Members.size(); ++m) {
      if (matched[m]) continue;
      const int vb = f_.FindDyVarItem(to.Members[m]);
      if (vb < 0) {
        ReportMissingVariable();
        continue;
      }
      if (codes::Entry(w_, vb) == codes::Entry(w_, va)) {
        matched[m] = true;
        return;
      }
    }
  }

  // Puts variables x and y into one set.
  void Unite(int x, int y) {
    const std::string cx = codes::Entry(w_, x);
    const std::string cy = codes::Entry(w_, y);
    if (cx == codes::kNone && cy == codes::kNone) {
      const std::string code = NewCode();
      codes::SetEntry(w_, x, code);
      codes::SetEntry(w_, y, code);
    } else if (cx == codes::kNone) {
      codes::SetEntry(w_, x, cy);
    } else if (cy == codes::kNone) {
      codes::SetEntry(w_, y, cx);
    } else {
      codes::MergeSets(w_, cx, cy);
    }
  }

  CorrelationCheck ReportFailure() {
    result_.ok = false;
    result_.failure = pending_;
    return result_;
  }

  // Every variable without a set gets one of its own; then the sets are numbered 01, 02, ... in
  // the order in which they first appear. The record stored has one entry per dyadic variable,
  // so codes left over without any variable are dropped.
  CorrelationCheck Succeed() {
    for (int p = 0; p < variables_; ++p) {
      if (codes::Entry(w_, p) == codes::kNone) codes::SetEntry(w_, p, NewCode());
    }
    std::vector<std::pair<std::string, std::string>> renumbered;
    std::string canonical = w_;
    for (int p = 0; p < variables_; ++p) {
      const std::string code = codes::Entry(w_, p);
      std::size_t set = 0;
      while (set < renumbered.size() && renumbered[set].first != code) ++set;
      if (set == renumbered.size()) {
        renumbered.emplace_back(code, TwoDigits(static_cast<int>(set) + 1));
      }
      codes::SetEntry(canonical, p, renumbered[set].second);
    }
    result_.record = canonical;
    return result_;
  }

  const TFrm1& f_;
  const int variables_;
  const int constructs_;
  const std::string a_;          // construct record, one entry per dyadic variable
  std::string w_;                // working correlation record, one entry per dyadic variable
  std::vector<bool> examined_;   // by construct number, from 1
  std::vector<bool> collected_;  // by construct number, from 1
  std::vector<_tab_cor_construct> chain_;
  std::string pending_;  // the message of the last rule that failed
  CorrelationCheck result_;
};

}  // namespace

CorrelationCheck CheckCorrelations(const TFrm1& f, const std::string& constructRecord,
                                   int constructCount, const std::string& correlationRecord) {
  // An empty record declares no correlation at all: there is nothing to check or to store. (Any
  // other record is read with one entry per variable and stored that way.)
  if (constructCount == 0 || correlationRecord.empty()) {
    CorrelationCheck unchanged;
    unchanged.record = correlationRecord;
    return unchanged;
  }
  return Verification(f, constructRecord, constructCount, correlationRecord).run();
}

bool TFrm1::VerifyCorrelations(bool ShowMessages) {
  const CorrelationCheck check =
      CheckCorrelations(*this, ConRecInfo.text(), CmbConst.count(), CorRecInfo.text());
  CorRecInfo.setText(check.record);
  if (ShowMessages) {
    for (int i = 0; i < check.missingVariables; ++i) ui.showMessage(kCannotFind, "");
    if (!check.ok) ui.showMessage(check.failure, "");
  }
  return check.ok;
}

}  // namespace wintarvel
