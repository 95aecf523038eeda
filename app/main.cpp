// Start-up: the start folder first, then the toolkit, then the windows and the event loop.

#include <QApplication>
#include <string>

#include "app/program.h"

int main(int argc, char* argv[]) {
  // Captured before anything else runs: the engine setting always lives in this folder.
  const std::string startDir = wintarvel::view::currentFolder();
  QApplication app(argc, argv);
  return wintarvel::view::runProgram(startDir);
}
