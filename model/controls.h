#pragma once
// The controls of the main window as plain objects. Each one holds the state a widget has and
// runs its handler the way the original toolkit did: a change made by the program runs the
// handler exactly like a change made by the user, and only when the value really changes.
// The Qt view mirrors this state in real widgets; every rule of the program works on these.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wintarvel {

using Handler = std::function<void()>;

// Everything a control shows, as the undo history keeps it. Each kind of control fills the
// fields it has; restoring sets them back without running any handler.
struct ControlState {
  bool enabled = true;
  bool visible = true;
  std::string caption;
  std::string text;      // an edit's or a combo box's text
  bool checked = false;  // check box, radio button; a page's tab shown
  int itemIndex = -1;
  std::vector<std::string> items;
  std::vector<bool> selected;
  // A memo's text, shared with the memo rather than copied; null when the state leaves the
  // memo's text out (it is then kept as it is on restore).
  std::shared_ptr<const std::string> memoText;
  std::uint64_t memoContent = 0;  // tells the memo's texts apart without comparing them
  std::size_t memoLineBreaks = 0;
};

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  bool visible() const { return visible_; }
  void setVisible(bool on);

  // Grows with every change of state, so a view can refresh only what changed.
  std::uint64_t revision() const { return revision_; }

  // The state for the undo history, and its return. Restoring runs no handler; it counts as a
  // change (revision) when anything differs, so the view shows the state again.
  virtual void saveState(ControlState& state) const;
  virtual void restoreState(const ControlState& state);

 protected:
  void touch() { ++revision_; }

 private:
  bool enabled_ = true;
  bool visible_ = true;
  std::uint64_t revision_ = 0;
};

// A control that shows a caption of its own.
class Captioned : public Control {
 public:
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);

  void saveState(ControlState& state) const override;
  void restoreState(const ControlState& state) override;

 private:
  std::string caption_;
};

class Label : public Captioned {};
class Button : public Captioned {};

// A group box or frame: only enabled and visible matter, plus its caption.
using GroupBox = Label;

// Vertical up-down arrows; only the direction of a press matters to the program.
enum class UpDownButton { Up, Down };
using UpDown = Control;

class Edit : public Control {
 public:
  const std::string& text() const { return text_; }
  // Runs onChange when the text changes. The maximum length only limits typing, as in the
  // original toolkit: a text set by the program is kept whole.
  void setText(const std::string& text);
  std::size_t maxLength() const { return maxLength_; }  // 0: no limit
  void setMaxLength(std::size_t n) { maxLength_ = n; }

  void saveState(ControlState& state) const override;
  void restoreState(const ControlState& state) override;

  Handler onChange;

 private:
  std::string text_;
  std::size_t maxLength_ = 0;
};

class CheckBox : public Captioned {
 public:
  bool checked() const { return checked_; }
  // Runs onClick when the state changes.
  void setChecked(bool on);

  void saveState(ControlState& state) const override;
  void restoreState(const ControlState& state) override;

  Handler onClick;

 private:
  bool checked_ = false;
};

class RadioButton;

// The buttons that exclude each other: at most one of them is checked.
class RadioGroup {
 public:
  void add(RadioButton& button) { buttons_.push_back(&button); }
  const std::vector<RadioButton*>& buttons() const { return buttons_; }
  // Index of the checked button, -1 when none is.
  int checkedIndex() const;

 private:
  std::vector<RadioButton*> buttons_;
};

class RadioButton : public Captioned {
 public:
  explicit RadioButton(RadioGroup& group) : group_(group) { group_.add(*this); }

  bool checked() const { return checked_; }
  // Checking unchecks the other buttons of the group (their handlers do not run) and runs this
  // button's onClick; unchecking only unchecks.
  void setChecked(bool on);

  // Restoring sets this button alone: the history restores every button of the group.
  void saveState(ControlState& state) const override;
  void restoreState(const ControlState& state) override;

  Handler onClick;

 private:
  void uncheckSilently();

  RadioGroup& group_;
  bool checked_ = false;
};

class ListBox : public Control {
 public:
  explicit ListBox(bool multiSelect = false) : multiSelect_(multiSelect) {}

  const std::vector<std::string>& items() const { return items_; }
  int count() const { return static_cast<int>(items_.size()); }
  const std::string& item(int i) const { return items_.at(static_cast<std::size_t>(i)); }
  bool multiSelect() const { return multiSelect_; }

  // Setting the index runs nothing; the view runs the click handler after a user's click.
  int itemIndex() const { return itemIndex_; }
  void setItemIndex(int i);

  void add(const std::string& s);
  void insert(int i, const std::string& s);
  void remove(int i);
  void clear();
  // Deletes item i and inserts the new text at the same index, as the program's rules do.
  void replace(int i, const std::string& s);

  bool selected(int i) const;
  void setSelected(int i, bool on);
  int firstSelected() const;

  void saveState(ControlState& state) const override;
  void restoreState(const ControlState& state) override;

 private:
  std::vector<std::string> items_;
  std::vector<bool> selected_;
  int itemIndex_ = -1;
  bool multiSelect_;
};

class ComboBox : public ListBox {
 public:
  const std::string& text() const { return text_; }
  void setText(const std::string& text);

  void saveState(ControlState& state) const override;
  void restoreState(const ControlState& state) override;

 private:
  std::string text_;
};

// A multi-line text whose lines end in CR LF. The number of lines is kept up to date on every
// change so that asking for it costs nothing even when the text holds 200,000 lines.
//
// The text lies in a buffer that others may share (the undo history does): holding it costs no
// copy, and the memo copies its text only when it changes while the buffer is held elsewhere.
class Memo : public Control {
 public:
  Memo();

  const std::string& text() const { return *text_; }
  void setText(std::string text);
  // Grows with every change of the text alone, so a view showing the text can tell when to read
  // it again.
  std::uint64_t textRevision() const { return textRevision_; }
  // Replaces `length` bytes at `position` by `insert`; what a user's single edit does.
  void replace(std::size_t position, std::size_t length, const std::string& insert);
  void appendLine(const std::string& line);
  // Lines of the text; an empty last line (after a final line break) is not counted.
  std::size_t lineCount() const;
  std::vector<std::string> lines() const;

  // The text as it stands, shared and never changed afterwards.
  std::shared_ptr<const std::string> sharedText() const { return text_; }
  // Names the text: every change gives a new number, and restoring a text gives its number back,
  // so two texts of one memo with the same number are the same.
  std::uint64_t contentId() const { return contentId_; }

  // The state holds the text only when asked to: restoring a state without it keeps the text.
  void saveState(ControlState& state) const override;
  void saveState(ControlState& state, bool withText) const;
  void restoreState(const ControlState& state) override;

  Handler onChange;

 private:
  void changed();
  // The buffer, made this memo's own before it is changed.
  std::string& ownText();

  std::shared_ptr<std::string> text_;
  std::size_t lineBreaks_ = 0;  // CR LF pairs in the text
  std::uint64_t textRevision_ = 0;
  std::uint64_t contentId_ = 0;
};

class TabSheet : public Captioned {
 public:
  bool tabVisible() const { return tabVisible_; }
  void setTabVisible(bool on);

  void saveState(ControlState& state) const override;
  void restoreState(const ControlState& state) override;

 private:
  bool tabVisible_ = true;
};

class PageControl : public Control {
 public:
  int activePage() const { return activePage_; }
  void setActivePage(int page);

 private:
  int activePage_ = 0;
};

enum class FileDialogKind { Open, Save };

// The settings of a standard file dialog; they stay as last set, as the original dialogs did.
class FileDialog {
 public:
  explicit FileDialog(FileDialogKind kind) : kind_(kind) {}
  FileDialogKind kind() const { return kind_; }
  const std::string& title() const { return title_; }
  void setTitle(const std::string& s) { title_ = s; }
  const std::string& defaultExt() const { return defaultExt_; }
  void setDefaultExt(const std::string& s) { defaultExt_ = s; }
  const std::string& fileName() const { return fileName_; }
  void setFileName(const std::string& s) { fileName_ = s; }
  // "Description|pattern;pattern" pairs separated by '|', as "All files (*.*)|*.*".
  const std::string& filter() const { return filter_; }
  void setFilter(const std::string& s) { filter_ = s; }

 private:
  FileDialogKind kind_;
  std::string title_, defaultExt_, fileName_, filter_;
};

}  // namespace wintarvel
