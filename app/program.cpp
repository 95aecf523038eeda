#include "app/program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QSettings>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

#include "app/latin1.h"
#include "app/qt_platform.h"
#include "app/qt_ui.h"
#include "app/windows.h"

namespace wintarvel::view {

std::string currentFolder() {
  std::error_code error;
  // The desktop entry starts the program with WINTARVEL_START_IN_HOME set: a desktop's own
  // folder is arbitrary, and wintvl.cfg belongs in the user's home.
  const char* inHome = std::getenv("WINTARVEL_START_IN_HOME");
  const char* home = std::getenv("HOME");
  if (inHome && *inHome && home && *home) std::filesystem::current_path(home, error);
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string() : folder.string();
}

void nameApplication() {
  // An INI file on every system (on Windows rather than the registry): one place to look, and
  // one that tests can move aside.
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QApplication::setOrganizationName(QStringLiteral("WinTarvel"));
  QApplication::setApplicationName(QStringLiteral("WinTarvel"));
  QApplication::setApplicationVersion(QStringLiteral(WINTARVEL_VERSION));
}

QString setFileFromCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Describes a study of dyadic data collected in groups, writes it as a set "
                     "file, runs Tarvel on it and shows Tarvel's report."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A set file to open."),
                               QStringLiteral("[file.set]"));
  parser.process(arguments);
  const QStringList files = parser.positionalArguments();
  return files.isEmpty() ? QString() : files.front();
}

int runProgram(const std::string& startDir) {
  nameApplication();
  const QString setFile = setFileFromCommandLine(QApplication::arguments());
  try {
    QtUi ui;
    QtPlatform platform;
    TFrm1 f(ui, platform, startDir);
    Windows windows(f);
    ui.setMainWindow(&windows.main);
    platform.setMainWindow(&windows.main);
    platform.setUi(&ui);
    windows.main.show();
    if (!setFile.isEmpty()) windows.main.openSetFile(setFile);
    QApplication::exec();
    // The window is being destroyed: the exit command runs once more and finds nothing to ask.
    ui.setMainWindow(nullptr);
    dispatch(ui, [&f] { f.FileExitItemClick(); });
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QApplication::applicationName(), toQt(e.what()));
  }
  return 0;
}

}  // namespace wintarvel::view
