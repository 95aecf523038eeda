#include "model/history.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "model/frm1.h"

namespace wintarvel {

// What the history keeps of the study at one moment: the state of each control in the order of
// the history's entries, and the document members.
struct StudySnapshot {
  std::vector<ControlState> controls;
  std::vector<_variable> DyVarList;
  std::vector<int> DroppedSubjects;
  int NumGroups = 0;
  int GroupSize = 0;
  int ReorderRecordCount = 0;
  bool LoadedFromFile = false;
  std::string SelectedAvailVar;
  std::string SelectedCorrVar;
};

// A control the history keeps. `shownOnly`: only whether it is enabled and visible (the file
// names belong to the window, not to the study, but the output options enable their fields).
// `stored`: its value is one the set file stores, so it decides whether the study is as saved.
struct History::Entry {
  Control* control;
  bool shownOnly;
  bool stored;
};

struct History::Step {
  std::string name;
  StudySnapshot state;  // before the step on the undo side, after it on the redo side
};

namespace {

bool isTyping(const std::string& step) {
  return step.rfind("Typing", 0) == 0;
}

// Equal states, the memo's text told apart by its number alone.
bool sameState(const ControlState& a, const ControlState& b) {
  return a.enabled == b.enabled && a.visible == b.visible && a.caption == b.caption &&
         a.text == b.text && a.checked == b.checked && a.itemIndex == b.itemIndex &&
         a.items == b.items && a.selected == b.selected && a.memoContent == b.memoContent;
}

// Equal values, whatever is enabled, shown or selected.
bool sameValue(const ControlState& a, const ControlState& b) {
  return a.text == b.text && a.checked == b.checked && a.items == b.items &&
         a.memoContent == b.memoContent;
}

bool sameMembers(const StudySnapshot& a, const StudySnapshot& b) {
  return a.DyVarList == b.DyVarList && a.DroppedSubjects == b.DroppedSubjects &&
         a.NumGroups == b.NumGroups && a.GroupSize == b.GroupSize &&
         a.ReorderRecordCount == b.ReorderRecordCount && a.LoadedFromFile == b.LoadedFromFile &&
         a.SelectedAvailVar == b.SelectedAvailVar && a.SelectedCorrVar == b.SelectedCorrVar;
}

// Runs `after` once the handler has ended, also when it ended with an error.
template <class After>
void runThen(const std::function<void()>& handler, After after) {
  try {
    handler();
  } catch (...) {
    after();
    throw;
  }
  after();
}

// The document members a snapshot keeps beside the controls, in either direction: the window's
// members and the snapshot's have the same names.
template <class From, class To>
void copyDocumentMembers(const From& from, To& to) {
  to.DyVarList = from.DyVarList;
  to.DroppedSubjects = from.DroppedSubjects;
  to.NumGroups = from.NumGroups;
  to.GroupSize = from.GroupSize;
  to.ReorderRecordCount = from.ReorderRecordCount;
  to.LoadedFromFile = from.LoadedFromFile;
  to.SelectedAvailVar = from.SelectedAvailVar;
  to.SelectedCorrVar = from.SelectedCorrVar;
}

}  // namespace

History::History(TFrm1& f) : f_(f) {}

History::~History() = default;

// Every control of the study's pages. Left out: the window's caption, toolbar and command
// buttons, the page on top, the file names and the engine directory, which follow the document
// and the user's navigation rather than the study.
const std::vector<History::Entry>& History::entries() {
  if (!entries_.empty()) return entries_;
  auto add = [this](std::initializer_list<Control*> controls, bool shownOnly, bool stored) {
    for (Control* c : controls) entries_.push_back({c, shownOnly, stored});
  };
  TFrm1& f = f_;
  add({&f.TxtProgTitle,     &f.TxtNumGroups,     &f.TxtNumSubGroup1,  &f.TxtNumSubGroup2,
       &f.TxtNameSubGroup1, &f.TxtNameSubGroup2, &f.ChkDropSub,       &f.CmbDyVar,
       &f.CmbPerVar,        &f.ChkSelfM,         &f.ChkReverseVar,    &f.TxtRevScore,
       &f.TxtGroupFortran,  &f.ChkSecFmt,        &f.TxtGroup2Fortran, &f.ChkTechOut,
       &f.ChkRawData,       &f.CmbConst,         &f.ConRecInfo,       &f.CorRecInfo,
       &f.MemoReorder},
      false, true);
  for (const RadioGroup* group : {&f.DesignType, &f.InputPattern, &f.ReadOrder, &f.OutputOption,
                                  &f.EffectEstimates, &f.ReorderPattern, &f.ReorderNewSame}) {
    for (RadioButton* button : group->buttons()) entries_.push_back({button, false, true});
  }
  add({&f.Groups,          &f.Variables,
       &f.TabSheet2,       &f.Output,
       &f.Constructs,      &f.CorError,
       &f.Reorder,         &f.TabSheet1,
       &f.StudyTitleBox,   &f.LblNumGroupsRange,
       &f.Label14,         &f.Label15,
       &f.GroupBox14,      &f.DropSub,
       &f.CmbDrop,         &f.CmdDrop,
       &f.DyadicBox,       &f.TxtDyVars,
       &f.CmdDyVarAdd,     &f.CmdDyVarRem,
       &f.CmdDyVarRename,  &f.UDDy,
       &f.PersonalityBox,  &f.TxtPerVars,
       &f.CmdPerVarAdd,    &f.CmdPerVarRem,
       &f.CmdPerVarRename, &f.UDPer,
       &f.CmdDyVarRev,     &f.LBLRevScore,
       &f.Label16,         &f.GroupBox9,
       &f.GroupBoxPV,      &f.RadioGroup1,
       &f.Label3,          &f.GroupBox3,
       &f.TxtConstruct,    &f.CmdConstAdd,
       &f.CmdConstRem,     &f.LblConstVar,
       &f.LstVars,         &f.LstVarsConst,
       &f.CmdVarsConstAdd, &f.CmdVarsConstRem,
       &f.CorAvailVarList, &f.CorMapVarList,
       &f.CorVarList,      &f.PBCorConnect,
       &f.PBCorDisconnect, &f.PBCorConfirm,
       &f.GroupBox16,      &f.Label7,
       &f.GroupBox17,      &f.Label2,
       &f.LblNumReor,      &f.LblCoVar,
       &f.LblIndDif,       &f.CmdCoVar,
       &f.CmdIndDif},
      false, false);
  add({&f.TxtCoVar, &f.TxtIndDif}, true, false);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].control == &f.MemoReorder) memoIndex_ = i;
  }
  return entries_;
}

std::size_t History::memoIndex() {
  entries();
  return memoIndex_;
}

StudySnapshot History::capture(bool withMemoText) {
  StudySnapshot s;
  const std::vector<Entry>& all = entries();
  s.controls.resize(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Entry& e = all[i];
    ControlState& state = s.controls[i];
    if (e.control == &f_.MemoReorder) {
      f_.MemoReorder.saveState(state, withMemoText);
    } else if (e.shownOnly) {
      e.control->Control::saveState(state);
    } else {
      e.control->saveState(state);
    }
  }
  copyDocumentMembers(f_, s);
  return s;
}

void History::restore(const StudySnapshot& s) {
  const std::vector<Entry>& all = entries();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Entry& e = all[i];
    if (e.shownOnly) {
      e.control->Control::restoreState(s.controls[i]);
    } else {
      e.control->restoreState(s.controls[i]);
    }
  }
  copyDocumentMembers(s, f_);
}

void History::runEvent(const std::string& step, const std::function<void()>& handler) {
  if (depth_ > 0) {
    handler();
    return;
  }
  ++depth_;
  try {
    noteSavedState();
    if (step.empty()) {
      runUnnamed(handler);
    } else if (lastEventRecorded_ && step == lastEvent_ && isTyping(step) && !undo_.empty()) {
      continueTyping(handler);
    } else {
      runStep(step, handler);
    }
  } catch (...) {
    --depth_;
    throw;
  }
  --depth_;
}

// No step, but a change of the memo's text (its own typing) makes what redo would bring back
// out of date: redo would undo the typing.
void History::runUnnamed(const std::function<void()>& handler) {
  lastEvent_.clear();
  lastEventRecorded_ = false;
  memoSeen_ = f_.MemoReorder.contentId();
  runThen(handler, [this] {
    if (f_.MemoReorder.contentId() != memoSeen_) redo_.clear();
    noteSavedState();
  });
}

void History::continueTyping(const std::function<void()>& handler) {
  ControlState memoBefore;
  const bool memoKept = undo_.back().state.controls[memoIndex()].memoText != nullptr;
  if (!memoKept) f_.MemoReorder.saveState(memoBefore, true);
  runThen(handler, [&] {
    // The step keeps the memo's text once the typing changed it.
    if (!memoKept && f_.MemoReorder.contentId() != memoBefore.memoContent) {
      ControlState& memo = undo_.back().state.controls[memoIndex()];
      memo.memoText = memoBefore.memoText;
      memo.memoLineBreaks = memoBefore.memoLineBreaks;
    }
    noteSavedState();
  });
}

void History::runStep(const std::string& step, const std::function<void()>& handler) {
  const std::uint64_t generation = generation_;
  StudySnapshot before = capture(true);
  runThen(handler, [&] { finishStep(step, std::move(before), generation); });
}

void History::finishStep(const std::string& step, StudySnapshot&& before,
                         std::uint64_t generation) {
  lastEvent_ = step;
  lastEventRecorded_ = false;
  if (generation == generation_) {
    const StudySnapshot after = capture(false);
    const bool changed = !sameMembers(before, after) ||
                         !std::equal(before.controls.begin(), before.controls.end(),
                                     after.controls.begin(), after.controls.end(), sameState);
    if (changed) {
      ControlState& memo = before.controls[memoIndex()];
      if (memo.memoContent == after.controls[memoIndex()].memoContent) memo.memoText = nullptr;
      undo_.push_back({step, std::move(before)});
      if (undo_.size() > kMaxSteps) undo_.erase(undo_.begin());
      redo_.clear();
      lastEventRecorded_ = true;
    }
  } else {
    lastEvent_.clear();  // the event began a new study: it has no history
  }
  noteSavedState();
}

void History::undo() {
  travel(undo_, redo_);
}

void History::redo() {
  travel(redo_, undo_);
}

void History::travel(std::vector<Step>& from, std::vector<Step>& to) {
  if (from.empty()) return;
  Step step = std::move(from.back());
  from.pop_back();
  const bool withMemo = step.state.controls[memoIndex()].memoText != nullptr;
  StudySnapshot present = capture(withMemo);
  const std::uint64_t memoBefore = f_.MemoReorder.contentId();
  restore(step.state);
  // A memo left as it is may hold other lines than when the step was taken: its label follows
  // the memo.
  if (!withMemo && step.state.controls[memoIndex()].memoContent != memoBefore) {
    f_.MemoOnChange();
  }
  to.push_back({std::move(step.name), std::move(present)});
  memoSeen_ = f_.MemoReorder.contentId();  // what undo and redo change keeps the redo side
  lastEvent_.clear();
  lastEventRecorded_ = false;
  updateModified();
}

std::string History::undoStepName() const {
  return undo_.empty() ? std::string() : undo_.back().name;
}

std::string History::redoStepName() const {
  return redo_.empty() ? std::string() : redo_.back().name;
}

void History::clear() {
  undo_.clear();
  redo_.clear();
  saved_.reset();
  lastEvent_.clear();
  lastEventRecorded_ = false;
  ++generation_;
}

void History::noteSavedState() {
  if (!f_.Modified) saved_ = std::make_unique<StudySnapshot>(capture(false));
}

// Modified is off only when every value the set file stores is as last opened or saved.
void History::updateModified() {
  if (!saved_) {
    f_.Modified = true;
    return;
  }
  const StudySnapshot present = capture(false);
  const std::vector<Entry>& all = entries();
  bool same =
      present.DyVarList == saved_->DyVarList && present.DroppedSubjects == saved_->DroppedSubjects;
  for (std::size_t i = 0; same && i < all.size(); ++i) {
    if (all[i].stored) same = sameValue(present.controls[i], saved_->controls[i]);
  }
  f_.Modified = !same;
}

void TFrm1::UserEvent(const std::string& step, const std::function<void()>& handler) {
  history_.runEvent(step, handler);
}

bool TFrm1::CanUndo() const {
  return history_.canUndo();
}

bool TFrm1::CanRedo() const {
  return history_.canRedo();
}

void TFrm1::Undo() {
  history_.undo();
}

void TFrm1::Redo() {
  history_.redo();
}

std::string TFrm1::UndoStepName() const {
  return history_.undoStepName();
}

std::string TFrm1::RedoStepName() const {
  return history_.redoStepName();
}

}  // namespace wintarvel
