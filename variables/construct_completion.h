#pragma once
// The completion of the constructs before a save, computed without changing the study, so that
// the set file view shows what a save would write while the user is still editing.

#include <string>
#include <vector>

namespace wintarvel {

class TFrm1;

struct ConstructCompletion {
  std::string record;              // ConRecInfo as the completion leaves it
  std::vector<int> ownConstructs;  // positions in DyVarList that become constructs of their own
};

// What CompleteConstructs would do: with at least one construct, every dyadic variable in none
// gets a construct of its own, named after it and appended to the list in variable order.
ConstructCompletion CompletionOf(const TFrm1& f);

}  // namespace wintarvel
