#include "model/controls.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace wintarvel {

namespace {

std::size_t countLineBreaks(const std::string& text, std::size_t from, std::size_t to) {
  // memchr finds the line feeds many bytes at a time: a byte-by-byte loop took 80 million
  // instructions when a memo of 200,000 lines was set, several times this.
  std::size_t n = 0;
  const char* const end = text.data() + to;
  const char* p = text.data() + from;
  while (p < end) {
    const auto* lf =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    if (lf == nullptr) break;
    if (lf > text.data() + from && lf[-1] == '\r') ++n;
    p = lf + 1;
  }
  return n;
}

// Numbers for the texts of the memos: one counter for all of them, so that a number is never
// given twice.
std::uint64_t newContentId() {
  static std::uint64_t last = 0;
  return ++last;
}

// Sets `field` to `value`; true when that changed it.
template <class T>
bool assign(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void Control::saveState(ControlState& state) const {
  state.enabled = enabled_;
  state.visible = visible_;
}

void Control::restoreState(const ControlState& state) {
  const bool enabledChanged = assign(enabled_, state.enabled);
  const bool visibleChanged = assign(visible_, state.visible);
  if (enabledChanged || visibleChanged) touch();
}

void Captioned::saveState(ControlState& state) const {
  Control::saveState(state);
  state.caption = caption_;
}

void Captioned::restoreState(const ControlState& state) {
  Control::restoreState(state);
  if (assign(caption_, state.caption)) touch();
}

void Edit::saveState(ControlState& state) const {
  Control::saveState(state);
  state.text = text_;
}

void Edit::restoreState(const ControlState& state) {
  Control::restoreState(state);
  if (assign(text_, state.text)) touch();
}

void CheckBox::saveState(ControlState& state) const {
  Captioned::saveState(state);
  state.checked = checked_;
}

void CheckBox::restoreState(const ControlState& state) {
  Captioned::restoreState(state);
  if (assign(checked_, state.checked)) touch();
}

void RadioButton::saveState(ControlState& state) const {
  Captioned::saveState(state);
  state.checked = checked_;
}

void RadioButton::restoreState(const ControlState& state) {
  Captioned::restoreState(state);
  if (assign(checked_, state.checked)) touch();
}

void ListBox::saveState(ControlState& state) const {
  Control::saveState(state);
  state.items = items_;
  state.selected = selected_;
  state.itemIndex = itemIndex_;
}

void ListBox::restoreState(const ControlState& state) {
  Control::restoreState(state);
  const bool itemsChanged = assign(items_, state.items);
  const bool selectionChanged = assign(selected_, state.selected);
  const bool indexChanged = assign(itemIndex_, state.itemIndex);
  if (itemsChanged || selectionChanged || indexChanged) touch();
}

void ComboBox::saveState(ControlState& state) const {
  ListBox::saveState(state);
  state.text = text_;
}

void ComboBox::restoreState(const ControlState& state) {
  ListBox::restoreState(state);
  if (assign(text_, state.text)) touch();
}

void TabSheet::saveState(ControlState& state) const {
  Captioned::saveState(state);
  state.checked = tabVisible_;
}

void TabSheet::restoreState(const ControlState& state) {
  Captioned::restoreState(state);
  if (assign(tabVisible_, state.checked)) touch();
}

void Control::setEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  touch();
}

void Control::setVisible(bool on) {
  if (visible_ == on) return;
  visible_ = on;
  touch();
}

void Captioned::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  touch();
}

void Edit::setText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  touch();
  if (onChange) onChange();
}

void CheckBox::setChecked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  touch();
  if (onClick) onClick();
}

int RadioGroup::checkedIndex() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->checked()) return static_cast<int>(i);
  }
  return -1;
}

void RadioButton::uncheckSilently() {
  if (!checked_) return;
  checked_ = false;
  touch();
}

void RadioButton::setChecked(bool on) {
  if (checked_ == on) return;
  if (!on) {
    uncheckSilently();
    return;
  }
  for (RadioButton* other : group_.buttons()) {
    if (other != this) other->uncheckSilently();
  }
  checked_ = true;
  touch();
  if (onClick) onClick();
}

void ListBox::setItemIndex(int i) {
  if (i < -1 || i >= count()) i = -1;
  if (!multiSelect_) std::fill(selected_.begin(), selected_.end(), false);
  if (i >= 0 && !multiSelect_) selected_[static_cast<std::size_t>(i)] = true;
  if (itemIndex_ == i) return;
  itemIndex_ = i;
  touch();
}

void ListBox::add(const std::string& s) {
  insert(count(), s);
}

void ListBox::insert(int i, const std::string& s) {
  if (i < 0 || i > count()) throw std::out_of_range("list index out of bounds");
  items_.insert(items_.begin() + i, s);
  selected_.insert(selected_.begin() + i, false);
  if (itemIndex_ >= i) ++itemIndex_;
  touch();
}

void ListBox::remove(int i) {
  if (i < 0 || i >= count()) throw std::out_of_range("list index out of bounds");
  items_.erase(items_.begin() + i);
  selected_.erase(selected_.begin() + i);
  if (itemIndex_ == i) {
    itemIndex_ = -1;
  } else if (itemIndex_ > i) {
    --itemIndex_;
  }
  touch();
}

void ListBox::clear() {
  if (items_.empty() && itemIndex_ == -1) return;
  items_.clear();
  selected_.clear();
  itemIndex_ = -1;
  touch();
}

void ListBox::replace(int i, const std::string& s) {
  remove(i);
  insert(i, s);
}

bool ListBox::selected(int i) const {
  if (i < 0 || i >= count()) return false;
  return selected_[static_cast<std::size_t>(i)];
}

void ListBox::setSelected(int i, bool on) {
  if (i < 0 || i >= count()) throw std::out_of_range("list index out of bounds");
  if (!multiSelect_) {
    if (on) {
      setItemIndex(i);
    } else if (itemIndex_ == i) {
      setItemIndex(-1);
    }
    return;
  }
  if (selected_[static_cast<std::size_t>(i)] == on) return;
  selected_[static_cast<std::size_t>(i)] = on;
  touch();
}

int ListBox::firstSelected() const {
  for (int i = 0; i < count(); ++i) {
    if (selected(i)) return i;
  }
  return -1;
}

void ComboBox::setText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  touch();
}

Memo::Memo() : text_(std::make_shared<std::string>()) {}

std::string& Memo::ownText() {
  if (text_.use_count() > 1) text_ = std::make_shared<std::string>(*text_);
  return *text_;
}

void Memo::setText(std::string text) {
  if (*text_ == text) return;
  // A new buffer: a holder of the old one keeps it as it was.
  text_ = std::make_shared<std::string>(std::move(text));
  lineBreaks_ = countLineBreaks(*text_, 0, text_->size());
  changed();
}

void Memo::replace(std::size_t position, std::size_t length, const std::string& insert) {
  std::string& text = ownText();
  position = std::min(position, text.size());
  length = std::min(length, text.size() - position);
  // A CR LF pair may straddle either edge of the edited range, so recount a little around it.
  const std::size_t from = position > 0 ? position - 1 : 0;
  const std::size_t oldTo = std::min(text.size(), position + length + 1);
  const std::size_t before = countLineBreaks(text, from, oldTo);
  text.replace(position, length, insert);
  const std::size_t newTo = std::min(text.size(), position + insert.size() + 1);
  lineBreaks_ = lineBreaks_ - before + countLineBreaks(text, from, newTo);
  changed();
}

void Memo::appendLine(const std::string& line) {
  replace(text_->size(), 0, line + "\r\n");
}

std::size_t Memo::lineCount() const {
  const std::string& text = *text_;
  if (text.empty()) return 0;
  const bool endsWithBreak = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
  return endsWithBreak ? lineBreaks_ : lineBreaks_ + 1;
}

std::vector<std::string> Memo::lines() const {
  const std::string& text = *text_;
  std::vector<std::string> result;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      result.push_back(text.substr(start));
      break;
    }
    result.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return result;
}

void Memo::changed() {
  ++textRevision_;
  contentId_ = newContentId();
  touch();
  if (onChange) onChange();
}

void Memo::saveState(ControlState& state) const {
  saveState(state, true);
}

void Memo::saveState(ControlState& state, bool withText) const {
  Control::saveState(state);
  state.memoText = withText ? sharedText() : nullptr;
  state.memoContent = contentId_;
  state.memoLineBreaks = lineBreaks_;
}

void Memo::restoreState(const ControlState& state) {
  Control::restoreState(state);
  if (!state.memoText || state.memoContent == contentId_) return;
  // The buffer is shared from now on: the memo copies it before its next change.
  text_ = std::const_pointer_cast<std::string>(state.memoText);
  lineBreaks_ = state.memoLineBreaks;
  contentId_ = state.memoContent;
  ++textRevision_;
  touch();
}

void TabSheet::setTabVisible(bool on) {
  if (tabVisible_ == on) return;
  tabVisible_ = on;
  touch();
}

void PageControl::setActivePage(int page) {
  if (activePage_ == page) return;
  activePage_ = page;
  touch();
}

}  // namespace wintarvel
