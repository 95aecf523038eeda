// Holds the largest study in the real main window (offscreen) and ends: its peak resident memory
// is what the program needs for that study. The set file is named on the command line.

#include <QApplication>
#include <cstdio>

#include "bench/window_session.h"

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: largest_study_in_window FILE.set\n");
    return 2;
  }
  using namespace wintarvel::bench;
  WindowSession s;
  if (!s.open(argv[1])) return 1;
  Settle();
  // The records on screen: the memo's page is laid out and painted too.
  s.run([&s] { s.f.PageControl1.setActivePage(kReorderPage); });
  Settle();
  // The last line break ends the last record: the line after it is empty.
  const int records = s.memo()->blockCount() - 1;
  std::printf("%d reorder records in the memo\n", records);
  return records == kLargestReorderRecords ? 0 : 1;
}
