// The real main window offscreen: typing, the Edit menu, closing, screen readers, the keyboard.

#include <memory>

#include "app/field_feedback.h"
#include "window_session.h"

using namespace wintarvel;

namespace {

const char* const kQuestion = "Changes have been made, do you want to save it?";

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

  void variablesAreAddedAndRemovedByKeysAndTheEditMenuUndoesEachStep() {
    s_->trigger("FileNewItem");
    auto* box = s_->find<QLineEdit>("TxtDyVars");
    auto* list = s_->find<QListWidget>("CmbDyVar");
    for (const char* name : {"Anger", "Joy"}) {
      s_->type("TxtDyVars", QString::fromLatin1(name));
      QTest::keyClick(box, Qt::Key_Return);
    }
    QCOMPARE(testing::itemsOf(list), (QStringList{"Anger", "Joy"}));

    // A click on an item copies its name.
    s_->pages()->setCurrentIndex(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(box->text(), QStringLiteral("Anger"));

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
  }

  // A value refused while typing shows at the field (red frame, tool tip, status bar) and the
  // typing goes on; a command meeting the same value says it in a box.
  void aTypingErrorShowsAtTheFieldAndTheSameErrorOfACommandInABox() {
    s_->trigger("FileNewItem");
    s_->type("TxtNumSubGroup1", QStringLiteral("3"));
    s_->type("TxtNumSubGroup2", QStringLiteral("3"));
    s_->click("RadRePat1");
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
    QTest::keyClick(name, 'G');  // refused
    QCOMPARE(s_->f.TxtDyVars.text(), std::string("Gr\xfcnABCDEF"));
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(s_->status(), QString());

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

  // Without a study nothing can be saved, run, undone or cleared; the shortcuts reach their
  // commands, the first of which, Ctrl+N, shows the pages of an untitled study.
  void startsEmptyAndStandardShortcutsTriggerTheirCommands() {
    QCOMPARE(s_->pages()->count(), 0);
    const QStringList off{"BtnSaveSet", "BtnRun", "EditUndo", "EditRedo", "ClearRecentFiles"};
    for (QAction* a : s_->window().findChildren<QAction*>()) {
      if (!a->objectName().isEmpty())
        QVERIFY2(a->isEnabled() != off.contains(a->objectName()), qPrintable(a->objectName()));
    }
    const std::pair<QKeyCombination, const char*> rows[] = {
        {Qt::CTRL | Qt::Key_N, "FileNewItem"},  {Qt::CTRL | Qt::Key_S, "FileSaveItem"},
        {Qt::Key_F5, "ExecuteWinMendra1"},      {Qt::CTRL | Qt::Key_U, "ViewSetFile"},
        {Qt::CTRL | Qt::Key_Q, "FileExitItem"},
    };
    QStringList triggered;
    for (QAction* a : s_->window().findChildren<QAction*>())
      connect(a, &QAction::triggered, this, [&triggered, a] { triggered << a->objectName(); });
    s_->ui.files.assign(2, std::nullopt);  // the file dialogs are cancelled
    for (const auto& [key, command] : rows) {
      triggered.clear();
      // From a field of a page once there are pages, so that no field keeps the key to itself.
      QWidget* focus = s_->f.PageControl1.visible() ? s_->find("TxtProgTitle") : &s_->window();
      focus->setFocus();
      QTest::keyClick(focus, key.key(), key.keyboardModifiers());
      QCOMPARE(triggered, QStringList{QString::fromLatin1(command)});
    }
    QVERIFY(s_->f.PageControl1.visible() && !s_->find("StartHint")->isVisible());
    QCOMPARE(s_->window().windowHandle()->title(), QStringLiteral("WinTarvel - Untitled"));
    QVERIFY(!s_->window().isVisible());  // Ctrl+Q ended the program
  }

  void pageKeysSwitchPagesWhereverTheFocusIs() {
    s_->trigger("FileNewItem");
    s_->windows.binder.run([this] { s_->f.RadRePat1.setChecked(true); });  // shows the memo
    // Correlated Errors (5) stays hidden without two constructs: the keys pass over it.
    const std::tuple<int, const char*, QKeyCombination, int> rows[] = {
        {0, "TxtProgTitle", Qt::CTRL | Qt::Key_PageUp, 7},
        {7, "TxtDataFile", Qt::CTRL | Qt::Key_Tab, 0},
        {4, "TxtConstruct", Qt::CTRL | Qt::Key_PageDown, 6},
        {6, "MemoReorder", Qt::CTRL | Qt::Key_PageUp, 4},
        {4, "LstVars", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3},
    };
    for (const auto& [from, focus, key, page] : rows) {
      s_->pages()->setCurrentIndex(from);
      s_->find(focus)->setFocus();
      QTest::keyClick(s_->find(focus), key.key(), key.keyboardModifiers());
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

    // A paste over a selection spanning two breaks, a joined line, then a key outside Latin-1.
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(14, QTextCursor::KeepAnchor);  // "3\n3 2 1\n2 "
    memo->setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(QStringLiteral("9\r\n8 7\n6 "));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u20ac"));
    QApplication::sendEvent(memo, &euro);  // refused: not Latin-1
    QCOMPARE(core(), std::string("1 2 9\r\n8 7\r\n6 1 3"));
    QCOMPARE(shown(), core());

    // The widget's undo reaches the core as edits too, back to the empty memo.
    while (memo->document()->isUndoAvailable()) {
      QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(core(), shown());
    }
    QCOMPARE(core(), std::string());

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

    // Line breaks that are not CR LF show as breaks; at the first edit the core takes what is
    // shown.
    programSets("a\nb\rc\r\nd");
    QCOMPARE(memo->document()->blockCount(), 4);
    QTest::keyClick(memo, Qt::Key_X);
    QCOMPARE(core(), std::string("xa\r\nb\r\nc\r\nd"));

    // A long text set while the memo is out of sight waits until it is shown; an edit of the text
    // still shown is not taken.
    std::string records;
    for (int i = 0; i < 10'001; ++i) records += "1 2\r\n";
    programSets(records);
    QCOMPARE(memo->document()->blockCount(), 4);
    QTest::keyClick(memo, Qt::Key_Y);
    QCOMPARE(core(), records);
    s_->pages()->setCurrentWidget(s_->pageOf(memo));
    QCOMPARE(shown(), records);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_tests.moc"
