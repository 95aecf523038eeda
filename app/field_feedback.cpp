#include "app/field_feedback.h"

#include <QDir>
#include <QDropEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "app/hints.h"

namespace wintarvel::view {

namespace {

const char* const kErrorProperty = "fieldError";
// QLineEdit's own limit when none is set: a field with it is never full.
constexpr int kNoLimit = 32767;

QStatusBar* statusBarOf(const QWidget* widget) {
  auto* window = qobject_cast<QMainWindow*>(widget->window());
  return window == nullptr ? nullptr : window->statusBar();
}

void showStatus(const QWidget* widget, const QString& text) {
  if (QStatusBar* bar = statusBarOf(widget)) bar->showMessage(text);
}

// Clears the status bar only when it still shows `text`: a later message stays.
void withdrawStatus(const QWidget* widget, const QString& text) {
  QStatusBar* bar = statusBarOf(widget);
  if (bar != nullptr && bar->currentMessage() == text) bar->clearMessage();
}

void describe(QLineEdit* field, const QString& error) {
  const QString hint = hintFor(field);
  const QString text = error.isEmpty() ? hint : hint.isEmpty() ? error : error + u'\n' + hint;
  field->setToolTip(text);
  field->setAccessibleDescription(text);
}

bool isFull(const QLineEdit* field) {
  return field->maxLength() < kNoLimit && field->text().size() >= field->maxLength();
}

class FullFieldWatch : public QObject {
 public:
  explicit FullFieldWatch(QLineEdit* field) : QObject(field), field_(field) {
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, [this] { update(); });
  }

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::FocusIn:
        update();
        break;
      case QEvent::FocusOut:
        withdraw();
        break;
      case QEvent::KeyPress: {
        // A character refused because the field is full: say so again, whatever the status bar
        // showed meanwhile.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && key->text().front().isPrint() && isFull(field_) &&
            !field_->hasSelectedText() && !field_->isReadOnly()) {
          shown_ = fullFieldNotice(field_->maxLength());
          showStatus(field_, shown_);
        }
        break;
      }
      default:
        break;
    }
    return false;
  }

 private:
  void update() {
    if (field_->hasFocus() && isFull(field_) && !field_->isReadOnly()) {
      shown_ = fullFieldNotice(field_->maxLength());
      showStatus(field_, shown_);
    } else {
      withdraw();
    }
  }
  void withdraw() {
    if (shown_.isEmpty()) return;
    withdrawStatus(field_, shown_);
    shown_.clear();
  }

  QLineEdit* field_;
  QString shown_;
};

// The local path of a drop of exactly one local file, empty otherwise.
QString droppedPath(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1) return {};
  const QUrl url = mime->urls().front();
  return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : QString();
}

class PathDrop : public QObject {
 public:
  explicit PathDrop(QLineEdit* field) : QObject(field), field_(field) {
    field->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = droppedPath(drop->mimeData());
    // Anything but one local file is the field's own business (dragged text, say).
    if (path.isEmpty() || field_->isReadOnly()) return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
      field_->setFocus(Qt::OtherFocusReason);
      field_->selectAll();
      field_->insert(path);  // an edit of the user's: textEdited reaches the program
    }
    return true;
  }

 private:
  QLineEdit* field_;
};

}  // namespace

void showFieldError(QLineEdit* field, const QString& message) {
  field->setProperty(kErrorProperty, message);
  field->setStyleSheet(
      QStringLiteral("QLineEdit { border: 2px solid #c40000; border-radius: 2px; padding: 1px; }"));
  describe(field, message);
  showStatus(field, message);
}

void clearFieldError(QLineEdit* field) {
  const QString message = fieldError(field);
  if (message.isEmpty()) return;
  field->setProperty(kErrorProperty, QVariant());
  field->setStyleSheet(QString());
  describe(field, QString());
  withdrawStatus(field, message);
}

QString fieldError(const QLineEdit* field) {
  return field->property(kErrorProperty).toString();
}

QString fullFieldNotice(int limit) {
  return QStringLiteral("This field is full: it takes up to %1 characters.").arg(limit);
}

void noticeWhenFull(QLineEdit* field) {
  new FullFieldWatch(field);
}

void acceptFilePathDrops(QLineEdit* field) {
  new PathDrop(field);
}

}  // namespace wintarvel::view
