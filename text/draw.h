// Drawing of a laid-out document: visible rows, rules, the search mark, scrolling.
#pragma once

#include <cstdint>

#include "text/document.h"

namespace qm {

int DrawDocument(Document* doc, bool erase);
int DrawMarks(Document* doc);
void DrawMarkSpan(Document& doc, const std::uint8_t* text, const std::uint8_t* lineStart,
                  std::int32_t count, std::int32_t x, std::int32_t y, const LineEntry& entry);
int ScrollDocument(Document* doc, std::int32_t delta, int redraw, bool clamp);
void DrawRun(Document& doc, const std::uint8_t* text, std::int32_t count, std::int32_t x,
             std::int32_t y, std::int32_t width, std::int32_t height);
void DrawRunByGlyph(Document& doc, const std::uint8_t* text, std::int32_t count, Box box);
void DrawRunCentred(TextDevice& dc, const std::uint8_t* text, std::int32_t count, std::int32_t x,
                    std::int32_t y, std::int32_t width, std::int32_t height);
void DrawRunColoured(TextDevice& dc, const std::uint8_t* text, std::int32_t count,
                     std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     Colour textColour, Colour backColour);
// rect is x, y, width, height.
void FillBox(TextDevice& dc, const TextArea& rect, Stock stock);

}  // namespace qm
