#pragma once
// The fixed-pitch font of views where a column is a byte: the set file and the data file.

#include <QFont>
#include <QFontDatabase>

namespace wintarvel::view {

inline QFont fixedPitchFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  return font;
}

}  // namespace wintarvel::view
