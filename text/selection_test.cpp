#include "text/selection.h"

#include <gtest/gtest.h>

#include "text/draw.h"
#include "text/text_test_support.h"

namespace qm {
namespace {

using testing::Bytes;
using Op = FakeTextDevice::Op;

class Selection : public testing::DocumentTest {
 protected:
  std::uint16_t At(std::int32_t x, std::int32_t y) { return PositionAt(*doc, x, y); }
  std::u16string Drag(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    return SelectedText(doc->Text.get(), {At(x0, y0), At(x1, y1)}, true);
  }
};

// Right-to-left "aa bb cc dd" (stored in visual order) in two lines of 40 px, then "xy" left to
// right; every glyph 8 px, rows 16 px.
TEST_F(Selection, PointsMapToReadingPositionsInBothDirectionsOfADrag) {
  Make(40, 100);
  ASSERT_EQ(Lay({{0x31, 0, Bytes("dd cc bb aa")}, {0x01, 0, Bytes("xy")}}), kLayoutDone);
  const std::uint8_t* text = doc->Text.get();
  EXPECT_EQ(ReadingPosition(text, 12), 2);  // the last stored byte is read first
  EXPECT_EQ(ReadingPosition(text, 2), 12);
  EXPECT_EQ(ReadingPosition(text, 16), 16);  // left to right: the offset itself
  EXPECT_EQ(At(39, 5), 2);                   // right half of the first glyph: before it
  EXPECT_EQ(At(33, 5), 3);                   // left half: after it
  EXPECT_EQ(At(-5, 5), 7);                   // left of the line: its end
  EXPECT_EQ(At(20, -9), 2);                  // above the text: the top row's start
  EXPECT_EQ(At(3, 40), 16);                  // "xy": before x
  EXPECT_EQ(At(11, 40), 17);
  EXPECT_EQ(At(3, 90), 18);  // below the last row: the end
  const std::u16string expected = u"\u05D1\u05D1 \u05D2\u05D2";
  EXPECT_EQ(Drag(12, 5, 20, 20), expected);  // from "bb" into the second line
  EXPECT_EQ(Drag(20, 20, 12, 5), expected);  // and back
  EXPECT_EQ(Drag(8, 20, 11, 40), u"\u05D3\r\nx");
  doc->TopLine = 1;  // the second line on top: a point above is its start
  EXPECT_EQ(At(20, -1), 8);
}

TEST_F(Selection, HangingWordAndWords) {
  Make(64, 100);
  // Indent level 1: the first word "aa" hangs in 16 px at the right end of the first line.
  ASSERT_EQ(Lay({{0x31, 0x40, Bytes("cc bb aa")}}), kLayoutDone);
  const LineEntry& e = Line(0);
  ASSERT_EQ(e.Indent, 16);
  const std::int32_t right = e.X + e.Width;
  EXPECT_EQ(At(right + 15, 5), 2);  // inside the hanging word
  EXPECT_EQ(At(right + 3, 5), 4);   // after it
  EXPECT_EQ(At(right - 1, 5), 5);   // the line's own first glyph
  EXPECT_EQ(SelectedText(doc->Text.get(), WordAt(*doc, At(right - 1, 5)), true), u"\u05D1\u05D1");
  EXPECT_EQ(SelectedText(doc->Text.get(), WordAt(*doc, 4), true), u"\u05D0\u05D0");
  EXPECT_TRUE(WordAt(*doc, 0).Empty());

  // Drawn over the line, in the highlight colours, and nothing at all without a selection.
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  const int draws = dev.Count(Op::Draw);
  dev.ClearLog();
  doc->Selection = {2, 6};  // "aa b"
  SetSelectionColours(kWhite, kNavy);
  DrawDocument(doc.get(), false);
  const auto calls = dev.Draws();
  ASSERT_EQ(static_cast<int>(calls.size()), draws + 3);
  EXPECT_EQ(calls.back().colour, kWhite);
  const auto fills = dev.Calls(Op::Fill);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[1].box.right, right);
  EXPECT_EQ(fills[1].box.left, right - 8);
}

// The clipboard text: reading order, points kept or dropped, a paragraph a line, no rule; the
// same under either font base and with Reverse on or off.
TEST_F(Selection, ClipboardTextWhateverTheBaseAndReverse) {
  const std::vector<std::uint8_t> rtl = {'(', '1', '2', ')', ' ', 0x45, 0x16, 'a'};
  for (const std::int32_t base : {BaseUnicode, BaseEightBit}) {
    for (const bool reverse : {false, true}) {
      settings.FontAsciiBase = g_app.FontSettings.FontAsciiBase = base;
      g_app.Flags = reverse ? flags::ReverseText : 0;
      Make(200, 100);
      ASSERT_EQ(Lay({{0xB1, 0, rtl}, {0xC7, 0xD2, {}}, {0x81, 0, Bytes("Hi")}}), kLayoutDone);
      const TextSelection all = WholeText(*doc);
      EXPECT_EQ(SelectedText(doc->Text.get(), all, true), u"\u05D0\u05B8\uFB31 (12)\r\nHi");
      EXPECT_EQ(SelectedText(doc->Text.get(), all, false), u"\u05D0\u05D1 (12)\r\nHi");
    }
  }
}

}  // namespace
}  // namespace qm
