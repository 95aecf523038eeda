#pragma once
// The operating-system services of the program, with one difference from the plain native ones:
// while the engine runs, a modal progress dialog keeps the windows painted and lets the user
// stop the engine. Escape or closing that dialog asks first; the Stop button does not.

#include <QPointer>
#include <QWidget>

#include "model/ui.h"
#include "run/native_platform.h"

namespace wintarvel::view {

class QtPlatform : public NativePlatform {
 public:
  void setMainWindow(QWidget* window) { window_ = window; }
  // Asks "Stop Tarvel?"; without it, Escape stops the engine at once.
  void setUi(Ui* ui) { ui_ = ui; }

  // Runs the engine in workingDir and waits without a time limit, showing "Tarvel is running"
  // with the elapsed time and a Stop button. nullopt when the engine did not start or was
  // stopped: there is then no output worth opening.
  std::optional<int> runEngine(const std::string& program, const std::string& workingDir) override;
  bool engineWasStopped() const override { return stopped_; }

 private:
  QPointer<QWidget> window_;
  Ui* ui_ = nullptr;
  bool stopped_ = false;
};

}  // namespace wintarvel::view
