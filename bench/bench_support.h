#pragma once
// What every benchmark shares: services that never ask or start anything, and the largest study
// a set file can describe, built through the same handlers a user runs.

#include <optional>
#include <string>

#include "model/frm1.h"
#include "model/quiet_ui.h"

namespace wintarvel::bench {

// Never asks a question, opens a dialog or shows a message: a benchmark must not wait for one.
// A benchmark that expected no message checks that `messages` stayed empty.
using SilentUi = QuietUi;

// Touches nothing on the system.
class InertPlatform : public Platform {
 public:
  std::string currentDir() override { return "/"; }
  bool setCurrentDir(const std::string&) override { return true; }
  std::size_t shortPath(const std::string&, std::string&) override { return 0; }
  void createIfMissing(const std::string&) override {}
  std::optional<int> runEngine(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  bool startViewer(const std::string&) override { return true; }
};

// 999 groups of 99 + 99 members, reordered by rows and columns with new records for each group:
// (999 + 1) x 198 records.
inline constexpr int kLargestReorderRecords = 198000;
inline constexpr int kLargestGroupSize = 198;

// Reorder record `index` as the memo holds it, without its line break: 26 right-justified
// three-column numbers (78 columns, as long as a line of the set file may usefully be), a
// different rotation on each line.
std::string ReorderRecord(int index);
// `records` reorder records, each ended by CR LF.
std::string ReorderText(int records);

// Starts a new study in `f` whose reorder settings need the largest number of records: 999
// groups of 99 + 99, pattern 6 with new records for each group. The memo stays empty.
void SetUpLargestReorder(TFrm1& f);

// Fills `f` (a new study) with the largest study: 20 dyadic and 20 personality variables, 20
// empty constructs (a save completes them to 40), two format records of 320 characters, 999
// groups of 99 + 99, reorder pattern 6 new for each group with its 198,000 records, and dropped
// subjects on with every third subject of the 198 dropped.
void BuildLargestStudy(TFrm1& f);

// Builds the largest study in a window model of its own and saves it to `path`; throws
// std::runtime_error when the file could not be written.
void WriteLargestStudyFile(const std::string& path);

}  // namespace wintarvel::bench
