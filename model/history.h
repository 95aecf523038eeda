#pragma once
// The undo history of the study. Before each user event the view hands over, the history takes a
// snapshot of every control of the study's pages and of the document members; an event that
// changed any of it becomes one step, which undo brings back by restoring the snapshot through
// the controls' own state, without running a handler. A run of typing in one field is one step.
//
// The reorder memo's text is shared with the snapshots, never copied: a step keeps it only when
// the step changed it, so typing into a memo of 200,000 records costs no copy at all.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wintarvel {

class TFrm1;
struct StudySnapshot;

class History {
 public:
  // Steps beyond this many are forgotten, the oldest first.
  static constexpr std::size_t kMaxSteps = 100;

  explicit History(TFrm1& f);
  ~History();
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // Runs one user event. A named event that changes the study is one step; consecutive events of
  // the same name beginning with "Typing" are one step together. An unnamed event (a selection, a
  // page switch, the memo's own typing) is no step. An event raised while another runs belongs
  // to that one.
  void runEvent(const std::string& step, const std::function<void()>& handler);

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  void undo();
  void redo();
  // The step that undo or redo would bring back; empty when there is none.
  std::string undoStepName() const;
  std::string redoStepName() const;
  // Forgets every step: a new study starts with no history.
  void clear();

 private:
  struct Entry;
  struct Step;

  const std::vector<Entry>& entries();
  std::size_t memoIndex();  // the memo's place among the entries
  StudySnapshot capture(bool withMemoText);
  void restore(const StudySnapshot& snapshot);
  // Undo and redo: restores the top of `from` and keeps the present state on `to`.
  void travel(std::vector<Step>& from, std::vector<Step>& to);
  void runUnnamed(const std::function<void()>& handler);
  void continueTyping(const std::function<void()>& handler);
  void runStep(const std::string& step, const std::function<void()>& handler);
  void finishStep(const std::string& step, StudySnapshot&& before, std::uint64_t generation);
  // Remembers the study as saved whenever it has no unsaved changes.
  void noteSavedState();
  void updateModified();

  TFrm1& f_;
  std::vector<Entry> entries_;
  std::size_t memoIndex_ = 0;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  std::unique_ptr<StudySnapshot> saved_;  // the study as last opened or saved; null: unknown
  std::string lastEvent_;                 // the name of the last event, empty after others
  bool lastEventRecorded_ = false;        // the last event made the step on top of undo_
  int depth_ = 0;                         // events running, counting the ones inside others
  std::uint64_t memoSeen_ = 0;            // the memo's text when an unnamed event began
  std::uint64_t generation_ = 0;          // grows whenever the history is emptied
};

}  // namespace wintarvel
