// Search Again's hooks into the main window: RepaintView and UpdateBookmarkCheck.
#include "search/search_view_win.h"

#include <windows.h>

#include "frame/app_state.h"
#include "frame/lesson_view.h"
#include "frame/menu_checks.h"
#include "search/search_again.h"

namespace qm {

namespace {

void RepaintMainView(std::uint32_t flags) {
  RepaintView(nullptr, flags);
}

// Also after a hit found from the search dialog, which has no menu: the mark is the main
// window's.
void UpdateMainBookmarkCheck() {
  UpdateBookmarkCheck(static_cast<HWND>(g_app.MainWindow));
}

}  // namespace

void InstallSearchViewHooks() {
  SearchViewHooks hooks;
  hooks.repaint = &RepaintMainView;
  hooks.updateBookmarkCheck = &UpdateMainBookmarkCheck;
  SetSearchViewHooks(hooks);
}

}  // namespace qm
