#pragma once
// "WinTarvel Help": the user guide that ships inside the program, shown in a window of its own
// beside the main window (not modal).

#include <QDialog>

class QTextBrowser;

namespace wintarvel::view {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace wintarvel::view
