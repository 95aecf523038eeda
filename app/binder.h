#pragma once
// Binds the widgets of the view to the controls of the core. Every user event runs through
// run(): the handler is dispatched (errors shown by the Ui) through the program's event runner,
// which keeps the undo history, then the widgets whose control changed are refreshed. A control
// counts its changes (revision), so a refresh compares one number per control and copies nothing
// that did not change.

#include <QObject>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/frm1.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace wintarvel::view {

class Binder {
 public:
  // Runs one user event named as an undo step (empty: no step of its own).
  using EventRunner =
      std::function<void(const std::string& step, const std::function<void()>& handler)>;

  // Without a runner the handlers run as they are, with no history.
  explicit Binder(Ui& ui, EventRunner runner = {}) : ui_(ui), runner_(std::move(runner)) {}
  Binder(const Binder&) = delete;
  Binder& operator=(const Binder&) = delete;

  // Runs one user event: the handler, then the refresh of what it changed. An event raised while
  // another one runs (a widget's signal from within a handler) is part of that one.
  void run(const std::function<void()>& handler) { run(std::string(), handler); }
  void run(const std::string& step, const std::function<void()>& handler);
  // Runs the event of the user's typing in `field` as `run` does. A conversion error it raises is
  // shown at the field instead of in the error box; a later typing event that raises none takes
  // it back.
  void runTyping(QLineEdit* field, const std::string& step, const std::function<void()>& handler);
  // Brings every widget whose control changed since its last refresh up to date, then runs the
  // updates given to afterRefresh (for what no control holds, such as the Edit menu).
  void refresh();
  void afterRefresh(std::function<void()> update) { updates_.push_back(std::move(update)); }
  // True while the view itself is writing into widgets; their signals are then not user events.
  bool pushing() const { return pushing_; }

  // Calls `push` at the next refresh and whenever the control's revision moves afterwards. A watch
  // added while a refresh runs (a push that builds widgets) is pushed by that same refresh.
  void watch(const Control& control, std::function<void()> push);

  // Widget factories: each widget gets the control's name as objectName and stays in step with
  // the control. Handlers are those the program runs on the user's action.
  QLineEdit* edit(Edit& control, const char* name);
  QCheckBox* checkBox(CheckBox& control, const char* name);
  QRadioButton* radio(RadioButton& control, const char* name);
  QPushButton* button(Button& control, const char* name, std::function<void()> onClick);
  QLabel* label(Label& control, const char* name);
  QGroupBox* groupBox(GroupBox& control, const char* name);
  // A single-selection list: a user's click selects the item and then runs onClick.
  QListWidget* list(ListBox& control, const char* name, std::function<void()> onClick);
  // A multi-selection list: the user's selection is copied into the control.
  QListWidget* multiList(ListBox& control, const char* name);
  QComboBox* comboBox(ComboBox& control, const char* name);
  // Vertical up and down arrows; a press runs onPress with the arrow pressed.
  QWidget* upDown(UpDown& control, const char* name, std::function<void(UpDownButton)> onPress);

 private:
  struct Watch {
    const Control* control;
    std::uint64_t seen;
    bool pushedOnce;
    std::function<void()> push;
  };

  Ui& ui_;
  EventRunner runner_;
  // A deque: a push may add watches, and appending keeps the running watch where it is.
  std::deque<Watch> watches_;
  std::vector<std::function<void()>> updates_;
  bool pushing_ = false;
  bool inEvent_ = false;
};

// Enabled and visible state, shared by every kind of widget.
void pushCommonState(QWidget* widget, const Control& control);

// Shows a button checked or not. The core's radio group may have no button checked, which an
// exclusive QButtonGroup refuses on its own.
void showChecked(QAbstractButton* button, bool checked);

// Runs `action` when the watched object gets a mouse click (press and release on it).
void onMouseClick(QObject* target, std::function<void()> action);

// Hands Enter (13) and '.' (46) pressed in the watched widget to `handler` before the widget
// itself gets the key, as the program's key-press rules expect. The command and the key the
// widget then takes are one event: one step to undo.
void forwardKeys(QObject* target, Binder& binder, std::function<void(char)> handler);

}  // namespace wintarvel::view
