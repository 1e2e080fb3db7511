// Tests of the outline over the recording device: layout, reveal, toggles, hits, scrolling,
// expansion across resizes, fonts and painting.
#include "index/outline.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "index/index_fonts.h"
#include "index/index_test_text.h"
#include "index/outline_paint.h"
#include "tests/fake_text_device.h"
#include "tests/recording_notices.h"
#include "text/conversion.h"

namespace qm {
namespace {

using Op = FakeTextDevice::Op;
using testing::LessonId;
using testing::MakeList;
using testing::SampleTitle;
using testing::ScopedBookmarks;
using testing::SyntheticIndex;

constexpr int kPlainHeight = 16;    // FontSize 16 as pixels
constexpr int kHeadingHeight = 20;  // 16 x 5 / 4
constexpr int kAdvance = 8;         // the fake's width of every unit

std::uint16_t HeadingId(int section) {  // 0-based section
  return static_cast<std::uint16_t>(0xBFFE - (testing::kSectionStarts[section] - 1 + section));
}

class OutlineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.FontSize = 16;
    settings.FontAsciiBase = BaseUnicode;
    std::copy_n(u"Test Face", 10, settings.FontName);
    g_app.FontSettings = settings;
    for (int i = 0; i < 3; ++i)
      g_app.MarkBitmaps[i] = &marks[i];
  }
  void TearDown() override {
    for (auto& m : g_app.MarkBitmaps)
      m = nullptr;
    g_app.FontSettings = {};
  }

  OutlinePtr Open(IndexText text, int width = 400, int height = 600) {
    OutlinePtr o = CreateOutline(&dc, Box{0, 0, width, height}, settings, 100);
    EXPECT_TRUE(o);
    result = LayoutOutline(o.get(), std::move(text));
    return o;
  }

  static IndexText Joined() {
    IndexText index = MakeList(SyntheticIndex());
    IndexText section = BuildBookmarkSection(index);
    return JoinEntryLists(std::move(section), std::move(index));
  }

  // The ids of the visible lines, in table order.
  static std::vector<std::uint16_t> VisibleIds(const IndexOutline& o) {
    std::vector<std::uint16_t> ids;
    for (int i = 0; i < o.LineCount; ++i)
      if (o.Lines[i].Style & kEntryVisible) ids.push_back(o.Lines[i].EntryId);
    return ids;
  }

  // One id per shown entry.
  static std::vector<std::uint16_t> VisibleEntries(const IndexOutline& o) {
    std::vector<std::uint16_t> ids = VisibleIds(o);
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
  }

  static int LineOf(const IndexOutline& o, std::uint16_t id, int from = 0) {
    for (int i = from; i < o.LineCount; ++i)
      if (o.Lines[i].EntryId == id) return i;
    return -1;
  }

  // The y of the middle of the visible line with index `line`, counting from TopLine.
  static int MiddleOf(const IndexOutline& o, int line) {
    int y = o.TextRect.top;
    for (int i = FirstShownLine(o); i < line; ++i)
      if (o.Lines[i].Style & kEntryVisible) y += o.Lines[i].Height;
    return y + o.Lines[line].Height / 2;
  }

  FakeTextDevice dc;
  FontSettings settings;
  int marks[3] = {};
  std::uint16_t result = 0;
};

std::vector<std::uint16_t> Headings(int from, int to) {
  std::vector<std::uint16_t> ids;
  for (int s = from; s < to; ++s)
    ids.push_back(HeadingId(s));
  return ids;
}

std::vector<std::uint16_t> Concat(std::initializer_list<std::vector<std::uint16_t>> parts) {
  std::vector<std::uint16_t> all;
  for (const auto& p : parts)
    all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST_F(OutlineTest, OpensAsCollapsedHeadingsWithTheCurrentLessonAndTheNext) {
  OutlinePtr o = Open(MakeList(SyntheticIndex()));
  ASSERT_EQ(result, kLayoutDone);
  EXPECT_EQ(o->LineCount, 259);
  EXPECT_EQ(VisibleIds(*o), Headings(0, 12));
  RevealLesson(o.get(), 30);
  EXPECT_EQ(VisibleIds(*o),
            Concat({Headings(0, 2), {LessonId(30), LessonId(31)}, Headings(2, 12)}));
  EXPECT_EQ(o->VisibleCount, 14);
  EXPECT_FALSE(o->Lines[LineOf(*o, HeadingId(1))].Style & kEntryExpanded);
}

TEST_F(OutlineTest, LastLessonOfASectionAddsOneLine) {
  OutlinePtr o = Open(MakeList(SyntheticIndex()));
  RevealLesson(o.get(), 19);
  EXPECT_EQ(VisibleIds(*o), Concat({Headings(0, 1), {LessonId(19)}, Headings(1, 12)}));
  RevealLesson(o.get(), 247);  // the very last entry: nothing follows it
  EXPECT_EQ(o->VisibleCount, 14);
}

TEST_F(OutlineTest, BookmarkedCurrentLessonOpensNoSection) {
  ScopedBookmarks marks({30, 248, 4});
  OutlinePtr o = Open(Joined());
  RevealLesson(o.get(), 30);
  EXPECT_EQ(VisibleIds(*o),
            Concat({{kBookmarkHeadingId, LessonId(30), LessonId(4)}, Headings(0, 12)}));
}

TEST_F(OutlineTest, LayoutResultCodes) {
  EXPECT_EQ(LayoutOutline(nullptr, MakeList(SyntheticIndex())), kLayoutNoDocument);
  OutlinePtr o = Open(IndexText{});
  EXPECT_EQ(result, kLayoutNoText);
  EXPECT_EQ(LayoutOutline(o.get(), MakeList({{0x8001, 0x8C, 1, ""}, {LessonId(1), 1, 2, "ab"}})),
            kLayoutBadText);
  EXPECT_EQ(LayoutOutline(o.get(), testing::MakeText({0, 0, 0, 0, 0})), kLayoutBadText);
  // Nothing is left to paint, hit or reveal.
  EXPECT_EQ(o->LineCount, 0);
  EXPECT_EQ(PaintOutline(o.get(), true), -1);
  EXPECT_EQ(HitTestOutline(o.get(), 200, 5), 0);
  RevealLesson(o.get(), 3);
  EXPECT_EQ(o->VisibleCount, 0);
}

TEST_F(OutlineTest, AllSpaceEntryMakesNoLine) {
  OutlinePtr o = Open(MakeList({{0x8001, 0x8C, 1, "abc"},
                                {LessonId(1), 0x81, 2, "    "},
                                {LessonId(2), 0x81, 2, "de  "}}));  // spaces first in reading order
  ASSERT_EQ(o->LineCount, 2);
  EXPECT_EQ(o->Lines[1].EntryId, LessonId(2));
  EXPECT_EQ(o->Lines[1].Length, 2);
  EXPECT_EQ(o->Lines[1].Offset, 8 + 9 + 4);
}

TEST_F(OutlineTest, LinesAreRightAlignedAndIndentedByLevel) {
  OutlinePtr o = Open(MakeList(SyntheticIndex()));
  const OutlineLine& heading = o->Lines[0];
  const OutlineLine& lesson = o->Lines[1];
  EXPECT_EQ(heading.Width, SampleTitle(100).size() * kAdvance);
  EXPECT_EQ(heading.X + heading.Width, 400 - 13);
  EXPECT_EQ(lesson.X + lesson.Width, 400 - 26);
  EXPECT_EQ(heading.Height, kHeadingHeight);
  EXPECT_EQ(lesson.Height, kPlainHeight);
}

TEST_F(OutlineTest, WordWrapBreaksAtSpacesInReadingOrder) {
  // Stored visually: the reading order starts at the end. Reversed, "lkjihg fedcba" wraps
  // after its first word when 10 units fit (13 + 80 <= 100 < 13 + 104).
  OutlinePtr o = Open(MakeList({{0x8001, 0x8C, 1, "abcdef ghijkl"}}), 100, 300);
  ASSERT_EQ(o->LineCount, 2);
  EXPECT_EQ(o->Lines[0].Offset, 4 + 7);  // "ghijkl" leads in reading order
  EXPECT_EQ(o->Lines[0].Length, 6);
  EXPECT_EQ(o->Lines[1].Offset, 4);
  EXPECT_EQ(o->Lines[1].Length, 6);
  EXPECT_EQ(o->Lines[1].Width, 6 * kAdvance);
}

TEST_F(OutlineTest, AreaTooNarrowForOneByteStillAdvances) {
  OutlinePtr o =
      Open(MakeList({{0x8001, 0x8C, 1, "ab cd"}, {LessonId(1), 0x81, 2, "xyz"}}), 3, 300);
  ASSERT_EQ(result, kLayoutDone);
  ASSERT_EQ(o->LineCount, 7);  // one byte per line, the space skipped
  for (int i = 0; i < o->LineCount; ++i)
    EXPECT_EQ(o->Lines[i].Length, 1);
  EXPECT_EQ(LineIndent(*o, o->Lines[0]), 0);  // an indent as wide as the area is dropped

  // Under an 8-bit base vowel points convert to nothing; they still take a line each.
  settings.FontAsciiBase = BaseEightBit;
  o = Open(MakeList({{0x8001, 0x8C, 1, "a\x15\x16"}}), 3, 300);
  EXPECT_EQ(o->LineCount, 3);
}

TEST_F(OutlineTest, WrappedHeadingKeepsBothLinesThroughCollapseAndExpand) {
  OutlinePtr o = Open(MakeList({{0x8001, 0x8C, 1, "abcdef ghijkl"},
                                {LessonId(1), 0x01, 2, "one"},
                                {LessonId(2), 0x01, 2, "two"},
                                {0x8002, 0x8C, 1, "next"}}),
                      100, 300);
  ASSERT_EQ(o->LineCount, 5);
  // Expand through the heading's second line, collapse through its first.
  ToggleHeading(*o, 1);
  EXPECT_EQ(VisibleIds(*o),
            (std::vector<std::uint16_t>{0x8001, 0x8001, LessonId(1), LessonId(2), 0x8002}));
  EXPECT_TRUE(o->Lines[0].Style & kEntryExpanded);
  EXPECT_TRUE(o->Lines[1].Style & kEntryExpanded);
  EXPECT_EQ(ToggleHeading(*o, 0), -1);
  EXPECT_EQ(VisibleIds(*o), (std::vector<std::uint16_t>{0x8001, 0x8001, 0x8002}));
  EXPECT_FALSE(o->Lines[1].Style & kEntryExpanded);
  EXPECT_EQ(o->VisibleCount, 3);
}

TEST_F(OutlineTest, CollapsingAHeadingWithoutChildrenLeavesItsSiblings) {
  ScopedBookmarks marks({}, 2);  // the bookmark heading alone, expanded
  OutlinePtr o = Open(Joined());
  ASSERT_EQ(o->Lines[0].EntryId, kBookmarkHeadingId);
  EXPECT_EQ(ToggleHeading(*o, 0), -(kBookmarkHeadingId & 0x3FFF));
  EXPECT_EQ(o->VisibleCount, 13);
  EXPECT_FALSE(o->Lines[0].Style & kEntryExpanded);
}

TEST_F(OutlineTest, AnEntryWithoutFontBitsDoesNotEndTheTableWhenHidden) {
  OutlinePtr o = Open(
      MakeList({{0x8001, 0xCC, 1, "abc"}, {LessonId(1), 0x80, 2, "de"}, {0x8002, 0x8C, 1, "fg"}}));
  ToggleHeading(*o, 0);
  EXPECT_EQ(o->VisibleCount, 2);
  EXPECT_EQ(o->LinesShown, 2);  // the second heading is still drawn
  EXPECT_EQ(HitTestOutline(o.get(), 399, kHeadingHeight + 5), -2);
}

TEST_F(OutlineTest, HitTestLeftOfOnAndRightOfALine) {
  OutlinePtr o = Open(MakeList(SyntheticIndex()));
  RevealLesson(o.get(), 30);
  const int line = LineOf(*o, LessonId(30));
  const OutlineLine& l = o->Lines[line];
  const int y = MiddleOf(*o, line);
  EXPECT_EQ(HitTestOutline(o.get(), l.X - 1, y), 0);
  EXPECT_EQ(HitTestOutline(o.get(), l.X, y), 30);
  EXPECT_EQ(HitTestOutline(o.get(), l.X + l.Width + 13, y), 30);  // on its mark
  EXPECT_EQ(HitTestOutline(o.get(), l.X + l.Width + 14, y), 0);
  EXPECT_EQ(HitTestOutline(o.get(), 401, y), 0);  // outside the area

  // A heading toggles anywhere right of its text start, and not left of it.
  const int h = LineOf(*o, HeadingId(3));
  const int hy = MiddleOf(*o, h);
  EXPECT_EQ(HitTestOutline(o.get(), o->Lines[h].X - 1, hy), 0);
  EXPECT_EQ(HitTestOutline(o.get(), 399, hy), -(HeadingId(3) & 0x3FFF));
  EXPECT_TRUE(o->Lines[h].Style & kEntryExpanded);
  EXPECT_EQ(o->VisibleCount, 14 + 20);

  EXPECT_EQ(HitTestOutline(o.get(), 200, 599), kBelowLines);
}

TEST_F(OutlineTest, HitTestCountsFromTopLine) {
  OutlinePtr o = Open(MakeList(SyntheticIndex()), 400, 100);
  ASSERT_EQ(ScrollOutline(o.get(), 3, 1, true), 0);
  EXPECT_EQ(o->TopLine, 3);
  EXPECT_EQ(HitTestOutline(o.get(), 399, 5), -(HeadingId(3) & 0x3FFF));
}

TEST_F(OutlineTest, ScrollLimitsAndTopLineBeyondMaxAfterACollapse) {
  // 100 px shows five headings (20 px each).
  OutlinePtr o = Open(MakeList(SyntheticIndex()), 400, 100);
  EXPECT_EQ(o->MaxTopLine, 12 - 5);
  EXPECT_EQ(ScrollOutline(o.get(), -5, 1, true), 1);  // already at the top
  EXPECT_EQ(ScrollOutline(nullptr, 1, 1, true), -1);
  ScrollOutline(o.get(), 100, 1, true);
  EXPECT_EQ(o->TopLine, 7);

  // Expand the first section (19 lessons), scroll far down, collapse it again.
  ToggleHeading(*o, 0);
  EXPECT_EQ(o->VisibleCount, 31);
  ScrollOutline(o.get(), 100, 1, true);
  EXPECT_EQ(o->TopLine, o->MaxTopLine);
  const std::uint16_t deep = o->TopLine;
  ASSERT_GT(deep, 12);
  ToggleHeading(*o, 0);  // paints: TopLine > VisibleCount, so it moves to MaxTopLine
  EXPECT_EQ(o->TopLine, 7);

  // TopLine above MaxTopLine but within VisibleCount stays, showing what remains.
  o->TopLine = 10;
  PaintOutline(o.get(), true);
  EXPECT_EQ(o->TopLine, 10);
  EXPECT_EQ(o->LinesShown, 2);
}

TEST_F(OutlineTest, SnapshotAndRestoreAcrossAResize) {
  ScopedBookmarks marks({50});
  OutlinePtr o = Open(Joined());
  RevealLesson(o.get(), 100);
  ToggleHeading(*o, LineOf(*o, HeadingId(1)));  // expand section 2
  ToggleHeading(*o, 0);                         // collapse the bookmarks
  const auto before = VisibleEntries(*o);
  ASSERT_EQ(before.size(), 1 + 12 + 22 + 2u);

  // At 100 px many titles wrap onto two lines; every line of a shown entry is shown.
  const ExpansionSnapshot snapshot = SnapshotExpansion(o.get());
  ASSERT_TRUE(snapshot);
  EXPECT_EQ(ResizeOutline(o.get(), 100, 200), kLayoutDone);
  ASSERT_GT(o->LineCount, 261);
  RestoreExpansion(o.get(), snapshot.get());
  EXPECT_EQ(VisibleEntries(*o), before);
  EXPECT_EQ(o->VisibleCount, VisibleIds(*o).size());
  for (int i = 1; i < o->LineCount; ++i) {
    if (o->Lines[i].EntryId == o->Lines[i - 1].EntryId) {
      EXPECT_EQ(o->Lines[i].Style, o->Lines[i - 1].Style);
    }
  }
  EXPECT_FALSE(o->Lines[0].Style & kEntryExpanded);
  EXPECT_TRUE(o->Lines[LineOf(*o, HeadingId(1))].Style & kEntryExpanded);
  EXPECT_EQ(ResizeOutline(nullptr, 1, 1), -1);
}

TEST_F(OutlineTest, MaxTopLineLetsTheLastLinesFillTheArea) {
  OutlinePtr o = Open(MakeList(SyntheticIndex()), 400, 59);  // room for two headings
  EXPECT_EQ(o->MaxTopLine, 10);
  EXPECT_EQ(ResizeOutline(o.get(), 400, 1000), kLayoutDone);
  EXPECT_EQ(o->MaxTopLine, 0);
}

TEST_F(OutlineTest, IndexFontsUseFontSizeAsPixels) {
  FontSettings s;
  std::copy_n(u"Face", 5, s.FontName);
  s.FontSize = 12;
  EXPECT_EQ(IndexFontRequest(s, 0x0C).height, 15);
  EXPECT_EQ(IndexFontRequest(s, 0x0C).weight, 700);
  EXPECT_EQ(IndexFontRequest(s, 0x02).height, 9);
  EXPECT_EQ(IndexFontRequest(s, 0x01).height, 12);
  EXPECT_EQ(IndexFontRequest(s, 0x01).weight, 400);
  EXPECT_EQ(std::u16string(IndexFontRequest(s, 1).faceName), u"Face");
  EXPECT_EQ(IndexFontRequest(s, 0x0C, 144).height, 23);  // 15 x 1.5, rounded
  EXPECT_EQ(IndexFontRequest(s, 0x01, 192).height, 24);
  s.FontSize = 0;
  EXPECT_EQ(IndexFontRequest(s, 0x04).height, 20);
  EXPECT_EQ(IndexFontRequest(s, 0x02).height, 14);
  EXPECT_EQ(IndexFontRequest(s, 0x01).height, 0);
}

TEST_F(OutlineTest, PaintDrawsHeadingsBlueLessonsBlackWithOneMarkPerEntry) {
  OutlinePtr o = Open(MakeList({{0x8001, 0x8C, 1, "abcdef ghijkl"},
                                {LessonId(7), 0x81, 2, "ab"},
                                {0x8002, 0xCC, 1, "next"}}),
                      100, 300);
  dc.ClearLog();
  ASSERT_EQ(PaintOutline(o.get(), true), 0);
  EXPECT_EQ(o->LinesShown, 4);
  const auto draws = dc.Draws();
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ(draws[0].colour, kBlue);
  EXPECT_EQ(draws[2].colour, kBlack);
  EXPECT_EQ(draws[2].units, u"\u05D0\u05D1");
  EXPECT_EQ(draws[0].flags, dt::Run);
  EXPECT_EQ(draws[1].box.top, kHeadingHeight);
  EXPECT_EQ(draws[1].box.left, o->Lines[1].X);
  EXPECT_EQ(draws[1].box.right, o->Lines[1].X + o->Lines[1].Width);

  const auto bitmaps = dc.Calls(Op::Bitmap);
  ASSERT_EQ(bitmaps.size(), 3u);  // the wrapped heading's second line has none
  EXPECT_EQ(bitmaps[0].object, &marks[0]);
  EXPECT_EQ(bitmaps[1].object, &marks[2]);
  EXPECT_EQ(bitmaps[2].object, &marks[1]);
  EXPECT_EQ(bitmaps[0].box.left, o->Lines[0].X + o->Lines[0].Width + 4);
  EXPECT_EQ(bitmaps[0].box.top, (kHeadingHeight - 9) / 2);
  EXPECT_EQ(bitmaps[1].box.top, 2 * kHeadingHeight + (kPlainHeight - 9) / 2);
  EXPECT_EQ(dc.TextColour(), kBlack);  // put back
  EXPECT_EQ(g_conversion.Override, BaseAsStored);
  EXPECT_EQ(dc.SelectedFont(), dc.SystemFont());

  // Scrolled by one line, the heading's second line carries its mark.
  dc.ClearLog();
  o->TopLine = 1;
  PaintOutline(o.get(), true);
  EXPECT_EQ(dc.Calls(Op::Bitmap).size(), 3u);
  EXPECT_EQ(dc.Calls(Op::Bitmap)[0].box.left, o->Lines[1].X + o->Lines[1].Width + 4);
}

// On a monitor of 144 dpi fonts, lines, indents, marks and the hit span are half as large again;
// moved there, the outline makes its fonts again at the next layout.
TEST_F(OutlineTest, EverySizeFollowsTheDpi) {
  OutlinePtr o =
      Open(MakeList({{0x8001, 0x8C, 1, "abcdef"}, {LessonId(7), 0x81, 2, "ab"}}), 400, 300);
  const int fonts96 = dc.LiveCount(FakeTextDevice::Kind::Font);
  dc.logPixelsY = 144;
  ASSERT_EQ(ResizeOutline(o.get(), 400, 300), kLayoutDone);
  EXPECT_EQ(dc.LiveCount(FakeTextDevice::Kind::Font), fonts96);  // the old ones went
  const OutlineLine& heading = o->Lines[0];
  const OutlineLine& lesson = o->Lines[1];
  EXPECT_EQ(heading.Height, 30);
  EXPECT_EQ(lesson.Height, 24);
  EXPECT_EQ(LineIndent(*o, heading), 20);
  EXPECT_EQ(LineIndent(*o, lesson), 39);
  dc.ClearLog();
  PaintOutline(o.get(), true);
  const auto bitmaps = dc.Calls(Op::Bitmap);
  ASSERT_EQ(bitmaps.size(), 2u);
  EXPECT_EQ(bitmaps[1].box.left, lesson.X + lesson.Width + 6);
  EXPECT_EQ(bitmaps[1].box.right - bitmaps[1].box.left, 14);
  EXPECT_EQ(bitmaps[1].box.top, 30 + (24 - 14) / 2);
  const int y = MiddleOf(*o, 1);
  EXPECT_EQ(HitTestOutline(o.get(), lesson.X + lesson.Width + 20, y), 7);
  EXPECT_EQ(HitTestOutline(o.get(), lesson.X + lesson.Width + 21, y), 0);
}

TEST_F(OutlineTest, OnlyWholeLinesArePainted) {
  OutlinePtr o = Open(MakeList(SyntheticIndex()), 400, 50);
  dc.ClearLog();
  PaintOutline(o.get(), false);
  EXPECT_EQ(o->LinesShown, 2);
  EXPECT_EQ(dc.Count(Op::Fill), 0);
}

TEST_F(OutlineTest, DestroyReleasesEveryFont) {
  OutlinePtr o = Open(Joined());
  PaintOutline(o.get(), true);
  EXPECT_GE(dc.LiveCount(FakeTextDevice::Kind::Font), 2);
  o.reset();
  EXPECT_EQ(dc.LiveCount(FakeTextDevice::Kind::Font), 0);
}

TEST_F(OutlineTest, FontThatCannotBeCreatedFallsBackToALiveOne) {
  OutlinePtr o = CreateOutline(&dc, Box{0, 0, 400, 600}, settings, 100);
  SelectIndexFont(*o, StylePlain);
  dc.failFonts = 1;
  SelectIndexFont(*o, 0x0C);
  ASSERT_NE(dc.SelectedFont(), nullptr);
  EXPECT_EQ(dc.HeightOf(dc.SelectedFont()), kPlainHeight);
}

TEST_F(OutlineTest, OutOfMemoryDuringLayoutKeepsTheLinesMadeSoFar) {
  RecordingNotices notices;
  OutlinePtr o = Open(MakeList(SyntheticIndex()));  // fonts and table made
  static int allowed;
  allowed = 3;  // the first three entry copies, then nothing
  SetAllocGate([](std::size_t) { return allowed-- > 0; });
  const std::uint16_t code = RelayoutOutline(o.get());
  SetAllocGate(nullptr);
  EXPECT_EQ(code, kLayoutNoMemory);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
  EXPECT_EQ(o->LineCount, 3);
  EXPECT_EQ(o->Lines[3].Style, 0);
  EXPECT_EQ(PaintOutline(o.get(), true), 0);
}

TEST_F(OutlineTest, GrowsTheTableAndStopsAtATruncatedEntry) {
  std::vector<std::uint8_t> bytes = testing::EntryBytes(SyntheticIndex());
  bytes.resize(bytes.size() - 7);  // the last entry loses its zero and the end
  OutlinePtr o = Open(testing::MakeText(bytes));
  EXPECT_EQ(result, kLayoutDone);
  EXPECT_EQ(o->LineCount, 258);
  EXPECT_GE(o->Capacity, 258);
}

TEST_F(OutlineTest, NoOutlineWithoutADevice) {
  EXPECT_FALSE(CreateOutline(nullptr, Box{0, 0, 10, 10}, settings, 100));
  RevealLesson(nullptr, 3);
  EXPECT_EQ(HitTestOutline(nullptr, 1, 1), 0);
  EXPECT_EQ(PaintOutline(nullptr, true), -1);
  EXPECT_FALSE(SnapshotExpansion(nullptr));
  EXPECT_EQ(ComputeOutlineMaxTop(nullptr), -1);
}

}  // namespace
}  // namespace qm
