// The program's own start-up (the same function main() runs), ended when its main window has
// been painted and the event loop is idle.

#include <QApplication>
#include <string>

#include "app/program.h"
#include "bench/quit_when_idle.h"

int main(int argc, char* argv[]) {
  const std::string startDir = wintarvel::view::currentFolder();
  QApplication app(argc, argv);
  new wintarvel::bench::QuitWhenIdle(app);
  return wintarvel::view::runProgram(startDir);
}
