// The real main window, offscreen: what it shows at start and after "New", how the user's
// typing and clicks reach the program's rules, and that every page is laid out tidily.

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <functional>
#include <memory>

#include "app/qt_ui.h"
#include "window_session.h"

using namespace wintarvel;
using wintarvel::testing::WindowSession;

namespace {

const char* const kPageNames[] = {"Groups",     "Variables", "TabSheet2", "Output",
                                  "Constructs", "CorError",  "Reorder",   "TabSheet1"};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void startsWithPagesHiddenAndSavingAndRunningDisabled();
  void menuHoldsEveryCommandWithItsAccessKey();
  void newShowsEveryControlOnItsPage();
  void pointingAtAToolbarButtonShowsItsHint();
  void enterInTheNameBoxAddsTheDyadicVariable();
  void periodRemovesTheSelectedVariableAndStaysInTheBox();
  void numberOfGroupsIsCheckedAfterEveryCharacter();
  void anErrorWhileTypingIsShownAtTheFieldAndACommandsInABox();
  void radioClickRunsTheRuleAndACheckedButtonStaysChecked();
  void editsRefuseCharactersOutsideLatin1AndStopAtTheLimit();
  void pastingLinesIntoAnEditKeepsOnlyTheFirstLine();
  void twoConstructsShowTheCorrelatedErrorsTab();
  void theExampleStudyRunsOnceItsFilesAreNamed();
  void closingAsksFirstAndCancelKeepsTheWindowOpen();
  void exitClosesTheWindowThroughTheProgram();
  void ctrlZBringsBackAVariableRemovedByAPeriod();
  void escapeAtTheExitQuestionKeepsTheWindow();
  void aRunWithUnsavedChangesAsksFirst();
  void aboutBoxAndEngineDialogFollowTheirControls();
  void everyTabCaptionIsReadableAtTheDefaultSize();
  void noControlOverlapsAnotherOrIsCutOff();
  void everyInputControlHasAnAccessibleNameAndTheMemoReadsAsTheCore();
  void pagesAreBuiltOnTheFirstNewAndShowWhatTheProgramSetBefore();
  void pagesBuiltOnRequestBeforeNewShowTheStartStateAndStayHidden();

 private:
  QWidget& window() { return s_->window(); }
  template <class W>
  W* find(const char* name) {
    return s_->find<W>(name);
  }
  QAction* action(const char* name) { return find<QAction>(name); }
  void startNewSetFile();
  void type(const char* editName, const QString& text);
  void clickItem(QListWidget* list, int row);
  void click(const char* name);
  void showPageOf(QWidget* w);

  std::unique_ptr<WindowSession> s_;
};

void MainWindowTest::init() {
  s_ = std::make_unique<WindowSession>();
  QVERIFY(s_->show());
}

void MainWindowTest::cleanup() {
  QVERIFY2(s_->ui.unexpected.empty(), s_->firstUnexpected());
  s_.reset();
}

void MainWindowTest::startNewSetFile() {
  action("FileNewItem")->trigger();
  QVERIFY(find<QTabWidget>("PageControl1")->isVisible());
}

void MainWindowTest::type(const char* editName, const QString& text) {
  QLineEdit* edit = find<QLineEdit>(editName);
  QVERIFY(edit != nullptr);
  QTest::keyClicks(edit, text);
}

// The user clicks only what is on screen: the page holding the widget comes to the top first.
void MainWindowTest::showPageOf(QWidget* w) {
  auto* pages = find<QTabWidget>("PageControl1");
  for (int i = 0; i < pages->count(); ++i) {
    if (pages->widget(i)->isAncestorOf(w)) pages->setCurrentIndex(i);
  }
}

void MainWindowTest::click(const char* name) {
  auto* w = find<QWidget>(name);
  QVERIFY(w != nullptr);
  showPageOf(w);
  // On the indicator: a button stretched by its layout is hit only on its indicator and text.
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2));
}

// Characters QTest cannot type, sent as the key events a keyboard layout would produce.
void typeCharacters(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
  }
}

void MainWindowTest::clickItem(QListWidget* list, int row) {
  showPageOf(list);
  const QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void MainWindowTest::startsWithPagesHiddenAndSavingAndRunningDisabled() {
  QCOMPARE(window().windowTitle(), QStringLiteral("WinTarvel"));
  QVERIFY(find<QTabWidget>("PageControl1")->isHidden());
  QVERIFY(find<QPushButton>("Done")->isHidden());
  QVERIFY(find<QPushButton>("Cancel")->isHidden());
  QVERIFY(!action("BtnSaveSet")->isEnabled());
  QVERIFY(!action("BtnRun")->isEnabled());
  QVERIFY(!find<QToolButton>("BtnSaveSet")->isEnabled());
  QVERIFY(action("BtnNewSet")->isEnabled());
  // Every command but the toolbar's is available (an empty list of recent files has nothing
  // to clear).
  for (QAction* a : window().findChildren<QAction*>()) {
    // Undo and redo wait for a first step; an empty list of recent files has nothing to clear.
    const QString name = a->objectName();
    const bool enabled = name != "EditUndo" && name != "EditRedo" && name != "ClearRecentFiles";
    if (!name.isEmpty() && !name.startsWith(QLatin1String("Btn")))
      QVERIFY2(a->isEnabled() == enabled, qPrintable(name));
  }
  QCOMPARE(window().size().expandedTo(QSize(553, 458)), window().size());
}

void MainWindowTest::menuHoldsEveryCommandWithItsAccessKey() {
  QStringList top;
  for (QAction* a : s_->windows.main.menuBar()->actions()) top << a->text();
  QCOMPARE(top, (QStringList{"&File", "&Edit", "&View", "&Run", "&Path", "&Help"}));
  QMenu* file = find<QMenu>("File1");
  QStringList fileItems;
  for (QAction* a : file->actions())
    fileItems << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QCOMPARE(fileItems,
           (QStringList{"&Set Files", "&Data Files", "&Recent Set Files", "-", "E&xit"}));
  QStringList setItems;
  for (QAction* a : find<QMenu>("SetFile1")->actions())
    setItems << a->objectName() + '=' + a->text();
  QCOMPARE(setItems,
           (QStringList{"FileNewItem=&New", "FileOpenItem=&Open", "OpeninNotepad1=O&pen in Notepad",
                        "FileCloseItem=&Close", "FileSaveItem=&Save", "SaveSetFileAs1=Save &As"}));
  QCOMPARE(action("Open1")->text(), QStringLiteral("&Open in Notepad"));
  QCOMPARE(action("Open1")->statusTip(), QStringLiteral("Open an existing Data File"));
  QCOMPARE(action("ExecuteWinMendra1")->text(), QStringLiteral("&Run Tarvel"));
  QCOMPARE(action("EditOptions1")->text(), QStringLiteral("&Tarvel Directory"));
  QStringList helpItems;
  for (QAction* a : find<QMenu>("Help1")->actions()) helpItems << a->text();
  QCOMPARE(helpItems, (QStringList{"WinTarvel &Help", "&About"}));
  QCOMPARE(file->menuAction()->statusTip(), QStringLiteral("File related commands"));
  QCOMPARE(find<QMenu>("Help1")->menuAction()->statusTip(), QStringLiteral("Help topics"));
}

void MainWindowTest::newShowsEveryControlOnItsPage() {
  startNewSetFile();
  QCOMPARE(window().windowTitle(), QStringLiteral("WinTarvel - Untitled[*]"));
  QCOMPARE(window().windowHandle()->title(), QStringLiteral("WinTarvel - Untitled"));
  QVERIFY(action("BtnSaveSet")->isEnabled());
  QVERIFY(find<QPushButton>("Done")->isVisible());
  QCOMPARE(find<QPushButton>("Done")->text(), QStringLiteral("Save Set File"));
  QCOMPARE(find<QPushButton>("Cancel")->text(), QStringLiteral("Close"));
  auto* pages = find<QTabWidget>("PageControl1");
  const QStringList captions{"Basic",      "Variables",         "Data Format", "Output",
                             "Constructs", "Correlated Errors", "Reorder",     "File Names"};
  for (int i = 0; i < 8; ++i) {
    QCOMPARE(pages->widget(i)->objectName(), QString::fromLatin1(kPageNames[i]));
    QCOMPARE(pages->tabText(i), captions[i]);
  }
  QVERIFY(!pages->isTabVisible(5));

  const std::vector<std::vector<const char*>> controls = {
      {"StudyTitleBox", "TxtProgTitle", "TxtNumGroups", "LblNumGroupsRange", "TxtNumSubGroup1",
       "TxtNumSubGroup2", "Label14", "Label15", "TxtNameSubGroup1", "TxtNameSubGroup2",
       "GroupBox14", "RadDesTy0", "RadDesTy1", "RadDesTy2", "ChkDropSub", "DropSub", "CmbDrop",
       "CmdDrop"},
      {"DyadicBox", "TxtDyVars", "CmbDyVar", "CmdDyVarAdd", "CmdDyVarRem", "CmdDyVarRename", "UDDy",
       "PersonalityBox", "TxtPerVars", "CmbPerVar", "CmdPerVarAdd", "CmdPerVarRem",
       "CmdPerVarRename", "UDPer", "ChkSelfM", "ChkReverseVar", "CmdDyVarRev", "LBLRevScore",
       "TxtRevScore"},
      {"Label16", "TxtGroupFortran", "ChkSecFmt", "TxtGroup2Fortran", "GroupBox9", "RadInpPat0",
       "RadInpPat1", "RadInpPat2", "RadInpPat3", "RadInpPat4", "RadInpPat5", "GroupBoxPV",
       "RBPerBeforeDy", "RBPerAfterDy"},
      {"RadioGroup1", "RadOut0", "RadOut1", "RadOut2", "RadOut3", "RadOut4", "ChkTechOut", "Label3",
       "ChkRawData", "GroupBox3", "RadAP0", "RadAP1", "RadAP2"},
      {"TxtConstruct", "CmbConst", "CmdConstAdd", "CmdConstRem", "LblConstVar", "LstVars",
       "LstVarsConst", "CmdVarsConstAdd", "CmdVarsConstRem"},
      {"CorAvailVarList", "CorMapVarList", "CorVarList", "PBCorConnect", "PBCorDisconnect",
       "PBCorConfirm", "ConRecInfo", "CorRecInfo"},
      {"GroupBox16", "RadRePat0", "RadRePat1", "RadRePat2", "RadRePat3", "RadRePat4", "RadRePat5",
       "RadRePat6", "Label7", "GroupBox17", "RadReNewSame0", "RadReNewSame1", "Label2",
       "MemoReorder", "LblNumReor"},
      {"TxtSetFile", "Button2", "TxtDataFile", "Button1", "TxtOutFile", "Button3", "TxtCoVar",
       "CmdCoVar", "LblCoVar", "TxtIndDif", "CmdIndDif", "LblIndDif", "GenInstr", "TxtExeDir"}};
  for (int page = 0; page < 8; ++page) {
    for (const char* name : controls[static_cast<std::size_t>(page)]) {
      QWidget* w = pages->widget(page)->findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY2(w != nullptr, name);
    }
  }
  // A few captions and start-up states, read from the widgets themselves.
  QCOMPARE(find<QRadioButton>("RadDesTy0")->text(), QStringLiteral("Symmetric Block (Default)"));
  QVERIFY(find<QRadioButton>("RadDesTy0")->isChecked());
  QCOMPARE(find<QGroupBox>("GroupBox9")->title(), QStringLiteral("&Input Pattern "));
  QCOMPARE(find<QLabel>("LblNumReor")->text(), QStringLiteral("0 record(s) needed"));
  QCOMPARE(find<QPushButton>("CmdVarsConstAdd")->text(), QStringLiteral("A&dd ->"));
  QVERIFY(!find<QGroupBox>("GroupBoxPV")->isEnabled());
  QVERIFY(find<QWidget>("MemoReorder")->isHidden());
  QVERIFY(find<QLineEdit>("ConRecInfo")->isHidden());
  QVERIFY(find<QPushButton>("PBCorConfirm")->isHidden());
}

void MainWindowTest::pointingAtAToolbarButtonShowsItsHint() {
  auto* button = find<QToolButton>("BtnNewSet");
  QCOMPARE(button->toolTip(), QStringLiteral("Create a New Set File"));
  QTest::mouseMove(button);
  QTRY_COMPARE(window().findChild<QStatusBar*>()->currentMessage(),
               QStringLiteral("Create a New Set File"));
  QTest::mouseMove(find<QToolButton>("BtnOpenSet"));
  QTRY_COMPARE(window().findChild<QStatusBar*>()->currentMessage(),
               QStringLiteral("Open an Existing Set File"));
}

void MainWindowTest::enterInTheNameBoxAddsTheDyadicVariable() {
  startNewSetFile();
  type("TxtDyVars", QStringLiteral("Anger"));
  QTest::keyClick(find<QLineEdit>("TxtDyVars"), Qt::Key_Return);
  auto* list = find<QListWidget>("CmbDyVar");
  QCOMPARE(list->count(), 1);
  QCOMPARE(list->item(0)->text(), QStringLiteral("Anger"));
  QCOMPARE(find<QLineEdit>("TxtDyVars")->text(), QString());
  QCOMPARE(s_->f.DyVarList.size(), std::size_t{1});
  QCOMPARE(s_->f.CmbDyVar.item(0), std::string("Anger"));
}

void MainWindowTest::periodRemovesTheSelectedVariableAndStaysInTheBox() {
  startNewSetFile();
  for (const char* name : {"Anger", "Joy"}) {
    type("TxtDyVars", QString::fromLatin1(name));
    QTest::keyClick(find<QLineEdit>("TxtDyVars"), Qt::Key_Return);
  }
  auto* list = find<QListWidget>("CmbDyVar");
  find<QTabWidget>("PageControl1")->setCurrentIndex(1);
  clickItem(list, 0);
  QCOMPARE(s_->f.CmbDyVar.itemIndex(), 0);
  QCOMPARE(find<QLineEdit>("TxtDyVars")->text(), QStringLiteral("Anger"));
  // Clicking the same item again copies its name again.
  type("TxtDyVars", QStringLiteral("x"));
  clickItem(list, 0);
  QCOMPARE(find<QLineEdit>("TxtDyVars")->text(), QStringLiteral("Anger"));

  QTest::keyClick(find<QLineEdit>("TxtDyVars"), '.');
  QCOMPARE(list->count(), 1);
  QCOMPARE(list->item(0)->text(), QStringLiteral("Joy"));
  QCOMPARE(find<QLineEdit>("TxtDyVars")->text(), QStringLiteral("."));
  QCOMPARE(s_->f.TxtDyVars.text(), std::string("."));
}

void MainWindowTest::numberOfGroupsIsCheckedAfterEveryCharacter() {
  startNewSetFile();
  type("TxtNumSubGroup1", QStringLiteral("3"));
  type("TxtNumSubGroup2", QStringLiteral("3"));
  click("RadRePat1");
  click("RadReNewSame0");
  auto* label = find<QLabel>("LblNumReor");
  QCOMPARE(label->text(), QStringLiteral("1 record(s) needed"));
  QVERIFY(find<QWidget>("MemoReorder")->isVisibleTo(find<QWidget>("Reorder")));

  auto* groups = find<QLineEdit>("TxtNumGroups");
  QTest::keyClick(groups, Qt::Key_End);
  QTest::keyClick(groups, '2');
  QCOMPARE(label->text(), QStringLiteral("12 record(s) needed"));
  QTest::keyClick(groups, '5');
  QCOMPARE(label->text(), QStringLiteral("125 record(s) needed"));
  QTest::keyClick(groups, Qt::Key_Backspace);
  QCOMPARE(label->text(), QStringLiteral("12 record(s) needed"));
  QCOMPARE(s_->f.NumGroups, 12);
  QVERIFY(s_->ui.errors.empty());
}

// A field drawn with a red frame: its left edge is red, not the style's grey.
bool showsRedFrame(QWidget* field) {
  const QImage image = field->grab().toImage();
  const QColor edge = image.pixelColor(1, image.height() / 2);
  return edge.red() > 150 && edge.green() < 80 && edge.blue() < 80;
}

// An error raised by typing is shown at the field, and the typing goes on; the same error raised
// by a command comes in the error box.
void MainWindowTest::anErrorWhileTypingIsShownAtTheFieldAndACommandsInABox() {
  startNewSetFile();
  type("TxtNumSubGroup1", QStringLiteral("3"));
  type("TxtNumSubGroup2", QStringLiteral("3"));
  click("RadRePat1");
  auto* groups = find<QLineEdit>("TxtNumGroups");
  auto* status = window().findChild<QStatusBar*>();
  const QString hint = groups->toolTip();
  QVERIFY(!showsRedFrame(groups));

  QTest::keyClick(groups, Qt::Key_End);
  QTest::keyClick(groups, 'x');
  const QString message = QStringLiteral("'1x' is not a valid integer value.");
  QVERIFY(s_->ui.errors.empty());
  QVERIFY(showsRedFrame(groups));
  QCOMPARE(status->currentMessage(), message);
  QCOMPARE(groups->toolTip(), message + '\n' + hint);
  QCOMPARE(groups->text(), QStringLiteral("1x"));
  QCOMPARE(find<QLabel>("LblNumReor")->text(), QStringLiteral("1 record(s) needed"));

  click("RadReNewSame0");
  QCOMPARE(s_->ui.errors, std::vector<std::string>{message.toStdString()});

  QTest::keyClick(groups, Qt::Key_Backspace);
  QTest::keyClick(groups, '4');
  QVERIFY(!showsRedFrame(groups));
  QCOMPARE(groups->toolTip(), hint);
  QCOMPARE(status->currentMessage(), QString());
  QCOMPARE(find<QLabel>("LblNumReor")->text(), QStringLiteral("14 record(s) needed"));
  QCOMPARE(s_->ui.errors.size(), std::size_t{1});
}

void MainWindowTest::radioClickRunsTheRuleAndACheckedButtonStaysChecked() {
  startNewSetFile();
  auto* half = find<QRadioButton>("RadDesTy2");
  click("RadDesTy2");
  QVERIFY(half->isChecked());
  QVERIFY(!find<QRadioButton>("RadDesTy0")->isChecked());
  QVERIFY(s_->f.RadDesTy2.checked());
  QVERIFY(!find<QCheckBox>("ChkSelfM")->isEnabled());
  QVERIFY(find<QLineEdit>("TxtNameSubGroup1")->isVisibleTo(find<QWidget>("Groups")));
  click("RadDesTy2");
  QVERIFY(half->isChecked());
  QVERIFY(s_->f.RadDesTy2.checked());

  auto* selfMeasures = find<QCheckBox>("ChkSelfM");
  click("RadDesTy1");
  QVERIFY(selfMeasures->isEnabled());
  click("ChkSelfM");
  QCOMPARE(selfMeasures->isChecked(), s_->f.ChkSelfM.checked());
}

void MainWindowTest::editsRefuseCharactersOutsideLatin1AndStopAtTheLimit() {
  startNewSetFile();
  auto* name = find<QLineEdit>("TxtDyVars");
  typeCharacters(name, QString::fromUtf8("Gr\u00fc\u20acn"));
  QCOMPARE(name->text(), QString::fromUtf8("Gr\u00fcn"));
  QCOMPARE(s_->f.TxtDyVars.text(), std::string("Gr\xfcn"));
  QTest::keyClicks(name, QStringLiteral("abcdefghij"));
  QCOMPARE(name->text().size(), 10);
  QCOMPARE(s_->f.TxtDyVars.text().size(), std::size_t{10});
  // A longer text set by the program stays whole.
  s_->windows.binder.run([this] { s_->f.TxtProgTitle.setText(std::string(70, 'T')); });
  QCOMPARE(find<QLineEdit>("TxtProgTitle")->text().size(), 70);
}

// An edit holds one line, as the set file and the instruction file store each value on one:
// pasted text stops at its first line break.
void MainWindowTest::pastingLinesIntoAnEditKeepsOnlyTheFirstLine() {
  startNewSetFile();
  auto* title = find<QLineEdit>("TxtProgTitle");
  QApplication::clipboard()->setText(QStringLiteral("Roommates\r\nsecond line"));
  title->setFocus();
  QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(s_->f.TxtProgTitle.text(), std::string("Roommates"));
  QCOMPARE(title->text(), QStringLiteral("Roommates"));
  QVERIFY(s_->f.Modified);
  // What stood after the cursor stays.
  QTest::keyClick(title, Qt::Key_Home);
  QApplication::clipboard()->setText(QStringLiteral("The \nrest"));
  QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(s_->f.TxtProgTitle.text(), std::string("The Roommates"));
  QCOMPARE(title->cursorPosition(), 4);

  auto* setFile = find<QLineEdit>("TxtSetFile");
  QApplication::clipboard()->setText(QStringLiteral("/studies/a.set\nrm -rf"));
  setFile->setFocus();
  QTest::keyClick(setFile, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(s_->f.TxtSetFile.text(), std::string("/studies/a.set"));
  QApplication::clipboard()->setText(QStringLiteral("\n/else.set"));
  QTest::keyClick(setFile, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(s_->f.TxtSetFile.text(), std::string("/studies/a.set"));
  QCOMPARE(setFile->text(), QStringLiteral("/studies/a.set"));
}

// The walkthrough of the README: open the example, name the files, press "Run Tarvel".
void MainWindowTest::theExampleStudyRunsOnceItsFilesAreNamed() {
  QTemporaryDir dir;
  for (const char* name : {"roommate.set", "roommate.txt"}) {
    QVERIFY(QFile::copy(QStringLiteral(WINTARVEL_EXAMPLES "/") + name, dir.filePath(name)));
  }
  const auto path = [&dir](const char* name) {
    return QDir::toNativeSeparators(dir.filePath(QString::fromLatin1(name)));
  };
  s_->ui.files.push_back(path("roommate.set").toStdString());
  action("FileOpenItem")->trigger();
  QCOMPARE(window().windowTitle(), QStringLiteral("WinTarvel - roommate[*]"));
  QCOMPARE(find<QTabWidget>("PageControl1")->currentWidget()->objectName(),
           QStringLiteral("Groups"));
  auto* run = find<QPushButton>("GenInstr");
  QVERIFY(!run->isEnabled());

  type("TxtDataFile", path("roommate.txt"));
  QVERIFY(!run->isEnabled());
  type("TxtOutFile", path("roommate.out"));
  QVERIFY(run->isEnabled());
  QVERIFY(action("BtnRun")->isEnabled());
  type("TxtIndDif", path("roommate.eff"));
  click("GenInstr");

  QVERIFY(s_->ui.messages.empty());
  QCOMPARE(s_->platform.engineStarts.size(), std::size_t{1});
  QCOMPARE(s_->platform.viewerStarts, std::vector<std::string>{path("roommate.out").toStdString()});
  QFile instructions(dir.filePath(QStringLiteral("xkb.ist")));
  QVERIFY(instructions.open(QIODevice::ReadOnly));
  std::string expected;
  for (const char* name : {"roommate.set", "roommate.txt", "roommate.out", "roommate.eff"}) {
    std::string shortForm;  // on Windows the 8.3 form; elsewhere the path itself
    s_->platform.shortPath(path(name).toStdString(), shortForm);
    expected += shortForm + "\r\n";
  }
  QCOMPARE(instructions.readAll().toStdString(), expected);
  QVERIFY(!s_->f.Modified);
}

void MainWindowTest::twoConstructsShowTheCorrelatedErrorsTab() {
  startNewSetFile();
  auto* pages = find<QTabWidget>("PageControl1");
  for (const char* name : {"Self", "Other"}) {
    type("TxtConstruct", QString::fromLatin1(name));
    QTest::keyClick(find<QLineEdit>("TxtConstruct"), Qt::Key_Return);
  }
  QCOMPARE(find<QListWidget>("CmbConst")->count(), 2);
  QVERIFY(pages->isTabVisible(5));
  QCOMPARE(find<QLabel>("LblConstVar")->text(), QStringLiteral("Other"));
}

void MainWindowTest::closingAsksFirstAndCancelKeepsTheWindowOpen() {
  startNewSetFile();
  type("TxtProgTitle", QStringLiteral("Roommates"));
  QVERIFY(s_->f.Modified);
  s_->ui.answers.push_back(Answer::Cancel);
  window().close();
  QVERIFY(window().isVisible());
  QCOMPARE(s_->ui.questions.size(), std::size_t{1});
  s_->ui.answers.push_back(Answer::No);
  window().close();
  QVERIFY(!window().isVisible());
}

void MainWindowTest::exitClosesTheWindowThroughTheProgram() {
  action("FileExitItem")->trigger();
  QCOMPARE(s_->ui.closeRequests, 1);
  QVERIFY(!window().isVisible());
  QVERIFY(s_->ui.questions.empty());
}

// "A.B" typed into the name box: the period removes the selected variable on the way. Ctrl+Z,
// with the box still holding the focus, takes back the typing after it, then the removal.
void MainWindowTest::ctrlZBringsBackAVariableRemovedByAPeriod() {
  startNewSetFile();
  for (const char* name : {"Anger", "Joy"}) {
    type("TxtDyVars", QString::fromLatin1(name));
    QTest::keyClick(find<QLineEdit>("TxtDyVars"), Qt::Key_Return);
  }
  auto* list = find<QListWidget>("CmbDyVar");
  clickItem(list, 0);
  auto* box = find<QLineEdit>("TxtDyVars");
  box->setFocus();
  QTRY_VERIFY(box->hasFocus());
  QTest::keyClicks(box, QStringLiteral("A.B"));
  QCOMPARE(list->count(), 1);
  QCOMPARE(action("EditUndo")->text(), QStringLiteral("&Undo Typing in Dyadic Variable Name"));
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(box->text(), QStringLiteral("."));
  QCOMPARE(action("EditUndo")->text(), QStringLiteral("&Undo Remove Variable"));
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(list->count(), 2);
  QCOMPARE(list->item(0)->text(), QStringLiteral("Anger"));
  QCOMPARE(box->text(), QStringLiteral("AngerA"));
  QCOMPARE(action("EditRedo")->text(), QStringLiteral("&Redo Remove Variable"));
  QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(list->count(), 1);
}

// The real question box: Escape answers Cancel, at Exit as at the window's close button.
void MainWindowTest::escapeAtTheExitQuestionKeepsTheWindow() {
  view::QtUi ui;
  testing::RecordingPlatform platform;
  QTemporaryDir start;
  TFrm1 f(ui, platform, start.path().toStdString());
  view::Windows windows(f);
  ui.setMainWindow(&windows.main);
  windows.main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&windows.main));
  windows.main.findChild<QAction*>(QStringLiteral("FileNewItem"))->trigger();
  QTest::keyClicks(windows.main.findChild<QLineEdit*>(QStringLiteral("TxtProgTitle")),
                   QStringLiteral("Roommates"));
  QStringList asked;
  auto pressEscapeAtTheQuestion = [&asked] {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &asked] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      poll->deleteLater();
      poll->stop();
      asked << box->text();
      QVERIFY(box->button(QMessageBox::Cancel) != nullptr);
      QTest::keyClick(box, Qt::Key_Escape);
    });
    poll->start(20);
  };
  pressEscapeAtTheQuestion();
  windows.main.findChild<QAction*>(QStringLiteral("FileExitItem"))->trigger();
  pressEscapeAtTheQuestion();
  windows.main.close();
  QCOMPARE(asked.size(), 2);
  QCOMPARE(asked[0], QStringLiteral("Changes have been made, do you want to save it?"));
  QVERIFY(windows.main.isVisible());
  QVERIFY(f.Modified);
  QCOMPARE(f.TxtProgTitle.text(), std::string("Roommates"));
  f.Modified = false;  // lets the window go without asking
}

// Run Tarvel after an edit: Cancel runs nothing; Yes saves first and runs what the window shows.
void MainWindowTest::aRunWithUnsavedChangesAsksFirst() {
  QTemporaryDir dir;
  for (const char* name : {"roommate.set", "roommate.txt"}) {
    QVERIFY(QFile::copy(QStringLiteral(WINTARVEL_EXAMPLES "/") + name, dir.filePath(name)));
  }
  s_->ui.files.push_back(dir.filePath(QStringLiteral("roommate.set")).toStdString());
  action("FileOpenItem")->trigger();
  type("TxtDataFile", dir.filePath(QStringLiteral("roommate.txt")));
  type("TxtOutFile", dir.filePath(QStringLiteral("roommate.out")));
  type("TxtIndDif", dir.filePath(QStringLiteral("roommate.eff")));
  QTest::keyClick(find<QLineEdit>("TxtNumGroups"), Qt::Key_Backspace);
  type("TxtNumGroups", QStringLiteral("1"));  // 12 groups become 11
  s_->ui.answers = {Answer::Cancel, Answer::Yes};
  click("GenInstr");
  QVERIFY(s_->platform.engineStarts.empty());
  click("GenInstr");
  QCOMPARE(s_->ui.questions,
           (std::vector<std::string>(
               2, "The study has changes that are not saved. Save them before the run?")));
  QCOMPARE(s_->platform.engineStarts.size(), std::size_t{1});
  QFile saved(dir.filePath(QStringLiteral("roommate.set")));
  QVERIFY(saved.open(QIODevice::ReadOnly));
  QVERIFY(saved.readAll().contains(" 4 4 3 11"));
  QVERIFY(find<QLabel>("RunOutcome")
              ->text()
              .startsWith(QStringLiteral("Tarvel ended with exit code 0 after ")));
}

void MainWindowTest::aboutBoxAndEngineDialogFollowTheirControls() {
  auto* about = window().findChild<QDialog*>(QStringLiteral("AboutBox"));
  QVERIFY(about->isHidden());
  action("HelpAboutItem")->trigger();
  action("HelpAboutItem")->trigger();
  QVERIFY(about->isVisible());
  QCOMPARE(window().findChildren<QDialog*>(QStringLiteral("AboutBox")).size(), 1);
  QCOMPARE(about->windowTitle(), QStringLiteral("About"));
  QCOMPARE(about->findChild<QLabel*>("Label2")->text(),
           QStringLiteral("Last updated on 10-10-2006"));
  QVERIFY(about->findChild<QLabel*>("Label1")->font().bold());
  // The version of the build and the licence, and no address that leads nowhere.
  QString aboutText;
  for (QLabel* label : about->findChildren<QLabel*>()) aboutText += label->text() + '\n';
  QVERIFY(aboutText.contains(QStringLiteral("Version " WINTARVEL_VERSION)));
  QVERIFY(aboutText.contains(QStringLiteral("GPL-3.0-or-later")));
  QVERIFY2(!aboutText.contains('@') && !aboutText.contains(QStringLiteral("example")),
           qPrintable(aboutText));
  QTest::mouseClick(about->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
  QVERIFY(about->isHidden());
  QVERIFY(!s_->f.AboutBox.visible());

  auto* options = window().findChild<QDialog*>(QStringLiteral("FrmOptions"));
  action("EditOptions1")->trigger();
  QVERIFY(options->isVisible());
  QCOMPARE(options->windowTitle(), QStringLiteral("WinTarvel - Tarvel.exe Directory"));
  QCOMPARE(options->findChild<QLabel*>("Label1")->text(), QStringLiteral("&Path to tarvel.exe"));
  QTest::keyClicks(options->findChild<QLineEdit*>("TxttvlPath"),
                   QStringLiteral("/opt/tarvel/tarvel.exe"));
  QCOMPARE(s_->f.FrmOptions.TxttvlPath.text(), std::string("/opt/tarvel/tarvel.exe"));
  QTest::mouseClick(options->findChild<QPushButton*>("CmdOptCancel"), Qt::LeftButton);
  QVERIFY(options->isHidden());
  action("EditOptions1")->trigger();
  QTest::keyClick(options, Qt::Key_Escape);
  QVERIFY(options->isHidden());
  QVERIFY(!s_->f.FrmOptions.visible());
}

void MainWindowTest::everyTabCaptionIsReadableAtTheDefaultSize() {
  startNewSetFile();
  for (const char* name : {"A", "B"}) {
    type("TxtConstruct", QString::fromLatin1(name));
    QTest::keyClick(find<QLineEdit>("TxtConstruct"), Qt::Key_Return);
  }
  auto* pages = find<QTabWidget>("PageControl1");
  QVERIFY(pages->isTabVisible(5));
  QTabBar* bar = pages->tabBar();
  QCoreApplication::processEvents();
  for (int i = 0; i < bar->count(); ++i) {
    const QRect tab = bar->tabRect(i);
    QVERIFY2(tab.right() <= bar->width(), qPrintable(bar->tabText(i)));
    QVERIFY2(tab.width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
             qPrintable(bar->tabText(i)));
  }
}

void MainWindowTest::noControlOverlapsAnotherOrIsCutOff() {
  startNewSetFile();
  s_->showEverything();  // so that those controls are checked too
  auto* pages = find<QTabWidget>("PageControl1");
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QWidget* page = pages->widget(i);
    QCoreApplication::processEvents();
    QList<QWidget*> shown;
    for (QWidget* w : page->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
      if (!w->isVisibleTo(page)) continue;
      const QString what = QString::fromLatin1(kPageNames[i]) + '/' + w->objectName();
      QVERIFY2(w->parentWidget()->rect().contains(w->geometry()),
               qPrintable(what + " leaves its parent"));
      const QSize least = w->minimumSizeHint();
      QVERIFY2(w->width() >= least.width() && w->height() >= least.height(),
               qPrintable(what + " is cut off"));
      shown << w;
    }
    for (QWidget* a : shown) {
      for (QWidget* b : shown) {
        if (a < b && a->parentWidget() == b->parentWidget()) {
          QVERIFY2(!a->geometry().intersects(b->geometry()),
                   qPrintable(a->objectName() + " overlaps " + b->objectName()));
        }
      }
    }
  }
}

namespace {

// A control the user types into, chooses from or presses; the parts Qt builds inside a control
// (named "qt_...") and the controls within another control belong to that control.
bool isInputControl(const QWidget* w) {
  if (w->objectName().startsWith(QLatin1String("qt_"))) return false;
  for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
    if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p)) return false;
  }
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

}  // namespace

// A screen reader names every control, whether a label beside it names it or its own name does,
// and reads the reorder records as they are stored.
void MainWindowTest::everyInputControlHasAnAccessibleNameAndTheMemoReadsAsTheCore() {
  startNewSetFile();
  s_->windows.binder.run([this] { s_->f.RadRePat1.setChecked(true); });
  QStringList unnamed;
  int controls = 0;
  for (QWidget* w : window().findChildren<QWidget*>()) {
    if (!isInputControl(w)) continue;
    ++controls;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (a == nullptr || a->text(QAccessible::Name).trimmed().isEmpty()) {
      unnamed << w->metaObject()->className() + QStringLiteral(" ") + w->objectName();
    }
  }
  QVERIFY(controls > 100);
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));

  auto* memo = find<QPlainTextEdit>("MemoReorder");
  s_->windows.binder.run([this] { s_->f.MemoReorder.setText("1 2\r\n2 1\r\n"); });
  memo->moveCursor(QTextCursor::End);
  QTest::keyClicks(memo, QStringLiteral("3 4"));
  QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(memo)->textInterface();
  QVERIFY(text != nullptr);
  QString core = QString::fromStdString(s_->f.MemoReorder.text());
  core.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QCOMPARE(text->text(0, text->characterCount()), core);
  QCOMPARE(core, QStringLiteral("1 2\n2 1\n3 4"));
}

// The pages cost most of the start-up: they are built when the program first shows them.
void MainWindowTest::pagesAreBuiltOnTheFirstNewAndShowWhatTheProgramSetBefore() {
  auto* pages = find<QTabWidget>("PageControl1");
  QCOMPARE(pages->count(), 0);
  for (const char* name : {"Groups", "Reorder", "TxtProgTitle", "TxtExeDir", "RadDesTy0"})
    QVERIFY2(window().findChild<QWidget*>(QString::fromLatin1(name)) == nullptr, name);
  const QSize startSize = window().size();

  // The engine directory is set while the pages do not exist yet; "New" keeps it.
  action("EditOptions1")->trigger();
  auto* options = window().findChild<QDialog*>(QStringLiteral("FrmOptions"));
  options->findChild<QLineEdit*>("TxttvlPath")->setText(QString());
  QTest::keyClicks(options->findChild<QLineEdit*>("TxttvlPath"),
                   QDir::toNativeSeparators(QStringLiteral("/opt/tarvel/tarvel.exe")));
  QTest::mouseClick(options->findChild<QPushButton*>("CmdOptSave"), Qt::LeftButton);
  QCOMPARE(s_->f.TxtExeDir.text(), QDir::toNativeSeparators("/opt/tarvel").toStdString());
  QCOMPARE(pages->count(), 0);

  startNewSetFile();
  QCOMPARE(pages->count(), 8);
  for (const char* name : kPageNames)
    QVERIFY2(window().findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
  QCOMPARE(find<QLineEdit>("TxtExeDir")->text(), QDir::toNativeSeparators("/opt/tarvel"));
  QCOMPARE(find<QLineEdit>("TxtNumGroups")->text(), QStringLiteral("1"));
  QVERIFY(find<QRadioButton>("RadDesTy0")->isChecked());
  QCOMPARE(find<QRadioButton>("RadDesTy0")->text(), QStringLiteral("Symmetric Block (Default)"));
  QVERIFY(!pages->isTabVisible(5));
  QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("Output"));

  // The window only grows, and as far as the pages need.
  QCoreApplication::processEvents();
  QCOMPARE(window().size().expandedTo(startSize), window().size());
  const QSize wanted = pages->sizeHint();
  QVERIFY2(pages->width() >= wanted.width() && pages->height() >= wanted.height(),
           qPrintable(QStringLiteral("pages %1x%2, need %3x%4")
                          .arg(pages->width())
                          .arg(pages->height())
                          .arg(wanted.width())
                          .arg(wanted.height())));

  // Built once: a second "New" finds the same widgets.
  QWidget* title = find<QLineEdit>("TxtProgTitle");
  startNewSetFile();
  QCOMPARE(find<QLineEdit>("TxtProgTitle"), title);
  QCOMPARE(window().findChildren<QWidget*>(QStringLiteral("TxtProgTitle")).size(), 1);
}

// Whatever needs the pages before the user chose "New" or "Open" gets them in their start state,
// still hidden, and building them runs no handler.
void MainWindowTest::pagesBuiltOnRequestBeforeNewShowTheStartStateAndStayHidden() {
  s_->windows.main.ensurePagesBuilt();
  auto* pages = find<QTabWidget>("PageControl1");
  QCOMPARE(pages->count(), 8);
  QVERIFY(pages->isHidden());
  QCOMPARE(find<QLineEdit>("TxtNumGroups")->text(),
           QString::fromStdString(s_->f.TxtNumGroups.text()));
  QCOMPARE(find<QRadioButton>("RadDesTy0")->text(), QStringLiteral("Symmetric Block (Default)"));
  QVERIFY(find<QWidget>("MemoReorder")->isHidden());
  QVERIFY(!pages->isTabVisible(5));
  QVERIFY(!s_->f.Modified);
  // Adding the tabs is no user's choice of a page: "Output" stays the page the program shows first.
  QCOMPARE(s_->f.PageControl1.activePage(), 3);

  startNewSetFile();
  QCOMPARE(pages->count(), 8);
  QCOMPARE(find<QRadioButton>("RadDesTy0"), window().findChild<QRadioButton*>("RadDesTy0"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_tests.moc"
