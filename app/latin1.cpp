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

QValidator::State EditValidator::validate(QString& input, int& position) const {
  if (!isLatin1(input)) return Invalid;
  const auto isLineBreak = [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); };
  const auto firstBreak = std::find_if(input.begin(), input.end(), isLineBreak);
  if (firstBreak == input.end()) return Acceptable;
  // Only text just inserted can hold a line break, and the cursor stands at its end: the inserted
  // text is dropped from its first line break on, and what followed the cursor is kept.
  const auto cut = static_cast<int>(firstBreak - input.begin());
  input.remove(cut, std::max(position, cut) - cut);
  input.removeIf(isLineBreak);
  position = cut;
  return Acceptable;
}

}  // namespace wintarvel::view
