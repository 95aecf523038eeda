#pragma once
// What the program's rules ask of the toolkit: message boxes, questions, file dialogs.
// The Qt view answers with real dialogs; tests answer with a scripted fake.

#include <exception>
#include <stdexcept>
#include <string>

#include "model/controls.h"

namespace wintarvel {

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNoCancel, YesNo };

class Ui {
 public:
  virtual ~Ui() = default;
  // An empty caption means the platform's default caption.
  virtual void showMessage(const std::string& text, const std::string& caption) = 0;
  virtual Answer ask(const std::string& text, const std::string& caption, Buttons buttons) = 0;
  // True when the user confirmed; dialog.fileName() is then the chosen path.
  virtual bool execute(FileDialog& dialog) = 0;
  // The toolkit's standard error box, for errors that end an operation.
  virtual void showError(const std::string& text) = 0;
  virtual void closeMainWindow() = 0;
};

// A text that should have been a whole number but was not. It ends the operation that needed
// the number; the dispatcher shows it to the user.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& text)
      : std::runtime_error("'" + text + "' is not a valid integer value.") {}
};

// Strict conversion of a user's text: optional leading blanks, an optional sign, decimal digits
// and nothing else, within the range of a 32-bit integer.
int StrToInt(const std::string& text);

// Runs one event handler. Whatever escapes it is shown in the standard error box and the program
// goes on with the next event, as the original toolkit did.
template <class Handler>
void dispatch(Ui& ui, Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ui.showError(e.what());
  } catch (...) {
    ui.showError("An unexpected error occurred.");
  }
}

}  // namespace wintarvel
