#pragma once
// The program from its windows to the end of its event loop, shared by main() and by the
// start-up benchmark, which must run exactly what a user starts.

#include <QString>
#include <QStringList>
#include <string>

namespace wintarvel::view {

// The folder the program was started in, empty when it cannot be told. Started from its desktop
// entry (WINTARVEL_START_IN_HOME set and not empty), the program first changes to the user's home.
std::string currentFolder();

// The names under which the program keeps its settings, and its version.
void nameApplication();

// The set file named on the command line, empty when none. "--help" and "--version" are answered
// here and end the program, as does an option it does not know.
QString setFileFromCommandLine(const QStringList& arguments);

// Creates the windows, shows the main window (with the set file named on the command line open)
// and runs the event loop until the program ends. A QApplication must exist; `startDir` is the
// folder captured before it was created.
int runProgram(const std::string& startDir);

}  // namespace wintarvel::view
