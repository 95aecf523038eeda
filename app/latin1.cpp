#include "app/latin1.h"

#include <algorithm>

namespace wintarvel::view {

bool isLatin1(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

QString plainCaption(const std::string& caption) {
  QString text = toQt(caption);
  text.replace(QLatin1Char('&'), QLatin1String("&&"));
  return text;
}

QValidator::State Latin1Validator::validate(QString& input, int&) const {
  return isLatin1(input) ? Acceptable : Invalid;
}

}  // namespace wintarvel::view
