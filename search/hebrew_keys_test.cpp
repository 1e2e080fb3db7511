// The key map, the picture's cells and the conversion of the edit text.
#include "search/hebrew_keys.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "frame/app_state.h"

namespace qm {
namespace {

constexpr char16_t kAlef = 0x5D0;

std::u16string Stored(std::u16string_view units,
                      std::int32_t base = BaseUnicode,
                      EditOrder order = EditOrder::Visual) {
  std::array<std::uint8_t, kSearchTextSize> out;
  out.fill(0xEE);
  UnitsToReaderCode(units, base, out, order);
  std::u16string s;
  for (std::uint8_t b : out) {
    if (b == 0) break;
    s.push_back(b);
  }
  EXPECT_EQ(out.back(), 0);
  return s;
}

TEST(HebrewKeysTest, LayoutKeys) {
  EXPECT_EQ(MapLatinUnit(u't', BaseUnicode).unit, kAlef);
  EXPECT_EQ(MapLatinUnit(u'T', BaseUnicode).unit, kAlef);  // Shift and Caps Lock change nothing
  EXPECT_EQ(MapLatinUnit(u',', BaseUnicode).unit, kAlef + 26);  // tav
  EXPECT_EQ(MapLatinUnit(u'i', BaseUnicode).unit, kAlef + 15);  // final nun
  EXPECT_EQ(MapLatinUnit(u'a', BaseEightBit).unit, 0xF9);       // shin in an 8-bit font
  EXPECT_EQ(MapLatinUnit(u'q', BaseUnicode).unit, u'/');
  EXPECT_EQ(MapLatinUnit(u'w', BaseUnicode).unit, u'\'');
  EXPECT_EQ(MapLatinUnit(u'/', BaseUnicode).unit, u'.');
  EXPECT_EQ(MapLatinUnit(u'\'', BaseUnicode).unit, u',');
  // Every letter of the alphabet is on some key exactly once, apart from the punctuation keys.
  int letters[27] = {};
  for (char c : kLatinKeys) {
    const KeyInsert k = MapLatinUnit(static_cast<char16_t>(c), BaseUnicode);
    EXPECT_FALSE(k.leaveToEdit);
    if (k.unit >= kAlef && k.unit < kAlef + 27) ++letters[k.unit - kAlef];
  }
  for (int i = 0; i < 27; ++i)
    EXPECT_EQ(letters[i], 1) << i;
}

TEST(HebrewKeysTest, OtherCharacters) {
  EXPECT_TRUE(MapLatinUnit(u'7', BaseUnicode).leaveToEdit);
  EXPECT_TRUE(MapLatinUnit(8, BaseUnicode).leaveToEdit);  // Backspace
  for (char16_t c : {u'?', u'*', u' ', u':', u'<', u'\u00E9'}) {
    const KeyInsert k = MapLatinUnit(c, BaseUnicode);
    EXPECT_FALSE(k.leaveToEdit);
    EXPECT_EQ(k.unit, c);
  }
}

TEST(HebrewKeysTest, TypingGrowsToTheLeft) {
  // "t" then "s": dalet left of alef, stored 0x64 0x61.
  const std::u16string edit = TypeAsDialog(u"ts", BaseUnicode);
  EXPECT_EQ(edit, (std::u16string{kAlef + 3, kAlef}));
  EXPECT_EQ(Stored(edit), u"\x64\x61");
  // Digits go in left to right at the caret, which then stands right of them.
  EXPECT_EQ(TypeAsDialog(u"t12s", BaseUnicode), (std::u16string{u'1', u'2', kAlef + 3, kAlef}));
  EXPECT_EQ(TypeAsDialog(std::u16string(40, u't'), BaseUnicode).size(), kEditLimit);
}

// A word typed in reading order into a right-to-left edit is stored as the visual path stores
// it, and every text the dialog can store survives any number of openings and OKs.
TEST(HebrewKeysTest, ReadingOrderEdit) {
  const std::u16string reading = TypeAsDialog(u"ngbya", BaseUnicode, EditOrder::Reading);
  EXPECT_EQ(reading, u"\u05DE\u05E2\u05E0\u05D8\u05E9");  // mem, ayin, nun, tet, shin
  EXPECT_EQ(Stored(reading, BaseUnicode, EditOrder::Reading), u"ziqso");
  for (const std::u16string typed : {u"ts", u"ngbya", u"t?s*", u"vbfu ktp"})
    for (const std::int32_t base : {BaseUnicode, BaseEightBit})
      EXPECT_EQ(Stored(TypeAsDialog(typed, base, EditOrder::Reading), base, EditOrder::Reading),
                Stored(TypeAsDialog(typed, base), base));
  std::uint32_t seed = 1;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 1 + round % 33; ++i) {
      seed = seed * 1103515245 + 12345;
      const auto b = static_cast<std::uint8_t>(1 + (seed >> 16) % 255);
      if ((b != u' ' || bytes.empty() || bytes.back() != u' ') && (b < 0xE0 || b > 0xFA))
        bytes.push_back(b);
    }
    const std::u16string want(bytes.begin(), bytes.end());
    for (const EditOrder order : {EditOrder::Visual, EditOrder::Reading})
      for (const std::int32_t base : {BaseUnicode, BaseEightBit})
        EXPECT_EQ(Stored(ReaderCodeToUnits(bytes, base, order), base, order), want);
  }
}

TEST(HebrewKeysTest, EditTextToReaderCode) {
  // A letter, two spaces and a letter: one space is stored.
  EXPECT_EQ(Stored(std::u16string{kAlef, u' ', u' ', kAlef + 1}), u"\x61 \x62");
  EXPECT_EQ(Stored(u"   "), u" ");
  EXPECT_EQ(Stored(std::u16string{0xE0, 0xFA}, BaseEightBit), u"\x61\x7B");
  EXPECT_EQ(Stored(std::u16string{kAlef + 27}), u"\xEB");  // past tav: low 8 bits
  EXPECT_EQ(Stored(u"ab?*"), u"ab?*");
  EXPECT_EQ(Stored(std::u16string{u'a', 0x100, u'b'}), u"a");  // a zero byte ends the text
  EXPECT_EQ(Stored(std::u16string(40, u'x')).size(), 33u);
  EXPECT_EQ(Stored(u""), u"");
}

TEST(HebrewKeysTest, PictureCells) {
  // Top row right to left: alef in the rightmost cell, tet in the leftmost.
  EXPECT_EQ(CellAt(152, 0), 1);
  EXPECT_EQ(CellAt(136, 24), 1);
  EXPECT_EQ(CellAt(135, 0), 2);
  EXPECT_EQ(CellAt(0, 0), 9);
  EXPECT_EQ(CellAt(152, 25), 10);
  EXPECT_EQ(CellAt(0, 74), 27);
  // The space bar spans x 34..118 below the rows; the rest of that row is nothing.
  EXPECT_EQ(CellAt(34, 75), kSpaceCell);
  EXPECT_EQ(CellAt(118, 94), kSpaceCell);
  EXPECT_EQ(CellAt(33, 80), kNoCell);
  EXPECT_EQ(CellAt(119, 80), kNoCell);
  // Outside, and the one-pixel column right of the cells.
  EXPECT_EQ(CellAt(-1, 10), kNoCell);
  EXPECT_EQ(CellAt(10, 95), kNoCell);
  EXPECT_EQ(CellAt(154, 10), kNoCell);
  EXPECT_EQ(CellAt(153, 0), kNoCell);
  EXPECT_EQ(CellAt(153, 30), kNoCell);
}

// A click lands on the same key at every DPI: a point a pixel inside a key (or the space bar) of
// the 96-dpi picture, at the same place of the picture shown at another DPI, is in that key.
TEST(HebrewKeysTest, PictureCellsAtEveryDpi) {
  for (const auto& [dpi, width, height] :
       {std::array{96, 154, 95}, std::array{120, 190, 118}, std::array{144, 235, 144},
        std::array{192, 307, 190}, std::array{110, 190, 118}}) {
    const KeyboardPicture picture = KeyboardPictureFor(dpi);
    EXPECT_EQ(picture.width, width) << dpi;
    EXPECT_EQ(picture.height, height) << dpi;
    int checked = 0;
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) {
        // Rows of keys, then the space bar's row, each without its first and last pixels.
        const bool keyRow = y < kSpaceBarTop;
        const int v = keyRow ? y % kCellHeight : y - kSpaceBarTop;
        const int rowHeight = keyRow ? kCellHeight : kPictureHeight - kSpaceBarTop;
        const int cell = CellAt(x, y);
        if (cell == kNoCell || x % kCellWidth == 0 || x % kCellWidth == kCellWidth - 1 || v == 0 ||
            v == rowHeight - 1)
          continue;
        ASSERT_EQ(CellAt(x * width / kPictureWidth, y * height / kPictureHeight, picture), cell)
            << x << "," << y << " at " << dpi;
        ++checked;
      }
    }
    EXPECT_GT(checked, 27 * 15 * 23);
    // Right of the nine keys and below the picture: nothing.
    EXPECT_EQ(CellAt(picture.width - 1, 0, picture), kNoCell);
    EXPECT_EQ(CellAt(0, picture.height, picture), kNoCell);
  }
}

TEST(HebrewKeysTest, CellLetters) {
  EXPECT_EQ(CellUnit(kSpaceCell, BaseUnicode), u' ');
  EXPECT_EQ(CellUnit(1, BaseUnicode), kAlef);
  EXPECT_EQ(CellUnit(11, BaseUnicode), kAlef + 11);  // kaf
  EXPECT_EQ(CellUnit(12, BaseUnicode), kAlef + 10);  // final kaf after it
  EXPECT_EQ(CellUnit(27, BaseEightBit), 0xFA);       // tav
  EXPECT_EQ(CellUnit(28, BaseUnicode), 0);
  EXPECT_EQ(CellUnit(kNoCell, BaseUnicode), 0);
}

}  // namespace
}  // namespace qm
