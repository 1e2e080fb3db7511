// Drawing of the index outline: the visible lines from TopLine and the entry marks.
#pragma once

#include <cstdint>

#include "index/outline.h"

namespace qm {

// -1 without an outline, text or table, else 0.
int PaintOutline(IndexOutline* outline, bool withBackground);
// The mark of one line (plus, minus or page) beside its text; nothing without the bitmap.
void DrawEntryMark(IndexOutline& outline, const OutlineLine& line, std::int32_t y);

}  // namespace qm
