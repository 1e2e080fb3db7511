// The view's selection: positions under points of the view, words, drawing, clipboard text.
#include "text/selection.h"

#include <algorithm>

#include "text/code_table.h"
#include "text/conversion.h"
#include "text/draw.h"
#include "text/fonts.h"

namespace qm {

namespace {

Colour g_selectedText = kWhite;
Colour g_selectedBack = Rgb(0, 120, 215);

constexpr std::int32_t kUnlimited = 0x7FFF;

bool IsRule(std::uint8_t style) {
  return (style & StyleRule) == StyleRule;
}
bool IsRightToLeft(std::uint8_t style) {
  return (style & StyleReaderCode) != 0;
}
bool HasBlank(std::uint8_t style) {
  return (style & StyleBlankAfter) != 0;
}
std::uint16_t U16(std::size_t v) {
  return static_cast<std::uint16_t>(v);
}

// A paragraph's text [start, end), end at its zero byte.
struct Paragraph {
  std::size_t start = 0, end = 0;
  std::uint8_t style = 0;
};

Paragraph ParagraphFrom(const std::uint8_t* text, std::size_t styleByte) {
  if (text[styleByte] == 0) return {styleByte, styleByte, 0};  // the end of the document
  Paragraph p{styleByte + 2, styleByte + 2, text[styleByte]};
  while (text[p.end] != 0)
    ++p.end;
  return p;
}

// Walks the paragraphs forward, for offsets that never go back.
class ParagraphCursor {
 public:
  explicit ParagraphCursor(const std::uint8_t* text) : text_(text), p_(ParagraphFrom(text, 0)) {}
  // The paragraph whose bytes, style byte to zero byte, hold `offset` (the last one after it).
  const Paragraph& At(std::size_t offset) {
    while (offset > p_.end && text_[p_.end + 1] != 0)
      p_ = ParagraphFrom(text_, p_.end + 1);
    return p_;
  }

 private:
  const std::uint8_t* text_;
  Paragraph p_;
};

// The selected bytes of a paragraph in stored order, [first, second); empty for a rule.
std::pair<std::size_t, std::size_t> StoredRange(const Paragraph& p, TextSelection s) {
  if (IsRule(p.style)) return {0, 0};
  const std::size_t from = std::clamp<std::size_t>(s.From(), p.start, p.end);
  const std::size_t to = std::clamp<std::size_t>(s.To(), p.start, p.end);
  if (IsRightToLeft(p.style)) return {p.start + p.end - to, p.start + p.end - from};
  return {from, to};
}

// In a right-to-left paragraph a cut c, with the bytes from c up read first, is the position
// start + end - c; in a left-to-right one the cut is the position.
std::uint16_t PositionOfCut(const Paragraph& p, std::size_t cut) {
  return U16(IsRightToLeft(p.style) ? p.start + p.end - cut : cut);
}

std::size_t SpanLength(const std::uint8_t* p, bool spaces) {
  std::size_t n = 0;
  while (p[n] != 0 && (p[n] == ' ') == spaces)
    ++n;
  return n;
}

// The hanging word of a right-to-left first line, as drawing places it: its first byte, its
// fitted count, and its box's left edge and width.
struct HangingWord {
  std::size_t first = 0;
  std::int32_t count = 0, x = 0, width = 0;
};
HangingWord HangingWordOf(const Document& doc, const LineEntry& e, const Paragraph& p) {
  const std::uint8_t* text = doc.Text.get();
  HangingWord w;
  w.first = e.Offset + e.Length;
  w.first += SpanLength(text + w.first, true);
  w.count = static_cast<std::int32_t>(p.end - std::min(w.first, p.end));
  w.width = e.Indent;
  FitByWidths(doc.Widths, text + w.first, w.width, w.count);
  w.x = e.X + e.Width + e.Indent - w.width;
  return w;
}

// Bytes of a left-to-right first line before its own: the hanging word and its spaces.
std::size_t HangingBytes(const std::uint8_t* line) {
  const std::size_t word = SpanLength(line, false);
  return word + SpanLength(line + word, true);
}

std::int32_t Advance(const std::uint16_t* widths, std::uint8_t b) {
  const bool hasWidth = (b >= 0x10 && b <= 0x14) || (b >= 0x20 && b <= 0x7F);
  return widths && hasWidth ? widths[b - kFirstCode] : 0;
}

// The cut under x in a right-to-left run [lo, hi) whose last byte ends at `right`: x in the right
// half of a glyph cuts above it, so that the glyph and the points stored below it follow.
std::size_t CutRightToLeft(const std::uint16_t* widths,
                           const std::uint8_t* text,
                           std::size_t lo,
                           std::size_t hi,
                           std::int32_t right,
                           std::int32_t x) {
  for (std::size_t o = hi; o > lo; --o) {
    const std::int32_t a = Advance(widths, text[o - 1]);
    if (a == 0) continue;
    if (x >= right - a / 2) return o;
    right -= a;
  }
  return lo;
}

std::int32_t WidthOf(TextDevice& dc, const std::uint8_t* run, std::int32_t count) {
  std::int32_t width = kUnlimited;
  FitByExtent(dc, run, width, count);
  return width;
}

// The count of bytes of a left-to-right run at `left` that lie left of x.
std::size_t CutLeftToRight(TextDevice& dc,
                           const std::uint8_t* run,
                           std::size_t n,
                           std::int32_t left,
                           std::int32_t x) {
  std::int32_t before = 0;
  for (std::size_t k = 1; k <= n; ++k) {
    const std::int32_t w = WidthOf(dc, run, static_cast<std::int32_t>(k));
    if (x < left + (before + w) / 2) return k - 1;
    before = w;
  }
  return n;
}

std::uint16_t LineStart(const Document& doc, const LineEntry& e) {
  if (IsRule(e.Style) || !IsRightToLeft(e.Style)) return e.Offset;
  const Paragraph p = ParagraphCursor(doc.Text.get()).At(e.Offset);
  return PositionOfCut(p, e.Indent != 0 ? p.end : std::size_t{e.Offset} + e.Length);
}

std::uint16_t LineEnd(const Document& doc, const LineEntry& e) {
  if (IsRule(e.Style)) return e.Offset;
  if (!IsRightToLeft(e.Style)) {
    const std::size_t hang = e.Indent != 0 ? HangingBytes(doc.Text.get() + e.Offset) : 0;
    return U16(e.Offset + hang + e.Length);
  }
  const Paragraph p = ParagraphCursor(doc.Text.get()).At(e.Offset);
  return PositionOfCut(p, e.Offset);
}

// Selects the fonts of the lines it is given and puts the first font back at the end.
class LineFonts {
 public:
  explicit LineFonts(Document& doc) : doc_(doc) {}
  LineFonts(const LineFonts&) = delete;
  LineFonts& operator=(const LineFonts&) = delete;
  ~LineFonts() {
    if (used_) doc_.DeviceContext->Select(previous_);
  }
  void Use(std::uint8_t style) {
    if (used_ && ((key_ ^ style) & kFontKeyMask) == 0) return;
    GdiObject replaced = SelectStyleFont(&doc_, style);
    if (!used_) previous_ = replaced;
    used_ = true;
    key_ = style;
  }

 private:
  Document& doc_;
  GdiObject previous_ = nullptr;
  bool used_ = false;
  std::uint8_t key_ = 0;
};

std::uint16_t InLine(Document& doc, const LineEntry& e, std::int32_t x) {
  if (IsRule(e.Style)) return e.Offset;
  LineFonts fonts(doc);
  fonts.Use(e.Style);
  const std::uint8_t* text = doc.Text.get();
  if (!IsRightToLeft(e.Style)) {
    TextDevice& dc = *doc.DeviceContext;
    const ScopedOverride scope(BaseAsStored);
    const std::uint8_t* line = text + e.Offset;
    if (e.Indent != 0) {
      const std::size_t hang = HangingBytes(line);
      if (x < e.X)
        return U16(e.Offset + CutLeftToRight(dc, line, SpanLength(line, false), e.X - e.Indent, x));
      line += hang;
    }
    return U16(static_cast<std::size_t>(line - text) + CutLeftToRight(dc, line, e.Length, e.X, x));
  }
  const Paragraph p = ParagraphCursor(text).At(e.Offset);
  const std::int32_t right = e.X + e.Width;
  if (e.Indent != 0) {
    const HangingWord w = HangingWordOf(doc, e, p);
    if (x >= w.x) {
      return PositionOfCut(
          p, CutRightToLeft(doc.Widths, text, w.first, w.first + w.count, w.x + w.width, x));
    }
    if (x >= right) return PositionOfCut(p, w.first);
  }
  return PositionOfCut(
      p, CutRightToLeft(doc.Widths, text, e.Offset, std::size_t{e.Offset} + e.Length, right, x));
}

// The entry at the top of the view and the y it is drawn at, as DrawDocument finds them.
struct TopRow {
  std::uint16_t index = 0;
  std::int32_t y = 0;
};
TopRow FindTopRow(const Document& doc) {
  const std::uint16_t top = doc.TopLine > doc.LineCount ? doc.MaxTopLine : doc.TopLine;
  std::int32_t rows = 0;
  TopRow t;
  while (doc.Lines[t.index].Style != 0 && rows < top) {
    rows += HasBlank(doc.Lines[t.index].Style) ? 2 : 1;
    ++t.index;
  }
  t.y = doc.TextRect.top;
  if (rows > top && t.index > 0) t.y += doc.Lines[t.index - 1].Height;  // on a blank row
  return t;
}

// Marks [lo, hi) of a run drawn at x: the run's bytes in stored order from its left end.
void Highlight(Document& doc,
               const LineEntry& e,
               const std::uint8_t* run,
               std::size_t lo,
               std::size_t hi,
               std::int32_t x,
               std::int32_t y) {
  if (lo >= hi) return;
  TextDevice& dc = *doc.DeviceContext;
  const bool rtl = IsRightToLeft(e.Style);
  const ScopedOverride scope(rtl ? doc.Settings.FontAsciiBase : BaseAsStored);
  auto width = [&](const std::uint8_t* p, std::size_t n) {
    std::int32_t w = kUnlimited;
    auto count = static_cast<std::int32_t>(n);
    if (rtl) {
      FitByWidths(doc.Widths, p, w, count);
    } else {
      w = WidthOf(dc, p, count);
    }
    return w;
  };
  const std::int32_t left = x + width(run, lo);
  const std::int32_t w = width(run + lo, hi - lo);
  if (GdiObject brush = dc.NewSolidBrush(g_selectedBack)) {
    dc.Fill({left, y, left + w, y + e.Height}, brush);
    dc.Delete(brush);
  }
  const Colour text0 = dc.SetTextColor(g_selectedText);
  const Colour back0 = dc.SetBkColor(g_selectedBack);
  DrawRun(doc, run + lo, static_cast<std::int32_t>(hi - lo), left, y, w, e.Height);
  dc.SetTextColor(text0);
  dc.SetBkColor(back0);
}

// The part of [s0, s1) that falls in [first, first + count), relative to first.
std::pair<std::size_t, std::size_t> Within(std::size_t s0,
                                           std::size_t s1,
                                           std::size_t first,
                                           std::size_t count) {
  const std::size_t lo = std::clamp(s0, first, first + count) - first;
  const std::size_t hi = std::clamp(s1, first, first + count) - first;
  return {lo, hi};
}

void HighlightLine(Document& doc, const LineEntry& e, const Paragraph& p, std::int32_t y) {
  const auto [s0, s1] = StoredRange(p, doc.Selection);
  if (s0 >= s1) return;
  const std::uint8_t* text = doc.Text.get();
  std::size_t first = e.Offset;
  if (e.Indent != 0) {
    if (IsRightToLeft(e.Style)) {
      const HangingWord w = HangingWordOf(doc, e, p);
      const auto [lo, hi] = Within(s0, s1, w.first, static_cast<std::size_t>(w.count));
      Highlight(doc, e, text + w.first, lo, hi, w.x, y);
    } else {
      const auto [lo, hi] = Within(s0, s1, first, SpanLength(text + first, false));
      Highlight(doc, e, text + first, lo, hi, e.X - e.Indent, y);
      first += HangingBytes(text + first);
    }
  }
  const auto [lo, hi] = Within(s0, s1, first, e.Length);
  Highlight(doc, e, text + first, lo, hi, e.X, y);
}

void AppendParagraph(std::u16string& out,
                     const std::uint8_t* bytes,
                     std::size_t n,
                     bool rightToLeft,
                     bool withPoints) {
  if (!rightToLeft) {
    out.append(bytes, bytes + n);
    return;
  }
  std::u16string units;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t b = bytes[i];
    if (!IsConvertedCode(b)) {
      units.push_back(b);
    } else if (withPoints) {
      const UnicodePair& pair = kUnicodeColumn[b - kFirstCode];
      units.push_back(pair.first);
      if (pair.second != 0) units.push_back(pair.second);
    } else if (const std::uint8_t v = kEightBitColumn[b - kFirstCode]; v != 0) {
      units.push_back(v >= 0xE0 ? static_cast<char16_t>(0x05D0 + (v - 0xE0)) : v);
    }
  }
  // Visual order to reading order, as the platform would be handed the run.
  ReverseRun(units.data(), static_cast<std::int32_t>(units.size()));
  out += units;
}

}  // namespace

std::uint16_t ReadingPosition(const std::uint8_t* text, std::uint16_t offset) {
  if (!text) return offset;
  const Paragraph p = ParagraphCursor(text).At(offset);
  if (!IsRightToLeft(p.style) || IsRule(p.style) || offset < p.start || offset >= p.end)
    return offset;
  return U16(p.start + p.end - 1 - offset);
}

std::uint16_t PositionAt(Document& doc, std::int32_t x, std::int32_t y) {
  if (!doc.Text || !doc.Lines || !doc.DeviceContext) return 0;
  const LineEntry* lines = doc.Lines.get();
  const TopRow top = FindTopRow(doc);
  if (y < top.y) {
    if (top.y > doc.TextRect.top) return LineEnd(doc, lines[top.index - 1]);
    if (lines[top.index].Style != 0) return LineStart(doc, lines[top.index]);
  }
  std::int32_t rowTop = top.y;
  const LineEntry* last = top.index > 0 ? &lines[top.index - 1] : nullptr;
  for (std::uint16_t k = top.index; lines[k].Style != 0; ++k) {
    const LineEntry& e = lines[k];
    if (y < rowTop + e.Height) return InLine(doc, e, x);
    rowTop += e.Height;
    if (HasBlank(e.Style)) {
      if (y < rowTop + e.Height) return LineEnd(doc, e);
      rowTop += e.Height;
    }
    last = &e;
  }
  return last ? LineEnd(doc, *last) : 0;
}

TextSelection WordAt(const Document& doc, std::uint16_t position) {
  const std::uint8_t* text = doc.Text.get();
  if (!text) return {position, position};
  const Paragraph p = ParagraphCursor(text).At(position);
  if (IsRule(p.style) || position < p.start || position > p.end) return {position, position};
  auto byteAt = [&](std::size_t r) {
    return IsRightToLeft(p.style) ? text[p.start + p.end - 1 - r] : text[r];
  };
  std::size_t r = position;
  if (r == p.end || byteAt(r) == ' ') {
    if (r == p.start || byteAt(r - 1) == ' ') return {position, position};
    --r;
  }
  std::size_t from = r, to = r + 1;
  while (from > p.start && byteAt(from - 1) != ' ')
    --from;
  while (to < p.end && byteAt(to) != ' ')
    ++to;
  return {U16(from), U16(to)};
}

TextSelection WholeText(const Document& doc) {
  const std::uint8_t* text = doc.Text.get();
  if (!text) return {};
  std::size_t end = 0;
  while (text[end] != 0)
    end = ParagraphFrom(text, end).end + 1;
  return {0, U16(end)};
}

std::u16string SelectedText(const std::uint8_t* text, TextSelection selection, bool withPoints) {
  std::u16string out;
  if (!text || selection.Empty()) return out;
  bool first = true;
  for (std::size_t s = 0; text[s] != 0;) {
    const Paragraph p = ParagraphFrom(text, s);
    const auto [lo, hi] = StoredRange(p, selection);
    if (lo < hi) {
      if (!first) out += u"\r\n";
      first = false;
      AppendParagraph(out, text + lo, hi - lo, IsRightToLeft(p.style), withPoints);
    }
    s = p.end + 1;
  }
  return out;
}

void SetSelectionColours(Colour text, Colour back) {
  g_selectedText = text;
  g_selectedBack = back;
}

void DrawSelection(Document& doc) {
  if (doc.Selection.Empty() || !doc.Text || !doc.Lines || !doc.DeviceContext) return;
  const TopRow top = FindTopRow(doc);
  std::int32_t y = top.y;
  std::int32_t room = doc.TextRect.height - (top.y - doc.TextRect.top);
  ParagraphCursor paragraphs(doc.Text.get());
  LineFonts fonts(doc);
  for (std::uint16_t k = top.index; doc.Lines[k].Style != 0 && room >= doc.Lines[k].Height; ++k) {
    const LineEntry& e = doc.Lines[k];
    const Paragraph& p = paragraphs.At(e.Offset);
    const auto range = StoredRange(p, doc.Selection);
    if (range.first < range.second) {
      fonts.Use(e.Style);
      HighlightLine(doc, e, p, y);
    }
    const int rows = HasBlank(e.Style) ? 2 : 1;
    y += rows * e.Height;
    room -= rows * e.Height;
  }
}

}  // namespace qm
