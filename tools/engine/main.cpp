// A stand-in for the outside analysis engine tarvel.exe, so that "Run Tarvel" can be tried and
// tested without it. Like the real engine it takes no arguments and reads xkb.ist in its working
// folder; unlike it, it analyses nothing: it reads the set file with the program's own reader,
// counts the records of the data file and writes an account of the set-up to the output file.
//
// Exit codes: 0 report written; 2 instruction file missing or short; 3 set file unreadable;
// 4 data file unreadable; 5 an output file cannot be written.

#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "model/frm1.h"
#include "model/quiet_ui.h"
#include "run/native_platform.h"
#include "setup_report.h"

namespace {

struct RunFailure {
  int exitCode;
  std::string reason;
};

std::optional<std::vector<std::string>> readLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (in.bad()) return std::nullopt;
  return lines;
}

bool writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  return static_cast<bool>(out);
}

class StandInRun {
 public:
  explicit StandInRun(std::string workingDir)
      : workingDir_(std::move(workingDir)), study_(ui_, platform_, workingDir_) {}

  // Returns the failure that stopped the run, if any.
  std::optional<RunFailure> run() {
    const auto instructions = readLines("xkb.ist");
    if (!instructions) return RunFailure{2, "cannot read xkb.ist in " + workingDir_};
    paths_ = *instructions;
    if (paths_.size() < 3) {
      return RunFailure{2, "xkb.ist names " + std::to_string(paths_.size()) +
                               " file(s); the set, data and output files are needed"};
    }
    if (auto failure = readSetFile()) return failure;
    const auto data = readLines(paths_[1]);
    if (!data) return RunFailure{4, "cannot read the data file " + paths_[1]};
    const standin::DataFileSummary summary{paths_[1], data->size()};
    if (!writeText(paths_[2], standin::SetupReport(study_, paths_[0], summary))) {
      return RunFailure{5, "cannot write the output file " + paths_[2]};
    }
    return writeOptionalNotes();
  }

  // The main output file, when xkb.ist names one, gets the reason too: the user reads it there.
  void reportFailure(const RunFailure& failure) {
    std::cerr << "tarvel.exe (stand-in): " << failure.reason << '\n';
    if (paths_.size() >= 3 && failure.exitCode != 5) {
      writeText(paths_[2], standin::FailureReport(failure.reason));
    }
  }

 private:
  std::optional<RunFailure> readSetFile() {
    study_.OpenDialog.setFileName(paths_[0]);
    if (study_.OpenSetFile()) return std::nullopt;
    std::string reason = "cannot read the set file " + paths_[0];
    for (const auto& message : ui_.messages) reason += "\n" + message;
    return RunFailure{3, reason};
  }

  // Which optional line is which follows from the output options in the set file, the same rule
  // the front end used when it wrote xkb.ist.
  std::optional<RunFailure> writeOptionalNotes() {
    std::vector<std::string> requested;
    if (study_.RadOut4.checked()) requested.push_back("construct variances and covariances");
    if (study_.RadAP1.checked() || study_.RadAP2.checked()) {
      requested.push_back("actor and partner effect estimates");
    }
    for (std::size_t i = 0; i < requested.size(); ++i) {
      if (paths_.size() <= 3 + i) {
        return RunFailure{2, "xkb.ist names no file for the " + requested[i]};
      }
      const std::string& path = paths_[3 + i];
      if (!writeText(path, standin::OptionalFileNote(requested[i], paths_[0]))) {
        return RunFailure{5, "cannot write the output file " + path};
      }
    }
    return std::nullopt;
  }

  std::string workingDir_;
  wintarvel::QuietUi ui_;  // the reader's messages are kept for the failure report
  wintarvel::NativePlatform platform_;
  wintarvel::TFrm1 study_;
  std::vector<std::string> paths_;
};

}  // namespace

int main() {
  try {
    StandInRun run(wintarvel::NativePlatform().currentDir());
    if (const auto failure = run.run()) {
      run.reportFailure(*failure);
      return failure->exitCode;
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "tarvel.exe (stand-in): " << e.what() << '\n';
    return 1;
  }
}
