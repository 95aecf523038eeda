#include "app/qt_ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "app/latin1.h"

namespace wintarvel::view {

namespace {

QString captionOrDefault(const std::string& caption) {
  return caption.empty() ? QCoreApplication::applicationName() : toQt(caption);
}

QString qtPattern(QString pattern) {
  pattern = pattern.trimmed();
  return pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
}

bool hasWildcard(const QString& name) {
  return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

}  // namespace

QStringList qtNameFilters(const std::string& filter) {
  const QStringList parts = toQt(filter).split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patterns << qtPattern(p);
    }
    const QString list = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    // A description that already ends with its patterns in brackets keeps them, in Qt's form.
    const QString ownTail = QLatin1Char('(') + parts[i + 1] + QLatin1Char(')');
    if (description.endsWith(ownTail)) {
      result << description.left(description.size() - ownTail.size()) + list;
    } else {
      result << (description.isEmpty() ? list : description + QLatin1Char(' ') + list);
    }
  }
  return result;
}

void QtUi::showMessage(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, captionOrDefault(caption), toQt(text), QMessageBox::Ok,
                  window_);
  box.exec();
}

Answer QtUi::ask(const std::string& text, const std::string& caption, Buttons buttons) {
  QMessageBox::StandardButtons choice = QMessageBox::Yes | QMessageBox::No;
  if (buttons == Buttons::YesNoCancel) choice |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::Question, captionOrDefault(caption), toQt(text), choice, window_);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(buttons == Buttons::YesNoCancel ? QMessageBox::Cancel : QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

bool QtUi::execute(FileDialog& dialog) {
  QFileDialog box(window_);
  if (!dialog.title().empty()) box.setWindowTitle(toQt(dialog.title()));
  box.setAcceptMode(dialog.kind() == FileDialogKind::Save ? QFileDialog::AcceptSave
                                                          : QFileDialog::AcceptOpen);
  // A name of a file that does not exist yet is accepted, and an existing file is replaced
  // without a question: the program decides what to do with the name.
  box.setFileMode(QFileDialog::AnyFile);
  box.setOption(QFileDialog::DontConfirmOverwrite);
  if (!dialog.defaultExt().empty()) box.setDefaultSuffix(toQt(dialog.defaultExt()));

  QStringList filters = qtNameFilters(dialog.filter());
  const QString fileName = toQt(dialog.fileName());
  if (hasWildcard(fileName)) {
    // A pattern as the file name lists the matching files, as a filter of its own.
    filters.prepend(qtPattern(QFileInfo(fileName).fileName()));
    const QString folder = QFileInfo(fileName).path();
    if (folder != QLatin1String(".")) box.setDirectory(folder);
  } else if (!fileName.isEmpty()) {
    box.selectFile(fileName);
  }
  if (!filters.isEmpty()) {
    box.setNameFilters(filters);
    box.selectNameFilter(filters.first());
  }

  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  const QString chosen = QDir::toNativeSeparators(box.selectedFiles().first());
  if (!isLatin1(chosen)) {
    showMessage("The name \"" + toCore(chosen) +
                    "\" holds characters that cannot be stored. Please choose another name.",
                "");
    return false;
  }
  dialog.setFileName(toCore(chosen));
  return true;
}

void QtUi::showError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), toQt(text),
                  QMessageBox::Ok, window_);
  box.exec();
}

void QtUi::closeMainWindow() {
  if (window_) window_->close();
}

}  // namespace wintarvel::view
