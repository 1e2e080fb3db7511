#include "text/draw.h"

#include <gtest/gtest.h>

#include "text/text_test_support.h"

namespace qm {
namespace {

using testing::Bytes;
using testing::DocumentTest;
using Call = FakeTextDevice::Call;
using Op = FakeTextDevice::Op;

class Draw : public DocumentTest {
 protected:
  // Four one-line paragraphs "aa", "bb", "cc", "dd" with blank rows: 7 rows of 16 px.
  void FourLines(std::int32_t height, std::uint8_t style = 0x81) {
    Make(200, height, 0, 10);
    ASSERT_EQ(Lay({{style, 0, Bytes("aa")},
                   {style, 0, Bytes("bb")},
                   {style, 0, Bytes("cc")},
                   {style, 0, Bytes("dd")}}),
              kLayoutDone);
    dev.ClearLog();
  }
  std::vector<Call> Draws() const { return dev.Draws(); }
};

TEST_F(Draw, NothingWithoutTextOrDocument) {
  EXPECT_EQ(DrawDocument(nullptr, true), -1);
  EXPECT_EQ(DrawMarks(nullptr), -1);
  Make(200, 100);
  EXPECT_EQ(DrawDocument(doc.get(), true), -1);
  EXPECT_TRUE(dev.log.empty());
}

TEST_F(Draw, VisibleRowsOnlyWithFontsAndColourPutBack) {
  FourLines(56);  // three rows and a half
  dev.SetTextColor(Rgb(1, 2, 3));
  EXPECT_EQ(DrawDocument(doc.get(), true), 0);
  const auto fills = dev.Calls(Op::Fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].box.top, 10);
  EXPECT_EQ(fills[0].box.bottom, 66);
  EXPECT_EQ(dev.KindOf(fills[0].object), FakeTextDevice::Kind::Brush);
  // aa, its blank row, bb and half of its blank row: no room for cc.
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].units, u"aa");
  EXPECT_EQ(draws[0].box.top, 10);
  EXPECT_EQ(draws[1].units, u"bb");
  EXPECT_EQ(draws[1].box.top, 42);
  EXPECT_EQ(draws[1].flags, dt::Run);
  EXPECT_EQ(draws[0].colour, kBlack);
  EXPECT_EQ(doc->LinesShown, 4);
  EXPECT_EQ(dev.SelectedFont(), dev.SystemFont());
  EXPECT_EQ(dev.TextColour(), Rgb(1, 2, 3));
  // Drawing measures nothing: the layout did.
  EXPECT_EQ(dev.Count(Op::Extent), 0);
  EXPECT_EQ(dev.Count(Op::Fit), 0);

  dev.ClearLog();
  DrawDocument(doc.get(), false);
  EXPECT_EQ(dev.Count(Op::Fill), 0);
}

TEST_F(Draw, TopLineOnABlankRowStartsOneLineLower) {
  FourLines(100);
  doc->TopLine = 1;
  DrawDocument(doc.get(), false);
  const auto draws = Draws();
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws[0].units, u"bb");
  EXPECT_EQ(draws[0].box.top, 10 + 16);

  doc->TopLine = 2;
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  EXPECT_EQ(Draws()[0].units, u"bb");
  EXPECT_EQ(Draws()[0].box.top, 10);
}

TEST_F(Draw, TopLineBeyondTheEndIsPulledBack) {
  FourLines(40);
  ASSERT_EQ(doc->MaxTopLine, 5);
  doc->TopLine = 8;
  DrawDocument(doc.get(), false);
  EXPECT_EQ(doc->TopLine, 5);
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(Draws()[0].units, u"dd");
}

TEST_F(Draw, RulesAreThinBlackBars) {
  Make(200, 100, 0, 10);
  ASSERT_EQ(Lay({{0xC7, 200, {}}, {0x81, 0, Bytes("x")}}), kLayoutDone);
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  const auto rects = dev.Calls(Op::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].box.left, 20);
  EXPECT_EQ(rects[0].box.right, 180);
  EXPECT_EQ(rects[0].box.top, 18);
  EXPECT_EQ(rects[0].box.bottom, 19);
  EXPECT_EQ(dev.KindOf(rects[0].brush), FakeTextDevice::Kind::Brush);
  EXPECT_EQ(rects[0].brush, dev.StockObject(Stock::BlackBrush));
  EXPECT_NE(dev.SelectedBrush(), rects[0].brush);
  EXPECT_EQ(Draws()[0].box.top, 10 + 32);
}

TEST_F(Draw, GlyphsRunRightToLeftWithPointsOverTheirLetter) {
  Make(200, 100);
  ASSERT_EQ(Lay({{0x31, 0, {0x61, 0x16, 0x62}}}), kLayoutDone);
  dev.ClearLog();
  SelectStyleFont(doc.get(), 0x31);
  g_conversion.Override = BaseUnicode;
  DrawRunByGlyph(*doc, doc->Text.get() + 2, 3, {100, 0, 150, 16});
  g_conversion.Override = BaseAsStored;
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].units, u"\u05D1");
  EXPECT_EQ(draws[0].box.left, 142);
  EXPECT_EQ(draws[0].box.right, 150);
  EXPECT_EQ(draws[1].units, u"\u05B8");  // over the bet drawn just before
  EXPECT_EQ(draws[1].box.left, 142);
  EXPECT_EQ(draws[1].box.right, 150);
  EXPECT_EQ(draws[2].units, u"\u05D0");
  EXPECT_EQ(draws[2].box.left, 134);
  EXPECT_EQ(draws[2].box.right, 142);
  EXPECT_EQ(draws[2].flags, dt::Run);
  EXPECT_EQ(dev.BkMode(), kTransparent);
}

TEST_F(Draw, HolamSitsInAStripAtTheLetterLeftEdge) {
  Make(200, 100);
  ASSERT_EQ(Lay({{0x31, 0, {0x1F, 0x61, 0x59, 0x10}}}), kLayoutDone);
  SelectStyleFont(doc.get(), 0x31);
  dev.ClearLog();
  DrawRunByGlyph(*doc, doc->Text.get() + 2, 4, {0, 0, 100, 16});
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 6u);
  // 0x10: the point, then the final kaf in the same box.
  EXPECT_EQ(draws[0].units, u"\u05B8");
  EXPECT_EQ(draws[1].units, u"\u05DA");
  EXPECT_EQ(draws[1].box.left, 92);
  // 0x59: the letter first, then its holam in a strip from left - 2 to left + 1.
  EXPECT_EQ(draws[2].units, u"\uFB3C");
  EXPECT_EQ(draws[2].box.left, 84);
  EXPECT_EQ(draws[3].units, u"\u05B9");
  EXPECT_EQ(draws[3].box.left, 82);
  EXPECT_EQ(draws[3].box.right, 85);
  // Alef, then the holam point on its left edge, 3 px wide.
  EXPECT_EQ(draws[4].units, u"\u05D0");
  EXPECT_EQ(draws[4].box.left, 76);
  EXPECT_EQ(draws[5].units, u"\u05B9");
  EXPECT_EQ(draws[5].box.left, 76);
  EXPECT_EQ(draws[5].box.right, 79);
}

TEST_F(Draw, RunsChooseGlyphsOnlyUnderTheUnicodeBase) {
  Make(200, 100);
  ASSERT_EQ(Lay({{0x31, 0, {0x61, 0x16, 0x62}}}), kLayoutDone);
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  EXPECT_EQ(Draws().size(), 3u);
  EXPECT_EQ(g_conversion.Override, BaseAsStored);

  // Under an 8-bit base one whole converted run is drawn, and Reverse applies to it.
  settings.FontAsciiBase = BaseEightBit;
  g_app.FontSettings = settings;
  g_app.Flags = flags::ReverseText;
  Make(200, 100);
  ASSERT_EQ(Lay({{0x31, 0, {0x61, 0x16, 0x62}}}), kLayoutDone);
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(Draws()[0].units, (std::u16string{0xE1, 0xE0}));
  EXPECT_EQ(Draws()[0].box.left, 200 - 16);
  EXPECT_EQ(Draws()[0].box.right, 200);
}

TEST_F(Draw, WholeRunsKeepTheModeLeftByGlyphDrawing) {
  Make(200, 100);
  ASSERT_EQ(Lay({{0x31, 0, {0x61}}, {0x81, 0, Bytes("ab")}}), kLayoutDone);
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[1].units, u"ab");
  EXPECT_EQ(draws[1].value, kTransparent);
  EXPECT_EQ(dev.Count(Op::SetBkMode), 1);
}

TEST_F(Draw, ColouredRunsPutTheColoursBack) {
  Make(200, 100);
  dev.SetBkColor(Rgb(9, 9, 9));
  const std::uint8_t run[] = "xy";
  DrawRunColoured(dev, run, 2, 5, 6, 30, 16, kBlue, kYellow);
  ASSERT_EQ(Draws().size(), 1u);
  EXPECT_EQ(Draws()[0].colour, kBlue);
  EXPECT_EQ(Draws()[0].back, kYellow);
  EXPECT_EQ(Draws()[0].box.right, 35);
  EXPECT_EQ(Draws()[0].box.bottom, 22);
  EXPECT_EQ(dev.TextColour(), kBlack);
  EXPECT_EQ(dev.BkColour(), Rgb(9, 9, 9));
}

TEST_F(Draw, HangingWordsAtBothEnds) {
  dev.maxCharWidth = 20;
  Make(200, 100);
  // Reading order "ab cd": "ab" hangs at the right end, right-aligned in its 20 px.
  ASSERT_EQ(Lay({{0x31, 0x40, Bytes("dc ba")}}), kLayoutDone);
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  auto draws = Draws();
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ(draws[0].units, u"\u05D0");  // a, read first, at the far right
  EXPECT_EQ(draws[0].box.right, 200);
  EXPECT_EQ(draws[1].units, u"\u05D1");
  EXPECT_EQ(draws[1].box.left, 200 - 16);
  EXPECT_EQ(draws[2].units, u"\u05D2");
  EXPECT_EQ(draws[2].box.right, 200 - 20);

  // ASCII: the word is centred in the indent left of the line.
  Make(200, 100);
  ASSERT_EQ(Lay({{0x01, 0x40, Bytes("ab cd")}}), kLayoutDone);
  dev.ClearLog();
  DrawDocument(doc.get(), false);
  draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].units, u"ab");
  EXPECT_EQ(draws[0].box.left, 0);
  EXPECT_EQ(draws[0].box.right, 16);
  EXPECT_EQ(draws[1].units, u"cd");
  EXPECT_EQ(draws[1].box.left, 20);
}

TEST_F(Draw, MarksCoverTheirPartOfEachLine) {
  Make(80, 200);
  ASSERT_EQ(Lay({{0x01, 0, Bytes("aaaa bbbb cccc")}}), kLayoutDone);
  // From the second b (offset 2 + 6) into the c's (2 + 12): end of line 0, start of line 1.
  doc->MarkStart = 8;
  doc->MarkEnd = 14;
  dev.ClearLog();
  EXPECT_EQ(DrawDocument(doc.get(), false), 0);
  const auto fills = dev.Calls(Op::Fill);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].box.left, 48);
  EXPECT_EQ(fills[0].box.right, 72);
  EXPECT_EQ(fills[0].box.top, -1);
  EXPECT_EQ(fills[0].box.bottom, 17);
  EXPECT_EQ(fills[1].box.left, 0);
  EXPECT_EQ(fills[1].box.right, 16);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ(draws[2].units, u"bbb");
  EXPECT_EQ(draws[2].colour, kBlue);
  EXPECT_EQ(draws[2].back, kYellow);
  EXPECT_EQ(draws[3].units, u"cc");
  EXPECT_EQ(dev.LiveCount(FakeTextDevice::Kind::Brush), 0);
  EXPECT_EQ(dev.TextColour(), kBlack);

  // A mark wider than a line marks all of it; one after a line's end marks nothing there.
  doc->MarkStart = 1;
  doc->MarkEnd = 40;
  dev.ClearLog();
  DrawMarks(doc.get());
  ASSERT_EQ(dev.Calls(Op::Fill).size(), 2u);
  EXPECT_EQ(dev.Calls(Op::Fill)[0].box.right, 72);
  doc->MarkStart = 13;
  doc->MarkEnd = 15;
  dev.ClearLog();
  DrawMarks(doc.get());
  ASSERT_EQ(dev.Calls(Op::Fill).size(), 1u);
  EXPECT_EQ(dev.Calls(Op::Fill)[0].box.top, 16 - 1);
}

TEST_F(Draw, ScrollingClampsAtBothEnds) {
  EXPECT_EQ(ScrollDocument(nullptr, 1, 0, true), -1);
  FourLines(40);
  ASSERT_EQ(doc->MaxTopLine, 5);
  EXPECT_EQ(ScrollDocument(doc.get(), 2, 0, true), 3);
  EXPECT_EQ(doc->TopLine, 2);
  EXPECT_EQ(ScrollDocument(doc.get(), -9, 0, true), 3);
  EXPECT_EQ(doc->TopLine, 0);
  EXPECT_EQ(ScrollDocument(doc.get(), -1, 1, true), 1);  // nothing changed: no redraw
  EXPECT_TRUE(dev.log.empty());

  doc->TopLine = 5;
  EXPECT_EQ(ScrollDocument(doc.get(), 1, 1, true), 1);
  EXPECT_EQ(ScrollDocument(doc.get(), 1000, 1, true), 1);
  EXPECT_EQ(doc->TopLine, 5);
  EXPECT_TRUE(dev.log.empty());

  // Without clamp a move may pass MaxTopLine up to LineCount; beyond it goes to MaxTopLine.
  doc->TopLine = 4;
  EXPECT_EQ(ScrollDocument(doc.get(), 3, 0, false), 3);
  EXPECT_EQ(doc->TopLine, 7);
  doc->TopLine = 4;
  EXPECT_EQ(ScrollDocument(doc.get(), 9, 0, false), 3);
  EXPECT_EQ(doc->TopLine, 5);

  doc->TopLine = 0;
  EXPECT_EQ(ScrollDocument(doc.get(), 2, 1, true), 0);
  EXPECT_EQ(dev.Count(Op::Fill), 1);
  EXPECT_EQ(Draws()[0].units, u"bb");
}

TEST_F(Draw, FillBoxTakesXYWidthHeight) {
  FillBox(dev, {5, 6, 10, 20}, Stock::BlackBrush);
  const auto fills = dev.Calls(Op::Fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].box.right, 15);
  EXPECT_EQ(fills[0].box.bottom, 26);
  EXPECT_EQ(fills[0].object, dev.StockObject(Stock::BlackBrush));
}

}  // namespace
}  // namespace qm
