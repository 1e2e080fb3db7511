// Per-style fonts of a document, their selection with colour, code width tables and fitting.
#include "text/fonts.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string_view>

#include "text/code_table.h"
#include "text/conversion.h"
#include "text/document.h"

namespace qm {

void FontEntryDeleter::operator()(FontEntry* entry) const {
  // Unlink the tail first so that a long list is released without deep recursion.
  FontEntryPtr next = std::move(entry->Next);
  entry->~FontEntry();
  HeapRelease(entry);
  while (next) {
    FontEntryPtr after = std::move(next->Next);
    next = std::move(after);
  }
}

std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    divisor = -divisor;
    product = -product;
  }
  const std::int64_t half = divisor / 2;
  const std::int64_t q = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<std::int32_t>(q);
}

Colour StyleColour(std::uint8_t key) {
  if (key & StyleSmall) return kNavy;
  if ((key & (StyleLarge | StyleBold)) == (StyleLarge | StyleBold)) return kBlue;
  return kBlack;
}

namespace {

constexpr std::uint16_t kMarked[2] = {kNotMeasured0, kNotMeasured1};

std::int32_t PointsFor(const FontSettings& settings, std::uint8_t key) {
  const std::int32_t size = settings.FontSize;
  if (key & StyleLarge) return size != 0 ? size * 5 / 4 : 20;
  if (key & StyleSmall) return size != 0 ? size * 6 / 8 : 14;
  return size;
}

FontEntry* FindKey(Document& doc, std::uint8_t key) {
  for (FontEntry* e = doc.Fonts.get(); e; e = e->Next.get())
    if (e->Key == key) return e;
  return nullptr;
}

FontEntry* FindFont(Document& doc, GdiObject font) {
  if (!font) return nullptr;
  for (FontEntry* e = doc.Fonts.get(); e; e = e->Next.get())
    if (e->Font == font) return e;
  return nullptr;
}

// The entry whose table the document uses: the one selected last.
FontEntry* FindSelected(Document& doc) {
  for (FontEntry* e = doc.Fonts.get(); e; e = e->Next.get())
    if (e->CodeWidths == doc.Widths && e->Font) return e;
  return nullptr;
}

char16_t MeasuredUnit(std::uint8_t code, std::int32_t base) {
  if (!IsConvertedCode(code)) return code;
  if (base == BaseUnicode) {
    const UnicodePair& pair = kUnicodeColumn[code - kFirstCode];
    return pair.second != 0 ? pair.second : pair.first;
  }
  return kEightBitColumn[code - kFirstCode];
}

}  // namespace

void CreateStyleFont(Document& doc, FontEntry& entry, std::uint8_t key) {
  FontRequest request;
  std::copy_n(doc.Settings.FontName, 31, request.faceName);
  request.faceName[31] = 0;
  request.weight = (key & StyleBold) ? 700 : 400;
  entry.Font = nullptr;
  if (doc.DeviceContext) {
    const std::int32_t points = PointsFor(doc.Settings, key);
    request.height = -MulDivRound(points, doc.DeviceContext->LogPixelsY(), 72);
    entry.Font = doc.DeviceContext->NewFont(request);
  }
  entry.CodeWidths[0] = kMarked[0];
  entry.CodeWidths[1] = kMarked[1];
}

GdiObject AddFontEntry(Document& doc, std::uint8_t key) {
  void* block = HeapAlloc(sizeof(FontEntry));
  if (!block) return nullptr;
  FontEntryPtr entry(new (block) FontEntry{});
  entry->Key = key;
  entry->Next = std::move(doc.Fonts);
  doc.Fonts = std::move(entry);
  CreateStyleFont(doc, *doc.Fonts, key);
  return doc.Fonts->Font;
}

GdiObject SelectStyleFont(Document* doc, std::uint32_t style) {
  if (!doc || !doc->DeviceContext) return nullptr;
  TextDevice& dc = *doc->DeviceContext;
  const auto key = static_cast<std::uint8_t>(style & kFontKeyMask);
  bool force = false;
  FontEntry* entry = FindKey(*doc, key);
  GdiObject font = entry ? entry->Font : nullptr;
  if (!font) {
    font = AddFontEntry(*doc, key);
    force = true;
  }
  if (style & (kWithColour | kWithColourAlt)) dc.SetTextColor(StyleColour(key));
  if (!font) {
    // No entry or no font for the key: keep to the font the document selected last, so that
    // the caller still gets back what was selected before and can put it back.
    FontEntry* last = FindSelected(*doc);
    if (!last) return nullptr;
    font = last->Font;
    force = false;
  }
  GdiObject previous = dc.Select(font);
  MeasureCodeWidths(*doc, font, force);
  return previous;
}

void MeasureCodeWidths(Document& doc, GdiObject font, bool force) {
  FontEntry* entry = FindFont(doc, font);
  if (!entry) return;
  doc.Widths = entry->CodeWidths;
  std::uint16_t* widths = entry->CodeWidths;
  if (!force && widths[0] != kMarked[0] && widths[1] != kMarked[1]) return;
  if (!doc.DeviceContext) return;
  const std::int32_t base = doc.Settings.FontAsciiBase;
  for (std::size_t i = 0; i < kWidthCount; ++i) {
    const char16_t unit = MeasuredUnit(static_cast<std::uint8_t>(kFirstCode + i), base);
    const Extent e = doc.DeviceContext->TextExtent(std::u16string_view(&unit, 1));
    widths[i] = static_cast<std::uint16_t>(e.cx);
  }
  for (int code = kFirstPoint; code <= kLastPoint; ++code)
    widths[code - kFirstCode] = 0;
}

void FitByWidths(const std::uint16_t* widths,
                 const std::uint8_t* text,
                 std::int32_t& maxWidth,
                 std::int32_t& count) {
  if (!widths) {
    maxWidth = 0;
    return;
  }
  const auto limit = static_cast<std::uint32_t>(maxWidth);
  std::int32_t remaining = count;
  std::uint32_t used = 0;
  std::int32_t taken = 0;
  for (; text && remaining > 0 && text[taken] != 0; ++taken, --remaining) {
    const std::uint8_t b = text[taken];
    const bool hasWidth = (b >= 0x10 && b <= 0x14) || (b >= 0x20 && b <= 0x7F);
    if (!hasWidth) continue;
    const std::uint32_t next = used + widths[b - kFirstCode];
    if (next > limit) break;
    used = next;
  }
  maxWidth = static_cast<std::int32_t>(used);
  count = taken;
}

void FitByExtent(TextDevice& dc,
                 const std::uint8_t* text,
                 std::int32_t& maxWidth,
                 std::int32_t& count) {
  const std::int32_t bytes = std::max(count, 0);
  std::int32_t extra = 0;
  const char16_t* units = ToDisplayText(text, g_conversion, bytes, &extra, RunUse::Measure);
  if (!units) {
    maxWidth = 0;
    count = 0;
    return;
  }
  // Exactly the units written: a base that drops codes or a zero byte leaves fewer than `bytes`.
  const std::u16string_view run(units, static_cast<std::size_t>(bytes + extra));
  const std::int32_t fit = std::max(dc.FitCount(run, maxWidth, nullptr), 0);
  Extent size;
  dc.FitCount(run.substr(0, static_cast<std::size_t>(std::min<std::int32_t>(
                                fit, static_cast<std::int32_t>(run.size())))),
              maxWidth, &size);
  // The fit counts units; it never names more bytes than were given.
  count = std::min(fit, bytes);
  maxWidth = size.cx;
}

}  // namespace qm
