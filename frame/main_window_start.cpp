// Process start: platform test, single instance, settings, window class and window, loop.
#include <windows.h>

#include <commctrl.h>

#include "calendar/lesson_schedule.h"
#include "fontdlg/font_dialog.h"
#include "frame/app_state.h"
#include "frame/dialog_gate.h"
#include "frame/lesson_view.h"
#include "frame/main_window.h"
#include "frame/menu_checks.h"
#include "frame/notices.h"
#include "frame/settings.h"
#include "frame/settings_store.h"
#include "frame/window_placement_win.h"
#include "resources/resource.h"
#include "text/document.h"

namespace qm {

namespace {

constexpr std::int32_t kDefaultGutter = 10;
constexpr DWORD kBaseStyle = WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

HWND TopOfForeground() {
  HWND top = GetForegroundWindow();
  while (HWND parent = top ? GetParent(top) : nullptr)
    top = parent;
  return top;
}

void OpenFirstRunFontDialog(HWND window) {
  const DialogGate gate;
  DialogBoxParamW(static_cast<HINSTANCE>(g_app.Instance), MAKEINTRESOURCEW(IDD_FONT), window,
                  FontDialog, reinterpret_cast<LPARAM>(&g_app.FontSettings));
  SetDocumentFont(g_app.CurrentDocument.get(), &g_app.FontSettings);
  UpdateScrollBar(window);
}

}  // namespace

DWORD MainWindowStyle(std::uint32_t f) {
  DWORD style = WS_OVERLAPPED | kBaseStyle;
  if (f & (flags::ScrollBarShown | flags::ScrollBarLeft)) style |= WS_VSCROLL;
  return style;
}

DWORD MainWindowExStyle(std::uint32_t f) {
  return (f & flags::ScrollBarLeft) ? WS_EX_WINDOWEDGE | WS_EX_LEFTSCROLLBAR : WS_EX_WINDOWEDGE;
}

void RegisterMainClass(HINSTANCE instance, const wchar_t* className) {
  WNDCLASSW wc{};
  // Double-clicks select a word in the view.
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN);
  wc.lpszClassName = className;
  RegisterClassW(&wc);  // a failure shows as a failed CreateWindowExW
}

bool HandOverToRunningReader() {
  HWND found = FindWindowW(kMainWindowName, kMainWindowName);
  if (!found) return false;
  HWND foreground = GetForegroundWindow();
  if (found == foreground) SendMessageW(found, WM_COMMAND, IDC_TODAY, 0);
  if (found != TopOfForeground()) SetForegroundWindow(found);
  return true;
}

HWND StartInstance(int showCommand) {
  if (HandOverToRunningReader()) return nullptr;
  InitCommonControls();
  LoadSettings();
  SelectLesson(0, false);
  HINSTANCE instance = static_cast<HINSTANCE>(g_app.Instance);
  RegisterMainClass(instance, kMainWindowName);
  HWND window = CreateWindowExW(MainWindowExStyle(g_app.Flags), kMainWindowName, kMainWindowName,
                                MainWindowStyle(g_app.Flags), CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  RestoreWindowPlacement(window, showCommand);
  UpdateWindow(window);
  // After memory ran out while the settings were read, the run is over: no dialog first.
  if (g_app.FontSettings.FontName[0] == 0 && !ShutdownSaveDone()) OpenFirstRunFontDialog(window);
  return window;
}

int RunMessageLoop(HACCEL accelerators) {
  MSG msg{};
  // The out-of-memory path posts the quit message, but a modal loop that runs at that moment
  // (a dialog, a message box) may take it for itself; the loop then ends on the save it made.
  while (!ShutdownSaveDone() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return ShutdownSaveDone() ? 0 : static_cast<int>(msg.wParam);
}

int RunReader(HINSTANCE instance, int showCommand, PlatformIdQuery platformId) {
  ResetAppState();
  g_app.Instance = instance;
  if (RefusesPlatform(platformId())) {
    ShowNotice(Notice::PlatformRefused);
    return -1;
  }
  g_app.Gutter = StoredGutter(ReadNumber(kPublisherKey, u"SurroundingGutter", kDefaultGutter));
  if (!StartInstance(showCommand)) return 0;
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN));
  return RunMessageLoop(accelerators);
}

}  // namespace qm
