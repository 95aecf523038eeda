// The binder alone, without a window: watches added by a push (a page built while a refresh
// runs) are pushed by that same refresh and follow the control afterwards.

#include <QTest>
#include <string>
#include <vector>

#include "app/binder.h"
#include "scripted_ui.h"

using namespace wintarvel;

class BinderTest : public QObject {
  Q_OBJECT

 private slots:
  void watchesAddedByAPushArePushedInTheSameRefresh();
};

void BinderTest::watchesAddedByAPushArePushedInTheSameRefresh() {
  testing::ScriptedUi ui;
  view::Binder binder(ui);
  Label trigger;
  Label value;
  trigger.setVisible(false);
  // Enough watches that the storage has to grow while the push that adds them runs.
  constexpr int kAdded = 200;
  std::vector<std::string> shown(kAdded);
  int builds = 0;
  int triggerPushes = 0;
  binder.watch(trigger, [&] {
    ++triggerPushes;
    if (!trigger.visible() || builds > 0) return;
    ++builds;
    for (int i = 0; i < kAdded; ++i) {
      binder.watch(value,
                   [&shown, &value, i] { shown[static_cast<std::size_t>(i)] = value.caption(); });
    }
  });
  binder.refresh();
  QCOMPARE(builds, 0);

  binder.run([&] {
    value.setCaption("first");
    trigger.setVisible(true);
  });
  QCOMPARE(builds, 1);
  QCOMPARE(triggerPushes, 2);
  for (const std::string& s : shown) QCOMPARE(s, std::string("first"));

  binder.run([&] { value.setCaption("second"); });
  for (const std::string& s : shown) QCOMPARE(s, std::string("second"));
  QCOMPARE(triggerPushes, 2);

  binder.run([&] { trigger.setCaption("again"); });
  QCOMPARE(builds, 1);
  QCOMPARE(triggerPushes, 3);
}

QTEST_MAIN(BinderTest)
#include "binder_tests.moc"
