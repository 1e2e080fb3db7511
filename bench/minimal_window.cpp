// The yardstick of the start-up benchmark: a plain top-level window that paints one line of text.
#include <windows.h>

#include <iterator>

namespace {

constexpr wchar_t kClassName[] = L"QuillmereMinimalWindow";
constexpr wchar_t kCaption[] = L"Quillmere minimal window";
constexpr wchar_t kLine[] = L"One line of text, drawn as soon as the window is shown.";

void OnPaint(HWND window) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(window, &ps);
  TextOutW(dc, 16, 16, kLine, static_cast<int>(std::size(kLine) - 1));
  EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kClassName;
  if (!RegisterClassW(&wc)) return 1;
  HWND window = CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
