#pragma once
// The main window: menu, toolbar, status bar, the eight pages and the hidden Save Set File and
// Close buttons, all bound to TFrm1. Closing the window asks the program first.

#include <QMainWindow>

#include "app/binder.h"

class QTabWidget;

namespace wintarvel::view {

class MainWindow : public QMainWindow {
 public:
  MainWindow(TFrm1& f, Binder& binder);

  QTabWidget* pages() const { return pages_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildToolBar();
  void buildCentralArea();
  void bindWindowState();
  void fitToContent();
  // A command that runs `handler` of the main window when triggered.
  QAction* command(const char* name, const QString& caption, void (TFrm1::*handler)(),
                   const QString& hint = {});

  TFrm1& f_;
  Binder& binder_;
  QTabWidget* pages_ = nullptr;
};

}  // namespace wintarvel::view
