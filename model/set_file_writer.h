#pragma once
// The set file writer as the document commands use it: besides whether the file was written,
// they need to know why it was not, since a cancelled name choice lets them go on while a
// refused or failed write must stop them before anything is dropped.

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

}  // namespace wintarvel
