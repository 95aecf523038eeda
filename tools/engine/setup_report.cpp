// The report of the stand-in engine. It describes the study as the program's own reader sees it
// in the set file, so a user can check that the front end wrote what was meant.

#include "setup_report.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace standin {

using wintarvel::RadioGroup;
using wintarvel::TFrm1;

namespace {

constexpr const char* kEol = "\r\n";

constexpr const char* kBanner =
    "WinTarvel stand-in engine (this is NOT the Tarvel analysis engine)";
constexpr const char* kNoAnalysis =
    "This program only checks the set-up it was given and performs no analysis: no statistic in "
    "this file was computed from the data.";

std::string trimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

std::string yesNo(bool on) {
  return on ? "yes" : "no";
}

std::string checkedCaption(const RadioGroup& group) {
  const int checked = group.checkedIndex();
  return checked < 0 ? "(none selected)"
                     : group.buttons()[static_cast<std::size_t>(checked)]->caption();
}

std::string joined(const std::vector<std::string>& items) {
  if (items.empty()) return "none";
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

// Writes "label: value" lines with the labels lined up.
class Report {
 public:
  void heading(const std::string& title) { out_ << kEol << title << kEol; }
  void line(const std::string& text) { out_ << "  " << text << kEol; }
  void field(const std::string& label, const std::string& value) {
    std::string padded = label + ":";
    if (padded.size() < 30) padded.resize(30, ' ');
    out_ << "  " << padded << value << kEol;
  }
  void raw(const std::string& text) { out_ << text << kEol; }
  std::string str() const { return out_.str(); }

 private:
  std::ostringstream out_;
};

void describeGroups(const TFrm1& s, Report& r) {
  r.heading("Groups");
  r.field("Title", trimRight(s.TxtProgTitle.text()));
  r.field("Number of groups", s.TxtNumGroups.text());
  r.field("Design", checkedCaption(s.DesignType));
  const std::string name1 = trimRight(s.TxtNameSubGroup1.text());
  const std::string name2 = trimRight(s.TxtNameSubGroup2.text());
  r.field("Subgroup 1",
          s.TxtNumSubGroup1.text() + " members" + (name1.empty() ? "" : ", " + name1));
  r.field("Subgroup 2",
          s.TxtNumSubGroup2.text() + " members" + (name2.empty() ? "" : ", " + name2));
}

void describeVariables(const TFrm1& s, Report& r) {
  r.heading("Variables");
  r.field("Dyadic variables", std::to_string(s.DyVarList.size()));
  for (const auto& v : s.DyVarList) {
    std::string detail = "construct " + (v.Construct.empty() ? std::string("none") : v.Construct);
    if (v.Reversed) detail += ", reverse scored";
    r.line("  " + v.Name + " (" + detail + ")");
  }
  r.field("Personality variables", joined(s.CmbPerVar.items()));
  if (s.CmbPerVar.count() > 0) {
    // The set file records "after" whenever "before" is not selected, and so does this report.
    r.field("Read order",
            s.RBPerBeforeDy.checked() ? s.RBPerBeforeDy.caption() : s.RBPerAfterDy.caption());
  }
  r.field("Self measures", yesNo(s.ChkSelfM.checked()));
}

// Members of each construct, and the groups of variables whose errors correlate (variables that
// share a code other than 00).
void describeConstructs(const TFrm1& s, Report& r) {
  r.heading("Constructs");
  if (s.CmbConst.count() == 0) r.line("none");
  for (const auto& construct : s.CmbConst.items()) {
    std::vector<std::string> members;
    for (const auto& v : s.DyVarList) {
      if (v.Construct == construct) members.push_back(v.Name);
    }
    r.field(construct, joined(members));
  }
  r.heading("Correlated errors");
  std::map<std::string, std::vector<std::string>> byCode;
  const std::string& codes = s.CorRecInfo.text();
  for (std::size_t i = 0; i < s.DyVarList.size() && 2 * i + 1 < codes.size(); ++i) {
    const std::string code = codes.substr(2 * i, 2);
    if (code != "00") byCode[code].push_back(s.DyVarList[i].Name);
  }
  bool any = false;
  for (const auto& [code, names] : byCode) {
    if (names.size() < 2) continue;
    r.line("code " + code + ": " + joined(names));
    any = true;
  }
  if (!any) r.line("none");
}

void describeScoringAndSubjects(const TFrm1& s, Report& r) {
  r.heading("Reverse scoring");
  std::vector<std::string> reversed;
  for (const auto& v : s.DyVarList) {
    if (v.Reversed) reversed.push_back(v.Name);
  }
  if (s.ChkReverseVar.checked() && !reversed.empty()) {
    r.field("Sum of the scale limits", s.TxtRevScore.text());
    r.field("Reverse scored", joined(reversed));
  } else {
    r.line("none");
  }
  r.heading("Dropped subjects");
  std::vector<std::string> dropped;
  for (int subject : s.DroppedSubjects) dropped.push_back("Subject" + std::to_string(subject));
  r.line(s.ChkDropSub.checked() ? joined(dropped) : "none");
}

void describeFormatAndReorder(const TFrm1& s, Report& r) {
  r.heading("Data format");
  r.field("Input pattern", checkedCaption(s.InputPattern));
  r.field("Format record", s.TxtGroupFortran.text());
  if (s.ChkSecFmt.checked()) r.field("Format record, subgroup 2", s.TxtGroup2Fortran.text());
  r.heading("Reorder records");
  r.field("Reorder pattern", checkedCaption(s.ReorderPattern));
  if (!s.RadRePat0.checked()) {
    r.field("Records", checkedCaption(s.ReorderNewSame));
    r.field("Records the settings need", std::to_string(s.ReorderRecordCount));
    for (const auto& record : s.MemoReorder.lines()) r.line("  " + record);
  }
}

void describeOutput(const TFrm1& s, Report& r) {
  r.heading("Output requested");
  r.field("Output option", checkedCaption(s.OutputOption));
  r.field("Technical output", yesNo(s.ChkTechOut.checked()));
  r.field("Print out raw data", yesNo(s.ChkRawData.checked()));
  r.field("Effect estimates", checkedCaption(s.EffectEstimates));
}

// Plain observations a user can act on; none of them needs the data's values.
std::vector<std::string> findings(const TFrm1& s, const DataFileSummary& data) {
  std::vector<std::string> found;
  if (data.records == 0) found.push_back("The data file holds no records.");
  if (s.DyVarList.empty()) found.push_back("The study has no dyadic variables.");
  if (s.TxtGroupFortran.text().empty()) found.push_back("The format record is empty.");
  if (s.ChkSecFmt.checked() && s.TxtGroup2Fortran.text().empty()) {
    found.push_back("The second format record is empty.");
  }
  return found;
}

}  // namespace

std::string SetupReport(const TFrm1& study, const std::string& setFile,
                        const DataFileSummary& data) {
  Report r;
  r.raw(kBanner);
  r.raw(kNoAnalysis);
  r.heading("Files");
  r.field("Set file", setFile);
  r.field("Data file", data.path);
  r.field("Data file records (lines)", std::to_string(data.records));
  describeGroups(study, r);
  describeVariables(study, r);
  describeConstructs(study, r);
  describeScoringAndSubjects(study, r);
  describeFormatAndReorder(study, r);
  describeOutput(study, r);
  r.heading("Checks of the set-up");
  const auto found = findings(study, data);
  if (found.empty()) r.line("The set file was read whole and the data file was found.");
  for (const auto& f : found) r.line(f);
  r.heading("End of the set-up report. No analysis was performed.");
  return r.str();
}

std::string OptionalFileNote(const std::string& whatWasRequested, const std::string& setFile) {
  Report r;
  r.raw(kBanner);
  r.raw("The set file " + setFile + " asks for " + whatWasRequested + " in this file.");
  r.raw("This stand-in performs no analysis, so no values are written here.");
  return r.str();
}

std::string FailureReport(const std::string& reason) {
  Report r;
  r.raw(kBanner);
  r.raw("The run stopped before the set-up could be checked:");
  r.raw(reason);
  r.raw("Nothing was analysed.");
  return r.str();
}

}  // namespace standin
