#pragma once
// The main window: menu, toolbar, status bar, the eight pages and the hidden Save Set File and
// Close buttons, all bound to TFrm1. Closing the window asks the program first.
// The pages stay unbuilt until the program first shows them ("New" or "Open"): the window then
// starts as fast as an empty one, at a size reckoned from the font that the pages fit into.

#include <QMainWindow>

#include "app/binder.h"

class QTabWidget;

namespace wintarvel::view {

class MainWindow : public QMainWindow {
 public:
  MainWindow(TFrm1& f, Binder& binder);

  QTabWidget* pages() const { return pages_; }
  // Builds the eight pages and binds them, if not done yet; their widgets then show the core's
  // state at once.
  void ensurePagesBuilt();
  bool pagesBuilt() const { return pagesBuilt_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildEditMenu();
  void buildToolBar();
  void buildStatusBar();
  void buildCentralArea();
  void buildPages();
  void bindWindowState();
  QSize windowSizeFor(QSize pages) const;
  void placeAtStartSize();
  // Widens or heightens the window when the shown pages need more room; never shrinks it.
  void growToFitPages();
  // A command that runs `handler` of the main window when triggered.
  QAction* command(const char* name, const QString& caption, void (TFrm1::*handler)(),
                   const QString& hint = {});

  TFrm1& f_;
  Binder& binder_;
  QTabWidget* pages_ = nullptr;
  bool pagesBuilt_ = false;
  bool pagesFitted_ = false;
};

}  // namespace wintarvel::view
