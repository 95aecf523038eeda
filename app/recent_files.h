#pragma once
// The set files opened or saved last, newest first, kept in the program's settings so that the
// next start offers them again.

#include <QStringList>

namespace wintarvel::view {

class RecentFiles {
 public:
  static constexpr int kMaximum = 8;

  QStringList paths() const;
  // Puts `path` first, dropping an older entry of the same file and the ninth.
  void add(const QString& path);
  void remove(const QString& path);
  void clear();

 private:
  void store(const QStringList& paths);
};

}  // namespace wintarvel::view
