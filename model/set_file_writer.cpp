// The set file writer. The file is fixed-column text that the engine reads by position, so every
// number is checked before anything is written, the whole file is composed in memory, and it
// replaces the previous file only once it has been written completely.

#include "model/set_file_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/code_record.h"
#include "model/frm1.h"
#include "model/set_file_layout.h"

namespace wintarvel {

namespace {

using namespace setfile;

constexpr std::size_t kMaxFormatRecord = 320;

// The numbers of the parameter and reverse-scoring lines, converted and checked.
struct CheckedNumbers {
  int subGroup1 = 0;
  int subGroup2 = 0;
  int numGroups = 0;
  int reverseSum = 0;  // only meaningful when the reverse-scoring line is written
};

std::string rightJustified(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string leftJustified(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string number(int value, std::size_t width) {
  return rightJustified(std::to_string(value), width);
}

char flag(bool on) {
  return on ? '1' : '0';
}

// The digit of the checked button of a group; "0" when none is checked.
char code(const RadioGroup& group) {
  const int index = group.checkedIndex();
  return static_cast<char>('0' + std::max(index, 0));
}

std::optional<int> wholeNumberIn(const std::string& text, int low, int high) {
  try {
    const int value = StrToInt(text);
    if (value < low || value > high) return std::nullopt;
    return value;
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

bool anyReversed(const TFrm1& f) {
  return std::any_of(f.DyVarList.begin(), f.DyVarList.end(),
                     [](const _variable& v) { return v.Reversed; });
}

bool reverseLineWritten(const TFrm1& f) {
  return f.ChkReverseVar.checked() && anyReversed(f);
}

int formatLineCount(const TFrm1& f) {
  std::size_t length = f.TxtGroupFortran.text().size();
  if (f.ChkSecFmt.checked()) length = std::max(length, f.TxtGroup2Fortran.text().size());
  return length == 0 ? 0 : static_cast<int>((length - 1) / kFormatLineWidth);
}

// Checks every number the file will hold, so that a bad one is refused before the file is
// touched. Shows one message naming the first bad field.
std::optional<CheckedNumbers> checkNumbers(TFrm1& f) {
  auto refuse = [&f](const std::string& text) {
    f.ui.showMessage(text, "");
    return std::nullopt;
  };
  CheckedNumbers n;
  if (auto v = wholeNumberIn(f.TxtNumSubGroup1.text(), 0, 99)) {
    n.subGroup1 = *v;
  } else {
    return refuse("The number in subgroup 1 must be a whole number from 0 to 99.");
  }
  if (auto v = wholeNumberIn(f.TxtNumSubGroup2.text(), 0, 99)) {
    n.subGroup2 = *v;
  } else {
    return refuse("The number in subgroup 2 must be a whole number from 0 to 99.");
  }
  if (auto v = wholeNumberIn(f.TxtNumGroups.text(), 1, 999)) {
    n.numGroups = *v;
  } else {
    return refuse("The number of groups must be a whole number from 1 to 999.");
  }
  if (reverseLineWritten(f)) {
    f.TxtRevScore.setText(TrimBlanksAndControls(f.TxtRevScore.text()));
    const std::string& sum = f.TxtRevScore.text();
    if (auto v = sum.empty() ? std::optional<int>(0) : wholeNumberIn(sum, 0, 99999)) {
      n.reverseSum = *v;
    } else {
      return refuse(
          "The sum of the upper limit and lower limit must be a whole number from 0 to 99999.");
    }
  }
  if (f.TxtGroupFortran.text().size() > kMaxFormatRecord) {
    return refuse("The group data input Fortran format record is longer than 320 characters.");
  }
  if (f.ChkSecFmt.checked() && f.TxtGroup2Fortran.text().size() > kMaxFormatRecord) {
    return refuse(
        "The second variable format record for subgroup 2 is longer than 320 characters.");
  }
  // The counts have two columns each.
  if (f.CmbDyVar.count() > 99 || f.CmbPerVar.count() > 99 || f.CmbConst.count() > 99) {
    return refuse("A set file holds at most 99 names in each list.");
  }
  return n;
}

std::string titleLine(const TFrm1& f) {
  return leftJustified(f.TxtProgTitle.text(), kTitleWidth) +
         leftJustified(f.TxtNameSubGroup1.text(), kSubgroupNameWidth) +
         leftJustified(f.TxtNameSubGroup2.text(), kSubgroupNameWidth) + kLineBreak;
}

char readOrderCode(const TFrm1& f) {
  if (f.CmbPerVar.count() == 0) return '0';
  // Neither button checked (the input pattern rule may clear "after") counts as "after".
  return f.RBPerBeforeDy.checked() ? '1' : '2';
}

std::string parameterLine(const TFrm1& f, const CheckedNumbers& n) {
  std::string line = number(n.subGroup1, 2) + number(n.subGroup2, 2) +
                     number(f.CmbDyVar.count(), 2) + number(n.numGroups, 3);
  line += code(f.DesignType);
  line += code(f.InputPattern);
  line += code(f.OutputOption);
  line += readOrderCode(f);
  line += f.CmbPerVar.count() == 0 ? std::string("  ") : number(f.CmbPerVar.count(), 2);
  line += flag(f.ChkSelfM.checked());
  line += flag(f.ChkTechOut.checked());
  line += flag(f.ChkSecFmt.checked());
  line += static_cast<char>('0' + formatLineCount(f));
  line += flag(f.ChkDropSub.checked());
  line += number(f.CmbConst.count(), 2);
  line += code(f.EffectEstimates);
  line += flag(f.ChkRawData.checked());
  line += code(f.ReorderPattern);
  line += code(f.ReorderNewSame);
  line += flag(reverseLineWritten(f));
  return line + kLineBreak;
}

// Names right-justified in 10 columns, 8 to a line; no line at all for no names.
std::string nameLines(const std::vector<std::string>& names) {
  std::string lines;
  for (std::size_t i = 0; i < names.size(); ++i) {
    lines += rightJustified(names[i], kNameWidth);
    if ((i + 1) % kNamesPerLine == 0 || i + 1 == names.size()) lines += kLineBreak;
  }
  return lines;
}

std::vector<std::string> dyadicNames(const TFrm1& f) {
  std::vector<std::string> names;
  for (const _variable& v : f.DyVarList) names.push_back(v.Name);
  return names;
}

std::string constructSection(TFrm1& f) {
  if (f.CmbConst.count() == 0) return "";
  std::string section = f.ConRecInfo.text() + kLineBreak;
  // A study whose correlations do not verify is written with every variable on its own.
  section +=
      f.VerifyCorrelations(false) ? f.CorRecInfo.text() : codes::Numbered(f.CmbDyVar.count());
  section += kLineBreak;
  return section + nameLines(f.CmbConst.items());
}

std::string reverseLine(const TFrm1& f, const CheckedNumbers& n) {
  if (!reverseLineWritten(f)) return "";
  char sum[8];
  std::snprintf(sum, sizeof sum, "%05d", n.reverseSum);
  std::string line = sum;
  for (const _variable& v : f.DyVarList) line += flag(v.Reversed);
  return line + kLineBreak;
}

// A record cut into lines of 80 characters and filled up with empty lines to lineCount + 1.
std::string formatRecord(const std::string& record, int lineCount) {
  std::string lines;
  int written = 0;
  for (std::size_t start = 0; start < record.size(); start += kFormatLineWidth) {
    lines += record.substr(start, kFormatLineWidth) + kLineBreak;
    ++written;
  }
  for (; written < lineCount + 1; ++written) lines += kLineBreak;
  return lines;
}

std::string formatSection(const TFrm1& f) {
  const int lineCount = formatLineCount(f);
  std::string section = formatRecord(f.TxtGroupFortran.text(), lineCount);
  if (f.ChkSecFmt.checked()) section += formatRecord(f.TxtGroup2Fortran.text(), lineCount);
  return section;
}

// The memo as it stands, ended by exactly one line break so that an edit after loading can never
// run its last record into the next section.
std::string reorderSection(TFrm1& f, const CheckedNumbers& n) {
  if (f.ReorderPattern.checkedIndex() <= 0) return "";
  f.GroupSize = n.subGroup1 + n.subGroup2;
  UpdateReorderRecordCount(f, n.numGroups, f.GroupSize);
  std::string records = f.MemoReorder.text();
  const bool endsWithBreak =
      records.size() >= 2 && records.compare(records.size() - 2, 2, kLineBreak) == 0;
  if (!endsWithBreak) records += kLineBreak;
  return records;
}

std::string droppedLine(TFrm1& f, const CheckedNumbers& n) {
  if (!f.ChkDropSub.checked()) return "";
  f.GroupSize = n.subGroup1 + n.subGroup2;
  std::string line;
  for (int subject = 1; subject <= f.GroupSize; ++subject) {
    const bool dropped = std::find(f.DroppedSubjects.begin(), f.DroppedSubjects.end(), subject) !=
                         f.DroppedSubjects.end();
    line += flag(!dropped);
  }
  return line + kLineBreak;
}

std::string composeSetFile(TFrm1& f, const CheckedNumbers& n) {
  std::string content = titleLine(f) + parameterLine(f, n);
  content += nameLines(dyadicNames(f));
  content += nameLines(f.CmbPerVar.items());
  content += constructSection(f);
  content += reverseLine(f, n);
  content += formatSection(f);
  content += reorderSection(f, n);
  content += droppedLine(f, n);
  return content;
}

namespace fs = std::filesystem;

// The file a save replaces: a link is followed, so that the file it names gets the new content.
fs::path replacedFile(const std::string& path) {
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) return resolved;
  }
  return fs::path(path);
}

// Creates a new temporary file beside the target; never opens an existing one.
std::FILE* createTemporary(const fs::path& target, fs::path& temporary, int& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += ".tmp" + std::to_string(attempt);
    if (std::FILE* out = std::fopen(temporary.string().c_str(), "wbx")) return out;
    error = errno;
    if (error != EEXIST) return nullptr;
  }
  return nullptr;
}

// Writes a temporary file beside the target and renames it over the target, so that a failure
// at any point leaves the previous file whole. A read-only file is not replaced, as it would not
// be overwritten either. Returns the system's reason on failure.
std::optional<std::string> writeAtomically(const std::string& path, const std::string& content) {
  const fs::path target = replacedFile(path);
  if (!target.has_filename()) return std::string(std::strerror(EISDIR));
  std::error_code ec;
  const fs::file_status previous = fs::status(target, ec);
  const bool replacing = fs::is_regular_file(previous);
  if (replacing && (previous.permissions() & fs::perms::owner_write) == fs::perms::none) {
    return std::string(std::strerror(EACCES));
  }

  fs::path temporary;
  int error = 0;
  std::FILE* out = createTemporary(target, temporary, error);
  if (out == nullptr) return std::string(std::strerror(error));
  const bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
  if (!written) error = errno;
  const bool closed = std::fclose(out) == 0;
  if (written && !closed) error = errno;
  if (written && closed && replacing) fs::permissions(temporary, previous.permissions(), ec);
  if (written && closed) fs::rename(temporary, target, ec);
  if (!written || !closed || ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return written && closed ? ec.message() : std::string(std::strerror(error));
  }
  return std::nullopt;
}

}  // namespace

SaveOutcome WriteSetFile(TFrm1& f) {
  f.CompleteConstructs();
  if (!f.VerifyCorrelations(true)) return SaveOutcome::Refused;
  // The name comes before the numbers are checked: a user who closes an unnamed study and then
  // cancels the name choice drops it, whatever its numbers hold.
  const std::string previousName = f.TxtSetFile.text();
  if (previousName.empty() && !f.ChooseSetFileName()) return SaveOutcome::NameCancelled;
  const std::optional<CheckedNumbers> numbers = checkNumbers(f);
  if (!numbers) {
    f.TxtSetFile.setText(previousName);  // a name that holds nothing is not kept
    return SaveOutcome::Refused;
  }
  const std::string path = f.TxtSetFile.text();
  if (auto reason = writeAtomically(path, composeSetFile(f, *numbers))) {
    f.ui.showMessage("The set file " + path + " could not be written: " + *reason + ".", "");
    f.TxtSetFile.setText(previousName);
    return SaveOutcome::Failed;
  }
  f.LastSetFile.noteWritten(path);
  return SaveOutcome::Written;
}

bool TFrm1::SaveSetFile() {
  return WriteSetFile(*this) == SaveOutcome::Written;
}

bool TFrm1::ChooseSetFileName() {
  SaveDialog.setDefaultExt("set");
  SaveDialog.setFileName(TxtSetFile.text().empty() ? "*.set" : TxtSetFile.text());
  if (!ui.execute(SaveDialog)) return false;
  TxtSetFile.setText(SaveDialog.fileName());
  return true;
}

}  // namespace wintarvel
