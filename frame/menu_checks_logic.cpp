// Check marks of Go > Bookmark and File > Reverse, and the Reverse bit of Flags.
#include "frame/menu_checks_logic.h"

#include "frame/app_state.h"
#include "frame/bookmarks.h"
#include "resources/resource.h"

namespace qm {

int SetMenuCheck(MenuSeam& menu, int mode, int item, std::uint32_t value) {
  const bool checked = mode != 0 ? value != 0 : !menu.IsChecked(item);
  menu.SetChecked(item, checked);
  return checked ? 1 : 0;
}

void UpdateBookmarkCheck(MenuSeam& menu) {
  SetMenuCheck(menu, 1, IDC_BOOKMARK, static_cast<std::uint32_t>(IsBookmarked()));
}

void UpdateReverseCheck(MenuSeam& menu, int mode) {
  if (SetMenuCheck(menu, mode, IDC_REVERSE, g_app.Flags & flags::ReverseText) == 1) {
    g_app.Flags |= flags::ReverseText;
  } else {
    g_app.Flags &= ~flags::ReverseText;
  }
}

}  // namespace qm
