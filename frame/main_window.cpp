// The main window procedure: a thin switch over the handlers of the window's messages.
#include "frame/main_window.h"

#include "about/about_dialog.h"
#include "frame/app_state.h"
#include "frame/bookmarks.h"
#include "frame/commands.h"
#include "frame/dialog_gate.h"
#include "frame/dpi_change_win.h"
#include "frame/lesson_view.h"
#include "frame/menu_checks.h"
#include "frame/settings.h"
#include "frame/toolbar.h"
#include "frame/window_dpi_win.h"
#include "frame/view_selection.h"
#include "frame/view_zoom.h"
#include "frame/window_placement_win.h"
#include "resources/resource.h"

namespace qm {

namespace {

bool g_shutdownSaved = false;

LRESULT OnCreate(HWND window) {
  CreateToolbar(window);
  UpdateReverseCheck(window, 1);
  UpdateBookmarkCheck(window);
  return 0;
}

// Saves placement and settings once, whether the window is destroyed or the session ends.
void SaveAtShutdown(HWND window) {
  if (g_shutdownSaved) return;
  g_shutdownSaved = true;
  SaveWindowPlacement(window);
  SaveSettingsAndQuit();
}

LRESULT OnDestroy(HWND window) {
  CloseView(window);
  if (g_app.Toolbar) DestroyWindow(static_cast<HWND>(g_app.Toolbar));
  g_app.Toolbar = nullptr;
  SaveAtShutdown(window);
  ForgetWindowDpi(window);
  return 0;
}

LRESULT OnEndSession(HWND window, WPARAM ending) {
  // The process may be ended without WM_DESTROY once this returns.
  if (ending) SaveAtShutdown(window);
  return 0;
}

LRESULT OnHelp(HWND window) {
  const DialogGate gate;
  if (!gate) return 0;
  DialogBoxParamW(static_cast<HINSTANCE>(g_app.Instance), MAKEINTRESOURCEW(IDD_ABOUT), window,
                  AboutDialog, 0);
  return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  if (DispatchCommand(window, LOWORD(wParam)) == 0) return 0;
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_DESTROY:
      return OnDestroy(window);
    case WM_ENDSESSION:
      return OnEndSession(window, wParam);
    case WM_SIZE:
      ResizeView(window, lParam);
      return 0;
    case WM_PAINT:
      PaintView(reinterpret_cast<HDC>(wParam), window, kPaintWindow);
      return 0;
    case WM_HELP:
      return OnHelp(window);
    case WM_KEYDOWN:
      return OnViewKey(window, wParam);
    case WM_COMMAND:
      return OnCommand(window, wParam, lParam);
    case WM_VSCROLL:
      return OnViewScroll(window, wParam, lParam);
    case WM_LBUTTONDOWN:
      return OnViewButtonDown(window, wParam, lParam);
    case WM_LBUTTONUP:
      return OnViewButtonUp(window, lParam);
    case WM_LBUTTONDBLCLK:
      return OnViewDoubleClick(window, lParam);
    case WM_MOUSEMOVE:
      return OnViewMouseMove(window, wParam, lParam);
    case WM_CAPTURECHANGED:
      OnViewCaptureLost(window);
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != window) break;
      return OnViewContextMenu(window, lParam);
    case WM_MOUSEWHEEL:
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) return OnZoomWheel(window, wParam);
      return OnViewWheel(window, wParam);
    case WM_DPICHANGED:
      return OnDpiChanged(window, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace qm
