#pragma once
// The working record of one construct while the correlated-error lists are built and while the
// correlations are verified. The records of one operation form a chain (a vector here), the
// construct under examination first; they live only for that operation.

#include <string>
#include <vector>

namespace wintarvel {

struct _tab_cor_construct {
  int Number = -1;  // construct number: 1-based position in CmbConst, 0 for none
  int Size = 0;     // number of members
  bool Marked = false;
  std::vector<std::string> Members;  // member names or item texts, in study order
  std::vector<bool> Paired;          // one flag per member
};

}  // namespace wintarvel
