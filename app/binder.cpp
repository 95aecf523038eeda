#include "app/binder.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/field_feedback.h"
#include "app/hints.h"
#include "app/latin1.h"
#include "app/user_steps.h"

namespace wintarvel::view {

namespace {

// QLineEdit's own default limit, used when the control has none.
constexpr int kNoLengthLimit = 32767;

class MouseClickFilter : public QObject {
 public:
  MouseClickFilter(QObject* target, std::function<void()> action)
      : QObject(target), action_(std::move(action)) {
    target->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) pressed_ = true;
    if (event->type() == QEvent::MouseButtonRelease && pressed_) {
      pressed_ = false;
      auto* widget = qobject_cast<QWidget*>(watched);
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (widget == nullptr || widget->rect().contains(mouse->position().toPoint())) action_();
    }
    return false;
  }

 private:
  std::function<void()> action_;
  bool pressed_ = false;
};

class KeyForwarder : public QObject {
 public:
  KeyForwarder(QObject* target, Binder& binder, std::function<void(char)> handler)
      : QObject(target), binder_(binder), handler_(std::move(handler)) {
    target->installEventFilter(this);
  }

  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || passingOn_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    char code = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      code = 13;
    } else if (key->text() == QLatin1String(".")) {
      code = '.';
    }
    if (code == 0) return false;
    // The widget gets the key after the command, and after the view shows what the command did.
    binder_.run(keyStep(target->objectName(), code), [&] {
      try {
        handler_(code);
      } catch (...) {
        passOn(target, event);
        throw;
      }
      passOn(target, event);
    });
    return true;
  }

 private:
  void passOn(QObject* target, QEvent* event) {
    binder_.refresh();
    passingOn_ = true;
    QCoreApplication::sendEvent(target, event);
    passingOn_ = false;
    event->accept();  // delivered once: the parents have had it if the widget passed it up
  }

  Binder& binder_;
  std::function<void(char)> handler_;
  bool passingOn_ = false;
};

// Ctrl+Z and the redo keys undo the study's last step, also while a field of the study has the
// focus: the field's own undo would take back its typing alone and leave everything else.
class StudyUndoKeys : public QObject {
 public:
  explicit StudyUndoKeys(QObject* target) : QObject(target) { target->installEventFilter(this); }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
      return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination combination = key->keyCombination();
    const bool undoKey =
        key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
        combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
        combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    if (!undoKey) return false;
    event->ignore();  // not the field's: the window's Edit menu takes the key
    return true;
  }
};

// A click on a list changes the current row during the mouse press; a click on the row that is
// already current changes nothing and only the release reports it. Both are one user click.
class ListClickTracker : public QObject {
 public:
  explicit ListClickTracker(QListWidget* list) : QObject(list) {
    list->viewport()->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) rowChangedByPress = false;
    return false;
  }
  bool rowChangedByPress = false;
};

bool sameItems(const QListWidget* widget, const ListBox& control) {
  if (widget->count() != control.count()) return false;
  for (int i = 0; i < control.count(); ++i) {
    if (widget->item(i)->text() != toQt(control.item(i))) return false;
  }
  return true;
}

void pushItems(QListWidget* widget, const ListBox& control) {
  if (sameItems(widget, control)) return;
  widget->clear();
  for (const std::string& item : control.items()) widget->addItem(toQt(item));
}

void pushItems(QComboBox* widget, const ListBox& control) {
  bool same = widget->count() == control.count();
  for (int i = 0; same && i < control.count(); ++i) {
    same = widget->itemText(i) == toQt(control.item(i));
  }
  if (same) return;
  widget->clear();
  for (const std::string& item : control.items()) widget->addItem(toQt(item));
}

}  // namespace

void pushCommonState(QWidget* widget, const Control& control) {
  widget->setEnabled(control.enabled());
  widget->setVisible(control.visible());
}

void showChecked(QAbstractButton* button, bool checked) {
  QButtonGroup* group = button->group();
  if (!checked && button->isChecked() && group != nullptr && group->exclusive()) {
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
    return;
  }
  button->setChecked(checked);
}

void onMouseClick(QObject* target, std::function<void()> action) {
  new MouseClickFilter(target, std::move(action));
}

void forwardKeys(QObject* target, Binder& binder, std::function<void(char)> handler) {
  new KeyForwarder(target, binder, std::move(handler));
}

void Binder::run(const std::string& step, const std::function<void()>& handler) {
  if (inEvent_) {
    dispatch(ui_, handler);
    return;
  }
  inEvent_ = true;
  dispatch(ui_, [&] {
    if (runner_) {
      runner_(step, handler);
    } else {
      handler();
    }
  });
  inEvent_ = false;
  refresh();
}

void Binder::runTyping(QLineEdit* field, const std::string& step,
                       const std::function<void()>& handler) {
  QString conversionError;
  run(step, [&] {
    try {
      handler();
    } catch (const ConversionError& e) {
      conversionError = toQt(e.what());
    }
  });
  if (conversionError.isEmpty()) {
    clearFieldError(field);
  } else {
    showFieldError(field, conversionError);
  }
}

void Binder::refresh() {
  if (pushing_) return;
  pushing_ = true;
  // By index: the pushes may append watches, which this loop then reaches as well.
  for (std::size_t i = 0; i < watches_.size(); ++i) {
    Watch& w = watches_[i];
    if (w.pushedOnce && w.seen == w.control->revision()) continue;
    w.seen = w.control->revision();
    w.pushedOnce = true;
    w.push();
  }
  for (const auto& update : updates_) update();
  pushing_ = false;
}

void Binder::watch(const Control& control, std::function<void()> push) {
  watches_.push_back({&control, 0, false, std::move(push)});
}

QLineEdit* Binder::edit(Edit& control, const char* name) {
  auto* w = new QLineEdit;
  w->setObjectName(name);
  w->setValidator(new EditValidator(w));
  watch(control, [w, &control] {
    pushCommonState(w, control);
    const QString text = toQt(control.text());
    // The limit holds for typing only: a longer text set by the program stays whole, and the
    // user may shorten it but not lengthen it.
    const int limit =
        control.maxLength() == 0
            ? std::max<int>(kNoLengthLimit, static_cast<int>(text.size()))
            : std::max<int>(static_cast<int>(control.maxLength()), static_cast<int>(text.size()));
    if (w->maxLength() != limit) w->setMaxLength(limit);
    if (w->text() != text) {
      w->setText(text);
      clearFieldError(w);  // the program replaced what the error was about
    }
  });
  const std::string step = typingStep(QLatin1String(name));
  if (!step.empty()) new StudyUndoKeys(w);
  QObject::connect(w, &QLineEdit::textEdited, [this, w, &control, step](const QString& text) {
    if (pushing_) return;
    runTyping(w, step, [&] { control.setText(toCore(text)); });
  });
  noticeWhenFull(w);
  acceptFilePathDrops(w);
  return w;
}

QCheckBox* Binder::checkBox(CheckBox& control, const char* name) {
  auto* w = new QCheckBox;
  w->setObjectName(name);
  auto push = [w, &control] {
    pushCommonState(w, control);
    w->setText(captionWithAccessKey(w, toQt(control.caption())));
    w->setChecked(control.checked());
  };
  watch(control, push);
  QObject::connect(w, &QCheckBox::clicked, [this, w, &control](bool on) {
    if (pushing_) return;
    run(control.caption() + (on ? " On" : " Off"), [&] { control.setChecked(on); });
    // The widget toggled itself; the control decides what it shows.
    pushing_ = true;
    w->setChecked(control.checked());
    pushing_ = false;
  });
  return w;
}

QRadioButton* Binder::radio(RadioButton& control, const char* name) {
  auto* w = new QRadioButton;
  w->setObjectName(name);
  // The control's group decides which button is checked (it may be none of them).
  w->setAutoExclusive(false);
  watch(control, [w, &control] {
    pushCommonState(w, control);
    w->setText(captionWithAccessKey(w, toQt(control.caption())));
    showChecked(w, control.checked());
  });
  QObject::connect(w, &QRadioButton::clicked, [this, w, &control] {
    if (pushing_) return;
    run("Choose " + control.caption(), [&] { control.setChecked(true); });
    // A click on a checked button unchecked the widget; the control keeps it checked.
    pushing_ = true;
    showChecked(w, control.checked());
    pushing_ = false;
  });
  return w;
}

QPushButton* Binder::button(Button& control, const char* name, std::function<void()> onClick) {
  auto* w = new QPushButton;
  w->setObjectName(name);
  w->setAutoDefault(false);
  watch(control, [w, &control] {
    pushCommonState(w, control);
    w->setText(captionWithAccessKey(w, toQt(control.caption())));
  });
  QObject::connect(w, &QPushButton::clicked,
                   [this, step = commandStep(QLatin1String(name)), onClick = std::move(onClick)] {
                     if (!pushing_) run(step, onClick);
                   });
  return w;
}

QLabel* Binder::label(Label& control, const char* name) {
  auto* w = new QLabel;
  w->setObjectName(name);
  w->setTextFormat(Qt::PlainText);
  watch(control, [w, &control] {
    pushCommonState(w, control);
    // A label that names a field marks its access key; any other shows its caption as it is.
    const QString caption = toQt(control.caption());
    w->setText(w->buddy() != nullptr ? captionWithAccessKey(w, caption) : caption);
  });
  return w;
}

QGroupBox* Binder::groupBox(GroupBox& control, const char* name) {
  auto* w = new QGroupBox;
  w->setObjectName(name);
  watch(control, [w, &control] {
    pushCommonState(w, control);
    w->setTitle(captionWithAccessKey(w, toQt(control.caption())));
  });
  return w;
}

QListWidget* Binder::list(ListBox& control, const char* name, std::function<void()> onClick) {
  auto* w = new QListWidget;
  w->setObjectName(name);
  w->setSelectionMode(QAbstractItemView::SingleSelection);
  watch(control, [w, &control] {
    pushCommonState(w, control);
    pushItems(w, control);
    if (control.itemIndex() >= 0) {
      w->setCurrentRow(control.itemIndex());
    } else {
      w->setCurrentRow(-1);
      w->clearSelection();
    }
  });
  auto* tracker = new ListClickTracker(w);
  auto click = [this, &control, onClick = std::move(onClick)](int row) {
    run([&] {
      control.setItemIndex(row);
      onClick();
    });
  };
  QObject::connect(w, &QListWidget::currentRowChanged, [this, tracker, click](int row) {
    if (pushing_ || row < 0) return;
    tracker->rowChangedByPress = true;
    click(row);
  });
  QObject::connect(w, &QListWidget::clicked, [this, tracker, click](const QModelIndex& index) {
    if (pushing_ || !index.isValid()) return;
    if (tracker->rowChangedByPress) {
      tracker->rowChangedByPress = false;
      return;
    }
    click(index.row());
  });
  return w;
}

QListWidget* Binder::multiList(ListBox& control, const char* name) {
  auto* w = new QListWidget;
  w->setObjectName(name);
  w->setSelectionMode(QAbstractItemView::ExtendedSelection);
  watch(control, [w, &control] {
    pushCommonState(w, control);
    pushItems(w, control);
    for (int i = 0; i < control.count(); ++i) w->item(i)->setSelected(control.selected(i));
  });
  QObject::connect(w, &QListWidget::itemSelectionChanged, [this, w, &control] {
    if (pushing_) return;
    run([&] {
      const int n = std::min(control.count(), w->count());
      for (int i = 0; i < n; ++i) control.setSelected(i, w->item(i)->isSelected());
      control.setItemIndex(w->currentRow());
    });
  });
  return w;
}

QComboBox* Binder::comboBox(ComboBox& control, const char* name) {
  auto* w = new QComboBox;
  w->setObjectName(name);
  w->setEditable(false);
  watch(control, [w, &control] {
    pushCommonState(w, control);
    pushItems(w, control);
    w->setCurrentIndex(control.itemIndex());
  });
  QObject::connect(w, &QComboBox::activated, [this, &control](int index) {
    if (pushing_) return;
    run([&] {
      control.setItemIndex(index);
      if (index >= 0 && index < control.count()) control.setText(control.item(index));
    });
  });
  return w;
}

QWidget* Binder::upDown(UpDown& control, const char* name,
                        std::function<void(UpDownButton)> onPress) {
  auto* w = new QWidget;
  w->setObjectName(name);
  auto* layout = new QVBoxLayout(w);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const std::string base = name;
  const std::string step = commandStep(QLatin1String(name));
  for (UpDownButton direction : {UpDownButton::Up, UpDownButton::Down}) {
    auto* arrow = new QToolButton(w);
    const bool up = direction == UpDownButton::Up;
    arrow->setObjectName(QString::fromStdString(base + (up ? "Up" : "Down")));
    arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    arrow->setToolTip(up ? QStringLiteral("Move up") : QStringLiteral("Move down"));
    arrow->setAccessibleName(arrow->toolTip());
    arrow->setAutoRepeat(true);
    layout->addWidget(arrow);
    QObject::connect(arrow, &QToolButton::clicked, [this, direction, onPress, step] {
      if (!pushing_) run(step, [&] { onPress(direction); });
    });
  }
  layout->addStretch();
  watch(control, [w, &control] { pushCommonState(w, control); });
  return w;
}

}  // namespace wintarvel::view
