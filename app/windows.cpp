#include "app/windows.h"

namespace wintarvel::view {

Windows::Windows(TFrm1& f)
    : binder(f.ui, [&f](const std::string& step,
                        const std::function<void()>& handler) { f.UserEvent(step, handler); }),
      main(f, binder),
      options(f.FrmOptions, binder, &main),
      about(f.AboutBox, binder, &main) {
  binder.refresh();
}

}  // namespace wintarvel::view
