// The set file reader. The file has no keywords: what each line holds follows from the fields
// read before it, so the reader walks it by position, field by field. Setting each control runs
// its change handler, which brings the dependent enabled and visible states up to date.
//
// A damaged file must never take the program down, nor be taken silently: every read is bounded
// by the line it reads from, and what is read is checked against what a study can be (at most 20
// names in each list, every section the parameter line announces present, code records of two
// digits per variable, nothing left over at the end). The first problem stops the reading with
// one message naming the file and the line. What was read until then is kept, but the document
// loses its file name, so that a later save asks for one instead of overwriting the file with a
// partial study. Only the end of a file may be short: trailing empty format lines that were lost
// read as empty, and reorder records missing at the very end are simply not there.

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/frm1.h"
#include "model/set_file_layout.h"

namespace wintarvel {

namespace {

using namespace setfile;

// The lines of a set file with a read position. Lines may end in CR LF or LF and are read whole.
// The lines are views into the file's text, which outlives the cursor: a file of 200,000 lines
// is not copied line by line.
class SetFileCursor {
 public:
  explicit SetFileCursor(std::string_view content) {
    std::size_t start = 0;
    while (start < content.size()) {
      std::size_t end = content.find('\n', start);
      if (end == std::string_view::npos) end = content.size();
      std::string_view line = content.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  // 1-based number of the line being read.
  int lineNumber() const { return static_cast<int>(line_) + 1; }
  // True when every line has been read.
  bool atEnd() const { return line_ >= lines_.size(); }
  std::string_view currentLine() const { return current(); }

  // The next `width` characters of the current line, fewer when the line ends first.
  std::string read(std::size_t width) {
    const std::string_view line = current();
    const std::size_t from = std::min(column_, line.size());
    const std::size_t n = std::min(width, line.size() - from);
    column_ = from + n;
    return std::string(line.substr(from, n));
  }

  // The rest of the current line; reading goes on at the start of the next one.
  std::string_view readLineView() {
    const std::string_view line = current();
    const std::string_view rest = line.substr(std::min(column_, line.size()));
    skipLine();
    return rest;
  }
  std::string readLine() { return std::string(readLineView()); }

  void skipLine() {
    ++line_;
    column_ = 0;
  }

 private:
  // Past the end of the file every line is empty.
  std::string_view current() const { return line_ < lines_.size() ? lines_[line_] : ""; }

  std::vector<std::string_view> lines_;
  std::size_t line_ = 0;
  std::size_t column_ = 0;
};

constexpr int kMaxNames = 20;

// A problem found in what was read: where it is and what is wrong there.
class DamagedSetFile : public std::runtime_error {
 public:
  DamagedSetFile(int where, const std::string& problem)
      : std::runtime_error(problem), line(where) {}
  int line;
};

bool isBlankOrZero(const std::string& c) {
  return c == " " || c == "0";
}

bool allBlank(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

std::string withoutLeadingBlanks(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first);
}

// Selects the button of a one-digit code: a blank counts as "0", a code without a button changes
// nothing, and a missing field (no character left on the line) selects the first button only
// where the layout gives that default.
void selectByCode(const std::string& c, const std::vector<RadioButton*>& buttons,
                  bool missingSelectsFirst) {
  if (c.empty()) {
    if (missingSelectsFirst) buttons.front()->setChecked(true);
    return;
  }
  const int digit = c == " " ? 0 : c[0] - '0';
  if (digit >= 0 && digit < static_cast<int>(buttons.size())) buttons[digit]->setChecked(true);
}

// Reads one set file into a study that has just been reset.
class SetFileReader {
 public:
  SetFileReader(TFrm1& f, std::string_view content) : f_(f), in_(content) {}

  void read() {
    readTitleLine();
    readParameterLine();
    checkCounts();
    readDyadicNames();
    if (personalityNamesFollow_) readPersonalityNames();
    readConstructs();
    if (f_.ChkReverseVar.checked()) readReverseScoring();
    readFormatRecords();
    readReorderRecords();
    if (f_.ChkDropSub.checked()) readDroppedSubjects();
    checkNothingLeftOver();
  }

  // The line of the field being read, for the message when it cannot be converted.
  int fieldLine() const { return fieldLine_; }
  int parameterLine() const { return parameterLine_; }

 private:
  void readTitleLine() {
    fieldLine_ = in_.lineNumber();
    f_.TxtProgTitle.setText(in_.read(kTitleWidth));
    f_.TxtNameSubGroup1.setText(in_.read(kSubgroupNameWidth));
    f_.TxtNameSubGroup2.setText(in_.read(kSubgroupNameWidth));
    in_.skipLine();
  }

  // The next field of the parameter line, in the columns the layout gives it.
  std::string read(Parameter field) { return in_.read(ParameterWidth(field)); }

  // A subgroup size: a leading blank or zero is dropped.
  std::string readSubGroupSize(Parameter field) {
    const std::string s = read(field);
    return !s.empty() && isBlankOrZero(s.substr(0, 1)) ? s.substr(1) : s;
  }

  // Stops the reading when the file has ended before the section it is about to read.
  void require(const std::string& section) {
    if (in_.atEnd()) throw DamagedSetFile(in_.lineNumber(), "the file ends before " + section);
  }

  void readParameterLine() {
    fieldLine_ = parameterLine_ = in_.lineNumber();
    require("the parameter line");
    f_.TxtNumSubGroup1.setText(readSubGroupSize(Parameter::SubGroup1));
    f_.TxtNumSubGroup2.setText(readSubGroupSize(Parameter::SubGroup2));
    dyadicCount_ = StrToInt(read(Parameter::DyadicCount));
    const std::string groups = withoutLeadingBlanks(read(Parameter::Groups));
    f_.TxtNumGroups.setText(groups);
    f_.NumGroups = StrToInt(groups);
    selectByCode(read(Parameter::DesignType), {&f_.RadDesTy0, &f_.RadDesTy1, &f_.RadDesTy2}, false);
    selectByCode(read(Parameter::InputPattern),
                 {&f_.RadInpPat0, &f_.RadInpPat1, &f_.RadInpPat2, &f_.RadInpPat3, &f_.RadInpPat4,
                  &f_.RadInpPat5},
                 false);
    selectByCode(read(Parameter::OutputOption),
                 {&f_.RadOut0, &f_.RadOut1, &f_.RadOut2, &f_.RadOut3, &f_.RadOut4}, false);
    readReadOrder(read(Parameter::ReadOrder));
    readPersonalityCount(read(Parameter::PersonalityCount));
    readSelfMeasures(read(Parameter::SelfMeasures));
    if (read(Parameter::TechnicalOutput) == "1") f_.ChkTechOut.setChecked(true);
    if (read(Parameter::SecondFormat) == "1") f_.ChkSecFmt.setChecked(true);
    const std::string lineCount = read(Parameter::FormatLineCount);
    formatLineCount_ = lineCount.empty() || lineCount == " " ? 0 : StrToInt(lineCount);
    f_.ChkDropSub.setChecked(false);
    if (read(Parameter::DroppedSubjects) == "1") f_.ChkDropSub.setChecked(true);
    std::string constructs = read(Parameter::ConstructCount);
    std::replace(constructs.begin(), constructs.end(), ' ', '0');
    constructCount_ = constructs.empty() ? 0 : StrToInt(constructs);
    selectByCode(read(Parameter::EffectEstimates), {&f_.RadAP0, &f_.RadAP1, &f_.RadAP2}, true);
    f_.ChkRawData.setChecked(false);
    if (read(Parameter::RawData) == "1") f_.ChkRawData.setChecked(true);
    selectByCode(read(Parameter::ReorderPattern),
                 {&f_.RadRePat0, &f_.RadRePat1, &f_.RadRePat2, &f_.RadRePat3, &f_.RadRePat4,
                  &f_.RadRePat5, &f_.RadRePat6},
                 true);
    selectByCode(read(Parameter::ReorderNewSame), {&f_.RadReNewSame0, &f_.RadReNewSame1}, true);
    if (read(Parameter::ReverseScoring) == "1") {
      f_.ChkReverseVar.setChecked(true);
      f_.CmdDyVarRev.setEnabled(true);
    }
    in_.skipLine();
  }

  void readReadOrder(const std::string& c) {
    const bool before = c == "1";
    const bool after = c == "2";
    if (c.empty() || isBlankOrZero(c) || before || after) {
      for (Control* control :
           std::initializer_list<Control*>{&f_.GroupBoxPV, &f_.RBPerBeforeDy, &f_.RBPerAfterDy}) {
        control->setEnabled(before || after);
      }
    }
    if (before) f_.RBPerBeforeDy.setChecked(true);
    if (after) f_.RBPerAfterDy.setChecked(true);
    personalityNamesFollow_ = before || after;
  }

  void checkCount(int count, int most, const std::string& what) const {
    if (count < 0 || count > most) {
      throw DamagedSetFile(parameterLine_, "it announces " + std::to_string(count) + " " + what +
                                               ", and a study has at most " + std::to_string(most));
    }
  }

  // Saving gives every dyadic variable in no construct a construct of its own, so a saved study
  // may hold up to 20 more constructs than a user can add.
  void checkCounts() const {
    checkCount(dyadicCount_, kMaxNames, "dyadic variables");
    if (personalityNamesFollow_) {
      checkCount(personalityCount_, kMaxNames, "personality variables");
    }
    checkCount(constructCount_, kMaxNames + dyadicCount_, "constructs");
  }

  void readPersonalityCount(const std::string& s) {
    personalityCount_ = allBlank(s) || s == " 0" || s == "00" ? 0 : StrToInt(s);
  }

  void readSelfMeasures(const std::string& c) {
    if (isBlankOrZero(c)) f_.ChkSelfM.setChecked(false);
    if (c == "1") f_.ChkSelfM.setChecked(true);
  }

  // Names right-justified in 10 columns, 8 to a line; the rest of a line is skipped. Each name is
  // kept as soon as it is read. A line longer than its names' columns holds something else.
  template <class Keep>
  void readNames(int count, const std::string& what, Keep keep) {
    fieldLine_ = in_.lineNumber();
    for (int i = 0; i < count; ++i) {
      if (i % kNamesPerLine == 0) checkNameLine(std::min<int>(count - i, kNamesPerLine), what);
      keep(withoutLeadingBlanks(in_.read(kNameWidth)));
      if ((i + 1) % kNamesPerLine == 0) in_.skipLine();
    }
    if (count > 0 && count % kNamesPerLine != 0) in_.skipLine();
  }

  void checkNameLine(int names, const std::string& what) {
    require("the " + what);
    const std::size_t columns = kNameWidth * static_cast<std::size_t>(names);
    const std::size_t length = in_.currentLine().size();
    if (length > columns) {
      throw DamagedSetFile(in_.lineNumber(), "the " + what + " take " + std::to_string(columns) +
                                                 " columns, but the line holds " +
                                                 std::to_string(length) + " characters");
    }
  }

  void readNamesInto(ListBox& list, int count, const std::string& what) {
    readNames(count, what, [&list](const std::string& name) { list.add(name); });
  }

  // The read-order choice is enabled only while there are personality variables, also when a
  // damaged file announces them without any.
  void readPersonalityNames() {
    readNamesInto(f_.CmbPerVar, personalityCount_, "personality variable names");
    const bool any = f_.CmbPerVar.count() > 0;
    for (Control* control :
         std::initializer_list<Control*>{&f_.GroupBoxPV, &f_.RBPerBeforeDy, &f_.RBPerAfterDy}) {
      control->setEnabled(any);
    }
  }

  void readDyadicNames() {
    readNames(dyadicCount_, "dyadic variable names", [this](const std::string& name) {
      f_.CmbDyVar.add(name);
      f_.DyVarList.push_back(_variable{name, "", false});
      f_.CorAvailVarList.add(name);
    });
  }

  // A code record: two digits for each dyadic variable, nothing else.
  std::string readCodeRecord(const std::string& what) {
    require("the " + what);
    const int line = in_.lineNumber();
    std::string record = in_.readLine();
    const std::size_t digits = 2 * f_.DyVarList.size();
    if (record.size() != digits) {
      throw DamagedSetFile(line, "the " + what + " has " + std::to_string(record.size()) +
                                     " characters, where " + std::to_string(f_.DyVarList.size()) +
                                     " dyadic variables need " + std::to_string(digits) +
                                     " digits");
    }
    if (record.find_first_not_of("0123456789") != std::string::npos) {
      throw DamagedSetFile(line, "the " + what + " holds characters other than digits");
    }
    return record;
  }

  void readConstructs() {
    if (constructCount_ <= 0) {
      f_.ConRecInfo.setText("");
      f_.CorRecInfo.setText("");
      return;
    }
    fieldLine_ = in_.lineNumber();
    std::string constructs = readCodeRecord("construct record");
    f_.ConRecInfo.setText(constructs);
    f_.CorRecInfo.setText(readCodeRecord("correlated-error record"));
    readNamesInto(f_.CmbConst, constructCount_, "construct names");

    // A number outside the construct list leaves its variable in no construct.
    for (std::size_t i = 0; i < f_.DyVarList.size(); ++i) {
      const int k = StrToInt(constructs.substr(2 * i, 2));
      const bool known = k >= 1 && k <= f_.CmbConst.count();
      f_.DyVarList[i].Construct = known ? f_.CmbConst.item(k - 1) : "";
      if (!known) constructs.replace(2 * i, 2, "00");
    }
    f_.ConRecInfo.setText(constructs);
  }

  void readReverseScoring() {
    require("the reverse scoring line");
    fieldLine_ = in_.lineNumber();
    f_.TxtRevScore.setText(in_.read(static_cast<std::size_t>(kReverseSumField.width)));
    const int items = std::min(f_.CmbDyVar.count(), static_cast<int>(f_.DyVarList.size()));
    for (int i = 0; i < items; ++i) {
      if (in_.read(1) != "1") continue;
      // The flag belongs to the variable at the same position, even when names repeat.
      _variable& v = f_.DyVarList[static_cast<std::size_t>(i)];
      v.Reversed = true;
      f_.CmbDyVar.replace(i, v.Name + kReversedMark);
    }
    in_.skipLine();
  }

  void readFormatRecords() {
    fieldLine_ = in_.lineNumber();
    f_.TxtGroupFortran.setText(readFormatRecord());
    if (f_.ChkSecFmt.checked()) f_.TxtGroup2Fortran.setText(readFormatRecord());
  }

  std::string readFormatRecord() {
    std::string record;
    for (int i = 0; i <= formatLineCount_; ++i) record += in_.readLine();
    return record;
  }

  // The sizes are fields of the parameter line: a failed conversion is reported there.
  void refreshGroupSize() {
    fieldLine_ = parameterLine_;
    f_.GroupSize = SubjectsPerGroup(f_);
  }

  void readReorderRecords() {
    refreshGroupSize();
    UpdateReorderRecordCount(f_, f_.NumGroups, f_.GroupSize);
    // Collected first and set at once: the memo may hold hundreds of thousands of lines.
    std::string records;
    for (int i = 0; i < f_.ReorderRecordCount && !in_.atEnd(); ++i) {
      fieldLine_ = in_.lineNumber();
      const std::string_view line = in_.readLineView();
      if (line == "0") continue;
      records += line;
      records += "\r\n";
    }
    f_.MemoReorder.setText(std::move(records));
  }

  void readDroppedSubjects() {
    const int dataLine = in_.lineNumber();
    refreshGroupSize();
    fieldLine_ = dataLine;
    require("the dropped subjects line");
    const std::string flags = in_.read(static_cast<std::size_t>(std::max(f_.GroupSize, 0)));
    in_.skipLine();
    for (std::size_t k = 0; k < flags.size(); ++k) {
      if (flags[k] == '0') f_.DroppedSubjects.push_back(static_cast<int>(k) + 1);
    }
    f_.UpdateDropped();
  }

  // Only empty lines may follow the last section.
  void checkNothingLeftOver() {
    for (; !in_.atEnd(); in_.skipLine()) {
      if (in_.currentLine().find_first_not_of(" \t") != std::string_view::npos) {
        throw DamagedSetFile(in_.lineNumber(), "lines are left over after the last section");
      }
    }
  }

  TFrm1& f_;
  SetFileCursor in_;
  int fieldLine_ = 1;
  int parameterLine_ = 2;
  int dyadicCount_ = 0;
  int personalityCount_ = 0;
  bool personalityNamesFollow_ = false;
  int formatLineCount_ = 0;
  int constructCount_ = 0;
};

// The whole file, or the system's reason why it cannot be read.
bool readWholeFile(const std::string& path, std::string& content, std::string& reason) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    reason = std::strerror(EISDIR);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = std::strerror(errno);
    return false;
  }
  // Read into one buffer of the file's size: a stream copy would hold the file two or three
  // times over while reading.
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec) content.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    reason = std::strerror(errno);
    return false;
  }
  return true;
}

// True for a byte that no text file holds: a control character other than tab and the line breaks.
// Written without branches, so that the block scan below is vectorised.
bool binaryByte(unsigned char byte) {
  return ((byte < 0x20) & (byte != '\t') & (byte != '\r') & (byte != '\n')) | (byte == 0x7F);
}

// The line of the first byte that no text file holds, 0 when there is none. Files hold none as a
// rule, so the content is first looked through in blocks by a loop without an early exit, which the
// compiler turns into vector instructions: a byte-by-byte search took twelve times the
// instructions (250 million at 16 MB).
int binaryLine(const std::string& content) {
  constexpr std::size_t kBlock = 4096;
  const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
  for (std::size_t start = 0; start < content.size(); start += kBlock) {
    const std::size_t end = std::min(content.size(), start + kBlock);
    unsigned char found = 0;  // one bit: any binary byte in the block
    for (std::size_t i = start; i < end; ++i)
      found |= static_cast<unsigned char>(binaryByte(bytes[i]));
    if (found == 0) continue;
    const auto* first = std::find_if(bytes + start, bytes + end, binaryByte);
    return 1 + static_cast<int>(std::count(bytes, first, '\n'));
  }
  return 0;
}

// What is wrong with the file's content as a whole, in words; empty when it may be a set file.
std::string contentProblem(const std::string& path, const std::string& content) {
  if (content.empty()) return "The set file " + path + " is empty.";
  if (const int line = binaryLine(content)) {
    return "The file " + path + " is not a set file: line " + std::to_string(line) +
           " holds binary data, not text.";
  }
  return "";
}

// Reads the content; the message of the first problem, empty when the study was read whole.
std::string readStudy(TFrm1& f, const std::string& path, const std::string& content) {
  SetFileReader reader(f, content);
  try {
    reader.read();
  } catch (const DamagedSetFile& e) {
    return "The set file " + path + " is damaged at line " + std::to_string(e.line) + ": " +
           e.what() + ".";
  } catch (const ConversionError& e) {
    if (reader.fieldLine() == reader.parameterLine()) {
      return "The file " + path + " is not a set file: line " +
             std::to_string(reader.parameterLine()) + " does not hold the numbers of a study.";
    }
    return "The set file " + path + " could not be read at line " +
           std::to_string(reader.fieldLine()) + ": " + e.what();
  } catch (const std::exception& e) {
    return "The set file " + path + " could not be read at line " +
           std::to_string(reader.fieldLine()) + ": " + e.what();
  }
  return "";
}

}  // namespace

bool TFrm1::OpenSetFile() {
  const std::string path = OpenDialog.fileName();
  PageControl1.setActivePage(0);  // "Basic"
  ResetStudy();  // the caller has settled the unsaved changes: reading starts from a new study
  CorAvailVarList.clear();
  CorMapVarList.clear();
  PBCorConnect.setEnabled(false);
  PBCorDisconnect.setEnabled(false);
  TxtGroupFortran.setText("");
  TxtGroup2Fortran.setText("");

  std::string failure;
  std::string content;
  std::string reason;
  if (!readWholeFile(path, content, reason)) {
    failure = "The set file " + path + " could not be opened: " + reason + ".";
  } else {
    TxtSetFile.setText(path);
    failure = contentProblem(path, content);
    if (failure.empty()) failure = readStudy(*this, path, content);
  }

  PageControl1.setVisible(true);
  Done.setVisible(true);
  Cancel.setVisible(true);
  CorError.setTabVisible(CmbConst.count() >= 2);
  if (!failure.empty()) {
    ui.showMessage(failure, "");
    TxtSetFile.setText("");
    WindowCaption.setCaption(kNewDocumentCaption);
    Modified = true;
    return false;
  }
  WindowCaption.setCaption(std::string(kAppTitle) + " - " + SplitPath(path).base);
  LastSetFile.noteRead(path);
  return true;
}

}  // namespace wintarvel
