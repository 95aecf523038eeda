#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/help_window.h"
#include "app/hints.h"
#include "app/latin1.h"
#include "app/memo_binding.h"
#include "app/pages.h"
#include "app/set_file_view.h"
#include "app/tool_icons.h"
#include "app/user_steps.h"
#include "app/window_placement.h"

namespace wintarvel::view {

namespace {

constexpr int kRunOutcomeShownMs = 60000;

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

const char* const kPageKey = "MainWindow/Page";

// The platform's keys for a standard command, or `fallback` where the platform has none.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  if (keys.isEmpty()) keys << fallback;
  return keys;
}

QString keyText(const QAction* action) {
  return action->shortcut().toString(QKeySequence::NativeText);
}

// A page that scrolls when the window is smaller than the page's controls need, and that asks for
// all the room they need otherwise.
class PageScrollArea : public QScrollArea {
 public:
  explicit PageScrollArea(QWidget* page) {
    setObjectName(page->objectName());
    page->setObjectName(QString());
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(page);
  }
  QSize sizeHint() const override {
    const QMargins m = contentsMargins();
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) +
           QSize(m.left() + m.right(), m.top() + m.bottom());
  }
};

// The local path of a drop of exactly one set file, empty otherwise.
QString droppedSetFile(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1) return {};
  const QUrl url = mime->urls().front();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return QFileInfo(path).suffix().compare(QLatin1String("set"), Qt::CaseInsensitive) == 0
             ? QDir::toNativeSeparators(path)
             : QString();
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
  setAcceptDrops(true);
  buildMenu();
  buildToolBar();
  buildPageKeys();
  buildCentralArea();
  buildStatusBar();
  addSetFileView(*this, f_, binder_);
  bindWindowState();
  pageToRestore_ = QSettings().value(QLatin1String(kPageKey), -1).toInt();
  placementRestored_ = restoreWindowPlacement(this);
  if (!placementRestored_) placeAtStartSize();
}

QAction* MainWindow::command(const char* name, const QString& caption, void (TFrm1::*handler)(),
                             const QString& hint) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setStatusTip(hint);
  connect(action, &QAction::triggered, this,
          [this, handler, step = commandStep(QLatin1String(name))] {
            binder_.run(step, [this, handler] { (f_.*handler)(); });
          });
  return action;
}

void MainWindow::buildMenu() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file =
      submenu(this, "File1", QStringLiteral("&File"), QStringLiteral("File related commands"));
  QMenu* setFiles = submenu(file, "SetFile1", QStringLiteral("&Set Files"));
  QAction* newItem = command("FileNewItem", QStringLiteral("&New"), &TFrm1::BtnNewSetClick);
  newItem->setShortcuts(standardKeys(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
  QAction* open = command("FileOpenItem", QStringLiteral("&Open"), &TFrm1::BtnOpenSetClick);
  open->setShortcuts(standardKeys(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
  QAction* save = command("FileSaveItem", QStringLiteral("&Save"), &TFrm1::DoneClick);
  save->setShortcuts(standardKeys(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
  QAction* saveAs = command("SaveSetFileAs1", QStringLiteral("Save &As"), &TFrm1::SaveAsClick);
  saveAs->setShortcuts(
      standardKeys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
  setFiles->addAction(newItem);
  setFiles->addAction(open);
  setFiles->addAction(
      command("OpeninNotepad1", QStringLiteral("O&pen in Notepad"), &TFrm1::OpeninNotepad1Click));
  setFiles->addAction(command("FileCloseItem", QStringLiteral("&Close"), &TFrm1::CancelClick));
  setFiles->addAction(save);
  setFiles->addAction(saveAs);
  file->addMenu(setFiles);
  QMenu* dataFiles = submenu(file, "DataFiles1", QStringLiteral("&Data Files"));
  dataFiles->addAction(command("Open1", QStringLiteral("&Open in Notepad"),
                               &TFrm1::BtnOpenDataClick,
                               QStringLiteral("Open an existing Data File")));
  file->addMenu(dataFiles);
  buildRecentMenu(file);
  file->addSeparator()->setObjectName(QStringLiteral("N1"));
  QAction* exit = command("FileExitItem", QStringLiteral("E&xit"), &TFrm1::FileExitItemClick);
  exit->setShortcuts(standardKeys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
  file->addAction(exit);
  menuBar()->addMenu(file);
  buildEditMenu();

  QMenu* run = submenu(this, "Run1", QStringLiteral("&Run"));
  QAction* runTarvel =
      command("ExecuteWinMendra1", QStringLiteral("&Run Tarvel"), &TFrm1::GenInstrClick);
  runTarvel->setShortcut(QKeySequence(Qt::Key_F5));
  run->addAction(runTarvel);
  menuBar()->addMenu(run);
  QMenu* path = submenu(this, "Options", QStringLiteral("&Path"));
  path->addAction(
      command("EditOptions1", QStringLiteral("&Tarvel Directory"), &TFrm1::EditOptions1Click));
  menuBar()->addMenu(path);
  QMenu* help = submenu(this, "Help1", QStringLiteral("&Help"), QStringLiteral("Help topics"));
  auto* guide = new QAction(QStringLiteral("WinTarvel &Help"), this);
  guide->setObjectName(QStringLiteral("HelpContentsItem"));
  guide->setStatusTip(QStringLiteral("How to describe a study and run Tarvel"));
  guide->setShortcuts(standardKeys(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
  connect(guide, &QAction::triggered, this, [this] { showHelp(); });
  help->addAction(guide);
  help->addAction(command("HelpAboutItem", QStringLiteral("&About"), &TFrm1::HelpAboutItemClick));
  menuBar()->addMenu(help);
}

void MainWindow::buildRecentMenu(QMenu* parent) {
  recentMenu_ = submenu(parent, "RecentSetFiles", QStringLiteral("&Recent Set Files"),
                        QStringLiteral("Open one of the set files opened or saved last"));
  parent->addMenu(recentMenu_);
  showRecentFiles();
}

// The recent set files in the File menu and, before a study is open, in the empty window.
void MainWindow::showRecentFiles() {
  const QStringList paths = recent_.paths();
  // Later, not now: this may run while one of these items is being triggered.
  for (QAction* old : recentMenu_->actions()) {
    recentMenu_->removeAction(old);
    old->setObjectName(QString());
    old->deleteLater();
  }
  for (int i = 0; i < paths.size(); ++i) {
    const QString& path = paths[i];
    const QString shown =
        fontMetrics().elidedText(path, Qt::ElideMiddle, 60 * fontMetrics().averageCharWidth());
    QAction* item = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    item->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
    item->setStatusTip(path);
    connect(item, &QAction::triggered, this, [this, path] { openSetFile(path); });
  }
  if (paths.isEmpty()) recentMenu_->addAction(QStringLiteral("(none)"))->setEnabled(false);
  recentMenu_->addSeparator();
  QAction* clear = recentMenu_->addAction(QStringLiteral("&Clear List"));
  clear->setObjectName(QStringLiteral("ClearRecentFiles"));
  clear->setEnabled(!paths.isEmpty());
  connect(clear, &QAction::triggered, this, [this] {
    recent_.clear();
    showRecentFiles();
  });

  if (startHint_ == nullptr) return;
  QString text = QStringLiteral("<p>Open a set file (%1) or start a new study (%2)</p>")
                     .arg(keyText(findChild<QAction*>(QStringLiteral("FileOpenItem"))),
                          keyText(findChild<QAction*>(QStringLiteral("FileNewItem"))));
  if (!paths.isEmpty()) {
    text += QStringLiteral("<p><b>Recent set files</b></p><p>");
    for (int i = 0; i < paths.size(); ++i) {
      const QFileInfo file(paths[i]);
      text += QStringLiteral("<a href=\"%1\">%2</a> &nbsp; %3<br>")
                  .arg(i)
                  .arg(file.fileName().toHtmlEscaped(),
                       QDir::toNativeSeparators(file.path()).toHtmlEscaped());
    }
    text += QStringLiteral("</p>");
  }
  startHint_->setText(text);
}

// Undo and redo name the step they bring back, and are enabled only when there is one.
void MainWindow::buildEditMenu() {
  QMenu* edit = submenu(this, "Edit1", QStringLiteral("&Edit"));
  QAction* undo = command("EditUndo", QStringLiteral("&Undo"), &TFrm1::Undo);
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  QAction* redo = command("EditRedo", QStringLiteral("&Redo"), &TFrm1::Redo);
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  edit->addAction(undo);
  edit->addAction(redo);
  menuBar()->addMenu(edit);
  auto name = [](const QString& command, const std::string& step) {
    return step.empty() ? command : command + QLatin1Char(' ') + plainCaption(step);
  };
  binder_.afterRefresh([this, undo, redo, name] {
    undo->setEnabled(f_.CanUndo());
    undo->setText(name(QStringLiteral("&Undo"), f_.UndoStepName()));
    redo->setEnabled(f_.CanRedo());
    redo->setText(name(QStringLiteral("&Redo"), f_.RedoStepName()));
  });
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

// Next and previous page from wherever the focus is, the hidden pages skipped.
void MainWindow::buildPageKeys() {
  const struct {
    const char* name;
    QKeySequence::StandardKey standard;
    QKeySequence extra;
    int step;
  } keys[] = {
      {"NextPage", QKeySequence::NextChild, QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
      {"PreviousPage", QKeySequence::PreviousChild, QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
  for (const auto& key : keys) {
    auto* action = new QAction(this);
    action->setObjectName(key.name);
    // Ctrl+PgDown and Ctrl+PgUp first: the keys menus and the guide show.
    QList<QKeySequence> shortcuts{key.extra};
    for (const QKeySequence& standard : QKeySequence::keyBindings(key.standard)) {
      if (standard != key.extra) shortcuts << standard;
    }
    action->setShortcuts(shortcuts);
    connect(action, &QAction::triggered, this, [this, step = key.step] { switchPage(step); });
    addAction(action);
  }
}

void MainWindow::switchPage(int step) {
  if (!pages_->isVisible() || pages_->count() == 0) return;
  const int count = pages_->count();
  int index = pages_->currentIndex();
  for (int tried = 0; tried < count; ++tried) {
    index = (index + step + count) % count;
    if (pages_->isTabVisible(index) && pages_->isTabEnabled(index)) break;
  }
  pages_->setCurrentIndex(index);  // the page control hears of it as of a click on the tab
}

// How the last run ended stays in the status bar, beside the hints shown while the pointer
// rests on a command, until a minute has passed.
void MainWindow::buildStatusBar() {
  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar"));
  setStatusBar(status);
  auto* outcome = new QLabel(status);
  outcome->setObjectName(QStringLiteral("RunOutcome"));
  outcome->setTextFormat(Qt::PlainText);
  status->addWidget(outcome, 1);
  auto* clear = new QTimer(this);
  clear->setSingleShot(true);
  clear->setInterval(kRunOutcomeShownMs);
  connect(clear, &QTimer::timeout, outcome, &QLabel::clear);
  binder_.watch(f_.RunOutcome, [this, outcome, clear] {
    if (f_.RunOutcome.caption().empty()) return;
    outcome->setText(toQt(f_.RunOutcome.caption()));
    clear->start();
  });
}

void MainWindow::buildCentralArea() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Frm1Client"));
  auto* layout = new QVBoxLayout(central);

  pages_ = new QTabWidget(central);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  // Every caption stays readable: the window widens to show all tabs as far as the screen
  // allows; only a screen narrower than the tabs makes them scroll.
  pages_->setUsesScrollButtons(true);
  pages_->setElideMode(Qt::ElideNone);
  keepPlaceWhenHidden(pages_);
  // The start hint takes the pages' place while no study is open.
  QWidget* hint = buildStartHint();
  binder_.watch(f_.PageControl1, [this, hint] {
    if (f_.PageControl1.visible()) ensurePagesBuilt();
    pushCommonState(pages_, f_.PageControl1);
    hint->setVisible(!f_.PageControl1.visible());
  });
  connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
    if (!binder_.pushing()) binder_.run([this, index] { f_.PageControl1.setActivePage(index); });
  });
  auto* area = new QGridLayout;
  area->addWidget(pages_, 0, 0);
  area->addWidget(hint, 0, 0);
  layout->addLayout(area, 1);

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
  applyHints(central);
}

QWidget* MainWindow::buildStartHint() {
  startHint_ = new QLabel;
  startHint_->setObjectName(QStringLiteral("StartHint"));
  startHint_->setTextFormat(Qt::RichText);
  startHint_->setAlignment(Qt::AlignCenter);
  startHint_->setWordWrap(true);
  startHint_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  // Queued: opening rewrites the label, which must not happen inside its own click.
  connect(
      startHint_, &QLabel::linkActivated, this,
      [this](const QString& link) {
        const QStringList paths = recent_.paths();
        const int index = link.toInt();
        if (index >= 0 && index < paths.size()) openSetFile(paths[index]);
      },
      Qt::QueuedConnection);
  showRecentFiles();
  return startHint_;
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
    QWidget* page = build(f_, binder_);
    groupRadioButtons(page);
    applyHints(page);
    const int index = pages_->addTab(new PageScrollArea(page), toQt(sheet->caption()));
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
    restorePageOnce();
    if (!pagesFitted_) {
      pagesFitted_ = true;
      growToFitPages();
    }
  });
  // The pages' fields come before the buttons below the pages, which were made first: Tab
  // goes through a page and then to those buttons.
  QWidget* lastOfPages = nullptr;
  for (QWidget* w = pages_->nextInFocusChain(); w != pages_; w = w->nextInFocusChain()) {
    if (pages_->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus) lastOfPages = w;
  }
  auto* done = findChild<QPushButton*>(QStringLiteral("Done"));
  QWidget::setTabOrder(lastOfPages, done);
  QWidget::setTabOrder(done, findChild<QPushButton*>(QStringLiteral("Cancel")));
}

// The first time the pages appear they show the page shown when the program last ended.
void MainWindow::restorePageOnce() {
  if (pageToRestore_ < 0 || !f_.PageControl1.visible()) return;
  const int page = std::exchange(pageToRestore_, -1);
  if (page >= pages_->count() || !pages_->isTabVisible(page)) return;
  f_.PageControl1.setActivePage(page);  // runs no handler: the control only records it
  pages_->setCurrentIndex(page);
}

void MainWindow::bindWindowState() {
  binder_.watch(f_.LastSetFile, [this] { noteStoredFile(); });
  binder_.afterRefresh([this] { showCaption(); });
}

// "WinTarvel - NAME", marked while there are unsaved changes; "Untitled" for a study never
// stored, and the program's name alone while no study is open.
void MainWindow::showCaption() {
  QString caption = toQt(kAppTitle);
  const bool open = f_.PageControl1.visible();
  if (open) {
    const std::string& path = f_.LastSetFile.path();
    const QString name = path.empty() ? QStringLiteral("Untitled") : toQt(SplitPath(path).base);
    caption += QStringLiteral(" - ") + name + QStringLiteral("[*]");
  }
  if (windowTitle() != caption) setWindowTitle(caption);
  setWindowModified(open && f_.Modified);
}

// A set file read or written joins the recent files; a save is reported in the status bar.
void MainWindow::noteStoredFile() {
  const StoredFile& stored = f_.LastSetFile;
  if (stored.writeCount() != writesSeen_) {
    writesSeen_ = stored.writeCount();
    const QString written = QDir::toNativeSeparators(toQt(stored.lastWritten()));
    recent_.add(written);
    statusBar()->showMessage(QStringLiteral("Saved ") + written);
  }
  if (!stored.path().empty()) recent_.add(toQt(stored.path()));
  showRecentFiles();
}

void MainWindow::openSetFile(const QString& path) {
  const QFileInfo file(path);
  const QString shown = QDir::toNativeSeparators(file.absoluteFilePath());
  if (!file.isFile()) {
    const bool listed = recent_.paths().contains(shown);
    recent_.remove(shown);
    showRecentFiles();
    const QString message =
        QStringLiteral("The set file %1 does not exist.").arg(shown) +
        (listed ? QStringLiteral(" It has been taken off the recent set files.") : QString());
    binder_.run([&] { f_.ui.showMessage(toCore(message), ""); });
    return;
  }
  if (!isLatin1(shown)) {
    binder_.run([&] {
      f_.ui.showMessage("The name \"" + toCore(shown) +
                            "\" holds characters that cannot be stored. Please rename the file.",
                        "");
    });
    return;
  }
  binder_.run([&] { f_.OpenNamedSetFile(toCore(shown)); });
}

HelpWindow* MainWindow::showHelp() {
  if (help_ == nullptr) help_ = new HelpWindow(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
  return help_;
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
  const QSize start = windowSizeFor(pagesRoomFor(fontMetrics())).expandedTo(kDesignSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QRect(QPoint(), start).center());
  }
  keepOnScreen(this, start);
}

void MainWindow::growToFitPages() {
  QSize wanted = size();
  if (!placementRestored_) {
    wanted =
        wanted.expandedTo(windowSizeFor(pages_->sizeHint().expandedTo(pages_->minimumSizeHint())));
  }
  keepOnScreen(this, wanted);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Once shown, the window system has put a frame around the window: keep that on screen too.
  QTimer::singleShot(0, this, [this] { keepOnScreen(this); });
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedSetFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!droppedSetFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = droppedSetFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  openSetFile(path);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = false;  // an error while asking keeps the window open
  binder_.run([this, &mayClose] { mayClose = f_.onFrmClose(); });
  if (mayClose) {
    saveWindowPlacement(this);
    if (pagesBuilt_) QSettings().setValue(QLatin1String(kPageKey), pages_->currentIndex());
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace wintarvel::view
