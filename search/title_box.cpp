// The search hit's title box: title lines, measuring, rings, fill and text.
#include "search/title_box.h"

#include <algorithm>

#include "text/conversion.h"
#include "text/draw.h"
#include "text/fonts.h"

namespace qm {

namespace {

struct TitleLine {
  std::int32_t count = 0;  // bytes; after measuring, the count that fits
  std::int32_t width = 0;
  std::uint8_t style = 0;
  const std::uint8_t* text = nullptr;
};

// The paragraph at `p`: fills the line with its text and returns the offset of the next one.
std::size_t TakeParagraph(const std::uint8_t* text, std::size_t p, TitleLine& line) {
  line.style = text[p];
  line.text = text + p + 2;
  std::size_t z = p + 2;
  while (text[z] != 0)
    ++z;
  line.count = static_cast<std::int32_t>(z - (p + 2));
  return z + 1;
}

std::int32_t BaseFor(const Document& doc, std::uint8_t style) {
  return (style & StyleReaderCode) ? doc.Settings.FontAsciiBase : BaseAsStored;
}

}  // namespace

void DrawFrame(TextDevice& dc, Box& box, Colour colour, int count) {
  GdiObject pen = dc.NewPen(colour);
  GdiObject previous = pen ? dc.Select(pen) : nullptr;
  for (int i = 0; i < count; ++i) {
    if (pen) dc.DrawRectangle(box);
    ++box.left;
    ++box.top;
    --box.right;
    --box.bottom;
  }
  if (pen) {
    dc.Select(previous);
    dc.Delete(pen);
  }
}

void DrawTitleBox(Document* doc) {
  if (!doc || !doc->Text || !doc->DeviceContext) return;
  const std::uint8_t* text = doc->Text.get();
  TextDevice& dc = *doc->DeviceContext;

  // Line A: a first paragraph of style 0xCC or 0xDC; line B: the paragraph then examined, when
  // its style is 0xC1 or 0xD1.
  TitleLine a, b;
  std::size_t p = 0;
  if (text[p] == 0xCC || text[p] == 0xDC) p = TakeParagraph(text, p, a);
  if (text[p] == 0xC1 || text[p] == 0xD1) TakeParagraph(text, p, b);
  if (a.count == 0 && b.count == 0) return;

  GdiObject replaced = SelectStyleFont(doc, StyleSmall | kWithColour | kWithColourAlt);
  const int rows = a.count != 0 && b.count != 0 ? 2 : 1;
  const std::int32_t h = dc.Metrics().height;
  const TextArea& area = doc->TextRect;

  for (TitleLine* line : {&a, &b}) {
    if (line->count == 0) continue;
    ScopedOverride scope(BaseFor(*doc, line->style));
    line->width = area.width;
    FitByExtent(dc, line->text, line->width, line->count);
  }

  const std::int32_t w = std::min(std::max(a.width, b.width) + 2 * h + 8, area.width);
  Box box;
  box.left = area.left + (area.width - w) / 2;
  box.right = box.left + w;
  box.top = area.top + area.height - rows * h - 12;
  box.bottom = area.top + area.height - 2;

  DrawFrame(dc, box, kRed, 2);
  DrawFrame(dc, box, kWhite, 1);
  DrawFrame(dc, box, kBlue, 2);
  if (GdiObject brush = dc.NewSolidBrush(kYellow)) {
    dc.Fill(box, brush);
    dc.Delete(brush);
  }

  std::int32_t top = box.top;
  const std::int32_t inner = box.right - box.left;
  for (TitleLine* line : {&a, &b}) {
    if (line->count == 0) continue;
    ScopedOverride scope(BaseFor(*doc, line->style));
    DrawRunColoured(dc, line->text, line->count, box.left + (inner - line->width) / 2, top,
                    line->width, h, kRed, kYellow);
    top += h;
  }

  g_conversion.Override = BaseAsStored;
  if (replaced) dc.Select(replaced);
}

}  // namespace qm
