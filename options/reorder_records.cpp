// The "Reorder" page: how many reorder records the chosen pattern needs for the study's groups,
// the label that shows that number, and the warning when the memo holds more lines than that.

#include <climits>
#include <cstdint>
#include <string>

#include "model/frm1.h"

namespace wintarvel {

namespace {

// Counts are ordinary integer arithmetic done in 64 bits, where no product of two 32-bit values
// can overflow. A result beyond the range of a 32-bit count is saturated to the nearest limit
// rather than wrapped: such a study can never be written (the set file holds at most 999 groups
// of 99 + 99), and an absurdly large count shown to the user is honest where a wrapped one lies.
int saturatedToInt(std::int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::string recordsNeededCaption(int count) {
  return std::to_string(count) + " record(s) needed";
}

}  // namespace

std::optional<int> TFrm1::ReorderRecordsFor(int pattern, int newSame, int numGroups,
                                            int groupSize) {
  if (pattern < 0 || pattern > 6 || newSame < 0 || newSame > 1) return std::nullopt;
  const std::int64_t g = numGroups;
  const std::int64_t n = groupSize;
  const bool firstGroupAlone = newSame == 1;
  std::int64_t count = 0;
  switch (pattern) {
    case 0:
      count = 0;
      break;
    case 1:
    case 2:
    case 3:
      count = firstGroupAlone ? 1 : g;
      break;
    case 4:
      count = firstGroupAlone ? 2 : 2 * g;
      break;
    case 5:
      count = firstGroupAlone ? n : g * n;
      break;
    case 6:
      // Mind the order: (g + 1) x n, not g x (n + 1).
      count = firstGroupAlone ? n + 1 : (g + 1) * n;
      break;
  }
  return saturatedToInt(count);
}

void UpdateReorderRecordCount(TFrm1& f, int numGroups, int groupSize) {
  if (const auto count = TFrm1::ReorderRecordsFor(
          f.ReorderPattern.checkedIndex(), f.ReorderNewSame.checkedIndex(), numGroups, groupSize)) {
    f.ReorderRecordCount = *count;
  }
}

void TFrm1::CheckReorder() {
  const bool noReorder = RadRePat0.checked();
  GroupBox17.setVisible(!noReorder);
  MemoReorder.setVisible(!noReorder);
  if (noReorder) LblNumReor.setCaption("0 record(s) needed");

  // Until both subgroup sizes are known the count stays as it was. A text that is not a number
  // throws and ends the rule here, leaving the count, the label and the modified flag alone.
  if (!TxtNumSubGroup1.text().empty() && !TxtNumSubGroup2.text().empty()) {
    GroupSize = SubjectsPerGroup(*this);
    NumGroups = StrToInt(TxtNumGroups.text());
    UpdateReorderRecordCount(*this, NumGroups, GroupSize);
    LblNumReor.setCaption(recordsNeededCaption(ReorderRecordCount));
  }
  Modified = true;
}

void TFrm1::MemoOnChange() {
  // lineCount() is kept by the memo itself, so this costs the same for 10 lines or 200,000.
  const auto lines = static_cast<std::uint64_t>(MemoReorder.lineCount());
  const bool tooMany =
      ReorderRecordCount < 0 || lines > static_cast<std::uint64_t>(ReorderRecordCount);
  LblNumReor.setCaption(tooMany ? "Perhaps you have too many record(s)"
                                : recordsNeededCaption(ReorderRecordCount));
}

}  // namespace wintarvel
