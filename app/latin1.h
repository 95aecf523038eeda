#pragma once
// The core keeps text as single bytes (ISO 8859-1): a column of the set file is a byte. These
// helpers convert at the boundary and keep characters outside Latin-1 out of the widgets.

#include <QString>
#include <QValidator>
#include <string>

namespace wintarvel::view {

inline QString toQt(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toCore(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool isLatin1(const QString& text);

// A caption shown as it is, without '&' turning into an access key.
QString plainCaption(const std::string& caption);

// Keeps a line edit what the core's edit is: one line of Latin-1 text. Input holding a character
// the core cannot store is refused; pasted text is cut at its first line break, as a single-line
// edit control does, so that no value can break the line it is stored on.
class EditValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

}  // namespace wintarvel::view
