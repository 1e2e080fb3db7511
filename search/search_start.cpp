// The start of the scan in the current lesson, from the view's top line and the mark.
#include "search/search_start.h"

namespace qm {

namespace {

const LineEntry kNoEntry{};

}  // namespace

std::uint16_t OffsetAfterHit(const std::uint8_t* text, std::uint16_t low) {
  if (!text) return static_cast<std::uint16_t>(low - 1);
  std::size_t p = 0;
  while (text[p] != 0) {
    std::size_t z = p + 2;
    while (text[z] != 0)
      ++z;
    if (low == p + 2) return static_cast<std::uint16_t>(z + 1);
    if (low < z) break;
    p = z + 1;
  }
  return static_cast<std::uint16_t>(low - 1);
}

const LineEntry& TopLineEntry(const Document& doc) {
  const LineEntry* e = doc.Lines.get();
  if (!e) return kNoEntry;
  std::uint32_t row = 0;
  for (; e->Style != 0; ++e) {
    if (row >= doc.TopLine) return *e;
    row += (e->Style & StyleBlankAfter) ? 2 : 1;
  }
  return *e;
}

std::uint16_t SearchStartOffset(const Document& doc) {
  const LineEntry& top = TopLineEntry(doc);
  const auto lastByte = static_cast<std::uint16_t>(top.Offset + top.Length - 1);
  if (doc.MarkStart == 0 && doc.MarkEnd == 0) return lastByte;
  const bool endsOnTopLine = doc.MarkEnd >= top.Offset && doc.MarkEnd <= top.Offset + top.Length;
  if (!endsOnTopLine && doc.TopLine < doc.MaxTopLine) return lastByte;
  return OffsetAfterHit(doc.Text.get(), doc.MarkStart);
}

}  // namespace qm
