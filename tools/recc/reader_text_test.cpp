// ReaderCode encoding: the precomposed codes, the order of points and letters, simple bidi,
// rejected characters, and the inverse for every code of the table.
#include "tools/recc/reader_text.h"

#include <gtest/gtest.h>

#include <random>

#include "text/code_table.h"

namespace qm::recc {
namespace {

Bytes Encode(std::u32string_view s) {
  Bytes out;
  EncodeError e;
  EXPECT_TRUE(EncodeReaderText(s, out, e)) << e.message;
  return out;
}

EncodeError EncodeFails(std::u32string_view s) {
  Bytes out;
  EncodeError e;
  EXPECT_FALSE(EncodeReaderText(s, out, e));
  return e;
}

TEST(ReaderText, PrecomposesLettersWithTheirMarksInAnyOrder) {
  EXPECT_EQ(Encode(U"\u05E9\u05C1"), Bytes{0x41});
  EXPECT_EQ(Encode(U"\u05E9\u05C2"), Bytes{0x42});
  EXPECT_EQ(Encode(U"\u05E9\u05C1\u05BC"), Bytes{0x43});
  EXPECT_EQ(Encode(U"\u05E9\u05BC\u05C2"), Bytes{0x44});
  EXPECT_EQ(Encode(U"\u05D1\u05BC"), Bytes{0x45});
  EXPECT_EQ(Encode(U"\u05E8\u05BC"), Bytes{0x14});
  EXPECT_EQ(Encode(U"\u05D5\u05B9"), Bytes{0x58});
  EXPECT_EQ(Encode(U"\u05DA\u05B8"), Bytes{0x10});
  EXPECT_EQ(Encode(U"\u05DA\u05BC\u05B8"), Bytes{0x11});
  EXPECT_EQ(Encode(U"\u05DA\u05B8\u05BC"), Bytes{0x11});
  EXPECT_EQ(Encode(U"\u05DA\u05B0"), Bytes{0x12});
  EXPECT_EQ(Encode(U"\u05DA\u05B0\u05BC"), Bytes{0x13});
  EXPECT_EQ(Encode(U"\u05DC\u05B9"), Bytes{0x5A});
  EXPECT_EQ(Encode(U"\u05DC\u05B9\u05BC"), Bytes{0x59});
  EXPECT_EQ(Encode(U"\uFB2A"), Bytes{0x41});  // presentation forms of the table
  EXPECT_EQ(Encode(U"\uFB4B"), Bytes{0x58});
}

TEST(ReaderText, StoresAPointBeforeItsLetterAndReversesTheParagraph) {
  // Bet dagesh + qamats, then shin dot + patah: visual order is the reversed code sequence.
  EXPECT_EQ(Encode(U"\u05D1\u05B8\u05BC\u05E9\u05C1\u05B7"), (Bytes{0x17, 0x41, 0x16, 0x45}));
  EXPECT_EQ(Encode(U"\u05D0\u05B7 \u05D1"), (Bytes{0x62, 0x20, 0x17, 0x61}));
}

TEST(ReaderText, KeepsDigitRunsLeftToRightAndMirrorsBrackets) {
  // "א 12.5 (ב)" typed logically.
  EXPECT_EQ(Encode(U"\u05D0 12.5 (\u05D1)"),
            (Bytes{'(', 0x62, ')', ' ', '1', '2', '.', '5', ' ', 0x61}));
  // A full stop after a number is not part of it.
  EXPECT_EQ(Encode(U"\u05D0 5770."), (Bytes{'.', '5', '7', '7', '0', ' ', 0x61}));
  EXPECT_EQ(Encode(U"\u05D2 1-3, \u05D3"), (Bytes{0x64, ' ', ',', '1', '-', '3', ' ', 0x63}));
}

TEST(ReaderText, RejectsWhatHasNoCodeNamingTheCharacter) {
  EncodeError e = EncodeFails(U"\u05D0\u05D1\u05BF");  // rafe
  EXPECT_EQ(e.column, 3u);
  EXPECT_EQ(e.character, U'\u05BF');
  EXPECT_NE(e.message.find("U+05BF"), std::string::npos);
  e = EncodeFails(U"\u05D0 \uFB2E");  // alef with patah as one character
  EXPECT_EQ(e.column, 3u);
  EXPECT_NE(e.message.find("U+FB2E"), std::string::npos);
  EXPECT_EQ(EncodeFails(U"\u05D0\u05BC").column, 1u);        // alef with dagesh
  EXPECT_EQ(EncodeFails(U"\u05D1\u05B7\u05B8").column, 1u);  // two vowels on one letter
  EXPECT_EQ(EncodeFails(U"\u05D1\u05B7\u05B7").column, 3u);  // the same mark twice
  EXPECT_EQ(EncodeFails(U" \u05B7").column, 2u);             // a point with no letter
  EXPECT_EQ(EncodeFails(U"\u05D0 Latin").column, 3u);        // Latin letters collide with codes
  EXPECT_EQ(EncodeFails(U"\u05D0{").column, 2u);
  EXPECT_EQ(EncodeFails(U"\u05F2").character, U'\u05F2');  // Yiddish ligature
  EXPECT_EQ(EncodeFails(U"a\tb").column, 1u);
  Bytes out;
  EncodeError ascii;
  EXPECT_FALSE(EncodeAsciiText(U"abc\u05D0", out, ascii));
  EXPECT_EQ(ascii.column, 4u);
}

TEST(ReaderText, EveryLetterPointAndCombinedCodeDecodesAndEncodesBack) {
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    const bool ascii = (code >= 0x20 && code <= 0x40) || (code >= 0x5B && code <= 0x60);
    if (ascii || IsVowelPoint(static_cast<std::uint8_t>(code))) continue;
    const Bytes one{static_cast<std::uint8_t>(code)};
    EXPECT_EQ(Encode(DecodeReaderText(one)), one) << "code " << std::hex << code;
  }
  for (int point = kFirstPoint; point <= kLastPoint; ++point) {
    const Bytes pointed{static_cast<std::uint8_t>(point), 0x62};  // on bet
    EXPECT_EQ(Encode(DecodeReaderText(pointed)), pointed) << "point " << std::hex << point;
  }
}

TEST(ReaderText, RandomTextsRoundTripToCanonicalOrder) {
  const std::u32string marks =
      U"\u05B0\u05B1\u05B2\u05B3\u05B4\u05B5\u05B6\u05B7\u05B8\u05B9\u05BB";
  const std::u32string neutrals = U" ,.;:!?\"'-()[]0123456789";
  const std::u32string kDageshLetters =
      U"\u05D1\u05D2\u05D3\u05D4\u05D5\u05D6\u05D8\u05D9\u05DA\u05DB\u05DC\u05DE\u05E0"
      U"\u05E1\u05E4\u05E6\u05E7\u05E8\u05E9\u05EA";
  std::mt19937 random(31);
  for (int round = 0; round < 300; ++round) {
    std::u32string text;
    const int n = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < n; ++i) {
      if (random() % 4 == 0) {
        text.push_back(neutrals[random() % neutrals.size()]);
        continue;
      }
      // Any letter, its dot and dagesh where the table has them, one vowel, marks in any order.
      const char32_t letter = 0x05D0 + random() % 27;
      std::u32string cluster(1, letter);
      if (letter == 0x05E9 && random() % 2) cluster.push_back(random() % 2 ? 0x05C1 : 0x05C2);
      if (kDageshLetters.find(letter) != std::u32string::npos && random() % 3 == 0)
        cluster.push_back(0x05BC);
      if (random() % 2)
        cluster.insert(cluster.begin() + 1 + random() % cluster.size(),
                       marks[random() % marks.size()]);
      text += cluster;
    }
    Bytes out;
    EncodeError e;
    ASSERT_TRUE(EncodeReaderText(text, out, e)) << e.message;
    EXPECT_EQ(DecodeReaderText(out), CanonicalMarks(text));
  }
}

}  // namespace
}  // namespace qm::recc
