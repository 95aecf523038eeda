// Writes the largest study to the set file named on the command line: the input of the memory
// measurement.

#include <exception>
#include <iostream>

#include "bench/bench_support.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: write_largest_study FILE.set\n";
    return 2;
  }
  try {
    wintarvel::bench::WriteLargestStudyFile(argv[1]);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
