#include "app/set_file_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolTip>
#include <algorithm>
#include <cstring>

#include "app/fixed_font.h"
#include "app/latin1.h"

namespace wintarvel::view {

namespace {

constexpr int kMargin = 4;
// The engine reads 80 columns of a line; the ruler marks them and the rest is shaded.
constexpr int kEngineColumns = 80;
// Fields of at most this width show their text in the tool tip.
constexpr int kQuotedWidth = 10;
constexpr const char* kLayoutKey = "SetFileView/windowState";
constexpr int kLayoutVersion = 1;

// "....+....1....+....2": a digit every ten columns, a cross every five.
QChar rulerMark(int column) {
  if (column % 10 == 0) return QChar('0' + (column / 10) % 10);
  return column % 5 == 0 ? QChar('+') : QChar('.');
}

// Bytes as the font shows them; control characters (never written by the program, but a file
// edited by hand may hold them) as '?', so that every byte keeps one column.
QString shown(const std::string& text, std::size_t from, std::size_t to) {
  QString s = QString::fromLatin1(text.data() + from, static_cast<qsizetype>(to - from));
  for (QChar& c : s) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char('?');
  }
  return s;
}

// Every control whose state a save writes: a change of any of them composes the text again.
std::vector<const Control*> writtenControls(const TFrm1& f) {
  return {&f.TxtProgTitle,     &f.TxtNameSubGroup1, &f.TxtNameSubGroup2, &f.TxtNumSubGroup1,
          &f.TxtNumSubGroup2,  &f.TxtNumGroups,     &f.RadDesTy0,        &f.RadDesTy1,
          &f.RadDesTy2,        &f.RadInpPat0,       &f.RadInpPat1,       &f.RadInpPat2,
          &f.RadInpPat3,       &f.RadInpPat4,       &f.RadInpPat5,       &f.RadOut0,
          &f.RadOut1,          &f.RadOut2,          &f.RadOut3,          &f.RadOut4,
          &f.RBPerBeforeDy,    &f.RBPerAfterDy,     &f.CmbDyVar,         &f.CmbPerVar,
          &f.ChkSelfM,         &f.ChkTechOut,       &f.ChkSecFmt,        &f.TxtGroupFortran,
          &f.TxtGroup2Fortran, &f.ChkDropSub,       &f.CmbDrop,          &f.CmbConst,
          &f.RadAP0,           &f.RadAP1,           &f.RadAP2,           &f.ChkRawData,
          &f.RadRePat0,        &f.RadRePat1,        &f.RadRePat2,        &f.RadRePat3,
          &f.RadRePat4,        &f.RadRePat5,        &f.RadRePat6,        &f.RadReNewSame0,
          &f.RadReNewSame1,    &f.ChkReverseVar,    &f.TxtRevScore,      &f.ConRecInfo,
          &f.CorRecInfo,       &f.MemoReorder,      &f.PageControl1};
}

// The View menu, created after File (and Edit, when there is one) if the window has none yet.
QMenu* viewMenu(QMainWindow& window) {
  if (auto* menu = window.findChild<QMenu*>(QStringLiteral("View1"))) return menu;
  auto* menu = new QMenu(QStringLiteral("&View"), &window);
  menu->setObjectName(QStringLiteral("View1"));
  menu->menuAction()->setObjectName(QStringLiteral("View1"));
  const auto* run = window.findChild<QMenu*>(QStringLiteral("Run1"));
  window.menuBar()->insertMenu(run != nullptr ? run->menuAction() : nullptr, menu);
  return menu;
}

// Focus for a control: itself, or for a group box its checked button or first focusable child.
QWidget* focusTarget(QWidget* control) {
  if (control->focusPolicy() != Qt::NoFocus) return control;
  for (auto* button : control->findChildren<QAbstractButton*>()) {
    if (button->isChecked() && button->isEnabled()) return button;
  }
  for (auto* child : control->findChildren<QWidget*>()) {
    if (child->focusPolicy() != Qt::NoFocus && child->isEnabled()) return child;
  }
  return control;
}

}  // namespace

// ---- SetFileText ---------------------------------------------------------------------------

SetFileText::SetFileText(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("SetFileText"));
  setAccessibleName(QStringLiteral("Set file as a save would write it"));
  setFont(fixedPitchFont());
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setCursor(Qt::ArrowCursor);
  updateMetrics();
}

void SetFileText::setFile(const ComposedSetFile* file) {
  file_ = file;
  findLines();
  setHovered({});
  updateScrollBars();
  viewport()->update();
}

void SetFileText::findLines() {
  starts_.clear();
  widest_ = 0;
  if (file_ == nullptr) return;
  const std::string& text = file_->text;
  std::size_t start = 0;
  while (start < text.size()) {
    starts_.push_back(start);
    const auto* end =
        static_cast<const char*>(std::memchr(text.data() + start, '\n', text.size() - start));
    const std::size_t next =
        end == nullptr ? text.size() : static_cast<std::size_t>(end - text.data()) + 1;
    std::size_t stop = end == nullptr ? next : next - 1;
    if (stop > start && text[stop - 1] == '\r') --stop;
    widest_ = std::max(widest_, stop - start);
    start = next;
  }
}

std::size_t SetFileText::lineLength(std::size_t index) const {
  const std::string& text = file_->text;
  const std::size_t start = starts_[index];
  std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : text.size();
  if (end > start && text[end - 1] == '\n') --end;
  if (end > start && text[end - 1] == '\r') --end;
  return end - start;
}

QString SetFileText::lineText(std::size_t line) const {
  if (line < 1 || line > starts_.size()) return {};
  const std::size_t start = starts_[line - 1];
  return shown(file_->text, start, start + lineLength(line - 1));
}

void SetFileText::updateMetrics() {
  const QFontMetrics metrics(font());
  charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
  lineHeight_ = std::max(1, metrics.lineSpacing());
  ascent_ = metrics.ascent();
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(1);
}

QSize SetFileText::sizeHint() const {
  const int frame = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
  return {textLeft() + (kEngineColumns + 1) * charWidth_ + frame,
          textTop() + 12 * lineHeight_ + frame};
}

int SetFileText::gutterWidth() const {
  const int digits =
      static_cast<int>(QString::number(std::max<std::size_t>(lineCount(), 9)).size());
  return digits * charWidth_ + 2 * kMargin;
}

int SetFileText::textLeft() const {
  return gutterWidth() + kMargin;
}

int SetFileText::textTop() const {
  return lineHeight_ + 2 * kMargin;
}

void SetFileText::updateScrollBars() {
  const int rows = std::max(1, (viewport()->height() - textTop()) / lineHeight_);
  const int columns = std::max(1, (viewport()->width() - textLeft()) / charWidth_);
  const int lines = static_cast<int>(std::min<std::size_t>(lineCount(), INT32_MAX / 2));
  verticalScrollBar()->setRange(0, std::max(0, lines - rows));
  verticalScrollBar()->setPageStep(rows);
  const int widest = static_cast<int>(std::max<std::size_t>(widest_, kEngineColumns));
  horizontalScrollBar()->setRange(0, std::max(0, widest + 1 - columns));
  horizontalScrollBar()->setPageStep(columns);
}

QPoint SetFileText::cellAt(QPoint point) const {
  if (point.x() < textLeft() || point.y() < textTop()) return {};
  const auto line = static_cast<std::size_t>(verticalScrollBar()->value() +
                                             (point.y() - textTop()) / lineHeight_ + 1);
  const int column = horizontalScrollBar()->value() + (point.x() - textLeft()) / charWidth_ + 1;
  if (line > lineCount() || static_cast<std::size_t>(column) > lineLength(line - 1)) return {};
  return {column, static_cast<int>(line)};
}

QPoint SetFileText::cellCenter(int line, int column) const {
  return {textLeft() + (column - 1 - horizontalScrollBar()->value()) * charWidth_ + charWidth_ / 2,
          textTop() + (line - 1 - verticalScrollBar()->value()) * lineHeight_ + lineHeight_ / 2};
}

QString SetFileText::describe(int line, int column) const {
  if (file_ == nullptr) return {};
  const setfile::FieldAt field = FieldAtLine(*file_, line, column);
  QString text = toQt(setfile::DescribeField(field, column));
  const int width = field.lastColumn - field.firstColumn + 1;
  if (field.lastColumn > 0 && width <= kQuotedWidth) {
    text += QStringLiteral(": \"%1\"")
                .arg(lineText(static_cast<std::size_t>(line)).mid(field.firstColumn - 1, width));
  }
  return text;
}

void SetFileText::setHovered(QPoint cell) {
  if (cell == hovered_) return;
  hovered_ = cell;
  hoveredField_ = cell.isNull() || file_ == nullptr ? setfile::FieldAt{}
                                                    : FieldAtLine(*file_, cell.y(), cell.x());
  if (hoveredField_.lastColumn == 0 && !hoveredField_.name.empty()) {
    hoveredField_.firstColumn = hoveredField_.lastColumn = cell.x();
  }
  viewport()->update();
  if (onPointed) onPointed(cell.isNull() ? QString() : describe(cell.y(), cell.x()));
}

void SetFileText::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QPalette& colors = palette();
  const QRect area = viewport()->rect();
  painter.fillRect(area, colors.base());
  painter.setFont(font());

  const int firstLine = verticalScrollBar()->value();
  const int firstColumn = horizontalScrollBar()->value();
  const int left = textLeft();
  const int columns = (area.width() - left) / charWidth_ + 2;
  const int beyond = left + (kEngineColumns - firstColumn) * charWidth_;
  if (beyond < area.width()) {
    painter.fillRect(QRect(std::max(beyond, left), textTop(), area.width(), area.height()),
                     colors.alternateBase());
  }
  painter.fillRect(QRect(0, 0, gutterWidth(), area.height()), colors.window());

  for (int row = 0;; ++row) {
    const auto index = static_cast<std::size_t>(firstLine + row);
    const int y = textTop() + row * lineHeight_;
    if (index >= lineCount() || y >= area.height()) break;
    if (hovered_.y() == static_cast<int>(index) + 1 && !hoveredField_.name.empty()) {
      QColor band = colors.color(QPalette::Highlight);
      band.setAlpha(70);
      painter.fillRect(
          QRect(left + (hoveredField_.firstColumn - 1 - firstColumn) * charWidth_, y,
                (hoveredField_.lastColumn - hoveredField_.firstColumn + 1) * charWidth_,
                lineHeight_),
          band);
    }
    painter.setPen(colors.color(QPalette::PlaceholderText));
    painter.drawText(QRect(0, y, gutterWidth() - kMargin, lineHeight_),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(index + 1));
    const std::size_t length = lineLength(index);
    const std::size_t from = std::min(length, static_cast<std::size_t>(firstColumn));
    const std::size_t to = std::min(length, from + static_cast<std::size_t>(columns));
    painter.setPen(colors.color(QPalette::Text));
    painter.save();
    painter.setClipRect(QRect(left, textTop(), area.width() - left, area.height()));
    painter.drawText(QPoint(left, y + ascent_),
                     shown(file_->text, starts_[index] + from, starts_[index] + to));
    painter.restore();
  }
  paintRuler(painter, colors);
}

void SetFileText::paintRuler(QPainter& painter, const QPalette& colors) {
  const QRect ruler(0, 0, viewport()->width(), textTop() - kMargin);
  painter.fillRect(ruler, colors.window());
  painter.setPen(colors.color(QPalette::Mid));
  painter.drawLine(0, ruler.bottom(), ruler.right(), ruler.bottom());
  painter.drawLine(gutterWidth() - 1, 0, gutterWidth() - 1, viewport()->height());
  painter.setPen(colors.color(QPalette::WindowText));
  painter.setClipRect(QRect(textLeft(), 0, viewport()->width(), ruler.height()));
  const int firstColumn = horizontalScrollBar()->value();
  QString marks;
  for (int column = firstColumn + 1; column <= kEngineColumns; ++column) {
    marks += rulerMark(column);
  }
  painter.drawText(QPoint(textLeft(), kMargin + ascent_), marks);
  painter.setClipping(false);
}

void SetFileText::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void SetFileText::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateMetrics();
    updateScrollBars();
  }
}

bool SetFileText::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPoint cell = cellAt(help->pos());
    QString tip;
    if (!cell.isNull()) {
      tip = describe(cell.y(), cell.x());
    } else if (help->pos().y() < textTop() && help->pos().x() >= textLeft()) {
      tip = QStringLiteral("column %1")
                .arg(horizontalScrollBar()->value() + (help->pos().x() - textLeft()) / charWidth_ +
                     1);
    }
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, viewport());
    }
    return true;
  }
  if (event->type() == QEvent::Leave) setHovered({});
  return QAbstractScrollArea::viewportEvent(event);
}

void SetFileText::mouseMoveEvent(QMouseEvent* event) {
  setHovered(cellAt(event->position().toPoint()));
  QAbstractScrollArea::mouseMoveEvent(event);
}

void SetFileText::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (point.y() < textTop()) return;
  const int line = verticalScrollBar()->value() + (point.y() - textTop()) / lineHeight_ + 1;
  if (line > static_cast<int>(lineCount())) return;
  const QPoint cell = cellAt(point);
  if (onActivated) onActivated(line, cell.isNull() ? 1 : cell.x());
}

// ---- SetFilePanel --------------------------------------------------------------------------

SetFilePanel::SetFilePanel(QMainWindow& window, TFrm1& f, Binder& binder)
    : QDockWidget(QStringLiteral("Set File"), &window), window_(window), f_(f) {
  setObjectName(QStringLiteral("SetFileView"));
  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMs);
  connect(&pause_, &QTimer::timeout, this, [this] {
    if (isVisible()) {
      recompose();
    } else {
      stale_ = true;
    }
  });
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible && stale_) recompose();
  });
  for (const Control* control : writtenControls(f)) {
    binder.watch(*control, [this] { schedule(); });
  }
  QAction* toggle = toggleViewAction();
  toggle->setObjectName(QStringLiteral("ViewSetFile"));
  toggle->setText(QStringLiteral("&Set File"));
  toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  toggle->setStatusTip(QStringLiteral("Show the set file as a save would write it now"));

  window.addDockWidget(Qt::RightDockWidgetArea, this);
  hide();
  restoreLayout();
  // Connected after the restore, so that only the user's changes are kept.
  connect(this, &QDockWidget::dockLocationChanged, this, [this] { saveLayout(); });
  connect(this, &QDockWidget::topLevelChanged, this, [this] { saveLayout(); });
  // Only while the window shows: closing or destroying it hides the panel too, which is no choice
  // of the user's and must not be kept.
  connect(toggle, &QAction::toggled, this, [this](bool shown) {
    if (!window_.isVisible()) return;
    if (shown) ensureBuilt();
    saveLayout();
  });
  // The window makes or gives back room only for the user's own command: a panel restored with
  // the window shows in the width the window was left with.
  connect(toggle, &QAction::triggered, this, [this](bool shown) { makeRoom(shown); });
  window.installEventFilter(this);
}

// The contents are built when the panel is first shown: a program started with the panel hidden
// spends nothing on them, not even on finding the fixed-pitch font.
void SetFilePanel::ensureBuilt() {
  if (stack_ != nullptr) return;
  stack_ = new QStackedWidget(this);
  text_ = new SetFileText(stack_);
  message_ = new QLabel(stack_);
  message_->setObjectName(QStringLiteral("SetFileMessage"));
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  message_->setMargin(8);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  stack_->addWidget(text_);
  stack_->addWidget(message_);
  setWidget(stack_);
  text_->onActivated = [this](int line, int column) { activate(line, column); };
  text_->onPointed = [this](const QString& field) {
    if (field.isEmpty()) {
      window_.statusBar()->clearMessage();
    } else {
      window_.statusBar()->showMessage(field);
    }
  };
}

// A panel shown beside the pages widens the window by its own width where the screen has room,
// so that the pages keep theirs; hidden again, it gives that width back.
void SetFilePanel::makeRoom(bool shown) {
  const Qt::DockWidgetArea area = window_.dockWidgetArea(this);
  if (isFloating() || (area != Qt::LeftDockWidgetArea && area != Qt::RightDockWidgetArea)) return;
  if (!shown) {
    if (addedWidth_ > 0) window_.resize(window_.width() - addedWidth_, window_.height());
    addedWidth_ = 0;
    return;
  }
  const QScreen* screen = window_.screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  const QRect frame = window_.frameGeometry();
  const int wanted = std::min(sizeHint().width(), std::max(0, available.width() - frame.width()));
  if (wanted <= 0) return;
  // Where the screen has no room on the right, the window moves left.
  const int overflow = frame.right() + wanted - available.right();
  if (overflow > 0) window_.move(window_.x() - overflow, window_.y());
  window_.resize(window_.width() + wanted, window_.height());
  window_.resizeDocks({this}, {wanted}, Qt::Horizontal);
  addedWidth_ = wanted;
}

void SetFilePanel::schedule() {
  pause_.start();
}

void SetFilePanel::recompose() {
  ensureBuilt();
  pause_.stop();
  stale_ = false;
  if (!f_.PageControl1.visible()) {
    showMessage(QStringLiteral("No set file is open."));
    return;
  }
  ComposeSetFile(f_, composed_);
  if (!composed_.refusal.empty()) {
    showMessage(QStringLiteral("A save would write nothing now:\n\n") + toQt(composed_.refusal));
    return;
  }
  text_->setFile(&composed_);
  stack_->setCurrentWidget(text_);
}

void SetFilePanel::showMessage(const QString& message) {
  text_->setFile(nullptr);
  message_->setText(message);
  stack_->setCurrentWidget(message_);
}

// Brings up the page of the control that fills the field and puts the focus there.
void SetFilePanel::activate(int line, int column) {
  setfile::FieldAt field = FieldAtLine(composed_, line, column);
  if (field.control.empty()) field = FieldAtLine(composed_, line, 1);
  if (field.control.empty()) return;
  QWidget* control = window_.findChild<QWidget*>(toQt(field.control));
  auto* pages = window_.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  if (control == nullptr || pages == nullptr) return;
  for (int i = 0; i < pages->count(); ++i) {
    if (pages->widget(i)->isAncestorOf(control) && pages->isTabVisible(i)) {
      pages->setCurrentIndex(i);
    }
  }
  window_.activateWindow();
  if (control->isVisible()) focusTarget(control)->setFocus(Qt::OtherFocusReason);
}

// The panel's own close button gives the room back, as the menu command does.
void SetFilePanel::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  if (event->isAccepted()) makeRoom(false);
}

bool SetFilePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Close) saveLayout();
  return QDockWidget::eventFilter(watched, event);
}

// Only this panel's place and state are kept, under a key of its own.
void SetFilePanel::saveLayout() {
  if (!window_.isVisible()) return;
  QSettings().setValue(QLatin1String(kLayoutKey), window_.saveState(kLayoutVersion));
}

void SetFilePanel::restoreLayout() {
  const QByteArray state = QSettings().value(QLatin1String(kLayoutKey)).toByteArray();
  if (!state.isEmpty()) window_.restoreState(state, kLayoutVersion);
}

SetFilePanel* addSetFileView(QMainWindow& window, TFrm1& f, Binder& binder) {
  auto* panel = new SetFilePanel(window, f, binder);
  viewMenu(window)->addAction(panel->toggleViewAction());
  return panel;
}

}  // namespace wintarvel::view
