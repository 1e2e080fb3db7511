// Line breaking of a document text into positioned display lines, and the scroll range.
#include "text/document.h"

#include <algorithm>
#include <cstring>

#include "text/code_table.h"
#include "text/conversion.h"

namespace qm {

namespace {

constexpr std::uint16_t kFirstCapacity = 128;
constexpr std::uint16_t kGrowStep = 128;

bool IsRule(std::uint8_t style) {
  return (style & StyleRule) == StyleRule;
}
int BlankRows(std::uint8_t style) {
  return (style & StyleBlankAfter) ? 1 : 0;
}
std::uint16_t U16(std::int32_t v) {
  return static_cast<std::uint16_t>(v);
}
bool IsPoint(std::uint8_t b) {
  return b >= kFirstPoint && b <= kLastPoint;
}

enum class Align { Left, Right, Centre };
Align AlignOf(std::uint8_t style) {
  switch (style & StyleAlignMask) {
    case StyleRight:
      return Align::Right;
    case StyleCentre:
      return Align::Centre;
    default:
      return Align::Left;
  }
}

// A line's style without its blank row. A paragraph styled with StyleBlankAfter alone would
// leave 0, which ends the line table and hides every line after it; such a line takes
// StylePlain instead, whose font, colour and alignment are those of key 0.
std::uint8_t WithoutBlankRow(std::uint8_t style) {
  const auto bare = static_cast<std::uint8_t>(style & ~StyleBlankAfter);
  return bare != 0 ? bare : StylePlain;
}

bool OnlySpaces(const std::uint8_t* p, std::int32_t n) {
  for (std::int32_t k = 0; k < n; ++k)
    if (p[k] != ' ') return false;
  return true;
}

// The running state of one layout pass.
class Layout {
 public:
  Layout(Document& doc, const std::uint8_t* text)
      : doc_(doc), dc_(*doc.DeviceContext), text_(text) {}

  std::uint16_t Run();

 private:
  std::uint16_t Paragraph(std::uint8_t g, std::uint8_t d, const std::uint8_t* t);
  std::uint16_t Rule(std::uint8_t g, std::uint8_t d, const std::uint8_t* t);
  std::uint16_t Lines(std::uint8_t g,
                      const std::uint8_t* p,
                      std::int32_t n,
                      std::int32_t offset,
                      std::int32_t length);
  void Measure(bool readerCode, const std::uint8_t* p, std::int32_t& width, std::int32_t& count);
  bool Room() { return i_ < doc_.Capacity || GrowLines(doc_, i_) == kLayoutDone; }
  std::int32_t Width() const { return doc_.TextRect.width; }
  std::int32_t Left() const { return doc_.TextRect.left; }

  Document& doc_;
  TextDevice& dc_;
  const std::uint8_t* text_;
  std::int32_t h_ = 0;      // line height of the current font
  std::uint8_t key_ = 1;    // style whose font is selected
  std::int32_t inset_ = 0;  // carries over to a paragraph that continues the indentation
  std::int32_t w_ = 0;      // hanging indent of the pending first line
  std::uint8_t prevD_ = 0;  // parameter of the paragraph before
  std::uint16_t i_ = 0;     // entry index
  std::int32_t blank_ = 0;  // blank rows so far
};

std::uint16_t Layout::Run() {
  h_ = dc_.Metrics().height;
  std::size_t pos = 0;
  while (text_[pos] != 0) {
    const std::uint8_t g = text_[pos];
    const std::uint8_t d = text_[pos + 1];
    const std::uint8_t* t = text_ + pos + 2;
    if (const std::uint16_t r = Paragraph(g, d, t); r != kLayoutDone) {
      // The table ends where the layout stopped.
      i_ = std::min(i_, doc_.Capacity);
      doc_.Lines[i_] = LineEntry{};
      doc_.EntryCount = i_;
      return r;
    }
    prevD_ = d;
    pos += 2 + std::strlen(reinterpret_cast<const char*>(t)) + 1;
  }
  doc_.Lines[i_] = LineEntry{};
  doc_.LineCount = U16(doc_.LineCount + blank_ + i_);
  doc_.EntryCount = i_;
  if (i_ > 0 && (doc_.Lines[i_ - 1].Style & StyleBlankAfter)) {
    doc_.Lines[i_ - 1].Style = WithoutBlankRow(doc_.Lines[i_ - 1].Style);
    doc_.LineCount = U16(doc_.LineCount - 1);
  }
  return kLayoutDone;
}

std::uint16_t Layout::Paragraph(std::uint8_t g, std::uint8_t d, const std::uint8_t* t) {
  int level = d >> 6;
  if (level > 0 && t[0] == ' ' && i_ > 0) {
    inset_ += (d & 0x3F) - (prevD_ & 0x3F);
    level = 0;
  } else {
    inset_ = d;
  }
  if (IsRule(g)) return Rule(g, d, t);

  if (((key_ ^ g) & kFontKeyMask) != 0) {
    SelectStyleFont(&doc_, g);
    h_ = dc_.Metrics().height;
  }
  key_ = g;
  const auto n = static_cast<std::int32_t>(std::strlen(reinterpret_cast<const char*>(t)));
  if (level > 0) {
    inset_ &= 0x3F;
    w_ = (level + 1) * dc_.Metrics().maxCharWidth / 2;
  }
  if (static_cast<std::uint16_t>(inset_) >= Width()) inset_ = 0;
  const auto offset = static_cast<std::int32_t>(t - text_);
  std::uint16_t result = kLayoutDone;
  if (g & StyleReaderCode) {
    // Lines are broken in reading order, over a reversed copy of the visually ordered bytes.
    HeapArray<std::uint8_t> copy = AllocArray<std::uint8_t>(static_cast<std::size_t>(n) + 1);
    if (!copy) return kLayoutNoMemory;
    for (std::int32_t k = 0; k < n; ++k)
      copy[k] = t[n - 1 - k];
    copy[n] = 0;
    result = Lines(g, copy.get(), n, offset, n);
  } else {
    result = Lines(g, t, n, offset, n);
  }
  w_ = 0;  // a hanging indent belongs to its own paragraph's first line only
  return result;
}

std::uint16_t Layout::Rule(std::uint8_t g, std::uint8_t d, const std::uint8_t* t) {
  if (d == 0) return kLayoutDone;
  std::int32_t r = d <= 160 ? d : (d - 160) * Width() * 2 / 100;
  r = std::min(r, Width());
  if (!Room()) return kLayoutNoMemory;
  LineEntry& e = doc_.Lines[i_];
  e = LineEntry{};
  e.Offset = U16(static_cast<std::int32_t>(t - text_));
  e.Width = U16(r);
  e.Height = U16(h_);
  e.Style = g;
  switch (AlignOf(g)) {
    case Align::Right:
      e.X = U16(Left() + Width() - r);
      break;
    case Align::Centre:
      e.X = U16(Left() + (Width() - r) / 2);
      break;
    case Align::Left:
      e.X = U16(Left());
      break;
  }
  ++i_;
  blank_ += BlankRows(g);
  return kLayoutDone;
}

void Layout::Measure(bool readerCode,
                     const std::uint8_t* p,
                     std::int32_t& width,
                     std::int32_t& count) {
  if (readerCode) {
    ScopedOverride scope(doc_.Settings.FontAsciiBase);
    FitByWidths(doc_.Widths, p, width, count);
  } else {
    FitByExtent(dc_, p, width, count);
  }
}

std::uint16_t Layout::Lines(std::uint8_t g,
                            const std::uint8_t* p,
                            std::int32_t n,
                            std::int32_t offset,
                            std::int32_t length) {
  const bool readerCode = (g & StyleReaderCode) != 0;
  std::int32_t s = 0;
  while (true) {
    while (n > 0 && p[s] == ' ') {
      ++s;
      --n;
    }
    if (n == 0) return kLayoutDone;
    if (!Room()) return kLayoutNoMemory;

    // A hanging indent can push the inset past the width: then nothing fits, never everything.
    std::int32_t a = std::max(Width() - inset_, 0);
    std::int32_t m = n;
    std::int32_t hang = 0;
    if (w_ > 0) {
      while (hang < n && p[s + hang] != ' ')
        ++hang;
      while (hang < n && p[s + hang] == ' ')
        ++hang;
      m -= hang;
      a = std::max(a - w_, 0);
    }
    const std::int32_t start = s + hang;
    std::int32_t u = a;
    Measure(readerCode, p + start, u, m);

    const std::uint8_t after = p[start + m];
    if (after != 0 && after != ' ') {
      std::int32_t k = m - 1;
      while (k >= 1 && p[start + k] != ' ' && p[start + k] != '-')
        --k;
      if (k >= 1) {
        m = p[start + k] == '-' ? k + 1 : k;
        std::int32_t again = m;
        Measure(readerCode, p + start, u, again);
      }
    }
    if (m == 0 && hang == 0) {
      // Not even one byte fits: take one byte (with the points that sit on it) anyway, so that
      // every line makes progress.
      m = 1;
      while (readerCode && m < n && IsPoint(p[start + m]))
        ++m;
      std::int32_t count = m;
      u = 0x7FFF;
      Measure(readerCode, p + start, u, count);
    }

    LineEntry& e = doc_.Lines[i_];
    e = LineEntry{};
    e.Offset = U16(readerCode ? offset + length - start - m : offset + s);
    e.Length = U16(m);
    e.Width = U16(u);
    e.Height = U16(h_);
    e.Indent = U16(w_);
    switch (AlignOf(g)) {
      case Align::Right:
        e.X = U16(Left() + Width() - (w_ + inset_) - u);
        break;
      case Align::Centre:
        e.X = U16(Left() + inset_ + (Width() - (w_ + inset_) - u) / 2);
        break;
      case Align::Left:
        e.X = U16(Left() + w_ + inset_);
        break;
    }
    inset_ += w_;
    if (w_ > 0) {
      m += hang;
      w_ = 0;
    }
    // Trailing spaces after the last word do not make another line.
    if (m == n || OnlySpaces(p + s + m, n - m)) {
      e.Style = g;
      blank_ += BlankRows(g);
    } else {
      e.Style = WithoutBlankRow(g);
    }
    s += m;
    n -= m;
    ++i_;
  }
}

}  // namespace

std::uint16_t GrowLines(Document& doc, std::uint16_t index) {
  const std::size_t capacity = doc.Capacity;
  HeapArray<LineEntry> lines;
  if (capacity + kGrowStep <= 0xFFFF) lines = AllocArray<LineEntry>(capacity + kGrowStep + 1);
  if (!lines) {
    if (doc.Lines && index <= capacity) doc.Lines[index] = LineEntry{};
    return kLayoutNoMemory;
  }
  if (doc.Lines) std::copy_n(doc.Lines.get(), capacity, lines.get());
  doc.Lines = std::move(lines);
  doc.Capacity = static_cast<std::uint16_t>(capacity + kGrowStep);
  return kLayoutDone;
}

namespace {

std::uint16_t LayOut(Document* doc, const std::uint8_t* text) {
  doc->MarkStart = doc->MarkEnd = 0;
  doc->LineCount = doc->MaxTopLine = 0;
  if (!doc->Lines || doc->Capacity == 0) {
    doc->Lines = AllocArray<LineEntry>(kFirstCapacity + 1);
    doc->Capacity = doc->Lines ? kFirstCapacity : 0;
    if (!doc->Lines) return kLayoutNoMemory;
    doc->Lines[0] = LineEntry{};
  }
  if (!doc->DeviceContext) return kLayoutNoDocument;
  GdiObject previous = SelectStyleFont(doc, StylePlain);
  Layout layout(*doc, text);
  const std::uint16_t result = layout.Run();
  if (result == kLayoutDone) ComputeMaxTopLine(doc);
  doc->DeviceContext->Select(previous);
  return result;
}

bool Refused(const std::uint8_t* text) {
  return text[0] == 0 || (text[2] == 0 && !IsRule(text[0]));
}

}  // namespace

std::uint16_t LayoutDocument(Document* doc, TextBuffer text) {
  if (!doc) return kLayoutNoDocument;
  doc->MarkStart = doc->MarkEnd = 0;
  doc->LineCount = doc->MaxTopLine = 0;
  if (!text) {
    doc->Text.reset();
    doc->Selection = {};
    return kLayoutNoText;
  }
  if (Refused(text.get())) return kLayoutBadText;
  doc->Text.reset();
  doc->Selection = {};
  const std::uint16_t result = LayOut(doc, text.get());
  if (result == kLayoutDone) doc->Text = std::move(text);
  return result;
}

std::uint16_t RelayoutDocument(Document* doc) {
  if (!doc) return kLayoutNoDocument;
  doc->MarkStart = doc->MarkEnd = 0;
  doc->LineCount = doc->MaxTopLine = 0;
  if (!doc->Text) return kLayoutNoText;
  if (Refused(doc->Text.get())) return kLayoutBadText;
  return LayOut(doc, doc->Text.get());
}

std::uint16_t ComputeMaxTopLine(Document* doc) {
  if (!doc || !doc->Lines || doc->LineCount == 0 || doc->EntryCount == 0) return 0xFFFF;
  std::int32_t room = static_cast<std::int16_t>(doc->TextRect.height);
  std::int32_t rows = 0;
  for (std::int32_t k = doc->EntryCount - 1; k >= 0; --k) {
    const LineEntry& e = doc->Lines[k];
    if (room < e.Height) break;
    room -= e.Height;
    ++rows;
    if (e.Style & StyleBlankAfter) {
      room -= e.Height;
      ++rows;
    }
  }
  if (room < 0) --rows;
  doc->MaxTopLine = U16(doc->LineCount - rows);
  return doc->MaxTopLine;
}

namespace {

// The start of the paragraph that holds `offset` (its style byte), and one past its zero.
struct ParagraphSpan {
  std::uint32_t start = 0, end = 0;
};
ParagraphSpan ParagraphAt(const Document& doc, std::uint32_t offset) {
  const std::uint8_t* t = doc.Text.get();
  ParagraphSpan p;
  while (t && t[p.start] != 0) {
    p.end = p.start + 2;
    while (t[p.end] != 0)
      ++p.end;
    ++p.end;
    if (offset < p.end) return p;
    p.start = p.end;
  }
  return {};
}

}  // namespace

std::uint16_t TopParagraph(const Document& doc) {
  if (!doc.Lines) return 0;
  std::int32_t rows = 0;
  for (const LineEntry* e = doc.Lines.get(); e->Style != 0; ++e) {
    if (rows >= doc.TopLine) return U16(ParagraphAt(doc, e->Offset).start);
    rows += 1 + BlankRows(e->Style);
  }
  return 0;
}

void ShowParagraphAtTop(Document& doc, std::uint16_t paragraph) {
  if (!doc.Lines) return;
  const ParagraphSpan p = ParagraphAt(doc, paragraph);
  std::int32_t rows = 0;
  for (const LineEntry* e = doc.Lines.get(); e->Style != 0; ++e) {
    if (e->Offset >= p.start && e->Offset < p.end) {
      doc.TopLine = U16(std::min<std::int32_t>(rows, doc.MaxTopLine));
      return;
    }
    rows += 1 + BlankRows(e->Style);
  }
}

int ScrollToOffset(Document* doc, std::uint16_t offset) {
  if (!doc || !doc->Lines) return 0;
  std::int32_t rows = 0;
  for (const LineEntry* e = doc->Lines.get(); e->Style != 0; ++e) {
    if (e->Offset <= offset && offset <= e->Offset + e->Length) {
      doc->TopLine = U16(std::min<std::int32_t>(rows, doc->MaxTopLine));
      return 1;
    }
    rows += 1 + BlankRows(e->Style);
  }
  return 0;
}

}  // namespace qm
