// Per-monitor DPI through functions found at run time, with the system DPI where they are missing.
#include "frame/window_dpi_win.h"

#include "frame/dpi.h"

namespace qm {

namespace {

constexpr wchar_t kDpiProperty[] = L"Quillmere.Dpi";

// A function of user32 that older systems lack; null there.
template <typename Function>
Function FromUser32(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

HWND TopLevel(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  return root ? root : window;
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return kBaseDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND window) {
  if (!window) return SystemDpi();
  const auto told = reinterpret_cast<INT_PTR>(GetPropW(TopLevel(window), kDpiProperty));
  if (told > 0) return static_cast<int>(told);
  static const auto dpiForWindow = FromUser32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (dpiForWindow) {
    if (const UINT dpi = dpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

void NoteWindowDpi(HWND window, int dpi) {
  if (dpi > 0) SetPropW(TopLevel(window), kDpiProperty, reinterpret_cast<HANDLE>(INT_PTR{dpi}));
}

void ForgetWindowDpi(HWND window) {
  RemovePropW(TopLevel(window), kDpiProperty);
}

INT_PTR FollowDpiChange(HWND dialog, WPARAM wParam, LPARAM lParam) {
  NoteWindowDpi(dialog, HIWORD(wParam));
  if (const auto* r = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(dialog, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PostMessageW(dialog, kAfterDpiChange, 0, 0);
  return FALSE;
}

int MetricForDpi(int index, int dpi) {
  static const auto metricForDpi = FromUser32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  if (metricForDpi && dpi > 0) return metricForDpi(index, static_cast<UINT>(dpi));
  return GetSystemMetrics(index);
}

}  // namespace qm
