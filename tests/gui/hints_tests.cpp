// What the window tells about its controls: every input control of every page, and the buttons,
// carry a hint (tool tip, status text and accessible description alike) that gives the field's
// limit; a full field says so in the status bar; the user guide covers the keys the window has.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "app/field_feedback.h"
#include "app/help_window.h"
#include "app/memo_binding.h"
#include "window_session.h"

using namespace wintarvel;
using wintarvel::testing::WindowSession;

namespace {

// The controls a user types into, chooses in or presses, found by type so that a control added
// later is checked too.
bool isInputControl(QWidget* w) {
  if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) return false;
  if (qobject_cast<QScrollArea*>(w) != nullptr) return false;  // a page
  return qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QAbstractButton*>(w) != nullptr ||
         qobject_cast<QAbstractItemView*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr ||
         qobject_cast<view::MemoEdit*>(w) != nullptr;
}

}  // namespace

class HintsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyInputControlHasAHintThatGivesItsLimit();
  void aFullFieldSaysSoWhileItIsFull();
  void theGuideListsTheWindowsShortcuts();
};

void HintsTest::everyInputControlHasAHintThatGivesItsLimit() {
  WindowSession s;
  QVERIFY(s.show());
  s.find<QAction>("FileNewItem")->trigger();
  QList<QWidget*> controls;
  auto* pages = s.find<QTabWidget>("PageControl1");
  for (int i = 0; i < pages->count(); ++i) controls << pages->widget(i)->findChildren<QWidget*>();
  controls << s.find<QWidget>("Done") << s.find<QWidget>("Cancel");
  controls
      << s.window().findChild<QWidget*>(QStringLiteral("FrmOptions"))->findChildren<QWidget*>();

  int checked = 0;
  for (QWidget* w : controls) {
    if (!isInputControl(w)) continue;
    ++checked;
    const QString tip = w->toolTip();
    QVERIFY2(!tip.isEmpty(), qPrintable(w->objectName() + " has no hint"));
    QCOMPARE(w->statusTip(), tip);
    QCOMPARE(w->accessibleDescription(), tip);
    // A field with a length limit names it.
    auto* field = qobject_cast<QLineEdit*>(w);
    if (field != nullptr && field->maxLength() < 32767) {
      QVERIFY2(tip.contains(QString::number(field->maxLength())),
               qPrintable(w->objectName() + ": " + tip));
    }
  }
  QVERIFY(checked > 90);  // every page's controls were there to check
}

void HintsTest::aFullFieldSaysSoWhileItIsFull() {
  WindowSession s;
  QVERIFY(s.show());
  s.find<QAction>("FileNewItem")->trigger();
  s.find<QTabWidget>("PageControl1")->setCurrentIndex(1);
  auto* name = s.find<QLineEdit>("TxtDyVars");
  auto* status = s.window().findChild<QStatusBar*>();
  name->setFocus();
  QTest::keyClicks(name, QStringLiteral("ABCDEFGHI"));
  QCOMPARE(status->currentMessage(), QString());
  QTest::keyClick(name, 'J');
  QCOMPARE(status->currentMessage(), view::fullFieldNotice(10));
  // Another message meanwhile; the next refused character says it again.
  status->showMessage(QStringLiteral("something else"));
  QTest::keyClick(name, 'K');
  QCOMPARE(name->text(), QStringLiteral("ABCDEFGHIJ"));
  QCOMPARE(status->currentMessage(), view::fullFieldNotice(10));
  QTest::keyClick(name, Qt::Key_Backspace);
  QCOMPARE(status->currentMessage(), QString());
  QVERIFY(view::fullFieldNotice(10).contains(QStringLiteral("10 characters")));
}

void HintsTest::theGuideListsTheWindowsShortcuts() {
  WindowSession s;
  QVERIFY(s.show());
  s.find<QAction>("HelpContentsItem")->trigger();
  auto* help = s.window().findChild<view::HelpWindow*>(QStringLiteral("HelpWindow"));
  QVERIFY(help != nullptr && help->isVisible());
  const QString guide = help->browser()->toPlainText();
  for (const char* section :
       {"The set file", "The pages", "The example study", "Keyboard shortcuts"})
    QVERIFY2(guide.contains(QLatin1String(section)), section);
  // Every command with a key is in the guide's table.
  QStringList keys;
  for (QAction* a : s.window().findChildren<QAction*>()) {
    if (!a->shortcut().isEmpty()) keys << a->shortcut().toString(QKeySequence::NativeText);
  }
  QVERIFY(keys.size() >= 9);
  for (const QString& key : keys) QVERIFY2(guide.contains(key), qPrintable(key));
  QVERIFY(guide.contains(QStringLiteral("Ctrl+Tab")));
}

QTEST_MAIN(HintsTest)
#include "hints_tests.moc"
