// Drawing of a laid-out document's visible rows, rules and search mark, and row scrolling.
#include "text/draw.h"

#include <algorithm>
#include <string_view>

#include "text/code_table.h"
#include "text/conversion.h"
#include "text/selection.h"

namespace qm {

namespace {

bool IsRule(std::uint8_t style) {
  return (style & StyleRule) == StyleRule;
}
bool HasBlank(std::uint8_t style) {
  return (style & StyleBlankAfter) != 0;
}
bool IsReaderCode(std::uint8_t style) {
  return (style & StyleReaderCode) != 0;
}

// A brush or pen of the device, deleted at the end of its scope.
class ScopedObject {
 public:
  ScopedObject(TextDevice& dc, GdiObject object) : dc_(dc), object_(object) {}
  ScopedObject(const ScopedObject&) = delete;
  ScopedObject& operator=(const ScopedObject&) = delete;
  ~ScopedObject() {
    if (object_) dc_.Delete(object_);
  }
  GdiObject get() const { return object_; }

 private:
  TextDevice& dc_;
  GdiObject object_;
};

// Sets the shared buffer's override to the document's base for ReaderCode runs only.
class RunOverride {
 public:
  RunOverride(const Document& doc, std::uint8_t style) : active_(IsReaderCode(style)) {
    if (active_) g_conversion.Override = doc.Settings.FontAsciiBase;
  }
  RunOverride(const RunOverride&) = delete;
  RunOverride& operator=(const RunOverride&) = delete;
  ~RunOverride() {
    if (active_) g_conversion.Override = BaseAsStored;
  }

 private:
  bool active_;
};

struct Visible {
  std::uint16_t index = 0;  // first entry drawn
  std::int32_t y = 0;
  std::int32_t room = 0;
};

Visible FirstVisible(Document& doc) {
  if (doc.TopLine > doc.LineCount) doc.TopLine = doc.MaxTopLine;
  std::int32_t rows = 0;
  std::uint16_t k = 0;
  while (doc.Lines[k].Style != 0 && rows < doc.TopLine) {
    rows += 1 + (HasBlank(doc.Lines[k].Style) ? 1 : 0);
    ++k;
  }
  Visible v{k, doc.TextRect.top, doc.TextRect.height};
  if (rows > doc.TopLine && k > 0) {
    // The scroll position is the blank row after the entry before.
    v.y += doc.Lines[k - 1].Height;
    v.room -= doc.Lines[k - 1].Height;
  }
  return v;
}

std::uint32_t FirstStyle(const LineEntry& e) {
  return (e.Style == 0 || IsRule(e.Style)) ? StylePlain : e.Style;
}

std::int32_t SpanLength(const std::uint8_t* p, bool spaces) {
  std::int32_t n = 0;
  while (p[n] != 0 && (p[n] == ' ') == spaces)
    ++n;
  return n;
}

// The hanging word of a ReaderCode first line: after the line's bytes and the spaces that
// follow them, up to the end of the paragraph (stored order puts the first word last).
const std::uint8_t* HangingReaderWord(const std::uint8_t* text,
                                      const LineEntry& e,
                                      std::int32_t& length) {
  const std::uint8_t* p = text + e.Offset + e.Length;
  p += SpanLength(p, true);
  length = 0;
  while (p[length] != 0)
    ++length;
  return p;
}

// The x and width of the fitted hanging word of a ReaderCode line.
void PlaceReaderWord(const Document& doc,
                     const LineEntry& e,
                     const std::uint8_t* word,
                     std::int32_t& count,
                     std::int32_t& x,
                     std::int32_t& width) {
  width = e.Indent;
  FitByWidths(doc.Widths, word, width, count);
  x = e.X + e.Width + e.Indent - width;
}

void ScrollRows(const LineEntry& e, Visible& v, std::int32_t* shown) {
  const int rows = HasBlank(e.Style) ? 2 : 1;
  v.y += rows * e.Height;
  v.room -= rows * e.Height;
  if (shown) *shown += rows;
}

void DrawLine(Document& doc, const LineEntry& e, std::int32_t y) {
  TextDevice& dc = *doc.DeviceContext;
  const std::uint8_t* text = doc.Text.get();
  const std::uint8_t* line = text + e.Offset;
  if (e.Indent != 0) {
    if (IsReaderCode(e.Style)) {
      std::int32_t count = 0;
      const std::uint8_t* word = HangingReaderWord(text, e, count);
      std::int32_t x = 0, width = 0;
      PlaceReaderWord(doc, e, word, count, x, width);
      RunOverride scope(doc, e.Style);
      DrawRun(doc, word, count, x, y, width, e.Height);
    } else {
      const std::int32_t word = SpanLength(line, false);
      std::int32_t count = word;
      std::int32_t width = e.Indent;
      FitByExtent(dc, line, width, count);
      DrawRunCentred(dc, line, count, e.X - e.Indent, y, width, e.Height);
      line += word + SpanLength(line + word, true);
    }
  }
  RunOverride scope(doc, e.Style);
  DrawRun(doc, line, e.Length, e.X, y, e.Width, e.Height);
}

void MarkLine(Document& doc, const LineEntry& e, std::int32_t y) {
  const std::uint8_t* text = doc.Text.get();
  const std::uint8_t* line = text + e.Offset;
  if (e.Indent != 0) {
    if (IsReaderCode(e.Style)) {
      std::int32_t count = 0;
      const std::uint8_t* word = HangingReaderWord(text, e, count);
      std::int32_t x = 0, width = 0;
      PlaceReaderWord(doc, e, word, count, x, width);
      RunOverride scope(doc, e.Style);
      DrawRunColoured(*doc.DeviceContext, word, count, x, y, width, e.Height, kBlue, kYellow);
    } else {
      const std::int32_t word = SpanLength(line, false);
      DrawMarkSpan(doc, text, line, word, e.X - e.Indent, y, e);
      line += word + SpanLength(line + word, true);
    }
  }
  RunOverride scope(doc, e.Style);
  DrawMarkSpan(doc, text, line, e.Length, e.X, y, e);
}

bool Drawable(const Document* doc) {
  return doc && doc->Text && doc->Lines && doc->DeviceContext;
}

}  // namespace

int DrawDocument(Document* doc, bool erase) {
  if (!Drawable(doc)) return -1;
  TextDevice& dc = *doc->DeviceContext;
  doc->LinesShown = 0;
  Visible v = FirstVisible(*doc);
  const Colour colour = dc.GetTextColor();
  std::uint32_t key = FirstStyle(doc->Lines[v.index]);
  GdiObject previous = SelectStyleFont(doc, key | kWithColour);
  if (erase) FillBox(dc, doc->TextRect, Stock::WhiteBrush);
  for (std::uint16_t k = v.index; doc->Lines[k].Style != 0 && v.room >= doc->Lines[k].Height; ++k) {
    const LineEntry& e = doc->Lines[k];
    if (IsRule(e.Style)) {
      ScopedSelect brush(dc, dc.StockObject(Stock::BlackBrush));
      const std::int32_t mid = v.y + e.Height / 2;
      dc.DrawRectangle({e.X, mid, e.X + e.Width, mid + 1});
    } else {
      if (((key ^ e.Style) & kFontKeyMask) != 0) {
        SelectStyleFont(doc, e.Style | kWithColour);
        key = e.Style;
      }
      DrawLine(*doc, e, v.y);
    }
    ScrollRows(e, v, &doc->LinesShown);
  }
  dc.Select(previous);
  dc.SetTextColor(colour);
  DrawSelection(*doc);
  if (doc->MarkStart != 0 || doc->MarkEnd != 0) return DrawMarks(doc);
  return 0;
}

int DrawMarks(Document* doc) {
  if (!Drawable(doc)) return -1;
  Visible v = FirstVisible(*doc);
  std::uint32_t key = FirstStyle(doc->Lines[v.index]);
  GdiObject previous = SelectStyleFont(doc, key);
  for (std::uint16_t k = v.index; doc->Lines[k].Style != 0 && v.room >= doc->Lines[k].Height; ++k) {
    const LineEntry& e = doc->Lines[k];
    const bool marked =
        !IsRule(e.Style) && doc->MarkEnd >= e.Offset && e.Offset + e.Length >= doc->MarkStart;
    if (marked) {
      if (((key ^ e.Style) & kFontKeyMask) != 0) {
        SelectStyleFont(doc, e.Style);
        key = e.Style;
      }
      MarkLine(*doc, e, v.y);
    }
    ScrollRows(e, v, nullptr);
  }
  doc->DeviceContext->Select(previous);
  return 0;
}

void DrawMarkSpan(Document& doc,
                  const std::uint8_t* text,
                  const std::uint8_t* lineStart,
                  std::int32_t count,
                  std::int32_t x,
                  std::int32_t y,
                  const LineEntry& entry) {
  if (!doc.DeviceContext) return;
  TextDevice& dc = *doc.DeviceContext;
  const std::int32_t s = doc.MarkStart - static_cast<std::int32_t>(lineStart - text);
  const std::uint8_t* span = lineStart;
  std::int32_t spanX = x;
  if (s > count) {
    count = 0;
  } else if (s >= 0) {
    std::int32_t width = 0x7FFF;
    std::int32_t taken = s;
    FitByWidths(doc.Widths, lineStart, width, taken);
    span = text + doc.MarkStart;
    spanX = x + width;
    count -= s;
  }
  count = std::min<std::int32_t>(count, static_cast<std::int32_t>(text + doc.MarkEnd - span));
  if (count <= 0) return;
  ScopedObject brush(dc, dc.NewSolidBrush(kYellow));
  std::int32_t width = 0x7FFF;
  std::int32_t taken = count;
  FitByWidths(doc.Widths, span, width, taken);
  if (brush.get()) dc.Fill({spanX, y - 1, spanX + width, y + entry.Height + 1}, brush.get());
  const Colour text0 = dc.SetTextColor(kBlue);
  const Colour back0 = dc.SetBkColor(kYellow);
  DrawRun(doc, span, count, spanX, y, width, entry.Height);
  dc.SetTextColor(text0);
  dc.SetBkColor(back0);
}

int ScrollDocument(Document* doc, std::int32_t delta, int redraw, bool clamp) {
  if (!doc) return -1;
  std::int64_t n = static_cast<std::int64_t>(doc->TopLine) + delta;
  if (n < 0) {
    n = 0;
  } else if (clamp || n > doc->LineCount) {
    if (n >= doc->TopLine && doc->TopLine >= doc->MaxTopLine) return 1;
    // With clamp the target never passes the last full page; without, only the end.
    if (n > doc->LineCount || (clamp && n > doc->MaxTopLine)) n = doc->MaxTopLine;
  }
  const bool changed = n != doc->TopLine;
  if (changed)
    doc->TopLine = static_cast<std::uint16_t>(n);
  else if (redraw == 1)
    redraw = 0;
  if (redraw) return DrawDocument(doc, true);
  return changed ? 3 : 1;
}

void DrawRun(Document& doc,
             const std::uint8_t* text,
             std::int32_t count,
             std::int32_t x,
             std::int32_t y,
             std::int32_t width,
             std::int32_t height) {
  if (!doc.DeviceContext) return;
  if (g_conversion.Override == BaseUnicode && doc.Settings.FontAsciiBase == BaseUnicode) {
    DrawRunByGlyph(doc, text, count, {x, y, x + width, y + height});
  } else {
    DrawRunCentred(*doc.DeviceContext, text, count, x, y, width, height);
  }
}

void DrawRunByGlyph(Document& doc, const std::uint8_t* text, std::int32_t count, Box box) {
  if (!doc.DeviceContext) return;
  TextDevice& dc = *doc.DeviceContext;
  dc.SetBkMode(kTransparent);
  auto draw = [&dc](char16_t unit, const Box& b) {
    dc.DrawUnits(std::u16string_view(&unit, 1), b, dt::Run);
  };
  std::int32_t p = 0;  // advance of the glyph drawn last
  for (std::int32_t i = count - 1; i >= 0; --i) {
    const std::uint8_t b = text[i];
    if (IsVowelPoint(b)) {
      if (b == kHolam) {
        box.right = box.left + 3;
        p = 3;
      } else {
        box.right += p;  // back over the letter drawn last
      }
    } else {
      const std::int32_t a =
          (b >= kFirstCode && b <= 0x7F && doc.Widths) ? doc.Widths[b - kFirstCode] : 0;
      box.left = box.right - a;
      p = a;
    }
    char16_t first = b;
    char16_t second = 0;
    if (IsConvertedCode(b)) {
      const UnicodePair& pair = kUnicodeColumn[b - kFirstCode];
      first = pair.first;
      second = pair.second;
      if (second != 0 && first == kHolamUnit) std::swap(first, second);  // letter first
    }
    draw(first, box);
    if (second == kHolamUnit) {
      const Box strip{box.left - 2, box.top, box.left + 1, box.bottom};
      p = 3;
      draw(second, strip);
    } else if (second != 0) {
      draw(second, box);
    }
    box.right = box.left;
  }
}

void DrawRunCentred(TextDevice& dc,
                    const std::uint8_t* text,
                    std::int32_t count,
                    std::int32_t x,
                    std::int32_t y,
                    std::int32_t width,
                    std::int32_t height) {
  count = std::max(count, 0);
  std::int32_t extra = 0;
  const char16_t* units = ToDisplayText(text, g_conversion, count, &extra);
  if (!units) return;
  dc.DrawUnits(std::u16string_view(units, static_cast<std::size_t>(count + extra)),
               {x, y, x + width, y + height}, dt::Run);
}

void DrawRunColoured(TextDevice& dc,
                     const std::uint8_t* text,
                     std::int32_t count,
                     std::int32_t x,
                     std::int32_t y,
                     std::int32_t width,
                     std::int32_t height,
                     Colour textColour,
                     Colour backColour) {
  const Colour text0 = dc.SetTextColor(textColour);
  const Colour back0 = dc.SetBkColor(backColour);
  DrawRunCentred(dc, text, count, x, y, width, height);
  dc.SetTextColor(text0);
  dc.SetBkColor(back0);
}

void FillBox(TextDevice& dc, const TextArea& rect, Stock stock) {
  dc.Fill({rect.left, rect.top, rect.left + rect.width, rect.top + rect.height},
          dc.StockObject(stock));
}

}  // namespace qm
