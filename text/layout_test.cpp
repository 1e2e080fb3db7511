#include <gtest/gtest.h>

#include "frame/zoom.h"
#include "text/document.h"
#include "text/draw.h"
#include "text/text_test_support.h"

namespace qm {
namespace {

using testing::Bytes;
using testing::DocumentTest;
using testing::MakeText;
using Op = FakeTextDevice::Op;

using Layout = DocumentTest;

int g_allocations = 0;
int g_failFrom = 0;  // fail every allocation from this one on (counted from 1); 0: none
bool FailFrom(std::size_t) {
  return g_failFrom == 0 || ++g_allocations < g_failFrom;
}
void FailAllocationsFrom(int n) {
  g_allocations = 0;
  g_failFrom = n;
  SetAllocGate(FailFrom);
}

TEST_F(Layout, CreationTakesTheRectangleAndCapacity) {
  EXPECT_EQ(CreateDocument(nullptr, nullptr, settings, 100), nullptr);
  Make(300, 200, 10, 40);
  EXPECT_EQ(doc->TextRect.left, 10);
  EXPECT_EQ(doc->TextRect.top, 40);
  EXPECT_EQ(doc->TextRect.width, 300);
  EXPECT_EQ(doc->TextRect.height, 200);
  EXPECT_EQ(doc->Capacity, 100);
  EXPECT_EQ(doc->DeviceContext, &dev);

  FailAllocationsFrom(1);
  EXPECT_EQ(CreateDocument(&dev, nullptr, settings, 100), nullptr);
  FailAllocationsFrom(2);  // the document, but not its line table
  DocumentPtr bare = CreateDocument(&dev, nullptr, settings, 100);
  SetAllocGate(nullptr);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->Capacity, 0);
  bare->TextRect.width = 100;
  bare->TextRect.height = 100;
  EXPECT_EQ(LayoutDocument(bare.get(), MakeText({{0x81, 0, Bytes("ab")}})), kLayoutDone);
  EXPECT_EQ(bare->Capacity, 128);
}

TEST_F(Layout, ResultCodes) {
  EXPECT_EQ(LayoutDocument(nullptr, MakeText({{0x81, 0, Bytes("a")}})), kLayoutNoDocument);
  EXPECT_EQ(RelayoutDocument(nullptr), kLayoutNoDocument);
  EXPECT_EQ(ResizeDocument(nullptr, 10, 10), kLayoutNoDocument);
  Make(200, 100);
  EXPECT_EQ(RelayoutDocument(doc.get()), kLayoutNoText);
  ASSERT_EQ(Lay({{0x81, 0, Bytes("one")}, {0x81, 0, Bytes("two")}}), kLayoutDone);
  EXPECT_EQ(doc->EntryCount, 2);

  // An empty first paragraph is refused; the old table and text stay, the range is 0.
  EXPECT_EQ(Lay({{0xD1, 0, {}}, {0x81, 0, Bytes("x")}}), kLayoutBadText);
  EXPECT_NE(doc->Text, nullptr);
  EXPECT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(doc->LineCount, 0);
  EXPECT_EQ(doc->Lines[1].Length, 3);
  // A rule first is accepted.
  EXPECT_EQ(Lay({{0xC7, 0xD2, {}}, {0x81, 0, Bytes("x")}}), kLayoutDone);

  EXPECT_EQ(ResizeDocument(doc.get(), 0, 50), kLayoutBadSize);
  EXPECT_EQ(ResizeDocument(doc.get(), 50, -1), kLayoutBadSize);
  EXPECT_EQ(doc->TextRect.width, 200);
  EXPECT_EQ(doc->LineCount, 3);

  EXPECT_EQ(LayoutDocument(doc.get(), nullptr), kLayoutNoText);
  EXPECT_EQ(doc->Text, nullptr);
}

TEST_F(Layout, OneLineAsciiParagraph) {
  Make(200, 100, 5, 7);
  ASSERT_EQ(Lay({{0x81, 0, Bytes("hello world")}}), kLayoutDone);
  const LineEntry& e = Line(0);
  EXPECT_EQ(e.Offset, 2);
  EXPECT_EQ(e.Length, 11);
  EXPECT_EQ(e.Width, 88);
  EXPECT_EQ(e.X, 5);
  EXPECT_EQ(e.Height, 16);
  EXPECT_EQ(e.Style, 0x01);  // the last line of the document carries no blank row
  EXPECT_EQ(Line(1).Style, 0);
  EXPECT_EQ(doc->LineCount, 1);
  EXPECT_EQ(doc->EntryCount, 1);
  EXPECT_EQ(dev.SelectedFont(), dev.SystemFont());
}

// A paragraph whose style byte is StyleBlankAfter alone: taking the flag off a line must not
// leave a zero style, which would end the table early and hide the lines after it.
TEST_F(Layout, BlankRowOnlyStyleKeepsTheTableWhole) {
  Make(80, 200);  // ten units
  ASSERT_EQ(Lay({{0x80, 0, Bytes("aaaa bbbb cccc")}, {0x81, 0, Bytes("dd")}}), kLayoutDone);
  ASSERT_EQ(doc->EntryCount, 3);
  EXPECT_EQ(Line(0).Style, StylePlain);  // not the paragraph's last line
  EXPECT_EQ(Line(1).Style, 0x80);        // its last line keeps the blank row
  EXPECT_EQ(Line(2).Style, 0x01);
  EXPECT_EQ(Line(3).Style, 0);
  EXPECT_EQ(doc->LineCount, 4);

  // As the document's last paragraph its last line loses the flag too, and stays in the table.
  ASSERT_EQ(Lay({{0x81, 0, Bytes("dd")}, {0x80, 0, Bytes("aaaa bbbb")}}), kLayoutDone);
  ASSERT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(Line(1).Style, StylePlain);
  EXPECT_EQ(doc->LineCount, 3);                             // the blank row after "dd" stays
  EXPECT_EQ(ScrollToOffset(doc.get(), Line(1).Offset), 1);  // the walk reaches the last line
}

TEST_F(Layout, BreaksAtSpacesAndAfterHyphens) {
  Make(80, 100);  // ten units
  ASSERT_EQ(Lay({{0x01, 0, Bytes("aaaa bbbb cccc")}}), kLayoutDone);
  EXPECT_EQ(Line(0).Length, 9);  // "aaaa bbbb", the space stays behind
  EXPECT_EQ(Line(0).Width, 72);
  EXPECT_EQ(Line(1).Offset, 2 + 10);
  EXPECT_EQ(Line(1).Length, 4);

  ASSERT_EQ(Lay({{0x01, 0, Bytes("aaaa-bbbbbb")}}), kLayoutDone);
  EXPECT_EQ(Line(0).Length, 5);  // "aaaa-"
  EXPECT_EQ(Line(0).Width, 40);
  EXPECT_EQ(Line(1).Offset, 2 + 5);
  EXPECT_EQ(Line(1).Length, 6);

  // A word longer than the line is cut at the edge, no hyphen added.
  ASSERT_EQ(Lay({{0x01, 0, Bytes("abcdefghijklmn")}}), kLayoutDone);
  EXPECT_EQ(Line(0).Length, 10);
  EXPECT_EQ(Line(1).Length, 4);
  EXPECT_EQ(doc->EntryCount, 2);
}

TEST_F(Layout, EmptyParagraphsMakeNoRows) {
  Make(200, 100);
  ASSERT_EQ(
      Lay({{0x81, 0, Bytes("a")}, {0x81, 0, {}}, {0x81, 0, Bytes("   ")}, {0x81, 0, Bytes("b")}}),
      kLayoutDone);
  EXPECT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(doc->LineCount, 3);  // a, its blank row, b
  EXPECT_EQ(Line(1).Offset, 4 + 3 + 6 + 2);
}

TEST_F(Layout, OnlyAParagraphsLastLineKeepsItsBlankRow) {
  Make(80, 100);
  ASSERT_EQ(Lay({{0x81, 0, Bytes("aaaa bbbb cccc        ")}, {0x81, 0, Bytes("d")}}), kLayoutDone);
  ASSERT_EQ(doc->EntryCount, 3);
  EXPECT_EQ(Line(0).Style, 0x01);
  EXPECT_EQ(Line(1).Style, 0x81);  // trailing spaces make no line of their own
  EXPECT_EQ(Line(2).Style, 0x01);
  EXPECT_EQ(doc->LineCount, 4);
}

TEST_F(Layout, RulesOfEveryParameterClass) {
  Make(200, 100, 10);
  ASSERT_EQ(Lay({{0xC7, 0xD2, {}},
                 {0x87, 100, {}},
                 {0xA7, 200, {}},
                 {0xC7, 0, {}},
                 {0x47, 161, {}},
                 {0x81, 0, Bytes("x")}}),
            kLayoutDone);
  ASSERT_EQ(doc->EntryCount, 5);
  EXPECT_EQ(Line(0).Width, 200);
  EXPECT_EQ(Line(0).X, 10);
  EXPECT_EQ(Line(0).Offset, 2);
  EXPECT_EQ(Line(0).Length, 0);
  EXPECT_EQ(Line(0).Height, 16);
  EXPECT_EQ(Line(1).Width, 100);
  EXPECT_EQ(Line(1).X, 10);
  EXPECT_EQ(Line(2).Width, 160);  // 80 per cent
  EXPECT_EQ(Line(2).X, 10 + 40);  // right-aligned
  EXPECT_EQ(Line(3).Width, 4);    // 2 per cent
  EXPECT_EQ(Line(3).X, 10 + 98);  // centred, no blank row
  EXPECT_EQ(doc->LineCount, 5 + 3);

  Make(80, 100);
  ASSERT_EQ(Lay({{0x87, 100, {}}, {0x81, 0, Bytes("x")}}), kLayoutDone);
  EXPECT_EQ(Line(0).Width, 80);
}

TEST_F(Layout, ReaderCodeBreaksInReadingOrder) {
  Make(40, 100);  // five units
  // Visual order "cc bb aa": read right to left as "aa bb cc".
  ASSERT_EQ(Lay({{0xB1, 0, Bytes("cc bb aa")}}), kLayoutDone);
  ASSERT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(Line(0).Offset, 2 + 3);  // "bb aa"
  EXPECT_EQ(Line(0).Length, 5);
  EXPECT_EQ(Line(0).X, 0);
  EXPECT_EQ(Line(1).Offset, 2);  // "cc"
  EXPECT_EQ(Line(1).Length, 2);
  EXPECT_EQ(Line(1).Width, 16);
  EXPECT_EQ(Line(1).X, 40 - 16);
  // Right-to-left text is measured from the width tables, not by the device.
  EXPECT_EQ(dev.Count(Op::Fit), 0);
  EXPECT_EQ(g_conversion.Override, BaseAsStored);
}

TEST_F(Layout, PointsDoNotWidenALine) {
  Make(24, 100);  // three letters
  // Each letter carries a point before it in stored order.
  ASSERT_EQ(Lay({{0x31, 0, {0x16, 0x61, 0x16, 0x62, 0x16, 0x63, 0x16, 0x64}}}), kLayoutDone);
  ASSERT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(Line(0).Width, 24);
  EXPECT_EQ(Line(1).Length, 2);
  EXPECT_EQ(Line(1).Offset, 2);
}

TEST_F(Layout, EveryLineTakesAtLeastOneByte) {
  Make(4, 100);  // narrower than any letter
  ASSERT_EQ(Lay({{0x01, 0, Bytes("abc")}}), kLayoutDone);
  EXPECT_EQ(doc->EntryCount, 3);
  EXPECT_EQ(Line(0).Length, 1);
  EXPECT_EQ(Line(0).Width, 8);
  // A letter keeps its points with it.
  ASSERT_EQ(Lay({{0x31, 0, {0x16, 0x61, 0x17, 0x16, 0x62}}}), kLayoutDone);
  ASSERT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(Line(0).Offset, 2 + 2);  // 0x62 with both points before it
  EXPECT_EQ(Line(0).Length, 3);
  EXPECT_EQ(Line(1).Offset, 2);
  EXPECT_EQ(Line(1).Length, 2);

  // An indent wider than the text leaves no room, and does not let the rest run on unbroken.
  dev.maxCharWidth = 20;
  Make(30, 100);
  ASSERT_EQ(Lay({{0x11, 0xC0, Bytes("bb aa w")}}), kLayoutDone);  // level 3: 40 px
  EXPECT_EQ(Line(0).Length, 0);                                   // only the hanging word
  EXPECT_EQ(Line(1).Length, 1);
  EXPECT_EQ(doc->EntryCount, 5);  // w | a | a | b | b
}

TEST_F(Layout, HangingIndentAndItsContinuation) {
  dev.maxCharWidth = 20;
  Make(200, 100);
  // Level 1: an indent of (1 + 1) * 20 / 2 = 20 px holds the first word.
  ASSERT_EQ(
      Lay({{0x01, 0x40, Bytes("ab cd ef")}, {0x01, 0x40, Bytes(" gh")}, {0x01, 0x03, Bytes("ij")}}),
      kLayoutDone);
  const LineEntry& first = Line(0);
  EXPECT_EQ(first.Offset, 2);  // the hanging word included
  EXPECT_EQ(first.Length, 5);  // without it
  EXPECT_EQ(first.Indent, 20);
  EXPECT_EQ(first.X, 20);
  EXPECT_EQ(first.Width, 40);
  EXPECT_EQ(Line(1).X, 20);  // a continuing paragraph keeps the indentation
  EXPECT_EQ(Line(1).Indent, 0);
  EXPECT_EQ(Line(2).X, 3);  // a fresh paragraph takes its own inset

  // Lines after the first one align with the text after the hanging word.
  Make(70, 100);
  ASSERT_EQ(Lay({{0x01, 0x81, Bytes("w aaaa bbbb")}}), kLayoutDone);  // level 2, inset 1
  ASSERT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(Line(0).Indent, 30);
  EXPECT_EQ(Line(0).X, 31);
  EXPECT_EQ(Line(0).Length, 4);
  EXPECT_EQ(Line(1).X, 31);
  EXPECT_EQ(Line(1).Offset, 2 + 7);
}

TEST_F(Layout, ReaderCodeHangingWordIsTheLastWordStored) {
  dev.maxCharWidth = 20;
  Make(200, 100);
  // Reading order "ab cd": the hanging word "ab" is stored last, at the right.
  ASSERT_EQ(Lay({{0x31, 0x40, Bytes("dc ba")}}), kLayoutDone);
  const LineEntry& e = Line(0);
  EXPECT_EQ(e.Offset, 2);
  EXPECT_EQ(e.Length, 2);
  EXPECT_EQ(e.Indent, 20);
  EXPECT_EQ(e.X, 200 - 20 - 16);
}

TEST_F(Layout, FontsAndHeightsFollowTheParagraphs) {
  Make(200, 100);
  ASSERT_EQ(
      Lay({{0xD1, 0, Bytes("a")}, {0xD2, 0, Bytes("b")}, {0x87, 50, {}}, {0xD4, 0, Bytes("c")}}),
      kLayoutDone);
  EXPECT_EQ(Line(0).Height, 16);
  EXPECT_EQ(Line(1).Height, 12);
  EXPECT_EQ(Line(2).Height, 12);  // a rule takes the current height
  EXPECT_EQ(Line(3).Height, 20);
  EXPECT_EQ(dev.SelectedFont(), dev.SystemFont());
  EXPECT_EQ(dev.Count(Op::SetTextColour), 0);
}

TEST_F(Layout, MaxTopLine) {
  Make(200, 300);
  ASSERT_EQ(Lay({{0x01, 0, Bytes("a")},
                 {0x01, 0, Bytes("b")},
                 {0x01, 0, Bytes("c")},
                 {0x01, 0, Bytes("d")}}),
            kLayoutDone);
  EXPECT_EQ(doc->MaxTopLine, 0);
  doc->TextRect.height = 40;
  EXPECT_EQ(ComputeMaxTopLine(doc.get()), 2);
  doc->TextRect.height = 10;  // lower than one line
  EXPECT_EQ(ComputeMaxTopLine(doc.get()), 4);

  // With blank rows: a blank row that does not fit is not counted.
  ASSERT_EQ(Lay({{0x81, 0, Bytes("a")}, {0x81, 0, Bytes("b")}, {0x81, 0, Bytes("c")}}),
            kLayoutDone);
  EXPECT_EQ(doc->LineCount, 5);
  doc->TextRect.height = 40;  // c (16), b (16) and half of b's blank row
  EXPECT_EQ(ComputeMaxTopLine(doc.get()), 3);
  doc->TextRect.height = 48;
  EXPECT_EQ(ComputeMaxTopLine(doc.get()), 2);

  DocumentPtr empty = CreateDocument(&dev, nullptr, settings, 0);
  EXPECT_EQ(ComputeMaxTopLine(empty.get()), 0xFFFF);
}

TEST_F(Layout, TheTableGrowsAndStopsCleanlyWhenMemoryRunsOut) {
  std::vector<std::uint8_t> many;
  for (int k = 0; k < 150; ++k)
    many.insert(many.end(), {'w', ' '});
  Make(16, 100);  // one word per line
  ASSERT_EQ(Lay({{0x01, 0, many}}), kLayoutDone);
  EXPECT_EQ(doc->EntryCount, 150);
  EXPECT_EQ(doc->Capacity, 228);
  EXPECT_EQ(Line(149).Offset, 2 + 298);

  Make(16, 100);
  TextBuffer text = MakeText({{0x01, 0, many}});
  SelectStyleFont(doc.get(), 1);  // only the growth of the table is left to allocate
  GdiObject selected = dev.SelectedFont();
  FailAllocationsFrom(1);
  EXPECT_EQ(LayoutDocument(doc.get(), std::move(text)), kLayoutNoMemory);
  SetAllocGate(nullptr);
  EXPECT_EQ(doc->Text, nullptr);
  EXPECT_EQ(doc->LineCount, 0);
  EXPECT_EQ(Line(100).Style, 0);  // the table ends where the layout stopped
  EXPECT_EQ(Line(99).Length, 1);
  EXPECT_EQ(dev.SelectedFont(), selected);

  // The reversed copy of a ReaderCode paragraph.
  Make(200, 100);
  TextBuffer rtl = MakeText({{0x31, 0, Bytes("ab")}});
  SelectStyleFont(doc.get(), 0x31);  // the font entry exists before the gate closes
  FailAllocationsFrom(1);
  EXPECT_EQ(LayoutDocument(doc.get(), std::move(rtl)), kLayoutNoMemory);
  SetAllocGate(nullptr);
  EXPECT_EQ(Line(0).Style, 0);
}

TEST_F(Layout, ScrollToOffsetBringsTheLineIntoView) {
  Make(200, 40);
  ASSERT_EQ(Lay({{0x81, 0, Bytes("aa")},
                 {0x81, 0, Bytes("bb")},
                 {0x81, 0, Bytes("cc")},
                 {0x81, 0, Bytes("dd")}}),
            kLayoutDone);
  ASSERT_EQ(doc->MaxTopLine, 5);
  EXPECT_EQ(ScrollToOffset(doc.get(), 7), 1);  // "bb"
  EXPECT_EQ(doc->TopLine, 2);
  EXPECT_EQ(ScrollToOffset(doc.get(), 19), 1);  // "dd", held at MaxTopLine
  EXPECT_EQ(doc->TopLine, 5);
  EXPECT_EQ(ScrollToOffset(doc.get(), 0), 0);
  EXPECT_EQ(doc->TopLine, 5);
  // The paragraph at the top comes back to the top after a narrower layout.
  doc->TopLine = 2;
  EXPECT_EQ(TopParagraph(*doc), 5);  // "bb"
  ASSERT_EQ(ResizeDocument(doc.get(), 8, 40), kLayoutDone);
  ShowParagraphAtTop(*doc, 5);
  EXPECT_EQ(doc->TopLine, 3);  // after "aa" on two rows and its blank row
  // Zooming lays out again in the new size and keeps that paragraph at the top, and the
  // selection. Letters as wide as half the font's height: in 24 points each paragraph wraps.
  dev.advanceOf = [](char16_t, std::int32_t height) { return height / 2; };
  ASSERT_EQ(ResizeDocument(doc.get(), 24, 40), kLayoutDone);
  doc->TopLine = 4;
  doc->Selection = {6, 7};
  EXPECT_EQ(ZoomDocument(*doc, settings, 24), kLayoutDone);
  EXPECT_EQ(settings.FontSize, 24);
  EXPECT_EQ(TopParagraph(*doc), 10);  // "cc"
  EXPECT_EQ(doc->TopLine, 6);         // "aa" and "bb" on two rows each now
  EXPECT_EQ(doc->Selection.To(), 7);
}

TEST_F(Layout, ResizeAndFontChangeLayOutTheOwnTextAgain) {
  Make(200, 100);
  ASSERT_EQ(Lay({{0x01, 0, Bytes("aaaa bbbb cccc")}}), kLayoutDone);
  EXPECT_EQ(doc->EntryCount, 1);
  doc->TopLine = 3;
  const std::uint8_t* text = doc->Text.get();
  EXPECT_EQ(ResizeDocument(doc.get(), 80, 100), kLayoutDone);
  EXPECT_EQ(doc->EntryCount, 2);
  EXPECT_EQ(doc->Text.get(), text);
  EXPECT_EQ(doc->TopLine, 3);

  FontSettings bigger = settings;
  bigger.FontSize = 24;
  EXPECT_EQ(SetDocumentFont(doc.get(), &bigger), 0);
  EXPECT_EQ(Line(0).Height, 32);
  EXPECT_EQ(doc->Settings.FontSize, 24);
  EXPECT_EQ(SetDocumentFont(nullptr, &bigger), -1);
  EXPECT_EQ(SetDocumentFont(doc.get(), nullptr), 0);
  EXPECT_EQ(dev.LiveCount(FakeTextDevice::Kind::Font), 0);
  doc.reset();
  EXPECT_EQ(dev.LiveCount(FakeTextDevice::Kind::Font), 0);

  Make(200, 100);
  EXPECT_EQ(SetDocumentFont(doc.get(), &bigger), 1);  // no text to lay out
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// Random paragraphs of every style and parameter at random widths: the layout ends, and every
// line lies inside its own paragraph's text.
TEST_F(Layout, RandomTextsStayInsideTheirParagraphs) {
  std::uint32_t seed = 7;
  auto next = [&seed](std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  dev.advanceOf = [](char16_t u, std::int32_t h) {
    return static_cast<std::int32_t>(u % 7) * h / 8;
  };
  dev.logQueries = false;
  for (int round = 0; round < 200; ++round) {
    dev.ClearLog();
    std::vector<std::uint8_t> all;
    std::vector<std::pair<std::size_t, std::size_t>> paragraphs;  // text start, end
    const int count = 1 + static_cast<int>(next(6));
    for (int p = 0; p < count; ++p) {
      all.push_back(static_cast<std::uint8_t>(1 + next(255)));
      all.push_back(static_cast<std::uint8_t>(next(256)));
      const std::size_t start = all.size();
      const int n = static_cast<int>(next(p == 0 ? 60 : 80)) + (p == 0 ? 1 : 0);
      for (int k = 0; k < n; ++k) {
        const std::uint32_t kind = next(10);
        all.push_back(static_cast<std::uint8_t>(kind < 2 ? ' ' : kind < 3 ? '-' : 1 + next(255)));
      }
      paragraphs.push_back({start, all.size()});
      all.push_back(0);
    }
    all.insert(all.end(), {0, 0, 0});
    TextBuffer text = AllocArray<std::uint8_t>(all.size());
    std::copy(all.begin(), all.end(), text.get());
    Make(1 + static_cast<std::int32_t>(next(300)), 1 + static_cast<std::int32_t>(next(200)));
    const std::uint16_t result = LayoutDocument(doc.get(), std::move(text));
    ASSERT_TRUE(result == kLayoutDone || result == kLayoutBadText) << round;
    if (result != kLayoutDone) continue;
    for (int k = 0; k < doc->EntryCount; ++k) {
      const LineEntry& e = Line(k);
      bool inside = false;
      for (auto [start, end] : paragraphs)
        inside |= e.Offset >= start && e.Offset + e.Length <= end;
      EXPECT_TRUE(inside) << "round " << round << " line " << k;
    }
    EXPECT_LE(doc->MaxTopLine, doc->LineCount);
    EXPECT_EQ(DrawDocument(doc.get(), true), 0);
  }
}

}  // namespace
}  // namespace qm
