#pragma once
// The main window: menu, toolbar, status bar, the eight pages and the hidden Save Set File and
// Close buttons, all bound to TFrm1. Closing the window asks the program first.
// The pages stay unbuilt until the program first shows them ("New" or "Open"): the window then
// starts as fast as an empty one, at a size reckoned from the font that the pages fit into.
// Before a study is open, the empty window says how to start and lists the recent set files.
// The window keeps its place, size and page, and the recent set files, in the program's settings.

#include <QMainWindow>
#include <cstdint>

#include "app/binder.h"
#include "app/recent_files.h"

class QLabel;
class QMenu;
class QTabWidget;

namespace wintarvel::view {

class HelpWindow;

class MainWindow : public QMainWindow {
 public:
  MainWindow(TFrm1& f, Binder& binder);

  QTabWidget* pages() const { return pages_; }
  // Builds the eight pages and binds them, if not done yet; their widgets then show the core's
  // state at once.
  void ensurePagesBuilt();
  bool pagesBuilt() const { return pagesBuilt_; }

  // Opens the set file at `path` as File > Open does once a file is chosen: unsaved changes are
  // asked about first. A file that does not exist is named in a message and leaves the recent
  // set files.
  void openSetFile(const QString& path);
  // The user guide's window, created when first asked for.
  HelpWindow* showHelp();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildMenu();
  void buildRecentMenu(QMenu* parent);
  void buildEditMenu();
  void buildToolBar();
  void buildStatusBar();
  void buildPageKeys();
  void buildCentralArea();
  QWidget* buildStartHint();
  void buildPages();
  void bindWindowState();
  void showCaption();
  void noteStoredFile();
  void showRecentFiles();
  void switchPage(int step);
  void restorePageOnce();
  QSize windowSizeFor(QSize pages) const;
  void placeAtStartSize();
  // Widens or heightens the window when the shown pages need more room, as far as the screen
  // allows; never shrinks it.
  void growToFitPages();
  // A command that runs `handler` of the main window when triggered.
  QAction* command(const char* name, const QString& caption, void (TFrm1::*handler)(),
                   const QString& hint = {});

  TFrm1& f_;
  Binder& binder_;
  RecentFiles recent_;
  QTabWidget* pages_ = nullptr;
  QLabel* startHint_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  HelpWindow* help_ = nullptr;
  bool pagesBuilt_ = false;
  bool pagesFitted_ = false;
  // The placement came from the settings: the user's size wins over the pages' wishes.
  bool placementRestored_ = false;
  // The page shown when the program last ended, shown again when the pages first appear.
  int pageToRestore_ = -1;
  std::uint64_t writesSeen_ = 0;
};

}  // namespace wintarvel::view
