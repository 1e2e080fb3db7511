#include "text/conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/app_state.h"
#include "tests/fake_text_device.h"
#include "text/document.h"
#include "text/run_order.h"

namespace qm {
namespace {

std::vector<std::size_t> g_sizes;
bool g_failAll = false;
bool RecordSize(std::size_t bytes) {
  g_sizes.push_back(bytes);
  return !g_failAll;
}

class Conversion : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    g_app.FontSettings.FontAsciiBase = BaseUnicode;
    g_conversion = ConversionBuffer{};
    g_sizes.clear();
    g_failAll = false;
  }
  void TearDown() override {
    SetAllocGate(nullptr);
    g_conversion = ConversionBuffer{};
    g_conversion.Override = BaseAsStored;  // as the program starts it
    ResetAppState();
  }

  // Converts through the shared buffer under `base` and returns the units up to the zero.
  static std::u16string Run(std::vector<std::uint8_t> bytes,
                            std::int32_t base,
                            std::int32_t* extra = nullptr,
                            std::int32_t count = -1) {
    g_conversion.Override = base;
    if (count < 0) count = static_cast<std::int32_t>(bytes.size());
    const char16_t* out = ToDisplayText(bytes.data(), g_conversion, count, extra);
    g_conversion.Override = BaseAsStored;
    return out ? std::u16string(out) : std::u16string(u"<null>");
  }
};

TEST_F(Conversion, PointedRunUnderEachBase) {
  const std::vector<std::uint8_t> run = {0x10, 0x61, 0x1F, 0x20};
  std::int32_t extra = 99;
  EXPECT_EQ(Run(run, BaseUnicode, &extra), (std::u16string{0x05B8, 0x05DA, 0x05D0, 0x05B9, 0x20}));
  EXPECT_EQ(extra, 1);
  EXPECT_EQ(Run(run, BaseEightBit, &extra), (std::u16string{0xEA, 0xE0, 0x20}));
  EXPECT_EQ(extra, -1);
  EXPECT_EQ(Run(run, BaseAsStored, &extra), (std::u16string{0x10, 0x61, 0x1F, 0x20}));
  EXPECT_EQ(extra, 0);
}

TEST_F(Conversion, EmptyAndShortenedRuns) {
  const std::vector<std::uint8_t> run = {0x61, 0x00, 0x62, 0x63};
  for (std::int32_t base : {BaseUnicode, BaseEightBit, BaseAsStored}) {
    std::int32_t extra = 99;
    EXPECT_EQ(Run(run, base, &extra, 0), u"") << base;
    EXPECT_EQ(extra, 0);
    // The zero ends the run; count + extra still names the units written.
    EXPECT_EQ(Run(run, base, &extra).size(), 1u) << base;
    EXPECT_EQ(extra, -3);
  }
}

TEST_F(Conversion, BytesOutsideTheTablePassThrough) {
  std::vector<std::uint8_t> run;
  for (int b = 0x01; b <= 0x0F; ++b)
    run.push_back(static_cast<std::uint8_t>(b));
  for (int b = 0x7C; b <= 0xFF; ++b)
    run.push_back(static_cast<std::uint8_t>(b));
  const std::u16string expected(run.begin(), run.end());
  for (std::int32_t base : {BaseUnicode, BaseEightBit, BaseAsStored}) {
    std::int32_t extra = 99;
    EXPECT_EQ(Run(run, base, &extra), expected) << base;
    EXPECT_EQ(extra, 0);
  }
}

TEST_F(Conversion, OverrideZeroFollowsFontAsciiBase) {
  g_app.FontSettings.FontAsciiBase = BaseEightBit;
  EXPECT_EQ(Run({0x61, 0x45}, 0), (std::u16string{0xE0, 0xE1}));
  g_app.FontSettings.FontAsciiBase = BaseUnicode;
  EXPECT_EQ(Run({0x61, 0x45}, 0), (std::u16string{0x05D0, 0xFB31}));
  {
    ScopedOverride scope(BaseEightBit);
    EXPECT_EQ(g_conversion.Override, BaseEightBit);
  }
  EXPECT_EQ(g_conversion.Override, BaseAsStored);
}

TEST_F(Conversion, ReverseMirrorsBracketsButNotAsStored) {
  g_app.Flags = flags::ReverseText;
  const std::vector<std::uint8_t> run = {0x28, 0x61, 0x62, 0x5D};
  EXPECT_EQ(Run(run, BaseUnicode), (std::u16string{0x5B, 0x05D1, 0x05D0, 0x29}));
  EXPECT_EQ(Run(run, BaseEightBit), (std::u16string{0x5B, 0xE1, 0xE0, 0x29}));
  EXPECT_EQ(Run(run, BaseAsStored), (std::u16string{0x28, 0x61, 0x62, 0x5D}));
  // Two-unit codes reverse unit by unit; a run cut short reverses only what was written.
  EXPECT_EQ(Run({0x10, 0x7B, 0x00, 0x61}, BaseUnicode), (std::u16string{0x05EA, 0x05DA, 0x05B8}));
  std::u16string braces = u"{x}";
  EXPECT_EQ(ReverseRun(braces.data(), 3), 0);
  EXPECT_EQ(braces, u"{x}");
}

// Whole runs reach a platform that reorders Hebrew itself in reading order under the Unicode
// base; 8-bit units are Latin letters to it; Reverse still turns every base round; measuring
// never does. The probe asks the device in the document's plain font.
TEST_F(Conversion, RunOrderFollowsThePlatformAndReverse) {
  const std::vector<std::uint8_t> run = {0x28, 0x61, 0x62, 0x5D};
  const std::u16string visual{0x28, 0x05D0, 0x05D1, 0x5D}, reading{0x5B, 0x05D1, 0x05D0, 0x29};
  for (const PlatformBidi bidi : {PlatformBidi::AsGiven, PlatformBidi::Reorders}) {
    for (const std::uint32_t f : {0u, flags::ReverseText}) {
      g_app.Bidi = bidi;
      g_app.Flags = f;
      const bool reorders = bidi == PlatformBidi::Reorders, reverse = f != 0;
      EXPECT_EQ(Run(run, BaseUnicode) == reading, reorders || reverse) << reorders << reverse;
      EXPECT_EQ(Run(run, BaseEightBit)[1] == 0xE1, reverse) << reorders << reverse;
      EXPECT_FALSE(RunsInReadingOrder(BaseAsStored));
      const ScopedOverride unicode(BaseUnicode);
      EXPECT_EQ(ToDisplayText(run.data(), g_conversion, 4, nullptr, RunUse::Measure), visual);
    }
  }
  FakeTextDevice dc;
  for (const bool reorders : {false, true}) {
    dc.reordersHebrew = reorders;
    const Box box{0, 0, 100, 100};
    DocumentPtr doc = CreateDocument(&dc, &box, g_app.FontSettings, 0);
    EXPECT_EQ(ProbePlatformBidi(doc.get()),
              reorders ? PlatformBidi::Reorders : PlatformBidi::AsGiven);
    EXPECT_EQ(dc.SelectedFont(), dc.SystemFont());
  }
  EXPECT_EQ(ProbePlatformBidi(nullptr), PlatformBidi::AsGiven);
}

TEST_F(Conversion, ReverseKeepsNumbersReadingLeftToRight) {
  // "40 - alef bet" in visual order: the number keeps its order, the letters turn round.
  std::u16string title = u"\u05D1\u05D0 - 40";
  ASSERT_EQ(ReverseRun(title.data(), static_cast<std::int32_t>(title.size())), 0);
  EXPECT_EQ(title, u"40 - \u05D0\u05D1");
  // Separators between two digits belong to the number; a trailing one does not.
  std::u16string date = u"\u05D0 12.5, 3:45-";
  ASSERT_EQ(ReverseRun(date.data(), static_cast<std::int32_t>(date.size())), 0);
  EXPECT_EQ(date, u"-3:45 ,12.5 \u05D0");
  std::u16string digits = u"(1)";
  ASSERT_EQ(ReverseRun(digits.data(), 3), 0);
  EXPECT_EQ(digits, u"(1)");
}

TEST_F(Conversion, BufferIsReusedUntilALongerRunComes) {
  std::vector<std::uint8_t> bytes(40, 0x61);
  const char16_t* first = ToDisplayText(bytes.data(), g_conversion, 20);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(g_conversion.Capacity, 20);
  SetAllocGate(RecordSize);
  EXPECT_EQ(ToDisplayText(bytes.data(), g_conversion, 20), first);
  EXPECT_EQ(ToDisplayText(bytes.data(), g_conversion, 5), first);
  EXPECT_TRUE(g_sizes.empty());
  const char16_t* longer = ToDisplayText(bytes.data(), g_conversion, 40);
  ASSERT_NE(longer, nullptr);
  EXPECT_EQ(g_conversion.Capacity, 40);
  ASSERT_EQ(g_sizes.size(), 1u);
  EXPECT_EQ(g_sizes[0], (2 * 40 + 2) * sizeof(char16_t));
  EXPECT_EQ(std::u16string(longer).size(), 40u);
}

TEST_F(Conversion, FailedStorageLeavesTheBufferUsable) {
  std::vector<std::uint8_t> bytes(30, 0x62);
  ASSERT_NE(ToDisplayText(bytes.data(), g_conversion, 4), nullptr);
  SetAllocGate(RecordSize);
  g_failAll = true;
  EXPECT_EQ(ToDisplayText(bytes.data(), g_conversion, 30), nullptr);
  EXPECT_EQ(g_conversion.Capacity, 4);
  EXPECT_EQ(ToDisplayText(bytes.data(), 3), nullptr);
  std::u16string units = u"ab";
  EXPECT_EQ(ReverseRun(units.data(), 2), 1);
  EXPECT_EQ(units, u"ab");
  g_failAll = false;
  EXPECT_EQ(std::u16string(ToDisplayText(bytes.data(), g_conversion, 4)),
            u"\u05D1\u05D1\u05D1\u05D1");
}

TEST_F(Conversion, NegativeCountIsAnEmptyRun) {
  const std::uint8_t bytes[] = {0x61, 0x62, 0};
  SetAllocGate(RecordSize);
  std::int32_t extra = 99;
  const char16_t* out = ToDisplayText(bytes, g_conversion, -7, &extra);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(extra, 0);
  HeapArray<char16_t> owned = ToDisplayText(bytes, -1);
  ASSERT_TRUE(owned);
  EXPECT_EQ(owned[0], 0);
  for (std::size_t s : g_sizes)
    EXPECT_LE(s, 2 * sizeof(char16_t));
}

TEST_F(Conversion, OwnedFormUsesFontAsciiBaseAndReverse) {
  const std::uint8_t bytes[] = {0x61, 0x1F, 0x62};
  g_conversion.Override = BaseAsStored;  // not consulted by the owned form
  std::int32_t extra = 99;
  HeapArray<char16_t> out = ToDisplayText(bytes, 3, &extra);
  ASSERT_TRUE(out);
  EXPECT_EQ(std::u16string(out.get()), (std::u16string{0x05D0, 0x05B9, 0x05D1}));
  EXPECT_EQ(extra, 0);
  g_app.FontSettings.FontAsciiBase = BaseEightBit;
  g_app.Flags = flags::ReverseText;
  out = ToDisplayText(bytes, 3, &extra);
  EXPECT_EQ(std::u16string(out.get()), (std::u16string{0xE1, 0xE0}));
  EXPECT_EQ(extra, -1);
}

// Before any right-to-left run has set its base, an ASCII run keeps its Latin letters.
TEST(SharedBuffer, StartsConvertingAsStored) {
  const std::uint8_t ascii[] = {'a', 'b'};
  g_app.FontSettings.FontAsciiBase = BaseUnicode;
  EXPECT_EQ(std::u16string(ToDisplayText(ascii, g_conversion, 2)), u"ab");
  g_app.FontSettings.FontAsciiBase = 0;
}

TEST(TypedLetter, MapsTheLetterRangeOfEachBase) {
  std::uint8_t code = 0;
  EXPECT_TRUE(TypedLetterCode(0x05D0, BaseUnicode, &code));
  EXPECT_EQ(code, 0x61);
  EXPECT_TRUE(TypedLetterCode(0x05EA, BaseUnicode, &code));
  EXPECT_EQ(code, 0x7B);
  EXPECT_FALSE(TypedLetterCode(0x05EB, BaseUnicode, &code));
  EXPECT_FALSE(TypedLetterCode(0x05CF, BaseUnicode, &code));
  EXPECT_TRUE(TypedLetterCode(0xE0 + 3, BaseEightBit, &code));
  EXPECT_EQ(code, 0x64);
  EXPECT_FALSE(TypedLetterCode(u'?', BaseEightBit, &code));
  EXPECT_EQ(code, '?');
}

}  // namespace
}  // namespace qm
