#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/latin1.h"
#include "app/memo_binding.h"
#include "app/pages.h"
#include "app/tool_icons.h"

namespace wintarvel::view {

namespace {

// The size the window has at design time; it grows when the pages need more.
constexpr QSize kDesignSize(553, 458);
// The room the pages need, reckoned from the font (measured with several fonts and sizes; a
// font that needs more makes the window grow once the pages are built). The widest pages hold
// lists side by side, whose width Qt fixes, beside buttons and labels that follow the font. The
// tallest page is either the one with lists (mostly of fixed height) or the one with a row of
// text boxes per file name, which grows with the line height.
QSize pagesRoomFor(const QFontMetrics& metrics) {
  const int line = metrics.lineSpacing();
  return {825 + 7 * metrics.averageCharWidth(), std::max(315 + 5 * line, 215 + 12 * line)};
}

QMenu* submenu(QWidget* parent, const char* name, const QString& caption,
               const QString& hint = {}) {
  auto* menu = new QMenu(caption, parent);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  menu->menuAction()->setStatusTip(hint);
  return menu;
}

}  // namespace

MainWindow::MainWindow(TFrm1& f, Binder& binder) : f_(f), binder_(binder) {
  setObjectName(QStringLiteral("Frm1"));
  buildMenu();
  buildToolBar();
  buildCentralArea();
  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar"));
  setStatusBar(status);
  bindWindowState();
  placeAtStartSize();
}

QAction* MainWindow::command(const char* name, const QString& caption, void (TFrm1::*handler)(),
                             const QString& hint) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setStatusTip(hint);
  connect(action, &QAction::triggered, this,
          [this, handler] { binder_.run([this, handler] { (f_.*handler)(); }); });
  return action;
}

void MainWindow::buildMenu() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file =
      submenu(this, "File1", QStringLiteral("&File"), QStringLiteral("File related commands"));
  QMenu* setFiles = submenu(file, "SetFile1", QStringLiteral("&Set Files"));
  setFiles->addAction(command("FileNewItem", QStringLiteral("&New"), &TFrm1::BtnNewSetClick));
  setFiles->addAction(command("FileOpenItem", QStringLiteral("&Open"), &TFrm1::BtnOpenSetClick));
  setFiles->addAction(
      command("OpeninNotepad1", QStringLiteral("O&pen in Notepad"), &TFrm1::OpeninNotepad1Click));
  setFiles->addAction(command("FileCloseItem", QStringLiteral("&Close"), &TFrm1::CancelClick));
  setFiles->addAction(command("FileSaveItem", QStringLiteral("&Save"), &TFrm1::DoneClick));
  setFiles->addAction(command("SaveSetFileAs1", QStringLiteral("Save &As"), &TFrm1::SaveAsClick));
  file->addMenu(setFiles);
  QMenu* dataFiles = submenu(file, "DataFiles1", QStringLiteral("&Data Files"));
  dataFiles->addAction(command("Open1", QStringLiteral("&Open in Notepad"),
                               &TFrm1::BtnOpenDataClick,
                               QStringLiteral("Open an existing Data File")));
  file->addMenu(dataFiles);
  file->addSeparator()->setObjectName(QStringLiteral("N1"));
  file->addAction(command("FileExitItem", QStringLiteral("E&xit"), &TFrm1::FileExitItemClick));
  menuBar()->addMenu(file);

  QMenu* run = submenu(this, "Run1", QStringLiteral("&Run"));
  run->addAction(
      command("ExecuteWinMendra1", QStringLiteral("&Run Tarvel"), &TFrm1::GenInstrClick));
  menuBar()->addMenu(run);
  QMenu* path = submenu(this, "Options", QStringLiteral("&Path"));
  path->addAction(
      command("EditOptions1", QStringLiteral("&Tarvel Directory"), &TFrm1::EditOptions1Click));
  menuBar()->addMenu(path);
  QMenu* help = submenu(this, "Help1", QStringLiteral("&Help"), QStringLiteral("Help topics"));
  help->addAction(command("HelpAboutItem", QStringLiteral("&About"), &TFrm1::HelpAboutItemClick));
  menuBar()->addMenu(help);
}

void MainWindow::buildToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("ToolBar2"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addToolBar(Qt::TopToolBarArea, bar);

  struct Tool {
    Button* control;
    const char* name;
    ToolIcon icon;
    const char* hint;
    void (TFrm1::*handler)();
    bool separatorAfter;
  };
  const Tool tools[] = {
      {&f_.BtnNewSet, "BtnNewSet", ToolIcon::NewFile, "Create a New Set File",
       &TFrm1::BtnNewSetClick, false},
      {&f_.BtnOpenSet, "BtnOpenSet", ToolIcon::OpenFile, "Open an Existing Set File",
       &TFrm1::BtnOpenSetClick, false},
      {&f_.BtnSaveSet, "BtnSaveSet", ToolIcon::SaveFile, "Save Set File", &TFrm1::DoneClick, true},
      {&f_.BtnOpenData, "BtnOpenData", ToolIcon::OpenData, "Open Data File",
       &TFrm1::BtnOpenDataClick, true},
      {&f_.BtnRun, "BtnRun", ToolIcon::Run, "Run Tarvel", &TFrm1::GenInstrClick, true},
  };
  for (const Tool& tool : tools) {
    QAction* action = command(tool.name, QString(), tool.handler, QString::fromLatin1(tool.hint));
    action->setIcon(toolIcon(tool.icon));
    action->setToolTip(QString::fromLatin1(tool.hint));
    action->setIconText(QString::fromLatin1(tool.hint));
    bar->addAction(action);
    QWidget* button = bar->widgetForAction(action);
    button->setObjectName(tool.name);
    button->setAccessibleName(action->toolTip());
    binder_.watch(*tool.control, [action, control = tool.control] {
      action->setEnabled(control->enabled());
      action->setVisible(control->visible());
    });
    if (tool.separatorAfter) bar->addSeparator();
  }
}

void MainWindow::buildCentralArea() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Frm1Client"));
  auto* layout = new QVBoxLayout(central);

  pages_ = new QTabWidget(central);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  // Every caption stays readable: the window widens instead of scrolling the tabs.
  pages_->setUsesScrollButtons(false);
  pages_->setElideMode(Qt::ElideNone);
  keepPlaceWhenHidden(pages_);
  binder_.watch(f_.PageControl1, [this] {
    if (f_.PageControl1.visible()) ensurePagesBuilt();
    pushCommonState(pages_, f_.PageControl1);
  });
  connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
    if (!binder_.pushing()) binder_.run([this, index] { f_.PageControl1.setActivePage(index); });
  });
  layout->addWidget(pages_, 1);

  auto* commands = new QHBoxLayout;
  commands->addStretch();
  QPushButton* done = binder_.button(f_.Done, "Done", [this] { f_.DoneClick(); });
  QPushButton* cancel = binder_.button(f_.Cancel, "Cancel", [this] { f_.CancelClick(); });
  for (QPushButton* b : {done, cancel}) {
    keepPlaceWhenHidden(b);
    commands->addWidget(b);
  }
  layout->addLayout(commands);
  setCentralWidget(central);
}

void MainWindow::ensurePagesBuilt() {
  if (pagesBuilt_) return;
  pagesBuilt_ = true;
  buildPages();
  // Outside a refresh this pushes the new widgets now; inside one, the running refresh does.
  binder_.refresh();
}

void MainWindow::buildPages() {
  const std::pair<TabSheet*, QWidget* (*)(TFrm1&, Binder&)> pages[] = {
      {&f_.Groups, buildBasicPage},          {&f_.Variables, buildVariablesPage},
      {&f_.TabSheet2, buildDataFormatPage},  {&f_.Output, buildOutputPage},
      {&f_.Constructs, buildConstructsPage}, {&f_.CorError, buildCorrelatedErrorsPage},
      {&f_.Reorder, buildReorderPage},       {&f_.TabSheet1, buildFileNamesPage}};
  // No page switch while tabs are added is a user's choice.
  const QSignalBlocker quiet(pages_);
  for (const auto& [sheet, build] : pages) {
    const int index = pages_->addTab(build(f_, binder_), toQt(sheet->caption()));
    binder_.watch(*sheet, [this, index, sheet = sheet] {
      const bool appears = sheet->tabVisible() && !pages_->isTabVisible(index);
      pages_->setTabText(index, plainCaption(sheet->caption()));
      pages_->setTabVisible(index, sheet->tabVisible());
      pages_->setTabEnabled(index, sheet->enabled());
      // A tab shown later may need a wider tab bar than the window has.
      if (appears && pagesFitted_) growToFitPages();
    });
  }
  showCursorPlace(pages_->findChild<MemoEdit*>(QStringLiteral("MemoReorder")), statusBar());
  // After the pages, so that a page the program just showed can become the active one, and so
  // that the first fit measures widgets that already show their captions.
  binder_.watch(f_.PageControl1, [this] {
    pages_->setCurrentIndex(f_.PageControl1.activePage());
    if (!pagesFitted_) {
      pagesFitted_ = true;
      growToFitPages();
    }
  });
}

void MainWindow::bindWindowState() {
  binder_.watch(f_.WindowCaption, [this] { setWindowTitle(toQt(f_.caption())); });
}

// The window's size for pages of `pages`: the pages with the central margins, and the menu,
// toolbar, status bar and button row around them.
QSize MainWindow::windowSizeFor(QSize pages) const {
  const QMargins margins = centralWidget()->layout()->contentsMargins();
  const int chrome = menuBar()->sizeHint().height() + findChild<QToolBar*>()->sizeHint().height() +
                     statusBar()->sizeHint().height() + margins.top() + margins.bottom() +
                     findChild<QPushButton*>(QStringLiteral("Done"))->sizeHint().height() +
                     centralWidget()->layout()->spacing();
  return {pages.width() + margins.left() + margins.right(), pages.height() + chrome};
}

void MainWindow::placeAtStartSize() {
  // Reckoned from the font instead of measured, so that no page need be built for it: with the
  // usual fonts the pages fit, and when they need more the window grows once they are built.
  const QSize start = windowSizeFor(pagesRoomFor(fontMetrics()));
  resize(start.expandedTo(kDesignSize));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void MainWindow::growToFitPages() {
  const QSize needed = windowSizeFor(pages_->sizeHint().expandedTo(pages_->minimumSizeHint()));
  if (needed.width() > width() || needed.height() > height()) resize(size().expandedTo(needed));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = false;  // an error while asking keeps the window open
  binder_.run([this, &mayClose] { mayClose = f_.onFrmClose(); });
  if (mayClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace wintarvel::view
