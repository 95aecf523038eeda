#pragma once
// The set file view: a panel that shows, while the user edits, the text a save would write now,
// composed by the writer's own function. It follows the edits once they pause, names the field
// under the pointer from the set file's table of columns, and brings up the page and control of
// a line that is double-clicked. Where and whether it is shown is kept between sessions.

#include <QAbstractScrollArea>
#include <QDockWidget>
#include <QTimer>
#include <cstddef>
#include <functional>
#include <vector>

#include "app/binder.h"
#include "model/set_file_writer.h"

class QLabel;
class QMainWindow;
class QStackedWidget;

namespace wintarvel::view {

// The lines of a composed set file in a fixed-pitch font, with line numbers on the left and a
// ruler of the 80 columns above. Only the lines in view are drawn, so a file of 200,000 lines
// costs no more to show than one of ten; a new text costs one pass that finds its line breaks.
class SetFileText : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit SetFileText(QWidget* parent = nullptr);

  // Shows `file`, which stays alive and unchanged until the next call; the view keeps its place.
  void setFile(const ComposedSetFile* file);

  std::size_t lineCount() const { return starts_.size(); }
  // Line `line` (from 1) without its line break.
  QString lineText(std::size_t line) const;
  // The line and column (from 1) of the character at a point of the viewport; (0, 0) where
  // there is none.
  QPoint cellAt(QPoint point) const;
  // The middle of the character at `line`, `column` (from 1), in viewport coordinates.
  QPoint cellCenter(int line, int column) const;
  // What the tool tip says about the character at `line`, `column`.
  QString describe(int line, int column) const;

  // Called with line and column (from 1) of a double-clicked character.
  std::function<void(int line, int column)> onActivated;
  // Called with the description of the field under the pointer, empty when it leaves them.
  std::function<void(const QString& field)> onPointed;

  // Room for the 80 columns with the line numbers.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void findLines();
  void updateMetrics();
  void updateScrollBars();
  std::size_t lineLength(std::size_t index) const;
  int textLeft() const;
  int textTop() const;
  int gutterWidth() const;
  void paintRuler(QPainter& painter, const QPalette& colors);
  void setHovered(QPoint cell);

  const ComposedSetFile* file_ = nullptr;
  std::vector<std::size_t> starts_;  // where each line starts in the text
  std::size_t widest_ = 0;
  int charWidth_ = 8;
  int lineHeight_ = 16;
  int ascent_ = 12;
  QPoint hovered_;  // the cell under the pointer, (0, 0) for none
  setfile::FieldAt hoveredField_;
};

// The dockable panel around the text: it composes the file again when the edits pause and shows
// the save's refusal in place of the text when a save would write nothing.
class SetFilePanel : public QDockWidget {
  Q_OBJECT

 public:
  // How long the edits must pause before the text is composed again.
  static constexpr int kPauseMs = 200;

  SetFilePanel(QMainWindow& window, TFrm1& f, Binder& binder);

  // The text, or null before the panel was first shown.
  SetFileText* text() const { return text_; }
  // Composes the text now, as the pause in the edits does.
  void recompose();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ensureBuilt();
  void makeRoom(bool shown);
  void schedule();
  void showMessage(const QString& message);
  void activate(int line, int column);
  void saveLayout();
  void restoreLayout();

  QMainWindow& window_;
  TFrm1& f_;
  QStackedWidget* stack_ = nullptr;
  SetFileText* text_ = nullptr;
  QLabel* message_ = nullptr;
  QTimer pause_;
  ComposedSetFile composed_;
  bool stale_ = true;
  int addedWidth_ = 0;  // how much showing the panel widened the window
};

// Adds the panel to the main window and "Set File" (Ctrl+U) to its View menu, in the place and
// state the user left it.
SetFilePanel* addSetFileView(QMainWindow& window, TFrm1& f, Binder& binder);

}  // namespace wintarvel::view
