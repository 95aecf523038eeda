// The set file writer. The file is fixed-column text that the engine reads by position, so every
// number is checked before anything is written, the whole file is composed in memory, and it
// replaces the previous file only once it has been written completely. The composition is the
// one the set file view shows: a save first changes the study (completion, verification,
// trimming) and then composes; the view composes from copies of those changes.

#include "model/set_file_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "correlation/correlation_check.h"
#include "model/code_record.h"
#include "model/frm1.h"
#include "model/set_file_layout.h"
#include "variables/construct_completion.h"

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

// The numbers, or the message that refuses the study when one of them cannot be written.
struct NumberCheck {
  CheckedNumbers numbers;
  std::string refusal;
};

// What the file is written from beside the controls: the constructs as the completion leaves
// them, the correlation record as the verification leaves it, and the checked numbers.
struct StudyToWrite {
  std::vector<std::string> constructNames;
  std::string constructRecord;
  std::string correlationRecord;
  CheckedNumbers numbers;
};

std::string rightJustified(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string leftJustified(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
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
// touched; the refusal names the first bad field. The reverse-score sum is read trimmed, as the
// save trims it.
NumberCheck checkNumbers(const TFrm1& f, int constructCount) {
  NumberCheck check;
  CheckedNumbers& n = check.numbers;
  auto refuse = [&check](const char* text) {
    check.refusal = text;
    return check;
  };
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
    const std::string sum = TrimBlanksAndControls(f.TxtRevScore.text());
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
  if (f.CmbDyVar.count() > 99 || f.CmbPerVar.count() > 99 || constructCount > 99) {
    return refuse("A set file holds at most 99 names in each list.");
  }
  return check;
}

// No text, no sections and no refusal; the text keeps its capacity.
void emptied(ComposedSetFile& out) {
  out.text.clear();
  out.sections.clear();
  out.refusal.clear();
}

// Appends the file's lines section by section and notes where each section lies.
class Composer {
 public:
  explicit Composer(ComposedSetFile& out) : out_(out) { emptied(out_); }

  // Appends `lines`, each ended by a line break, as lines of `kind`; nothing for no lines.
  void add(LineKind kind, const std::string& lines) { addCounted(kind, lines, countLines(lines)); }
  // Appends `lines` and then `ending`, which hold `lineCount` lines together.
  void addCounted(LineKind kind, const std::string& lines, int lineCount, const char* ending = "") {
    if (lineCount == 0) return;
    out_.text += lines;
    out_.text += ending;
    out_.sections.push_back(Section{kind, nextLine_, lineCount});
    nextLine_ += lineCount;
  }

 private:
  static int countLines(const std::string& lines) {
    int count = 0;
    for (std::size_t at = lines.find(kLineBreak); at != std::string::npos;
         at = lines.find(kLineBreak, at + 2)) {
      ++count;
    }
    return count;
  }

  ComposedSetFile& out_;
  int nextLine_ = 1;
};

std::string titleLine(const TFrm1& f) {
  const std::string texts[] = {f.TxtProgTitle.text(), f.TxtNameSubGroup1.text(),
                               f.TxtNameSubGroup2.text()};
  std::string line;
  for (std::size_t i = 0; i < std::size(kTitleFields); ++i) {
    line += leftJustified(texts[i], static_cast<std::size_t>(kTitleFields[i].width));
  }
  return line + kLineBreak;
}

char readOrderCode(const TFrm1& f) {
  if (f.CmbPerVar.count() == 0) return '0';
  // Neither button checked (the input pattern rule may clear "after") counts as "after".
  return f.RBPerBeforeDy.checked() ? '1' : '2';
}

// Each field's text right-justified in the columns the layout gives it.
std::string parameterLine(const TFrm1& f, const StudyToWrite& s) {
  const CheckedNumbers& n = s.numbers;
  std::string texts[kParameterCount];
  auto set = [&texts](Parameter p, const std::string& text) {
    texts[static_cast<std::size_t>(p)] = text;
  };
  auto setCode = [&set](Parameter p, char c) { set(p, std::string(1, c)); };
  set(Parameter::SubGroup1, std::to_string(n.subGroup1));
  set(Parameter::SubGroup2, std::to_string(n.subGroup2));
  set(Parameter::DyadicCount, std::to_string(f.CmbDyVar.count()));
  set(Parameter::Groups, std::to_string(n.numGroups));
  setCode(Parameter::DesignType, code(f.DesignType));
  setCode(Parameter::InputPattern, code(f.InputPattern));
  setCode(Parameter::OutputOption, code(f.OutputOption));
  setCode(Parameter::ReadOrder, readOrderCode(f));
  // Blanks, not a zero, when there are none.
  if (f.CmbPerVar.count() > 0)
    set(Parameter::PersonalityCount, std::to_string(f.CmbPerVar.count()));
  setCode(Parameter::SelfMeasures, flag(f.ChkSelfM.checked()));
  setCode(Parameter::TechnicalOutput, flag(f.ChkTechOut.checked()));
  setCode(Parameter::SecondFormat, flag(f.ChkSecFmt.checked()));
  setCode(Parameter::FormatLineCount, static_cast<char>('0' + formatLineCount(f)));
  setCode(Parameter::DroppedSubjects, flag(f.ChkDropSub.checked()));
  set(Parameter::ConstructCount, std::to_string(s.constructNames.size()));
  setCode(Parameter::EffectEstimates, code(f.EffectEstimates));
  setCode(Parameter::RawData, flag(f.ChkRawData.checked()));
  setCode(Parameter::ReorderPattern, code(f.ReorderPattern));
  setCode(Parameter::ReorderNewSame, code(f.ReorderNewSame));
  setCode(Parameter::ReverseScoring, flag(reverseLineWritten(f)));
  std::string line;
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    line += rightJustified(texts[i], static_cast<std::size_t>(kParameterFields[i].width));
  }
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

void addConstructSections(Composer& c, const StudyToWrite& s) {
  if (s.constructNames.empty()) return;
  c.add(LineKind::ConstructRecord, s.constructRecord + kLineBreak);
  c.add(LineKind::CorrelationRecord, s.correlationRecord + kLineBreak);
  c.add(LineKind::ConstructNames, nameLines(s.constructNames));
}

std::string reverseLine(const TFrm1& f, const CheckedNumbers& n) {
  if (!reverseLineWritten(f)) return "";
  // The sum is zero-padded, not blank-padded, to the width of its field.
  char sum[16];
  std::snprintf(sum, sizeof sum, "%0*d", kReverseSumField.width, n.reverseSum);
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

void addFormatSections(Composer& c, const TFrm1& f) {
  const int lineCount = formatLineCount(f);
  c.add(LineKind::FormatRecord, formatRecord(f.TxtGroupFortran.text(), lineCount));
  if (f.ChkSecFmt.checked()) {
    c.add(LineKind::SecondFormatRecord, formatRecord(f.TxtGroup2Fortran.text(), lineCount));
  }
}

// The memo as it stands, ended by exactly one line break so that an edit after loading can never
// run its last record into the next section.
void addReorderSection(Composer& c, const TFrm1& f) {
  if (f.ReorderPattern.checkedIndex() <= 0) return;
  const std::string& records = f.MemoReorder.text();
  const bool endsWithBreak =
      records.size() >= 2 && records.compare(records.size() - 2, 2, kLineBreak) == 0;
  const int lines = records.empty() ? 1 : static_cast<int>(f.MemoReorder.lineCount());
  c.addCounted(LineKind::ReorderRecords, records, lines, endsWithBreak ? "" : kLineBreak);
}

int subjectsPerGroup(const CheckedNumbers& n) {
  return n.subGroup1 + n.subGroup2;
}

std::string droppedLine(const TFrm1& f, const CheckedNumbers& n) {
  if (!f.ChkDropSub.checked()) return "";
  std::string line;
  for (int subject = 1; subject <= subjectsPerGroup(n); ++subject) {
    const bool dropped = std::find(f.DroppedSubjects.begin(), f.DroppedSubjects.end(), subject) !=
                         f.DroppedSubjects.end();
    line += flag(!dropped);
  }
  return line + kLineBreak;
}

void compose(const TFrm1& f, const StudyToWrite& s, ComposedSetFile& out) {
  Composer c(out);
  c.add(LineKind::Title, titleLine(f));
  c.add(LineKind::Parameters, parameterLine(f, s));
  c.add(LineKind::DyadicNames, nameLines(dyadicNames(f)));
  c.add(LineKind::PersonalityNames, nameLines(f.CmbPerVar.items()));
  addConstructSections(c, s);
  c.add(LineKind::ReverseScoring, reverseLine(f, s.numbers));
  addFormatSections(c, f);
  addReorderSection(c, f);
  c.add(LineKind::DroppedSubjects, droppedLine(f, s.numbers));
}

// The group size and the number of reorder records follow the sizes written.
void keepWrittenCounts(TFrm1& f, const CheckedNumbers& n) {
  const bool reorder = f.ReorderPattern.checkedIndex() > 0;
  if (reorder || f.ChkDropSub.checked()) f.GroupSize = subjectsPerGroup(n);
  if (reorder) UpdateReorderRecordCount(f, n.numGroups, f.GroupSize);
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
  if (reverseLineWritten(f)) f.TxtRevScore.setText(TrimBlanksAndControls(f.TxtRevScore.text()));
  const NumberCheck numbers = checkNumbers(f, f.CmbConst.count());
  if (!numbers.refusal.empty()) {
    f.ui.showMessage(numbers.refusal, "");
    f.TxtSetFile.setText(previousName);  // a name that holds nothing is not kept
    return SaveOutcome::Refused;
  }
  // A pairing that does not verify a second time is written with every variable on its own.
  const std::string correlations =
      f.VerifyCorrelations(false) ? f.CorRecInfo.text() : codes::Numbered(f.CmbDyVar.count());
  ComposedSetFile composed;
  compose(f, {f.CmbConst.items(), f.ConRecInfo.text(), correlations, numbers.numbers}, composed);
  keepWrittenCounts(f, numbers.numbers);
  const std::string path = f.TxtSetFile.text();
  if (auto reason = writeAtomically(path, composed.text)) {
    f.ui.showMessage("The set file " + path + " could not be written: " + *reason + ".", "");
    f.TxtSetFile.setText(previousName);
    return SaveOutcome::Failed;
  }
  f.LastSetFile.noteWritten(path);
  return SaveOutcome::Written;
}

void ComposeSetFile(const TFrm1& f, ComposedSetFile& out) {
  // The same steps as a save, each on a copy: completion, verification with its messages (the
  // first of them refuses the study), the number checks, the second verification.
  const ConstructCompletion completion = CompletionOf(f);
  std::vector<std::string> constructs = f.CmbConst.items();
  for (int j : completion.ownConstructs) {
    constructs.push_back(f.DyVarList[static_cast<std::size_t>(j)].Name);
  }
  const int constructCount = static_cast<int>(constructs.size());
  const CorrelationCheck first =
      CheckCorrelations(f, completion.record, constructCount, f.CorRecInfo.text());
  NumberCheck numbers;
  if (first.ok) numbers = checkNumbers(f, constructCount);
  if (!first.ok || !numbers.refusal.empty()) {
    emptied(out);
    out.refusal = first.ok ? numbers.refusal : first.failure;
    return;
  }
  const CorrelationCheck second =
      CheckCorrelations(f, completion.record, constructCount, first.record);
  const std::string correlations = second.ok ? second.record : codes::Numbered(f.CmbDyVar.count());
  compose(f, {std::move(constructs), completion.record, correlations, numbers.numbers}, out);
}

setfile::FieldAt FieldAtLine(const ComposedSetFile& file, int line, int column) {
  for (const Section& section : file.sections) {
    if (line >= section.firstLine && line < section.firstLine + section.lineCount) {
      return FieldAtColumn(section.kind, line - section.firstLine, column);
    }
  }
  return {};
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
