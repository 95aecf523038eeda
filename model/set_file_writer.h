#pragma once
// The set file writer. Saving and the set file view share one composition of the file's text:
// the view shows exactly what a save would write, computed without touching the disk or the study.
//
// The document commands need to know more than whether the file was written: a cancelled name
// choice lets them go on, while a refused or failed write must stop them before anything is
// dropped.

#include <string>
#include <vector>

#include "model/set_file_layout.h"

namespace wintarvel {

class TFrm1;

enum class SaveOutcome {
  Written,
  NameCancelled,  // the user cancelled the choice of a file name
  Refused,        // the study cannot be written as it stands; the user has been told why
  Failed,         // the file could not be written; the user has been told why
};

// Writes the study to the file named by TxtSetFile (asking for a name when it is empty).
SaveOutcome WriteSetFile(TFrm1& f);

struct ComposedSetFile {
  std::string text;                        // the whole file, lines ended by CR LF
  std::vector<setfile::Section> sections;  // the lines of each kind, in the order of the file
  std::string refusal;  // when not empty, a save would write nothing and show this message
};

// The file a save would write now, with the constructs completed and the correlations verified
// as the save does it, but without changing the study. `out` is filled anew; its text keeps its
// capacity, so composing a large study again allocates nothing.
void ComposeSetFile(const TFrm1& f, ComposedSetFile& out);

// The field at `column` of `line` (both from 1) of a composed file.
setfile::FieldAt FieldAtLine(const ComposedSetFile& file, int line, int column);

}  // namespace wintarvel
