// The lesson view: one laid-out lesson below the toolbar, scrolled by rows.
#include "frame/lesson_view.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "calendar/lesson_schedule.h"
#include "frame/app_state.h"
#include "frame/menu_checks.h"
#include "frame/notices.h"
#include "search/search_again.h"
#include "store/records.h"
#include "text/document.h"
#include "text/draw.h"
#include "text/gdi_device.h"
#include "text/run_order.h"
#include "text/selection.h"

namespace qm {

namespace {

// The window DC the document draws to, and the text device around it; both live as long as
// the main window.
struct ViewDevice {
  HDC dc = nullptr;
  std::unique_ptr<TextDevice> device;
};
ViewDevice g_view;

std::unique_ptr<TextDevice> NewGdiDevice(HDC dc) {
  return std::make_unique<GdiDevice>(dc);
}
ViewDeviceFactory g_deviceFactory = NewGdiDevice;

Document* Doc() {
  return g_app.CurrentDocument.get();
}

// A lesson number outside the series loads nothing, as a lesson whose record is missing: record
// numbers beyond it name other records (31767 is the index).
TextBuffer LoadLesson(std::uint16_t lesson) {
  if (lesson < 1 || lesson > kLessonCount) return {};
  return LoadRecord(lesson);
}

int ToolbarHeight() {
  RECT r{};
  if (!g_app.Toolbar || !GetWindowRect(static_cast<HWND>(g_app.Toolbar), &r)) return 0;
  return r.bottom - r.top;
}

bool ScrollBarWanted() {
  return (g_app.Flags & (flags::ScrollBarShown | flags::ScrollBarLeft)) != 0;
}

// Scrolling in the view always redraws a changed view and clamps as ScrollDocument does.
void ScrollBy(std::int32_t delta) {
  ScrollDocument(Doc(), delta, 1, true);
}

std::int32_t LinesShown() {
  return Doc() ? Doc()->LinesShown : 0;
}

// The text area of a view opened now: the client area below the toolbar's last pixel row, less
// the gutter on each side that is wider than two gutters.
RECT ViewArea(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  if (g_app.Toolbar) r.top += ToolbarHeight() - 1;
  const int g = g_app.Gutter;
  if (r.bottom - r.top > 2 * g) {
    r.top += g;
    r.bottom -= g;
  }
  if (r.right - r.left > 2 * g) {
    r.left += g;
    r.right -= g;
  }
  return r;
}

}  // namespace

void SetViewDeviceFactory(ViewDeviceFactory factory) {
  g_deviceFactory = factory ? factory : NewGdiDevice;
}

int NextLessonNumber(int lesson, int delta) {
  const int n = lesson + delta;
  if (n > kLessonCount) return 1;
  if (n < 1) return kLessonCount;
  return n;
}

std::int32_t PageStep(std::uint32_t mode, std::int32_t linesShown) {
  // A page never steps backwards or stands still, also when no row was drawn.
  return std::max((mode == 2 || mode == 4) ? linesShown / 2 : linesShown - 1, 1);
}

int OpenView(HWND window) {
  g_view.dc = GetDC(window);
  g_view.device = g_deviceFactory(g_view.dc);
  const RECT r = ViewArea(window);
  const Box box{r.left, r.top, r.right, r.bottom};
  g_app.CurrentDocument = CreateDocument(g_view.device.get(), &box, g_app.FontSettings, 100);
  if (!Doc()) return 1;
  g_app.Bidi = ProbePlatformBidi(Doc());
  SetSelectionColours(GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT));
  TextBuffer text = LoadLesson(g_app.CurrentLesson);
  if (!text) {
    ShowNotice(Notice::ResourceNotFound, window);
    return 0;
  }
  LayoutDocument(Doc(), std::move(text));
  Doc()->TopLine = g_app.SavedPosition;  // drawing brings a value beyond the lesson back
  UpdateScrollBar(window);
  return 0;
}

void CloseView(HWND window) {
  if (g_view.dc) ReleaseDC(window, g_view.dc);
  g_view.dc = nullptr;
}

int GoToLesson(HWND window, std::uint16_t lesson) {
  const std::uint16_t oldLesson = g_app.CurrentLesson;
  const std::uint32_t oldFlags = g_app.Flags;
  SelectLesson(lesson, true);
  TextBuffer text;
  {
    const QuietDecoding quiet;  // a lesson that cannot be loaded changes nothing, silently
    text = LoadLesson(g_app.CurrentLesson);
  }
  if (!text) {
    g_app.CurrentLesson = oldLesson;
    g_app.Flags = oldFlags;
    return 1;
  }
  LayoutDocument(Doc(), std::move(text));
  if (Doc()) Doc()->TopLine = 0;
  RepaintView(window, kPaintNewText);
  UpdateBookmarkCheck(window);
  return 0;
}

void StepLesson(HWND window, int delta) {
  // A lesson that cannot be loaded is stepped over, so that Next and Previous never stick in
  // front of it; after a whole round without one that loads, nothing changes.
  int n = g_app.CurrentLesson;
  for (int tries = 0; tries < kLessonCount; ++tries) {
    n = NextLessonNumber(n, delta);
    if (GoToLesson(window, static_cast<std::uint16_t>(n)) == 0) return;
  }
}

void UpdateScrollBar(HWND window) {
  if (!ScrollBarWanted()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = Doc() ? Doc()->MaxTopLine : 0;
  info.nPos = Doc() ? Doc()->TopLine : 0;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void ResizeView(HWND window, LPARAM size) {
  const int g2 = 2 * g_app.Gutter;
  RECT outer{};
  GetWindowRect(window, &outer);
  const int outerW = outer.right - outer.left;
  const int outerH = outer.bottom - outer.top;
  g_app.FrameHeight = outerH > g2 ? outerH - g2 : outerH;
  g_app.FrameWidth = outerW > g2 ? outerW - g2 : outerW;
  int width = LOWORD(size);
  int height = HIWORD(size);
  if (width > g2) width -= g2;
  if (height > g2) height -= g2;
  Document* doc = Doc();
  if (!doc || (width == doc->TextRect.width && height == doc->TextRect.height)) return;
  if (g_app.Toolbar) {
    const int th = ToolbarHeight();
    MoveWindow(static_cast<HWND>(g_app.Toolbar), 0, 0, width, th, TRUE);
    height -= th;
  }
  ResizeDocument(doc, width, height);
  UpdateScrollBar(window);
}

void RefitView(HWND window) {
  Document* doc = Doc();
  if (!doc) return;
  const RECT area = ViewArea(window);
  doc->TextRect.left = area.left;
  doc->TextRect.top = area.top;
  RECT client{};
  GetClientRect(window, &client);
  ResizeView(window, MAKELPARAM(client.right, client.bottom));
}

void PaintView(HDC dc, HWND window, std::uint32_t paintFlags) {
  PAINTSTRUCT ps{};
  const bool ownPaint = dc == nullptr;
  if (ownPaint) dc = BeginPaint(window, &ps);
  if (paintFlags & kPaintErase) {
    RECT r{};
    GetClientRect(window, &r);
    if (g_app.Toolbar) r.top += ToolbarHeight() - 1;
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  if (paintFlags & kPaintDocument) DrawDocument(Doc(), (paintFlags & kPaintErase) != 0);
  if (ownPaint) EndPaint(window, &ps);
}

void RepaintView(HWND window, std::uint32_t paintFlags) {
  if (!window) window = static_cast<HWND>(g_app.MainWindow);
  HDC dc = GetDC(window);
  PaintView(dc, window, paintFlags);
  ReleaseDC(window, dc);
  UpdateScrollBar(window);
}

void ClickPage(HWND window, LPARAM position) {
  Document* doc = Doc();
  if (!doc) return;
  const int x = LOWORD(position);
  const int y = HIWORD(position);
  const TextArea& t = doc->TextRect;
  const int g = g_app.Gutter;
  if (x < t.left - g || x > t.left + t.width + g) return;
  if (y < t.top - g || y > t.top + t.height) return;
  if (!(g_app.Flags & flags::ClickPaging)) return;
  int p = x;
  int midline = t.left + t.width / 2;
  if (g_app.Flags & flags::ClickUpperLower) {
    p = y;
    midline = t.top + t.height / 2;
  }
  const int step = std::abs(PageStep(flags::ClickPageMode(g_app.Flags), doc->LinesShown));
  ScrollBy(p < midline ? -step : step);
  UpdateScrollBar(window);
}

LRESULT OnViewKey(HWND window, WPARAM key) {
  Document* doc = Doc();
  const std::int32_t top = doc ? doc->TopLine : 0;
  const std::int32_t maxTop = doc ? doc->MaxTopLine : 0;
  const std::int32_t page = PageStep(flags::KeyPageMode(g_app.Flags), LinesShown());
  std::int32_t delta = 0;
  switch (key) {
    case VK_RETURN:
      if (g_app.SearchText[0] != 0) SearchAgain(window);
      return 0;
    case VK_LEFT:
      StepLesson(window, -1);
      return 0;
    case VK_RIGHT:
      StepLesson(window, +1);
      return 0;
    case VK_PRIOR:
      delta = -page;
      break;
    case VK_NEXT:
      delta = page;
      break;
    case VK_END:  // the last page from wherever the view stands
      delta = maxTop - top;
      break;
    case VK_HOME:
      delta = -top;
      break;
    case VK_UP:
      delta = -1;
      break;
    case VK_DOWN:
      delta = 1;
      break;
    default:
      return 1;
  }
  ScrollBy(delta);
  UpdateScrollBar(window);
  return 0;
}

LRESULT OnViewScroll(HWND window, WPARAM wParam, LPARAM lParam) {
  Document* doc = Doc();
  const std::int32_t top = doc ? doc->TopLine : 0;
  const std::int32_t shown = LinesShown();
  const std::int32_t position = static_cast<std::int16_t>(HIWORD(wParam));
  std::int32_t delta = 0;
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      delta = -1;
      break;
    case SB_LINEDOWN:
      delta = 1;
      break;
    case SB_PAGEUP:
      delta = -PageStep(1, shown);
      break;
    case SB_PAGEDOWN:
      delta = PageStep(1, shown);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      delta = position - top;
      break;
    case SB_TOP:
      delta = -top;
      break;
    case SB_BOTTOM:  // to the last full page, as SB_TOP goes to the first row
      delta = (doc ? doc->MaxTopLine : 0) - top;
      break;
    default:
      break;
  }
  if (delta != 0) ScrollBy(delta);
  DefWindowProcW(window, WM_VSCROLL, wParam, lParam);
  if (delta != 0) UpdateScrollBar(window);
  return 1;
}

LRESULT OnViewWheel(HWND window, WPARAM wParam) {
  const std::int32_t distance = static_cast<std::int16_t>(HIWORD(wParam));
  ScrollBy(-(distance / WHEEL_DELTA));
  UpdateScrollBar(window);
  return 0;
}

}  // namespace qm
