// Start-up: the start folder first, then the toolkit, then the windows and the event loop.

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/latin1.h"
#include "app/qt_platform.h"
#include "app/qt_ui.h"
#include "app/windows.h"

namespace {

std::string currentFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string() : folder.string();
}

}  // namespace

int main(int argc, char* argv[]) {
  // Captured before anything else runs: the engine setting always lives in this folder.
  const std::string startDir = currentFolder();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("WinTarvel"));
  try {
    wintarvel::view::QtUi ui;
    wintarvel::view::QtPlatform platform;
    wintarvel::TFrm1 f(ui, platform, startDir);
    wintarvel::view::Windows windows(f);
    ui.setMainWindow(&windows.main);
    platform.setMainWindow(&windows.main);
    windows.main.show();
    QApplication::exec();
    // The window is being destroyed: the exit command runs once more and finds nothing to ask.
    ui.setMainWindow(nullptr);
    wintarvel::dispatch(ui, [&f] { f.FileExitItemClick(); });
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          wintarvel::view::toQt(e.what()));
  }
  return 0;
}
