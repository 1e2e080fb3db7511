// The Choose Section dialog: window, device context, placement, keys, scrolling and clicks
// around the portable outline.
#include "index/choose_section_dialog.h"

#include <optional>
#include <utility>

#include "frame/dpi.h"
#include "frame/window_dpi_win.h"
#include "index/outline.h"
#include "index/outline_paint.h"
#include "resources/resource.h"
#include "text/gdi_device.h"

namespace qm {

namespace {

// The dialog's own device context, released when the dialog goes.
class WindowDc {
 public:
  WindowDc() = default;
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(WindowDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      Release();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() { Release(); }

  HDC get() const { return dc_; }
  void Release() {
    if (dc_) ReleaseDC(window_, dc_);
    dc_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// The state of the one open dialog; cleared at every opening. The outline is declared last so
// that it goes before the device it draws on.
struct ChooseSectionState {
  std::uint16_t result = 0;
  HWND window = nullptr;
  WindowDc deviceContext;
  RECT clientRect = {};
  std::optional<GdiDevice> device;
  OutlinePtr outline;
  FontSettings* settings = nullptr;
};

ChooseSectionState g_dialog;

void ClearState() {
  g_dialog.outline.reset();
  g_dialog.device.reset();
  g_dialog.deviceContext.Release();
  g_dialog.result = 0;
  g_dialog.window = nullptr;
  g_dialog.clientRect = {};
  g_dialog.settings = nullptr;
}

IndexOutline* Outline() {
  return g_dialog.outline.get();
}

void OpenOutline() {
  IndexText text = LoadIndexText();
  if (!g_dialog.device) return;
  const FontSettings& settings = g_dialog.settings ? *g_dialog.settings : g_app.FontSettings;
  const RECT& r = g_dialog.clientRect;
  g_dialog.outline =
      CreateOutline(&*g_dialog.device, Box{r.left, r.top, r.right, r.bottom}, settings, 100);
  if (!Outline()) return;
  LayoutOutline(Outline(), std::move(text));
  RevealLesson(Outline(), g_dialog.result);
  UpdateOutlineScrollBar();
}

// The marks drawn for the dialog's DPI, in place of those loaded with the settings (or for
// another DPI before); the shutdown save releases them. Nothing changes when none were loaded or
// the new ones cannot be had.
void UseMarksFor(HWND window) {
  const int dpi = WindowDpi(window);
  BITMAP shown{};
  if (!g_app.MarkBitmaps[0] || (GetObjectW(g_app.MarkBitmaps[0], sizeof(shown), &shown) != 0 &&
                                shown.bmWidth == MarkSize(dpi)))
    return;
  const int first = PictureForDpi(dpi, {IDB_MARK_COLLAPSED, IDB_MARK_COLLAPSED_11,
                                        IDB_MARK_COLLAPSED_14, IDB_MARK_COLLAPSED_18});
  auto* module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  HBITMAP marks[3] = {};
  for (int i = 0; i < 3; ++i)
    marks[i] = LoadBitmapW(module, MAKEINTRESOURCEW(first + i));
  const bool loaded = marks[0] && marks[1] && marks[2];
  for (int i = 0; i < 3; ++i) {
    HBITMAP gone = loaded ? static_cast<HBITMAP>(g_app.MarkBitmaps[i]) : marks[i];
    if (gone) DeleteObject(gone);
    if (loaded) g_app.MarkBitmaps[i] = marks[i];
  }
}

void PlaceOverFrame(HWND window) {
  RECT frame = {};
  if (!GetWindowRect(GetParent(window), &frame)) return;
  const int width = g_app.FrameWidth;
  const int height = g_app.FrameHeight;
  MoveWindow(window, frame.left + width / 8, frame.top + height / 8, width * 3 / 4, height * 3 / 4,
             FALSE);
}

void OnInitDialog(HWND window) {
  g_dialog.window = window;
  g_dialog.deviceContext = WindowDc(window);
  if (g_dialog.deviceContext.get()) g_dialog.device.emplace(g_dialog.deviceContext.get());
  GetClientRect(window, &g_dialog.clientRect);
  g_dialog.clientRect.right -= MetricForDpi(SM_CXVSCROLL, WindowDpi(window));
  UseMarksFor(window);
  OpenOutline();
  PlaceOverFrame(window);
}

void FillClientWhite(HDC dc) {
  RECT client = {};
  GetClientRect(g_dialog.window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void OnSize(LPARAM lParam) {
  IndexOutline* outline = Outline();
  if (outline) {
    const ExpansionSnapshot snapshot = SnapshotExpansion(outline);
    const int margin = ScaleToDpi(5, WindowDpi(g_dialog.window));
    ResizeOutline(outline, LOWORD(lParam) - margin, HIWORD(lParam));
    RestoreExpansion(outline, snapshot.get());
    if (outline->MaxTopLine == 0) outline->TopLine = 0;
  }
  if (g_dialog.deviceContext.get()) FillClientWhite(g_dialog.deviceContext.get());
  PaintOutline(outline, true);
  UpdateOutlineScrollBar();
}

// The window is validated first, so that its background erase cannot wipe the lines.
void OnPaint(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  PaintOutline(Outline(), true);
  EndPaint(window, &paint);
}

std::int32_t KeyDelta(WPARAM key, const IndexOutline& outline) {
  switch (key) {
    case VK_PRIOR:
    case VK_UP:
      return -1;
    case VK_NEXT:
    case VK_DOWN:
      return 1;
    case VK_END:
      return outline.MaxTopLine ? outline.MaxTopLine : 1;
    case VK_HOME:
      return outline.TopLine ? -outline.TopLine : -1;
    default:
      return 0;
  }
}

INT_PTR OnKeyDown(WPARAM key) {
  if (key < VK_PRIOR || key > VK_DOWN || key == VK_LEFT || key == VK_RIGHT) return 1;
  if (IndexOutline* outline = Outline()) {
    ScrollOutline(outline, KeyDelta(key, *outline), 1, true);
    UpdateOutlineScrollBar();
  }
  return 0;
}

std::int32_t ScrollDelta(WPARAM wParam, const IndexOutline& outline) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      return -1;
    case SB_LINEDOWN:
      return 1;
    case SB_PAGEUP:
      return -outline.LinesShown;
    case SB_PAGEDOWN:
      return outline.LinesShown;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      return static_cast<std::int16_t>(HIWORD(wParam)) - outline.TopLine;
    case SB_TOP:
      return static_cast<std::int16_t>(-outline.TopLine);
    case SB_BOTTOM:  // the last position, as the End key
      return outline.MaxTopLine ? outline.MaxTopLine : 1;
    default:
      return 0;
  }
}

void OnVScroll(HWND window, WPARAM wParam, LPARAM lParam) {
  IndexOutline* outline = Outline();
  const std::int32_t delta = outline ? ScrollDelta(wParam, *outline) : 0;
  if (delta != 0) ScrollOutline(outline, delta, 1, true);
  DefWindowProcW(window, WM_VSCROLL, wParam, lParam);
  if (delta != 0) UpdateOutlineScrollBar();
}

void OnCommand(HWND window, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      EndDialog(window, IDOK);
      break;
    case IDCANCEL:
      g_dialog.result = 0;
      EndDialog(window, IDCANCEL);
      break;
  }
}

void OnLButtonDown(HWND window, LPARAM lParam) {
  const std::int32_t hit = HitTestOutline(Outline(), LOWORD(lParam), HIWORD(lParam));
  if (hit > 0) {
    g_dialog.result = static_cast<std::uint16_t>(hit);
    EndDialog(window, IDOK);
  } else if (hit < 0) {
    UpdateOutlineScrollBar();
  }
}

// After a DPI change: marks, fonts and layout for the new DPI (the layout makes the fonts again).
void FollowDpi(HWND window) {
  UseMarksFor(window);
  RECT client{};
  GetClientRect(window, &client);
  OnSize(MAKELPARAM(client.right, client.bottom));
}

void OnDestroy() {
  ForgetWindowDpi(g_dialog.window);
  g_dialog.outline.reset();
  g_dialog.device.reset();
  g_dialog.deviceContext.Release();
  g_dialog.window = nullptr;
}

// A dialog procedure's result for messages whose value travels in DWLP_MSGRESULT.
INT_PTR MessageResult(HWND window, LRESULT value) {
  SetWindowLongPtrW(window, DWLP_MSGRESULT, value);
  return TRUE;
}

}  // namespace

void UpdateOutlineScrollBar() {
  if (!g_dialog.window) return;
  const IndexOutline* outline = Outline();
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = outline ? outline->MaxTopLine : 0;
  info.nPos = outline ? outline->TopLine : 0;
  SetScrollInfo(g_dialog.window, SB_VERT, &info, TRUE);
}

const IndexOutline* ChooseSectionOutline() {
  return Outline();
}

INT_PTR CALLBACK ChooseSectionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(window);
      return FALSE;
    case WM_SIZE:
      OnSize(lParam);
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return TRUE;
    case WM_ERASEBKGND:
      FillClientWhite(reinterpret_cast<HDC>(wParam));
      return MessageResult(window, 1);
    case WM_GETDLGCODE:  // the arrow keys scroll instead of moving between (absent) controls
      return MessageResult(window, DLGC_WANTARROWS);
    case WM_KEYDOWN:
      return OnKeyDown(wParam);
    case WM_COMMAND:
      OnCommand(window, wParam);
      return 1;
    case WM_VSCROLL:
      OnVScroll(window, wParam, lParam);
      return 1;
    case WM_LBUTTONDOWN:
      OnLButtonDown(window, lParam);
      return 0;
    case WM_DPICHANGED:
      return FollowDpiChange(window, wParam, lParam);
    case kAfterDpiChange:
      FollowDpi(window);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return 0;
  }
}

std::uint16_t ChooseSection(HINSTANCE instance,
                            HWND owner,
                            std::uint16_t currentLesson,
                            FontSettings* settings) {
  ClearState();
  g_dialog.settings = settings;
  g_dialog.result = currentLesson;
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CHOOSE_SECTION), owner, ChooseSectionProc, 0);
  const std::uint16_t result = g_dialog.result;
  ClearState();
  return result;
}

}  // namespace qm
