// The menu seam over a window's menu: GetMenuState and SetMenuItemInfoW by command.
#include "frame/menu_checks.h"

#include "frame/menu_checks_logic.h"

namespace qm {

namespace {

class WindowMenu final : public MenuSeam {
 public:
  explicit WindowMenu(HWND window) : menu_(GetMenu(window)) {}

  bool IsChecked(int item) override {
    const UINT state = GetMenuState(menu_, static_cast<UINT>(item), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;  // -1: no such item
  }

  void SetChecked(int item, bool checked) override {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = checked ? MFS_CHECKED : 0;
    SetMenuItemInfoW(menu_, static_cast<UINT>(item), FALSE, &info);
  }

 private:
  HMENU menu_;
};

}  // namespace

void UpdateBookmarkCheck(HWND window) {
  WindowMenu menu(window);
  UpdateBookmarkCheck(menu);
}

void UpdateReverseCheck(HWND window, int mode) {
  WindowMenu menu(window);
  UpdateReverseCheck(menu, mode);
}

}  // namespace qm
