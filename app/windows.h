#pragma once
// The three windows of the program, created once in this order: the main window, the engine
// directory dialog and the About box. The binder they share refreshes all of them after every
// event, whichever window it came from.

#include "app/binder.h"
#include "app/dialogs.h"
#include "app/main_window.h"

namespace wintarvel::view {

class Windows {
 public:
  explicit Windows(TFrm1& f);

  Binder binder;
  MainWindow main;
  FrmOptionsView options;
  AboutBoxView about;
};

}  // namespace wintarvel::view
