// The toolbar of the main window.
#include "frame/toolbar.h"

#include <windows.h>

#include <commctrl.h>

#include <array>

#include "frame/app_state.h"
#include "frame/lesson_view.h"
#include "resources/resource.h"

namespace qm {

namespace {

constexpr int kToolbarId = 1;
constexpr int kImageSize = 16;

// Previous Day, Today, Next Day, Choose Font, Search, Search Again, Choose Article.
constexpr std::array<int, 7> kButtonCommands = {
    IDC_PREVIOUS, IDC_TODAY, IDC_NEXT, IDC_FONT, IDC_SEARCH, IDC_SEARCH_AGAIN, IDC_CHOOSE_ARTICLE};

}  // namespace

void CreateToolbar(HWND window) {
  g_app.MainWindow = window;
  std::array<TBBUTTON, kButtonCommands.size()> buttons{};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    buttons[i].iBitmap = static_cast<int>(i);
    buttons[i].idCommand = kButtonCommands[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = TBSTYLE_BUTTON;
    buttons[i].iString = -1;
  }
  g_app.Toolbar =
      CreateToolbarEx(window, WS_CHILD | WS_VISIBLE, kToolbarId, static_cast<int>(buttons.size()),
                      static_cast<HINSTANCE>(g_app.Instance), IDB_TOOLBAR, buttons.data(),
                      static_cast<int>(buttons.size()), kImageSize, kImageSize, kImageSize,
                      kImageSize, sizeof(TBBUTTON));
  OpenView(window);
}

}  // namespace qm
