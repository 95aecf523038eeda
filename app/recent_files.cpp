#include "app/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace wintarvel::view {

namespace {

const char* const kKey = "RecentSetFiles";

// One form for every path of the same file, so a file opened by two spellings is listed once.
QString normalised(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

bool sameFile(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
  return a.compare(b, Qt::CaseInsensitive) == 0;
#else
  return a == b;
#endif
}

}  // namespace

QStringList RecentFiles::paths() const {
  QStringList paths = QSettings().value(QLatin1String(kKey)).toStringList();
  paths.removeAll(QString());
  return paths.mid(0, kMaximum);
}

void RecentFiles::add(const QString& path) {
  const QString entry = normalised(path);
  QStringList paths = this->paths();
  paths.removeIf([&](const QString& p) { return sameFile(p, entry); });
  paths.prepend(entry);
  store(paths.mid(0, kMaximum));
}

void RecentFiles::remove(const QString& path) {
  const QString entry = normalised(path);
  QStringList paths = this->paths();
  paths.removeIf([&](const QString& p) { return sameFile(p, entry); });
  store(paths);
}

void RecentFiles::clear() {
  store({});
}

void RecentFiles::store(const QStringList& paths) {
  QSettings settings;
  settings.setValue(QLatin1String(kKey), paths);
}

}  // namespace wintarvel::view
