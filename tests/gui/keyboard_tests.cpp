// The window by keyboard: the standard shortcuts reach their commands and the user guide lists
// them, the page keys switch pages wherever the focus is, every page's buttons and labels have
// access keys of their own that reach their control, Tab goes through a page's fields before the
// buttons below the pages, and a group of options is one Tab stop whose arrow keys choose.

#include <memory>

#include "app/help_window.h"
#include "window_session.h"

using namespace wintarvel;

namespace {

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
  const QList<QWidget*> inside = w->findChildren<QWidget*>();
  return qobject_cast<QGroupBox*>(w) == nullptr ||
         std::any_of(inside.begin(), inside.end(), [](QWidget* c) {
           return c->isEnabled() && c->isVisible() && (c->focusPolicy() & Qt::TabFocus) != 0;
         });
}

void press(QWidget* target, QKeyCombination key) {
  QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    s_ = std::make_unique<testing::WindowSession>();
    QVERIFY(s_->show());
    QApplication::setActiveWindow(&s_->window());
    QVERIFY(QTest::qWaitForWindowActive(&s_->window()));
  }
  void cleanup() { s_.reset(); }
  void standardShortcutsTriggerTheirCommandsAndTheGuideListsThem();
  void pageKeysSwitchPagesWhereverTheFocusIs();
  void accessKeysAreUniqueOnEveryPageAndReachTheirControl();
  void tabGoesThroughThePageBeforeTheButtonsAndOnceThroughAGroup();

 private:
  std::unique_ptr<testing::WindowSession> s_;
};

void KeyboardTest::standardShortcutsTriggerTheirCommandsAndTheGuideListsThem() {
  const std::pair<QKeyCombination, const char*> rows[] = {
      {Qt::CTRL | Qt::Key_N, "FileNewItem"},  {Qt::CTRL | Qt::Key_O, "FileOpenItem"},
      {Qt::CTRL | Qt::Key_S, "FileSaveItem"}, {Qt::CTRL | Qt::SHIFT | Qt::Key_S, "SaveSetFileAs1"},
      {Qt::Key_F5, "ExecuteWinMendra1"},      {Qt::CTRL | Qt::Key_U, "ViewSetFile"},
      {Qt::Key_F1, "HelpContentsItem"},       {Qt::CTRL | Qt::Key_Q, "FileExitItem"},
  };
  QStringList triggered, keys;
  for (QAction* a : s_->window().findChildren<QAction*>()) {
    connect(a, &QAction::triggered, this, [&triggered, a] { triggered << a->objectName(); });
    if (!a->shortcut().isEmpty()) keys << a->shortcut().toString(QKeySequence::NativeText);
  }
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
  auto* help = s_->window().findChild<view::HelpWindow*>(QStringLiteral("HelpWindow"));
  QVERIFY(help != nullptr && help->isVisible());
  const QString guide = help->browser()->toPlainText();
  QVERIFY(guide.contains(QStringLiteral("Keyboard shortcuts")) && keys.size() >= 9);
  for (const QString& key : keys << "Ctrl+Tab") QVERIFY2(guide.contains(key), qPrintable(key));
}

void KeyboardTest::pageKeysSwitchPagesWhereverTheFocusIs() {
  s_->trigger("FileNewItem");
  s_->pages()->setCurrentIndex(0);
  s_->windows.binder.run([this] { s_->f.RadRePat1.setChecked(true); });  // shows the memo
  // Correlated Errors (5) stays hidden without two constructs: the keys pass over it.
  const struct {
    const char* focus;
    QKeyCombination key;
    int page;
  } rows[] = {
      {"TxtProgTitle", Qt::CTRL | Qt::Key_Tab, 1},
      {"CmbDyVar", Qt::CTRL | Qt::Key_PageDown, 2},
      {"TxtGroupFortran", Qt::CTRL | Qt::Key_PageDown, 3},
      {"RadOut0", Qt::CTRL | Qt::Key_PageDown, 4},
      {"TxtConstruct", Qt::CTRL | Qt::Key_PageDown, 6},
      {"MemoReorder", Qt::CTRL | Qt::Key_PageUp, 4},
      {"LstVars", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3},
      {"ChkTechOut", Qt::CTRL | Qt::Key_PageUp, 2},
      {"TxtGroupFortran", Qt::CTRL | Qt::Key_PageUp, 1},
      {"TxtDyVars", Qt::CTRL | Qt::Key_PageUp, 0},
      {"TxtNumGroups", Qt::CTRL | Qt::Key_PageUp, 7},
      {"TxtDataFile", Qt::CTRL | Qt::Key_Tab, 0},
  };
  for (const auto& row : rows) {
    QWidget* focus = s_->find(row.focus);
    focus->setFocus();
    QCOMPARE(QApplication::focusWidget(), focus);
    press(focus, row.key);
    QCOMPARE(s_->pages()->currentIndex(), row.page);
    QCOMPARE(s_->f.PageControl1.activePage(), row.page);
  }
  QCOMPARE(s_->f.TxtProgTitle.text(), std::string());  // no key reached a field as typing
}

void KeyboardTest::accessKeysAreUniqueOnEveryPageAndReachTheirControl() {
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

void KeyboardTest::tabGoesThroughThePageBeforeTheButtonsAndOnceThroughAGroup() {
  s_->trigger("FileNewItem");
  s_->pages()->setCurrentIndex(0);
  s_->find("TxtProgTitle")->setFocus();
  QStringList order;
  for (int i = 0; i < 8; ++i) {
    order << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // The three design types are one stop; the disabled dropped-subject controls none.
  QCOMPARE(order, (QStringList{"TxtProgTitle", "TxtNumGroups", "TxtNumSubGroup1", "TxtNumSubGroup2",
                               "RadDesTy0", "ChkDropSub", "Done", "Cancel"}));

  // Within the group the arrow keys choose, as a click does.
  s_->find("RadDesTy0")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(QApplication::focusWidget(), s_->find("RadDesTy1"));
  QVERIFY(s_->f.RadDesTy1.checked());
  QVERIFY(s_->find("TxtNameSubGroup1")->isVisible());  // the rule of the design ran
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), s_->find("ChkDropSub"));
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_tests.moc"
