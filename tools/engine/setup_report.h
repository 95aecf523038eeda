#pragma once
// The texts the stand-in engine writes: an account of the set-up it was given, never results.

#include <cstddef>
#include <string>

#include "model/frm1.h"

namespace standin {

struct DataFileSummary {
  std::string path;
  std::size_t records = 0;  // lines of the file
};

// The plain-text report for the main output file: what the set file describes and what the data
// file holds, with a few checks of the set-up. It says plainly that nothing was analysed.
std::string SetupReport(const wintarvel::TFrm1& study, const std::string& setFile,
                        const DataFileSummary& data);

// The note written to an optional output file (variances and covariances, effect estimates).
std::string OptionalFileNote(const std::string& whatWasRequested, const std::string& setFile);

// The report written to the main output file when the run could not go on.
std::string FailureReport(const std::string& reason);

}  // namespace standin
