#include "text/fonts.h"

#include <gtest/gtest.h>

#include "text/code_table.h"
#include "text/text_test_support.h"

namespace qm {
namespace {

using testing::DocumentTest;
using Op = FakeTextDevice::Op;

class Fonts : public DocumentTest {
 protected:
  // The request of the font SelectStyleFont picks for `key`.
  FontRequest RequestFor(std::uint8_t key) {
    SelectStyleFont(doc.get(), key);
    const FontRequest* r = dev.RequestOf(dev.SelectedFont());
    return r ? *r : FontRequest{};
  }
};

TEST(MulDivRound, RoundsHalvesAwayFromZeroLikeThePlatform) {
  EXPECT_EQ(MulDivRound(12, 96, 72), 16);
  EXPECT_EQ(MulDivRound(20, 96, 72), 27);  // 26.67
  EXPECT_EQ(MulDivRound(14, 96, 72), 19);  // 18.67
  EXPECT_EQ(MulDivRound(-20, 96, 72), -27);
  EXPECT_EQ(MulDivRound(1, 1, 2), 1);
  EXPECT_EQ(MulDivRound(-1, 1, 2), -1);
  EXPECT_EQ(MulDivRound(5, 1, -2), -3);
  EXPECT_EQ(MulDivRound(7, 8, 0), -1);
  EXPECT_EQ(MulDivRound(0x7FFFFFFF, 4, 2), -1);
}

TEST(StyleColour, SmallWinsOverLargeBold) {
  EXPECT_EQ(StyleColour(0x02), kNavy);
  EXPECT_EQ(StyleColour(0x0E), kNavy);
  EXPECT_EQ(StyleColour(0x0C), kBlue);
  EXPECT_EQ(StyleColour(0x1D), kBlue);
  EXPECT_EQ(StyleColour(0x04), kBlack);
  EXPECT_EQ(StyleColour(0x08), kBlack);
  EXPECT_EQ(StyleColour(0x11), kBlack);
}

TEST_F(Fonts, HeightsWeightsAndFaceFollowTheSettings) {
  std::copy_n(u"Frank Ruehl CLM", 16, settings.FontName);
  Make(200, 100);
  EXPECT_EQ(RequestFor(0x11).height, -16);  // 12 pt
  EXPECT_EQ(RequestFor(0x04).height, -20);  // 15 pt
  EXPECT_EQ(RequestFor(0x02).height, -12);  // 9 pt
  const FontRequest bold = RequestFor(0x0C);
  EXPECT_EQ(bold.weight, 700);
  EXPECT_EQ(RequestFor(0x01).weight, 400);
  EXPECT_EQ(std::u16string(bold.faceName), u"Frank Ruehl CLM");

  settings.FontSize = 0;
  Make(200, 100);
  EXPECT_EQ(RequestFor(0x01).height, 0);
  EXPECT_EQ(RequestFor(0x05).height, -27);  // 20 pt, rounded
  EXPECT_EQ(RequestFor(0x03).height, -19);  // 14 pt, rounded

  dev.logPixelsY = 120;
  settings.FontSize = 12;
  Make(200, 100);
  EXPECT_EQ(RequestFor(0x01).height, -20);
}

TEST_F(Fonts, AFontIsMadeAndMeasuredOncePerKey) {
  Make(200, 100);
  GdiObject system = dev.SelectedFont();
  EXPECT_EQ(SelectStyleFont(nullptr, 1), nullptr);
  EXPECT_EQ(SelectStyleFont(doc.get(), 0xB1), system);
  GdiObject plain = dev.SelectedFont();
  EXPECT_EQ(dev.Count(Op::NewFont), 1);
  EXPECT_EQ(dev.Count(Op::Extent), static_cast<int>(kWidthCount));
  dev.ClearLog();
  // 0xD2 has another key; 0x91 the same key as 0xB1.
  EXPECT_EQ(SelectStyleFont(doc.get(), 0xD2), plain);
  GdiObject small = dev.SelectedFont();
  EXPECT_EQ(SelectStyleFont(doc.get(), 0x91), small);
  EXPECT_EQ(dev.SelectedFont(), plain);
  EXPECT_EQ(dev.Count(Op::NewFont), 1);
  EXPECT_EQ(dev.Count(Op::Extent), static_cast<int>(kWidthCount));
  EXPECT_EQ(dev.Count(Op::SetTextColour), 0);
}

TEST_F(Fonts, ColourOnlyWhenAskedFor) {
  Make(200, 100);
  SelectStyleFont(doc.get(), 0x12 | kWithColour);
  EXPECT_EQ(dev.TextColour(), kNavy);
  SelectStyleFont(doc.get(), 0x0C | kWithColourAlt);
  EXPECT_EQ(dev.TextColour(), kBlue);
  SelectStyleFont(doc.get(), 0x12);
  EXPECT_EQ(dev.TextColour(), kBlue);
  SelectStyleFont(doc.get(), 0x11 | kWithColour);
  EXPECT_EQ(dev.TextColour(), kBlack);
}

TEST_F(Fonts, WidthTablesMeasureTheDrawnUnitOfEachCode) {
  dev.SetAdvance(0x05DA, 11);  // final kaf, the letter of code 0x10
  dev.SetAdvance(0x05B8, 30);  // qamats: points are 0 whatever the font says
  dev.SetAdvance(0xFB3C, 9);   // code 0x4F, and the letter of 0x59
  dev.SetAdvance(0xE1, 5);     // the 8-bit bet
  dev.SetAdvance(0x7C, 3);
  Make(200, 100);
  SelectStyleFont(doc.get(), 1);
  const std::uint16_t* w = doc->Widths;
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w[0x10 - 0x10], 11);
  EXPECT_EQ(w[0x16 - 0x10], 0);
  EXPECT_EQ(w[0x1F - 0x10], 0);
  EXPECT_EQ(w[0x59 - 0x10], 9);
  EXPECT_EQ(w[0x4F - 0x10], 9);
  EXPECT_EQ(w[0x45 - 0x10], 8);
  EXPECT_EQ(w[0x7C - 0x10], 3);

  settings.FontAsciiBase = BaseEightBit;
  Make(200, 100);
  SelectStyleFont(doc.get(), 1);
  EXPECT_EQ(doc->Widths[0x45 - 0x10], 5);
  EXPECT_EQ(doc->Widths[0x62 - 0x10], 5);  // bet as 0xE1 too
  EXPECT_EQ(doc->Widths[0x16 - 0x10], 0);
}

TEST_F(Fonts, AFontChangeRemeasuresEveryTableOnNextUse) {
  dev.advanceOf = [](char16_t, std::int32_t height) { return height / 2; };
  Make(200, 100);
  SelectStyleFont(doc.get(), 1);
  SelectStyleFont(doc.get(), 2);
  EXPECT_EQ(doc->Widths[0x61 - 0x10], 6);  // small: 12 px high
  SelectStyleFont(doc.get(), 1);
  EXPECT_EQ(doc->Widths[0x61 - 0x10], 8);
  const int fonts = dev.Count(Op::NewFont);

  FontSettings bigger = settings;
  bigger.FontSize = 24;
  ASSERT_NE(dev.SelectedFont(), dev.SystemFont());
  SetDocumentFont(doc.get(), &bigger);  // no text: nothing laid out
  EXPECT_EQ(dev.Count(Op::NewFont), fonts + 2);
  EXPECT_EQ(dev.LiveCount(FakeTextDevice::Kind::Font), 2);
  EXPECT_EQ(dev.deletedWhileSelected, 0);
  SelectStyleFont(doc.get(), 1);
  EXPECT_EQ(doc->Widths[0x61 - 0x10], 16);
  SelectStyleFont(doc.get(), 2);
  EXPECT_EQ(doc->Widths[0x61 - 0x10], 12);
}

TEST_F(Fonts, ReleasedFontsAreDeselectedFirst) {
  Make(200, 100);
  SelectStyleFont(doc.get(), 1);
  SelectStyleFont(doc.get(), 2);
  ASSERT_EQ(dev.LiveCount(FakeTextDevice::Kind::Font), 2);
  SetDocumentFont(doc.get(), nullptr);
  EXPECT_EQ(dev.deletedWhileSelected, 0);
  EXPECT_EQ(dev.SelectedFont(), dev.SystemFont());
  EXPECT_EQ(dev.LiveCount(FakeTextDevice::Kind::Font), 0);
}

TEST_F(Fonts, AFontThatCannotBeMadeIsTriedAgainAndTheLastFontStays) {
  Make(200, 100);
  dev.failFonts = 1;
  EXPECT_EQ(SelectStyleFont(doc.get(), 1), nullptr);  // nothing to fall back to yet
  EXPECT_EQ(dev.SelectedFont(), dev.SystemFont());
  SelectStyleFont(doc.get(), 1);
  GdiObject plain = dev.SelectedFont();
  ASSERT_NE(plain, dev.SystemFont());
  const std::uint16_t* plainWidths = doc->Widths;

  dev.failFonts = 1;
  EXPECT_EQ(SelectStyleFont(doc.get(), 2), plain);
  EXPECT_EQ(dev.SelectedFont(), plain);
  EXPECT_EQ(doc->Widths, plainWidths);
  const int before = dev.Count(Op::NewFont);
  EXPECT_EQ(SelectStyleFont(doc.get(), 2), plain);
  EXPECT_EQ(dev.Count(Op::NewFont), before + 1);
  EXPECT_NE(dev.SelectedFont(), plain);
}

bool g_failEntries = false;
bool FailWhenAsked(std::size_t) {
  return !g_failEntries;
}

TEST_F(Fonts, AnEntryThatCannotBeAllocatedFallsBackToTheLastFont) {
  Make(200, 100);
  SelectStyleFont(doc.get(), 1);
  GdiObject plain = dev.SelectedFont();
  g_failEntries = true;
  SetAllocGate(FailWhenAsked);
  EXPECT_EQ(SelectStyleFont(doc.get(), 4), plain);
  SetAllocGate(nullptr);
  g_failEntries = false;
  EXPECT_EQ(dev.SelectedFont(), plain);
  EXPECT_EQ(doc->Fonts->Key, 1);
  EXPECT_EQ(doc->Fonts->Next, nullptr);
}

TEST(FitByWidths, PointsNeverStopARun) {
  std::uint16_t w[kWidthCount];
  std::fill(std::begin(w), std::end(w), 10);
  for (int c = kFirstPoint; c <= kLastPoint; ++c)
    w[c - 0x10] = 0;
  const std::uint8_t points[] = {0x15, 0x16, 0x1F, 0x1B, 0};
  std::int32_t width = 5, count = 4;
  FitByWidths(w, points, width, count);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(count, 4);

  // A limit below the first letter still takes the points and control bytes before it.
  const std::uint8_t run[] = {0x15, 0x05, 0x61, 0x62, 0};
  width = 9, count = 4;
  FitByWidths(w, run, width, count);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(count, 2);

  width = 20, count = 4;
  FitByWidths(w, run, width, count);
  EXPECT_EQ(width, 20);
  EXPECT_EQ(count, 4);
  width = 20, count = 3;  // the count limits too
  FitByWidths(w, run, width, count);
  EXPECT_EQ(width, 10);
  EXPECT_EQ(count, 3);
  width = 1000, count = 50;  // and the zero at the end
  FitByWidths(w, run, width, count);
  EXPECT_EQ(count, 4);

  width = 20, count = 3;
  FitByWidths(nullptr, run, width, count);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(count, 3);
}

TEST_F(Fonts, FitByExtentMeasuresTheConvertedUnitsTwice) {
  Make(200, 100);
  g_conversion.Override = BaseAsStored;
  const std::uint8_t run[] = "abcdef";
  std::int32_t width = 30, count = 6;
  FitByExtent(dev, run, width, count);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(width, 24);
  const auto fits = dev.Calls(Op::Fit);
  ASSERT_EQ(fits.size(), 2u);
  EXPECT_EQ(fits[0].units, u"abcdef");
  EXPECT_EQ(fits[1].units, u"abc");

  // Under the 8-bit base a point produces no unit: only the units written are measured.
  dev.ClearLog();
  g_conversion.Override = BaseEightBit;
  const std::uint8_t pointed[] = {0x61, 0x16, 0x62, 0};
  width = 100, count = 3;
  FitByExtent(dev, pointed, width, count);
  EXPECT_EQ(dev.Calls(Op::Fit)[0].units, (std::u16string{0xE0, 0xE1}));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(width, 16);
  g_conversion.Override = BaseAsStored;
}

}  // namespace
}  // namespace qm
