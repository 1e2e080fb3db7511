// Fonts per paragraph style of a document, their text colours and code width tables.
#pragma once

#include <cstdint>
#include <memory>

#include "text/text_device.h"

namespace qm {

struct Document;

inline constexpr std::size_t kWidthCount = 112;  // codes 0x10..0x7F
inline constexpr std::uint16_t kNotMeasured0 = 0xFFFF;
inline constexpr std::uint16_t kNotMeasured1 = 0xBAAD;

// Style bits (text/document.h has the full list); the low five bits are the font key.
inline constexpr std::uint8_t StylePlain = 0x01;
inline constexpr std::uint8_t StyleSmall = 0x02;
inline constexpr std::uint8_t StyleLarge = 0x04;
inline constexpr std::uint8_t StyleBold = 0x08;
inline constexpr std::uint8_t StyleReaderCode = 0x10;
inline constexpr std::uint8_t StyleRule = 0x07;
inline constexpr std::uint8_t StyleAlignMask = 0x60;
inline constexpr std::uint8_t StyleRight = 0x20;
inline constexpr std::uint8_t StyleCentre = 0x40;
inline constexpr std::uint8_t StyleBlankAfter = 0x80;
inline constexpr std::uint8_t kFontKeyMask = 0x1F;

// Selection flags in the second byte of SelectStyleFont's style argument: set the text colour.
inline constexpr std::uint32_t kWithColour = 0x100;
inline constexpr std::uint32_t kWithColourAlt = 0x200;

struct FontEntry;
// Entries come from the program's heap (HeapAlloc), so that tests can fail their allocation.
struct FontEntryDeleter {
  void operator()(FontEntry* entry) const;
};
using FontEntryPtr = std::unique_ptr<FontEntry, FontEntryDeleter>;

struct FontEntry {
  FontEntryPtr Next;         // the list is newest first
  GdiObject Font = nullptr;  // none after the fonts were released
  std::uint8_t Key = 0;
  std::uint16_t CodeWidths[kWidthCount] = {};
};

// The platform's MulDiv: a * b / c rounded to the nearest integer (halves away from zero);
// -1 when c is 0 or the result does not fit 32 bits.
std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c);

// Text colour of a font key: navy for small, blue for large bold, else black.
Colour StyleColour(std::uint8_t key);

void CreateStyleFont(Document& doc, FontEntry& entry, std::uint8_t key);
// Null when the entry cannot be allocated or its font cannot be created.
GdiObject AddFontEntry(Document& doc, std::uint8_t key);
// Selects the key's font (creating it on first use) and returns the font it replaced. When no
// font can be had for the key, the font selected last for the document stays in use.
GdiObject SelectStyleFont(Document* doc, std::uint32_t style);
void MeasureCodeWidths(Document& doc, GdiObject font, bool force);

// maxWidth and count: in, the limit and the most bytes to take; out, the width used and bytes
// taken.
void FitByWidths(const std::uint16_t* widths,
                 const std::uint8_t* text,
                 std::int32_t& maxWidth,
                 std::int32_t& count);
// The same by the platform's extents of the run converted through the shared conversion buffer.
void FitByExtent(TextDevice& dc,
                 const std::uint8_t* text,
                 std::int32_t& maxWidth,
                 std::int32_t& count);

}  // namespace qm
