// The Latin key map, the picture's cell geometry and the edit-text conversion.
#include "search/hebrew_keys.h"

#include <algorithm>

#include "frame/app_state.h"  // the base values
#include "frame/dpi.h"
#include "text/conversion.h"

namespace qm {

const std::array<std::uint8_t, 31> kLatinKeyValues = {
    0xF9, 0xF0, 0xE1, 0xE2, 0xF7, 0xEB, 0xF2, 0xE9, 0xEF, 0xE7, 0xEC,  // a..k
    0xEA, 0xF6, 0xEE, 0xED, 0xF4, 0x2F, 0xF8, 0xE3, 0xE0, 0xE5, 0xE4,  // l..v
    0x27, 0xF1, 0xE8, 0xE6,                                            // w..z
    0xF3, 0xF5, 0xFA, 0x2E, 0x2C,                                      // ; . , / '
};

namespace {

constexpr bool IsLetterUnit(char16_t u, std::int32_t base) {
  return u >= base && u < base + 27;
}

}  // namespace

KeyInsert MapLatinUnit(char16_t ch, std::int32_t fontAsciiBase) {
  if ((ch >= u'0' && ch <= u'9') || ch < 0x20) return {true, 0};
  char16_t key = ch;
  if (key >= u'A' && key <= u'Z') key = static_cast<char16_t>(key - u'A' + u'a');
  const std::size_t at = key < 0x80 ? kLatinKeys.find(static_cast<char>(key)) : kLatinKeys.npos;
  if (at == kLatinKeys.npos) return {false, ch};
  const std::uint8_t v = kLatinKeyValues[at];
  if (v >= 0xE0 && v <= 0xFA) return {false, static_cast<char16_t>(fontAsciiBase + (v - 0xE0))};
  return {false, v};
}

KeyboardPicture KeyboardPictureFor(int dpi) {
  KeyboardPicture p;
  p.dpi = NearestDrawnDpi(dpi, kPictureDpis);
  p.cellWidth = ScaleToDpi(kCellWidth, p.dpi);
  p.cellHeight = ScaleToDpi(kCellHeight, p.dpi);
  p.width = kCellColumns * p.cellWidth + 1;
  p.height = 3 * p.cellHeight + ScaleToDpi(kPictureHeight - kSpaceBarTop, p.dpi);
  return p;
}

int CellAt(int x, int y, const KeyboardPicture& picture) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return kNoCell;
  const int row = y / picture.cellHeight;
  const int column = x / picture.cellWidth;
  if (row < 3) {
    // The last column lies right of the nine cells (x 153 at 96 dpi): no cell there.
    if (column >= kCellColumns) return kNoCell;
    return (row + 1) * kCellColumns - column;
  }
  return column >= 2 && column <= 6 ? kSpaceCell : kNoCell;
}

char16_t CellUnit(int cell, std::int32_t fontAsciiBase) {
  if (cell == kSpaceCell) return u' ';
  if (cell < 1 || cell > static_cast<int>(kCellOrder.size())) return 0;
  return static_cast<char16_t>(fontAsciiBase + (kCellOrder[cell - 1] - 0x61));
}

void UnitsToReaderCode(std::u16string_view edit,
                       std::int32_t fontAsciiBase,
                       std::span<std::uint8_t, kSearchTextSize> out,
                       EditOrder order) {
  for (auto& b : out)
    b = 0;
  std::u16string units(edit.substr(0, std::min(edit.find(u'\0'), edit.size())));
  if (order == EditOrder::Reading)
    ReverseRun(units.data(), static_cast<std::int32_t>(units.size()));
  std::size_t n = 0;
  for (std::size_t i = 0; i < units.size() && units[i] != 0 && n + 1 < out.size(); ++i) {
    char16_t u = units[i];
    if (u == u' ' && i + 1 < units.size() && units[i + 1] == u' ') continue;
    if (IsLetterUnit(u, fontAsciiBase)) u = static_cast<char16_t>(0x61 + (u - fontAsciiBase));
    const auto b = static_cast<std::uint8_t>(u & 0xFF);
    if (b == 0) break;
    out[n++] = b;
  }
}

std::u16string ReaderCodeToUnits(std::span<const std::uint8_t> text,
                                 std::int32_t fontAsciiBase,
                                 EditOrder order) {
  std::u16string units;
  for (const std::uint8_t b : text) {
    if (b == 0) break;
    const bool letter = b >= 0x61 && b < 0x61 + 27;
    units.push_back(letter ? static_cast<char16_t>(fontAsciiBase + (b - 0x61)) : char16_t{b});
  }
  if (order == EditOrder::Reading)
    ReverseRun(units.data(), static_cast<std::int32_t>(units.size()));
  return units;
}

std::u16string TypeAsDialog(std::u16string_view typed,
                            std::int32_t fontAsciiBase,
                            EditOrder order) {
  std::u16string text;
  std::size_t caret = 0;
  for (const char16_t ch : typed) {
    if (text.size() >= kEditLimit) break;
    const KeyInsert k = MapLatinUnit(ch, fontAsciiBase);
    if (k.leaveToEdit && ch < 0x20) continue;  // control characters insert nothing
    text.insert(caret, 1, k.leaveToEdit ? ch : k.unit);
    if (k.leaveToEdit || order == EditOrder::Reading) ++caret;
  }
  return text;
}

}  // namespace qm
