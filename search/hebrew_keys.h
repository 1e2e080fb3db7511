// Hebrew typing on a Latin keyboard (SI 1452 layout), the alphabet picture's cells, and the
// turning of the edit text into the stored search text.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qm {

// The keys of the layout and what each inserts: 0xE0..0xFA is a Hebrew letter (Windows-1255
// order), anything else that character itself.
inline constexpr std::string_view kLatinKeys = "abcdefghijklmnopqrstuvwxyz;.,/'";
extern const std::array<std::uint8_t, 31> kLatinKeyValues;

// What a typed character does: either the edit control handles it, or `unit` is inserted.
struct KeyInsert {
  bool leaveToEdit = false;
  char16_t unit = 0;
};

// Digits and control characters are left to the edit; "A".."Z" count as "a".."z"; keys of the
// layout give their letter as the unit FontAsciiBase + (value - 0xE0); anything else ("?", "*",
// space, ...) is inserted as typed.
KeyInsert MapLatinUnit(char16_t ch, std::int32_t fontAsciiBase);

// The alphabet picture (bitmap 119): three rows of nine 17 x 25 cells, letters right to left,
// and the space bar below them from y 75, x 34 to 118.
inline constexpr int kPictureWidth = 154;
inline constexpr int kPictureHeight = 95;
inline constexpr int kCellWidth = 17;
inline constexpr int kCellHeight = 25;
inline constexpr int kCellColumns = 9;
inline constexpr int kSpaceBarTop = 75;
inline constexpr int kSpaceBarLeft = 2 * kCellWidth;       // 34
inline constexpr int kSpaceBarRight = 7 * kCellWidth - 1;  // 118, inclusive
inline constexpr int kSpaceCell = 0;
inline constexpr int kNoCell = -1;

// The geometry of one drawing of the picture. It is drawn for each DPI of kPictureDpis
// (frame/dpi.h) with every length of the 96-dpi picture scaled (resources/keyboard_picture.py):
// cells of ScaleToDpi(17) x ScaleToDpi(25), a width of nine cells and one pixel, the space bar
// ScaleToDpi(20) high below the rows, over cells 2 to 6 counted from the left.
struct KeyboardPicture {
  int dpi = 96;  // the DPI it was drawn for
  int cellWidth = kCellWidth;
  int cellHeight = kCellHeight;
  int width = kPictureWidth;
  int height = kPictureHeight;
};
// The drawing shown at `dpi`: the one drawn for the nearest DPI.
KeyboardPicture KeyboardPictureFor(int dpi);

// Letter codes of cells 1..27: the alphabet with each final form after its normal form.
inline constexpr std::string_view kCellOrder = "abcdefghijlkmonqprsutwvxyz{";

// The cell under a point of the picture (pixels from its top left): 1..27, kSpaceCell, or
// kNoCell outside the picture, beside the space bar, or in the column right of the nine cells.
int CellAt(int x, int y, const KeyboardPicture& picture = {});

// The unit a cell inserts: a space for kSpaceCell, the cell's letter otherwise; 0 for no cell.
char16_t CellUnit(int cell, std::int32_t fontAsciiBase);

inline constexpr std::size_t kSearchTextSize = 34;  // 33 bytes and the terminating zero

// The order of the text in the search edit. Visual: the stored order, in an edit made to grow
// to the left (the caret steps back over each letter, Home and End, Delete and Backspace
// swapped). Reading: the order it is read in, in an ordinary edit of a platform that shows
// Hebrew right to left itself (or with Reverse on); it is turned round on its way in and out.
enum class EditOrder { Visual, Reading };

// The edit's units (up to a zero unit) as ReaderCode in visual order: in Reading order the
// units are first turned round as a right-to-left run is (brackets mirrored, numbers kept left
// to right); then letters at FontAsciiBase become 0x61.., a space followed by another space is
// dropped, every other unit keeps its low 8 bits; a zero byte ends the text. `out` is
// zero-filled first.
void UnitsToReaderCode(std::u16string_view units,
                       std::int32_t fontAsciiBase,
                       std::span<std::uint8_t, kSearchTextSize> out,
                       EditOrder order = EditOrder::Visual);

// The edit text that shows a stored search text (up to its zero byte): letter codes become the
// letters at FontAsciiBase, every other byte the unit of its own value, so that
// UnitsToReaderCode gives back exactly the bytes that the dialog can store.
std::u16string ReaderCodeToUnits(std::span<const std::uint8_t> text,
                                 std::int32_t fontAsciiBase,
                                 EditOrder order);

// The same into and out of the shared state's SearchText, with the chosen font's FontAsciiBase
// and the edit order of SearchEditOrder().
void EditTextToReaderCode(std::u16string_view units);
std::u16string SearchTextToEditText();

// Reading order when the platform shows the typing base's letters right to left itself, or
// when Reverse is on (text/run_order.h); Visual otherwise.
EditOrder SearchEditOrder();

inline constexpr std::size_t kEditLimit = 33;  // units the edit control takes

// The edit text after typing `typed` into an empty search edit with Scroll Lock off. Visual:
// mapped characters land left of those typed before (the caret steps back over each), digits
// go in left to right as the edit itself inserts them. Reading: everything goes in at the caret
// in typing order. Control characters insert nothing.
std::u16string TypeAsDialog(std::u16string_view typed,
                            std::int32_t fontAsciiBase,
                            EditOrder order = EditOrder::Visual);

// FontAsciiBase for typing: the chosen font's, or the Unicode base when none is set yet.
std::int32_t TypingBase();

}  // namespace qm
