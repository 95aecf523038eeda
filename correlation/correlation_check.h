#pragma once
// The verification of the correlated-error record as a result instead of a change: what it would
// store in CorRecInfo, whether the pairing can be written, and the messages it would show. The
// save applies it to the study; the set file view only looks at it.

#include <string>

namespace wintarvel {

class TFrm1;

struct CorrelationCheck {
  bool ok = true;
  std::string record;        // CorRecInfo as the verification leaves it
  std::string failure;       // the message of the rule that failed, when !ok
  int missingVariables = 0;  // listed variables that could not be found, each one message
};

// Verifies `correlationRecord` against `constructRecord` and `constructCount` constructs, for the
// dyadic variables of `f`; changes nothing.
CorrelationCheck CheckCorrelations(const TFrm1& f, const std::string& constructRecord,
                                   int constructCount, const std::string& correlationRecord);

}  // namespace wintarvel
