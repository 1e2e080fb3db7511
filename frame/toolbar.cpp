// The toolbar of the main window.
#include "frame/toolbar.h"

#include <windows.h>

#include <commctrl.h>

#include <array>

#include "frame/app_state.h"
#include "frame/dpi.h"
#include "frame/lesson_view.h"
#include "frame/window_dpi_win.h"
#include "resources/resource.h"

namespace qm {

namespace {

constexpr int kToolbarId = 1;
constexpr int kImageSize = 16;
// The room the toolbar gives an image inside its button, at 96 dpi (the control's own padding).
constexpr int kButtonPaddingX = 7;
constexpr int kButtonPaddingY = 6;

// Previous Day, Today, Next Day, Choose Font, Search, Search Again, Choose Article.
constexpr std::array<int, 7> kButtonCommands = {
    IDC_PREVIOUS, IDC_TODAY, IDC_NEXT, IDC_FONT, IDC_SEARCH, IDC_SEARCH_AGAIN, IDC_CHOOSE_ARTICLE};

int StripFor(int imageSize) {
  if (imageSize == ScaleToDpi(kImageSize, kToolbarDpis[1])) return IDB_TOOLBAR_24;
  if (imageSize == ScaleToDpi(kImageSize, kToolbarDpis[2])) return IDB_TOOLBAR_32;
  return IDB_TOOLBAR;
}

HWND MakeToolbar(HWND window) {
  std::array<TBBUTTON, kButtonCommands.size()> buttons{};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    buttons[i].iBitmap = static_cast<int>(i);
    buttons[i].idCommand = kButtonCommands[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = TBSTYLE_BUTTON;
    buttons[i].iString = -1;
  }
  const int dpi = WindowDpi(window);
  const int image = ToolbarImageSize(dpi);
  HWND toolbar = CreateToolbarEx(
      window, WS_CHILD | WS_VISIBLE, kToolbarId, static_cast<int>(buttons.size()),
      static_cast<HINSTANCE>(g_app.Instance), StripFor(image), buttons.data(),
      static_cast<int>(buttons.size()), image, image, image, image, sizeof(TBBUTTON));
  if (toolbar && image != kImageSize) {
    // Larger images get buttons as much larger: the control's padding is fixed in pixels.
    const int scale = NearestDrawnDpi(dpi, kToolbarDpis);
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(image + ScaleToDpi(kButtonPaddingX, scale),
                            image + ScaleToDpi(kButtonPaddingY, scale)));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  }
  return toolbar;
}

}  // namespace

void CreateToolbar(HWND window) {
  g_app.MainWindow = window;
  g_app.Toolbar = MakeToolbar(window);
  OpenView(window);
}

void RemakeToolbar(HWND window) {
  if (g_app.Toolbar) DestroyWindow(static_cast<HWND>(g_app.Toolbar));
  g_app.Toolbar = MakeToolbar(window);
}

}  // namespace qm
