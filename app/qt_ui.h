#pragma once
// The toolkit services the program's rules ask for, answered with Qt message boxes and file
// dialogs.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "model/ui.h"

namespace wintarvel::view {

// Filters written as "Description|*.a;*.b|..." in the Qt form "Description (*.a *.b)". "*.*"
// means every file, which on this system is "*" (a name need not hold a dot).
QStringList qtNameFilters(const std::string& filter);

class QtUi : public Ui {
 public:
  // The window that owns the dialogs and that closeMainWindow closes; none after it is gone.
  void setMainWindow(QWidget* window) { window_ = window; }

  void showMessage(const std::string& text, const std::string& caption) override;
  Answer ask(const std::string& text, const std::string& caption, Buttons buttons) override;
  bool execute(FileDialog& dialog) override;
  void showError(const std::string& text) override;
  void closeMainWindow() override;

 private:
  QPointer<QWidget> window_;
};

}  // namespace wintarvel::view
