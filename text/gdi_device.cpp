// GDI behind the text device: fonts, metrics, extents, DrawTextW, fills and blits.
#include "text/gdi_device.h"

#include <algorithm>
#include <vector>

#include "frame/window_dpi_win.h"

namespace qm {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 units are wchar_t on Windows");

namespace {

const wchar_t* Wide(std::u16string_view units) {
  return reinterpret_cast<const wchar_t*>(units.data());
}

int Length(std::u16string_view units) {
  return static_cast<int>(std::min<std::size_t>(units.size(), 0x7FFFFFFF));
}

RECT ToRect(const Box& box) {
  return RECT{box.left, box.top, box.right, box.bottom};
}

// A memory device context compatible with another, deleted at the end of its scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

GdiObject GdiDevice::NewFont(const FontRequest& request) {
  LOGFONTW lf{};
  lf.lfHeight = request.height;
  lf.lfWeight = request.weight;
  lf.lfUnderline = request.underline;
  // The face name decides, not the character set: with ANSI_CHARSET (0) the font mapper passes
  // over a face that holds Hebrew but no Western code page and draws the lesson in another
  // face, as boxes.
  lf.lfCharSet = DEFAULT_CHARSET;
  std::copy_n(request.faceName, LF_FACESIZE - 1, lf.lfFaceName);
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return CreateFontIndirectW(&lf);
}

GdiObject GdiDevice::NewPen(Colour colour) {
  return CreatePen(PS_SOLID, 0, colour);
}

GdiObject GdiDevice::NewSolidBrush(Colour colour) {
  return CreateSolidBrush(colour);
}

GdiObject GdiDevice::StockObject(Stock which) {
  return GetStockObject(static_cast<int>(which));
}

GdiObject GdiDevice::Select(GdiObject object) {
  if (!object) return nullptr;
  HGDIOBJ previous = SelectObject(dc_, static_cast<HGDIOBJ>(object));
  return previous == HGDI_ERROR ? nullptr : previous;
}

void GdiDevice::Delete(GdiObject object) {
  if (object) DeleteObject(static_cast<HGDIOBJ>(object));
}

TextMetrics GdiDevice::Metrics() {
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(dc_, &tm)) return {};
  return {tm.tmHeight, tm.tmMaxCharWidth};
}

std::int32_t GdiDevice::LogPixelsY() {
  // A window's device context answers for the monitor the window is on; with per-monitor
  // awareness that may differ from the system DPI that GetDeviceCaps reports.
  if (HWND window = WindowFromDC(dc_)) return WindowDpi(window);
  return GetDeviceCaps(dc_, LOGPIXELSY);
}

Extent GdiDevice::TextExtent(std::u16string_view units) {
  SIZE size{};
  if (!GetTextExtentPoint32W(dc_, Wide(units), Length(units), &size)) return {};
  return {size.cx, size.cy};
}

std::int32_t GdiDevice::FitCount(std::u16string_view units, std::int32_t maxWidth, Extent* extent) {
  INT fit = 0;
  SIZE size{};
  if (!GetTextExtentExPointW(dc_, Wide(units), Length(units), maxWidth, &fit, nullptr, &size)) {
    fit = 0;
    size = SIZE{};
  }
  if (extent) *extent = {size.cx, size.cy};
  return fit;
}

bool GdiDevice::ReordersRun(std::u16string_view units) {
  const int n = Length(units);
  if (n < 2) return false;
  std::vector<UINT> order(static_cast<std::size_t>(n));
  GCP_RESULTSW results{};
  results.lStructSize = sizeof(results);
  results.lpOrder = order.data();
  results.nGlyphs = static_cast<UINT>(n);
  if (GetCharacterPlacementW(dc_, Wide(units), n, 0, &results, GCP_REORDER) == 0) return false;
  for (int i = 0; i < n; ++i)
    if (order[static_cast<std::size_t>(i)] != static_cast<UINT>(i)) return true;
  return false;
}

void GdiDevice::DrawUnits(std::u16string_view units, const Box& box, std::uint32_t flags) {
  RECT rc = ToRect(box);
  DrawTextW(dc_, Wide(units), Length(units), &rc, flags);
}

void GdiDevice::Fill(const Box& box, GdiObject brush) {
  if (!brush) return;
  const RECT rc = ToRect(box);
  FillRect(dc_, &rc, static_cast<HBRUSH>(brush));
}

void GdiDevice::DrawRectangle(const Box& box) {
  Rectangle(dc_, box.left, box.top, box.right, box.bottom);
}

bool GdiDevice::DrawBitmap(GdiObject bitmap,
                           std::int32_t x,
                           std::int32_t y,
                           std::int32_t w,
                           std::int32_t h) {
  if (!bitmap) return false;
  BITMAP bm{};
  if (GetObjectW(static_cast<HGDIOBJ>(bitmap), sizeof(bm), &bm) == 0) return false;
  MemoryDc memory(dc_);
  if (!memory.get()) return false;
  HGDIOBJ previous = SelectObject(memory.get(), static_cast<HGDIOBJ>(bitmap));
  if (!previous || previous == HGDI_ERROR) return false;
  const BOOL drawn =
      StretchBlt(dc_, x, y, w, h, memory.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  SelectObject(memory.get(), previous);
  return drawn != FALSE;
}

Colour GdiDevice::GetTextColor() {
  return ::GetTextColor(dc_);
}

Colour GdiDevice::SetTextColor(Colour colour) {
  return ::SetTextColor(dc_, colour);
}

Colour GdiDevice::SetBkColor(Colour colour) {
  return ::SetBkColor(dc_, colour);
}

int GdiDevice::SetBkMode(int mode) {
  return ::SetBkMode(dc_, mode);
}

}  // namespace qm
