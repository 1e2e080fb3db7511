// Drawing the index outline through the text device: whole visible lines and their marks.
#include "index/outline_paint.h"

#include <algorithm>

#include "frame/app_state.h"
#include "frame/dpi.h"
#include "index/index_fonts.h"
#include "text/conversion.h"
#include "text/fonts.h"

namespace qm {

namespace {

constexpr int kMarkGap = 4;  // pixels at 96 dpi between a line's text and its mark

// Puts the text colour back when a scope ends.
class RestoreColour {
 public:
  explicit RestoreColour(TextDevice& dc) : dc_(dc), colour_(dc.GetTextColor()) {}
  RestoreColour(const RestoreColour&) = delete;
  RestoreColour& operator=(const RestoreColour&) = delete;
  ~RestoreColour() { dc_.SetTextColor(colour_); }

 private:
  TextDevice& dc_;
  Colour colour_;
};

void DrawLineText(IndexOutline& o, const OutlineLine& line, std::int32_t y) {
  std::int32_t extra = 0;
  const char16_t* units =
      ToDisplayText(o.Text.data() + line.Offset, g_conversion, line.Length, &extra);
  if (!units) return;
  const auto count = static_cast<std::size_t>(std::max<std::int32_t>(line.Length + extra, 0));
  const int left = LineLeft(line);
  const Box box{left, y, left + line.Width, y + line.Height};
  o.DeviceContext->DrawUnits(std::u16string_view(units, count), box, dt::Run);
}

}  // namespace

void DrawEntryMark(IndexOutline& outline, const OutlineLine& line, std::int32_t y) {
  int which = 2;
  if (IsHeadingLine(line)) which = (line.Style & kEntryExpanded) ? 1 : 0;
  GdiObject bitmap = g_app.MarkBitmaps[which];
  if (!bitmap || !outline.DeviceContext) return;
  // The dialog loads the marks drawn for its DPI, so that they are shown at their own size.
  const int size = MarkSize(outline.Dpi);
  const int x = LineLeft(line) + line.Width + ScaleToDpi(kMarkGap, outline.Dpi);
  const int v = (line.Height - size) / 2;
  const auto top = static_cast<std::int16_t>(v > 0 ? y + v : y);
  outline.DeviceContext->DrawBitmap(bitmap, x, top, size, size);
}

int PaintOutline(IndexOutline* outline, bool withBackground) {
  if (!outline || !outline->Text || !outline->Lines || !outline->DeviceContext) return -1;
  IndexOutline& o = *outline;
  TextDevice& dc = *o.DeviceContext;
  o.LinesShown = 0;
  std::int32_t room = o.TextRect.height;
  if (o.TopLine > o.VisibleCount) o.TopLine = o.MaxTopLine;
  int i = FirstShownLine(o);
  std::int32_t y = o.TextRect.top;

  RestoreColour colour(dc);
  ScopedOverride override(o.Settings.FontAsciiBase);
  std::uint8_t key = o.Lines[i].Style & kFontKeyMask;
  RestoreFont font(dc, SelectIndexFont(o, o.Lines[i].Style | kWithColour));
  if (withBackground) {
    const TextArea& r = o.TextRect;
    dc.Fill({r.left, r.top, r.left + r.width, r.top + r.height}, dc.StockObject(Stock::WhiteBrush));
  }

  std::uint16_t lastId = 0;
  for (; i < o.LineCount && o.Lines[i].Style != 0 && room >= o.Lines[i].Height; ++i) {
    const OutlineLine& line = o.Lines[i];
    if (!(line.Style & kEntryVisible)) continue;
    if ((line.Style & kFontKeyMask) != key) {
      key = line.Style & kFontKeyMask;
      SelectIndexFont(o, line.Style | kWithColour);
    }
    if (line.EntryId != lastId) DrawEntryMark(o, line, y);
    lastId = line.EntryId;
    DrawLineText(o, line, y);
    y += line.Height;
    room -= line.Height;
    ++o.LinesShown;
  }
  return 0;
}

}  // namespace qm
