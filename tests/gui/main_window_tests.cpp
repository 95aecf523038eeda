// Walks through the real main window, offscreen: the pages and dialogs, typing and clicks that
// reach the program's rules and their errors, the Edit menu's undo, the question on closing, what
// every control tells a screen reader and the user, the keyboard, and the reorder memo's binding.

#include <memory>

#include "app/field_feedback.h"
#include "app/qt_ui.h"
#include "window_session.h"

using namespace wintarvel;

namespace {

const char* const kQuestion = "Changes have been made, do you want to save it?";

void clickItem(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

// A field drawn with a red frame: its left edge is red, not the style's grey.
bool showsRedFrame(QWidget* field) {
  const QImage image = field->grab().toImage();
  const QColor edge = image.pixelColor(1, image.height() / 2);
  return edge.red() > 150 && edge.green() < 80 && edge.blue() < 80;
}

// A control the user types into, chooses from or presses; the parts Qt builds inside a control
// (named "qt_...") and the scroll areas that hold the pages are not.
bool isInputControl(const QWidget* w) {
  if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) return false;
  if (qobject_cast<const QScrollArea*>(w) != nullptr) return false;
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w);
}

// The access key of a caption: the letter after a single '&', a null character when none.
QChar accessKey(const QString& caption) {
  const QKeySequence key = QKeySequence::mnemonic(caption);
  return key.isEmpty() ? QChar() : QChar(key[0].key()).toLower();
}

// The caption of a button or group, or of a label that names a field.
QString captionOf(QWidget* w) {
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* box = qobject_cast<QGroupBox*>(w)) return box->title();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->buddy() ? label->text() : QString();
  return {};
}

// A group box passes the focus to one of its controls: none while they are all disabled.
bool canTakeFocus(QWidget* w) {
  for (QWidget* c : w->findChildren<QWidget*>())
    if (c->isEnabled() && c->isVisible() && (c->focusPolicy() & Qt::TabFocus)) return true;
  return qobject_cast<QGroupBox*>(w) == nullptr;
}

void press(QWidget* target, QKeyCombination key) {
  QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WindowSession> s_;

 private slots:
  void init() {
    s_ = std::make_unique<testing::WindowSession>();
    QVERIFY(s_->show());
    QApplication::setActiveWindow(&s_->window());
    QVERIFY(QTest::qWaitForWindowActive(&s_->window()));
  }
  void cleanup() {
    QVERIFY2(s_->ui.unexpected.empty(), s_->firstUnexpected());
    s_.reset();
  }

  void startsEmptyAndTheDialogsAndPagesShowWhatTheProgramSet() {
    QCOMPARE(s_->pages()->count(), 0);
    // Nothing to save, run, undo or clear yet; every other command is available.
    const QStringList off{"BtnSaveSet", "BtnRun", "EditUndo", "EditRedo", "ClearRecentFiles"};
    for (QAction* a : s_->window().findChildren<QAction*>()) {
      if (!a->objectName().isEmpty())
        QVERIFY2(a->isEnabled() != off.contains(a->objectName()), qPrintable(a->objectName()));
    }
    const QSize startSize = s_->window().size();

    // One About box, however often asked for.
    auto* about = s_->find<QDialog>("AboutBox");
    s_->trigger("HelpAboutItem");
    s_->trigger("HelpAboutItem");
    QCOMPARE(s_->window().findChildren<QDialog*>(QStringLiteral("AboutBox")).size(), 1);
    QTest::mouseClick(about->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    QVERIFY(about->isHidden() && !s_->f.AboutBox.visible());

    // The engine dialog, before the pages exist: Cancel and Escape keep nothing, Save keeps it.
    auto* options = s_->find<QDialog>("FrmOptions");
    auto* path = options->findChild<QLineEdit*>("TxttvlPath");
    for (const char* button : {"CmdOptCancel", "", "CmdOptSave"}) {
      s_->trigger("EditOptions1");
      QVERIFY(options->isVisible() && s_->f.FrmOptions.visible());
      path->selectAll();
      QTest::keyClicks(path, QDir::toNativeSeparators(QStringLiteral("/opt/tarvel/tarvel.exe")));
      QCOMPARE(s_->f.FrmOptions.TxttvlPath.text(), path->text().toStdString());
      if (*button == 0)
        QTest::keyClick(options, Qt::Key_Escape);
      else
        QTest::mouseClick(options->findChild<QPushButton*>(button), Qt::LeftButton);
      QVERIFY(options->isHidden() && !s_->f.FrmOptions.visible());
      QCOMPARE(s_->f.TxtExeDir.text().empty(), QByteArray(button) != "CmdOptSave");
    }

    // Pages built before "New" show the program's state, stay hidden and change nothing.
    s_->windows.main.ensurePagesBuilt();
    QCOMPARE(s_->pages()->count(), 8);
    QVERIFY(s_->pages()->isHidden());
    QCOMPARE(s_->find<QLineEdit>("TxtExeDir")->text(), QDir::toNativeSeparators("/opt/tarvel"));
    QVERIFY(!s_->f.Modified);
    QCOMPARE(s_->f.PageControl1.activePage(), 3);  // adding the tabs chose no page

    QWidget* title = s_->find("TxtProgTitle");
    s_->trigger("FileNewItem");
    QCOMPARE(s_->find("TxtProgTitle"), title);  // built once
    QVERIFY(s_->pages()->isVisible() && !s_->find("StartHint")->isVisible());
    QCOMPARE(s_->window().windowHandle()->title(), QStringLiteral("WinTarvel - Untitled"));
    QCOMPARE(s_->pages()->currentWidget()->objectName(), QStringLiteral("Output"));
    // The window only grows, and as far as the pages need.
    QCoreApplication::processEvents();
    QCOMPARE(s_->window().size().expandedTo(startSize), s_->window().size());
    const QSize wanted = s_->pages()->sizeHint();
    QVERIFY(s_->pages()->width() >= wanted.width() && s_->pages()->height() >= wanted.height());
  }

  void variablesAreAddedAndRemovedByKeysAndTheEditMenuUndoesEachStep() {
    s_->trigger("FileNewItem");
    auto* box = s_->find<QLineEdit>("TxtDyVars");
    auto* list = s_->find<QListWidget>("CmbDyVar");
    for (const char* name : {"Anger", "Joy"}) {
      s_->type("TxtDyVars", QString::fromLatin1(name));
      QTest::keyClick(box, Qt::Key_Return);
    }
    QCOMPARE(testing::itemsOf(list), (QStringList{"Anger", "Joy"}));
    QCOMPARE(box->text(), QString());
    QCOMPARE(s_->f.CmbDyVar.item(1), std::string("Joy"));

    // A click on an item copies its name, again after the box was changed.
    s_->pages()->setCurrentIndex(1);
    clickItem(list, 0);
    s_->type("TxtDyVars", QStringLiteral("x"));
    clickItem(list, 0);
    QCOMPARE(box->text(), QStringLiteral("Anger"));
    QCOMPARE(s_->f.CmbDyVar.itemIndex(), 0);

    // "A.B" typed: the period removes the selected variable on the way.
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("A.B"));
    QCOMPARE(testing::itemsOf(list), QStringList{"Joy"});
    QCOMPARE(s_->f.TxtDyVars.text(), std::string(".B"));
    auto* undo = s_->find<QAction>("EditUndo");
    QCOMPARE(undo->text(), QStringLiteral("&Undo Typing in Dyadic Variable Name"));
    // Ctrl+Z in the box is the program's undo, not the box's own.
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("."));
    QCOMPARE(undo->text(), QStringLiteral("&Undo Remove Variable"));
    undo->trigger();
    QCOMPARE(testing::itemsOf(list), (QStringList{"Anger", "Joy"}));
    QCOMPARE(box->text(), QStringLiteral("AngerA"));
    QCOMPARE(s_->find<QAction>("EditRedo")->text(), QStringLiteral("&Redo Remove Variable"));
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(testing::itemsOf(list), QStringList{"Joy"});
  }

  // A value refused while typing shows at the field (red frame, tool tip, status bar) and the
  // typing goes on; a command meeting the same value says it in a box.
  void aTypingErrorShowsAtTheFieldAndTheSameErrorOfACommandInABox() {
    s_->trigger("FileNewItem");
    s_->type("TxtNumSubGroup1", QStringLiteral("3"));
    s_->type("TxtNumSubGroup2", QStringLiteral("3"));
    for (int twice = 0; twice < 2; ++twice) s_->click("RadRePat1");  // and stays checked
    QVERIFY(s_->find<QRadioButton>("RadRePat1")->isChecked() && s_->f.RadRePat1.checked());
    auto* groups = s_->find<QLineEdit>("TxtNumGroups");
    auto* records = s_->find<QLabel>("LblNumReor");
    const QString hint = groups->toolTip();
    QVERIFY(!showsRedFrame(groups));

    QTest::keyClick(groups, Qt::Key_End);
    QTest::keyClick(groups, 'x');
    const QString message = QStringLiteral("'1x' is not a valid integer value.");
    QVERIFY(s_->ui.errors.empty());
    QVERIFY(showsRedFrame(groups));
    QCOMPARE(s_->status(), message);
    QCOMPARE(groups->toolTip(), message + '\n' + hint);
    QCOMPARE(groups->text(), QStringLiteral("1x"));
    QCOMPARE(records->text(), QStringLiteral("1 record(s) needed"));

    s_->click("RadReNewSame0");
    QCOMPARE(s_->ui.errors, std::vector<std::string>{message.toStdString()});

    // Every key is checked at once: the count follows each one.
    QTest::keyClick(groups, Qt::Key_Backspace);
    QVERIFY(!showsRedFrame(groups));
    QCOMPARE(groups->toolTip(), hint);
    QCOMPARE(s_->status(), QString());
    QTest::keyClick(groups, '2');
    QCOMPARE(records->text(), QStringLiteral("12 record(s) needed"));
    QCOMPARE(s_->f.NumGroups, 12);
    QCOMPARE(s_->ui.errors.size(), std::size_t{1});
  }

  void editsTakeOneLineOfLatin1UpToTheirLimitAndSaySoWhenFull() {
    s_->trigger("FileNewItem");
    s_->pages()->setCurrentIndex(1);
    auto* name = s_->find<QLineEdit>("TxtDyVars");
    name->setFocus();
    // Characters QTest cannot type, sent as a keyboard layout would: the euro sign is refused.
    for (QChar c : QString::fromUtf8("Gr\u00fc\u20acn")) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(name, &press);
    }
    QCOMPARE(s_->f.TxtDyVars.text(), std::string("Gr\xfcn"));
    QTest::keyClicks(name, QStringLiteral("ABCDE"));
    QCOMPARE(s_->status(), QString());
    QTest::keyClick(name, 'F');
    QCOMPARE(s_->status(), view::fullFieldNotice(10));
    QVERIFY(s_->status().contains(QStringLiteral("10 characters")));
    s_->window().findChild<QStatusBar*>()->showMessage(QStringLiteral("something else"));
    QTest::keyClick(name, 'G');  // refused, and said again
    QCOMPARE(s_->f.TxtDyVars.text(), std::string("Gr\xfcnABCDEF"));
    QCOMPARE(s_->status(), view::fullFieldNotice(10));
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(s_->status(), QString());
    // A longer text set by the program stays whole.
    s_->windows.binder.run([this] { s_->f.TxtProgTitle.setText(std::string(70, 'T')); });
    QCOMPARE(s_->find<QLineEdit>("TxtProgTitle")->text().size(), 70);

    // A pasted text stops at its first line break; what stood after the cursor stays.
    auto* file = s_->find<QLineEdit>("TxtSetFile");
    file->setFocus();
    const char* clips[] = {"a.set\nrm -rf", "\n/else.set", "/studies/\r\nx"};
    for (const char* clip : clips) {
      QApplication::clipboard()->setText(QString::fromLatin1(clip));
      QTest::keyClick(file, Qt::Key_V, Qt::ControlModifier);
      QTest::keyClick(file, Qt::Key_Home);
    }
    QCOMPARE(s_->f.TxtSetFile.text(), std::string("/studies/a.set"));
    QCOMPARE(file->text(), QStringLiteral("/studies/a.set"));
  }

  void closingWithChangesAsksYesNoOrCancelAndEscapeKeepsTheWindow() {
    s_->trigger("FileNewItem");
    s_->type("TxtProgTitle", QStringLiteral("Roommates"));
    s_->ui.answers = {Answer::Cancel};
    s_->window().close();
    QVERIFY(s_->window().isVisible());
    QCOMPARE(s_->ui.questions, std::vector<std::string>{kQuestion});

    // The real question box, at Exit and at the window's close button: Escape answers Cancel.
    view::QtUi real;
    real.setMainWindow(&s_->window());
    s_->ui.real = &real;
    for (bool exit : {true, false}) {
      QString asked;
      testing::whenModalOpens([&asked](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        asked = box->text();
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QTest::keyClick(box, Qt::Key_Escape);
      });
      exit ? s_->trigger("FileExitItem") : void(s_->window().close());
      QCOMPARE(asked, QString::fromLatin1(kQuestion));
      QVERIFY(s_->window().isVisible());
    }
    QCOMPARE(s_->f.TxtProgTitle.text(), std::string("Roommates"));
    s_->ui.real = nullptr;
    s_->ui.answers = {Answer::No};
    s_->trigger("FileExitItem");
    QVERIFY(!s_->window().isVisible());
  }

  // A screen reader names every control, whether a label beside it names it or its own name does,
  // and reads the reorder records as they are stored; every control carries a hint (tool tip,
  // status text and accessible description alike) that gives the field's limit.
  void everyInputControlIsNamedAndHintedAndTheMemoReadsAsTheCore() {
    s_->trigger("FileNewItem");
    s_->showEverything();
    QStringList faults;
    int controls = 0;
    for (QWidget* w : s_->window().findChildren<QWidget*>()) {
      if (!isInputControl(w) || w->parentWidget()->inherits("QToolBar")) continue;
      ++controls;
      const QString what = w->metaObject()->className() + (' ' + w->objectName());
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      if (a == nullptr || a->text(QAccessible::Name).trimmed().isEmpty()) faults << what + " name";
      const QString tip = w->toolTip();
      if (w->window()->objectName() == "AboutBox" || w->parentWidget()->inherits("QTabBar"))
        continue;
      if (tip.isEmpty() || w->statusTip() != tip || w->accessibleDescription() != tip)
        faults << what + " hint";
      auto* field = qobject_cast<QLineEdit*>(w);
      if (field && field->maxLength() < 32767 && !tip.contains(QString::number(field->maxLength())))
        faults << what + " limit";
    }
    QVERIFY(controls > 90);  // every page's controls were there to check
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));

    auto* memo = s_->find<QPlainTextEdit>("MemoReorder");
    s_->windows.binder.run([this] { s_->f.MemoReorder.setText("1 2\r\n2 1\r\n"); });
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("3 4"));
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(memo)->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("1 2\n2 1\n3 4"));
    QCOMPARE(s_->f.MemoReorder.text(), std::string("1 2\r\n2 1\r\n3 4"));
  }

  void standardShortcutsTriggerTheirCommands() {
    const std::pair<QKeyCombination, const char*> rows[] = {
        {Qt::CTRL | Qt::Key_N, "FileNewItem"},
        {Qt::CTRL | Qt::Key_O, "FileOpenItem"},
        {Qt::CTRL | Qt::Key_S, "FileSaveItem"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_S, "SaveSetFileAs1"},
        {Qt::Key_F5, "ExecuteWinMendra1"},
        {Qt::CTRL | Qt::Key_U, "ViewSetFile"},
        {Qt::Key_F1, "HelpContentsItem"},
        {Qt::CTRL | Qt::Key_Q, "FileExitItem"},
    };
    QStringList triggered;
    for (QAction* a : s_->window().findChildren<QAction*>())
      connect(a, &QAction::triggered, this, [&triggered, a] { triggered << a->objectName(); });
    s_->ui.files.assign(4, std::nullopt);  // the file dialogs are cancelled
    for (const auto& [key, command] : rows) {
      triggered.clear();
      // From a field of a page once there are pages, so that no field keeps the key to itself.
      QWidget* focus = s_->f.PageControl1.visible() ? s_->find("TxtProgTitle") : &s_->window();
      focus->setFocus();
      press(focus, key);
      QCOMPARE(triggered, QStringList{QString::fromLatin1(command)});
    }
    QVERIFY(s_->f.PageControl1.visible());  // Ctrl+N made a new study
    QVERIFY(!s_->window().isVisible());     // Ctrl+Q ended the program
    QVERIFY(s_->window().findChild<QWidget*>(QStringLiteral("HelpWindow"))->isVisible());
  }

  void pageKeysSwitchPagesWhereverTheFocusIs() {
    s_->trigger("FileNewItem");
    s_->pages()->setCurrentIndex(0);
    s_->windows.binder.run([this] { s_->f.RadRePat1.setChecked(true); });  // shows the memo
    // Correlated Errors (5) stays hidden without two constructs: the keys pass over it.
    const std::tuple<const char*, QKeyCombination, int> rows[] = {
        {"TxtProgTitle", Qt::CTRL | Qt::Key_PageUp, 7},
        {"TxtDataFile", Qt::CTRL | Qt::Key_Tab, 0},
        {"TxtProgTitle", Qt::CTRL | Qt::Key_Tab, 1},
        {"CmbDyVar", Qt::CTRL | Qt::Key_PageDown, 2},
        {"TxtGroupFortran", Qt::CTRL | Qt::Key_PageDown, 3},
        {"RadOut0", Qt::CTRL | Qt::Key_PageDown, 4},
        {"TxtConstruct", Qt::CTRL | Qt::Key_PageDown, 6},
        {"MemoReorder", Qt::CTRL | Qt::Key_PageUp, 4},
        {"LstVars", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3},
    };
    for (const auto& [focus, key, page] : rows) {
      s_->find(focus)->setFocus();
      press(s_->find(focus), key);
      QCOMPARE(s_->pages()->currentIndex(), page);
      QCOMPARE(s_->f.PageControl1.activePage(), page);
    }
    QCOMPARE(s_->f.TxtProgTitle.text(), std::string());  // no key reached a field as typing
  }

  void accessKeysAreUniqueOnEveryPageAndReachTheirControl() {
    s_->trigger("FileNewItem");
    s_->showEverything();
    // The menu bar's keys, and those of the Edit and View menus, are kept free on the pages.
    QString taken = QStringLiteral("ev");
    for (QAction* a : s_->windows.main.menuBar()->actions()) taken += accessKey(a->text());
    QVERIFY(taken.contains('f') && taken.contains('h'));
    // Radio buttons are chosen by the arrow keys in their group, which has the key; these two
    // buttons' captions leave no letter free.
    const QStringList keyless{"CmdPerVarRem", "CmdIndDif"};

    s_->ui.files.assign(8, std::nullopt);  // Browse buttons open dialogs: cancelled
    s_->ui.answers.assign(8, Answer::Cancel);
    for (int index = 0; index < s_->pages()->count(); ++index) {
      s_->pages()->setCurrentIndex(index);
      QWidget* page = s_->pages()->widget(index);
      QString keys = taken;
      for (QWidget* w : page->findChildren<QWidget*>()) {
        const QString caption = captionOf(w);
        const QChar key = accessKey(caption);
        const QString what = page->objectName() + '/' + w->objectName() + ' ' + caption;
        if (caption.isEmpty() || (key.isNull() && qobject_cast<QRadioButton*>(w))) continue;
        QVERIFY2(!key.isNull() || keyless.contains(w->objectName()), qPrintable(what + " no key"));
        if (key.isNull()) continue;
        QVERIFY2(!keys.contains(key), qPrintable(what + " repeats a key"));
        keys += key;

        // Alt and the key reach the control: a label's field or a group's option gets the focus,
        // a button is pressed.
        if (!w->isVisible() || !w->isEnabled() || !canTakeFocus(w)) continue;
        auto* button = qobject_cast<QAbstractButton*>(w);
        std::optional<QSignalSpy> clicked;
        if (button != nullptr) clicked.emplace(button, &QAbstractButton::clicked);
        QTest::keyClick(&s_->window(), key.toLatin1(), Qt::AltModifier);
        if (button != nullptr)
          QTRY_COMPARE_WITH_TIMEOUT(clicked->count(), 1, 5000);
        else if (auto* label = qobject_cast<QLabel*>(w))
          QVERIFY2(QApplication::focusWidget() == label->buddy(), qPrintable(what));
        else
          QVERIFY2(w->isAncestorOf(QApplication::focusWidget()), qPrintable(what));
        s_->pages()->setCurrentIndex(index);  // a button may have shown another page
      }
    }
  }

  void tabGoesThroughThePageBeforeTheButtonsAndOnceThroughAGroup() {
    s_->trigger("FileNewItem");
    s_->pages()->setCurrentIndex(0);
    s_->find("TxtProgTitle")->setFocus();
    QStringList order;
    for (int i = 0; i < 8; ++i) {
      order << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The three design types are one stop; the disabled dropped-subject controls none.
    QCOMPARE(order, (QStringList{"TxtProgTitle", "TxtNumGroups", "TxtNumSubGroup1",
                                 "TxtNumSubGroup2", "RadDesTy0", "ChkDropSub", "Done", "Cancel"}));

    // Within the group the arrow keys choose, as a click does.
    s_->find("RadDesTy0")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), s_->find("RadDesTy1"));
    QVERIFY(s_->f.RadDesTy1.checked());
    QVERIFY(s_->find("TxtNameSubGroup1")->isVisible());  // the rule of the design ran
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), s_->find("ChkDropSub"));
  }

  void typingPastingUndoAndLoadingKeepTheMemoAndTheCoreInStep() {
    s_->windows.binder.run([this] {
      s_->f.BtnNewSetClick();
      s_->f.RadRePat1.setChecked(true);
    });
    auto* memo = s_->find<QPlainTextEdit>("MemoReorder");
    // The core replaces its text when the program sets one: read afresh each time.
    const auto core = [this] { return s_->f.MemoReorder.text(); };
    const auto shown = [memo] {
      return memo->toPlainText().replace('\n', QStringLiteral("\r\n")).toLatin1().toStdString();
    };
    const auto select = [memo](int from, int to) {
      QTextCursor cursor = memo->textCursor();
      cursor.setPosition(from);
      cursor.setPosition(to, QTextCursor::KeepAnchor);
      memo->setTextCursor(cursor);
    };
    const auto paste = [memo](const QString& text) {
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    };
    const auto programSets = [this](const std::string& text) {
      s_->windows.binder.run([&] { s_->f.MemoReorder.setText(text); });
    };

    // Typed lines, Enter and Shift+Enter alike, reach the core with CR LF.
    QTest::keyClicks(memo, QStringLiteral("1 2 3"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("3 2 1"));
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(memo, QStringLiteral("2 1 3"));
    QCOMPARE(core(), std::string("1 2 3\r\n3 2 1\r\n2 1 3"));

    // A paste over a selection spanning two breaks, a joined line.
    select(4, 14);  // "3\n3 2 1\n2 "
    paste(QStringLiteral("9\r\n8 7\n6 "));
    QCOMPARE(core(), std::string("1 2 9\r\n8 7\r\n6 1 3"));
    select(5, 5);
    QTest::keyClick(memo, Qt::Key_Delete);
    QCOMPARE(core(), std::string("1 2 98 7\r\n6 1 3"));

    // Characters outside Latin-1, typed or pasted, are refused; Latin-1 beyond ASCII is kept.
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u20ac"));
    QApplication::sendEvent(memo, &euro);
    paste(QStringLiteral("x\u0100y"));
    QCOMPARE(core(), std::string("1 2 98 7\r\n6 1 3"));
    paste(QStringLiteral("\u00e9"));
    QCOMPARE(core(), std::string("1 2 9\xe9"
                                 "8 7\r\n6 1 3"));

    // The widget's undo and redo reach the core as edits too, back to the empty memo and again.
    const std::string beforeUndo = core();
    while (memo->document()->isUndoAvailable()) {
      QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(core(), shown());
    }
    QCOMPARE(core(), std::string());
    while (memo->document()->isRedoAvailable()) {
      QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(core(), shown());
    }
    QCOMPARE(core(), beforeUndo);

    // A text the program sets arrives whole as a fresh document: cursor at the start, no history;
    // typing goes on from there and the count label follows every key.
    programSets("1 2\r\n2 1\r\n");
    QCOMPARE(memo->toPlainText(), QStringLiteral("1 2\n2 1\n"));
    QVERIFY(!memo->document()->isUndoAvailable());
    QCOMPARE(memo->textCursor().position(), 0);
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    const std::uint64_t revision = s_->f.MemoReorder.revision();
    QTest::keyClicks(memo, QStringLiteral("3"));
    QCOMPARE(s_->f.MemoReorder.revision(), revision + 1);  // one change of the core per key
    QCOMPARE(core(), std::string("1 2\r\n2 1\r\n3"));
    QCOMPARE(s_->f.LblNumReor.caption(), std::string("Perhaps you have too many record(s)"));

    // Line breaks that are not CR LF show as breaks; at the first edit the core takes what is
    // shown.
    programSets("a\nb\rc\r\nd");
    QCOMPARE(memo->document()->blockCount(), 4);
    QTest::keyClick(memo, Qt::Key_X);
    QCOMPARE(core(), std::string("xa\r\nb\r\nc\r\nd"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_tests.moc"
