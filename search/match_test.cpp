// Matching on constructed texts: points, pointed letters, wildcards, paragraphs, allocation.
#include "search/match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/heap.h"
#include "search/fold_code.h"
#include "tests/recording_notices.h"

namespace qm {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Scans the whole of `text` (stored order) for `pattern` (stored order).
Match Scan(const std::string& text, const std::string& pattern) {
  return MatchBackward(Bytes(text).data(), Bytes(pattern),
                       static_cast<std::ptrdiff_t>(text.size()) - 1);
}

// A document text of right-aligned ReaderCode paragraphs, ended as the stored lessons end.
std::vector<std::uint8_t> Doc(std::initializer_list<std::string> paragraphs) {
  std::vector<std::uint8_t> d;
  for (const std::string& p : paragraphs) {
    d.push_back(0xB1);
    d.push_back(0);
    d.insert(d.end(), p.begin(), p.end());
    d.push_back(0);
  }
  d.insert(d.end(), {0, 0, 0});
  return d;
}

TextHit Find(const std::vector<std::uint8_t>& doc, std::uint16_t start, const std::string& p) {
  return FindInText(doc.data(), doc.size(), start, Bytes(p));
}

TEST(FoldCodeTest, EveryByte) {
  for (int b = 0; b < 256; ++b) {
    const auto code = static_cast<std::uint8_t>(b);
    int want = b;
    if (b >= 0x10 && b <= 0x13) want = 0xEA;  // final kaf with a point
    if (b == 0x14) want = 0xF8;
    if (b >= 0x15 && b <= 0x1F) want = 0;
    if (b >= 0x41 && b <= 0x44) want = 0xF9;
    if (b >= 0x45 && b <= 0x4A) want = 0xE1 + (b - 0x45);
    if (b >= 0x4B && b <= 0x4F) want = 0xE8 + (b - 0x4B);
    if (b >= 0x50 && b <= 0x5A) {
      constexpr int kRest[] = {0xEE, 0xF0, 0xF1, 0xF4, 0xF6, 0xF7, 0xF9, 0xFA, 0xE5, 0xEC, 0xEC};
      want = kRest[b - 0x50];
    }
    if (b >= 0x61 && b <= 0x7B) want = 0xE0 + (b - 0x61);
    EXPECT_EQ(FoldCode(code), want) << b;
    // Only the vowel points are ignorable; bytes without a table entry are not.
    EXPECT_EQ(IsIgnorable(code), b >= 0x15 && b <= 0x1F) << b;
    // Every pointed letter folds to a bare letter's value.
    if ((b >= 0x10 && b <= 0x14) || (b >= 0x41 && b <= 0x5A)) {
      EXPECT_GE(FoldCode(code), 0xE0) << b;
      EXPECT_LE(FoldCode(code), 0xFA) << b;
    }
  }
}

TEST(MatchBackwardTest, PointsAndPointedLetters) {
  // Points between the letters do not prevent a match.
  Match m = Scan(
      "zc\x15"
      "b\x16\x1f"
      "az",
      "cba");
  EXPECT_EQ(m.high, 6);
  EXPECT_EQ(m.length, 6u);
  // A pointed letter in the text matches the bare letter, and the other way round.
  EXPECT_EQ(Scan("\x45"
                 "a",
                 "ba")
                .high,
            1);  // 0x45 is bet with a dot
  EXPECT_EQ(Scan("ba",
                 "\x45"
                 "a")
                .high,
            1);
  EXPECT_EQ(Scan("\x41"
                 "a",
                 "za")
                .high,
            1);  // 0x41 is a pointed shin
  EXPECT_FALSE(
      Scan("\x41"
           "a",
           "ya"));
}

TEST(MatchBackwardTest, LengthTakesPointsBelowLowestLetter) {
  Match m = Scan(
      "x\x15\x16"
      "cba",
      "cba");
  EXPECT_EQ(m.high, 5);
  EXPECT_EQ(m.length, 5u);  // indices 1..5
  // Points above the anchor are not part of the match.
  m = Scan("cba\x15", "cba");
  EXPECT_EQ(m.high, 2);
  EXPECT_EQ(m.length, 3u);
}

TEST(MatchBackwardTest, FirstOccurrenceInReadingOrder) {
  // Scanning downward, the occurrence at the higher offset comes first.
  EXPECT_EQ(Scan("baxxba", "ba").high, 5);
  EXPECT_EQ(MatchBackward(Bytes("baxxba").data(), Bytes("ba"), 4).high, 1);
  EXPECT_FALSE(MatchBackward(Bytes("ba").data(), Bytes("ba"), -1));
  // The paragraph ends before the pattern does.
  EXPECT_FALSE(Scan("a", "ba"));
}

TEST(MatchBackwardTest, QuestionMark) {
  EXPECT_EQ(Scan("cxa", "c?a").length, 3u);
  EXPECT_EQ(Scan("c xa", "c?xa").length, 4u);  // a space is a character for "?"
  // "?" steps over points to the next real byte and does not match a point itself.
  EXPECT_EQ(Scan("cx\x15"
                 "a",
                 "c?a")
                .length,
            4u);
  EXPECT_FALSE(
      Scan("c\x15"
           "a",
           "c?a"));
  // As the anchor (typed first) it matches only a "?".
  EXPECT_EQ(Scan("ab?", "ab?").high, 2);
  EXPECT_FALSE(Scan("abc", "ab?"));
}

TEST(MatchBackwardTest, StarInTheMiddle) {
  // Typed a, *, c: the c is looked for nearest first, everything between belongs to the match.
  Match m = Scan("qcxyzaq", "c*a");
  EXPECT_EQ(m.high, 5);
  EXPECT_EQ(m.length, 5u);
  EXPECT_EQ(Scan("ca", "c*a").length, 2u);  // the run may be empty
  m = Scan(
      "c\x15"
      "cxa",
      "c*a");  // the nearest c, with the point stored below it
  EXPECT_EQ(m.length, 4u);
  EXPECT_FALSE(Scan("xa", "c*a"));
  // Two stars: each part after a star is looked for below the one before.
  m = Scan("dxcxa", "d*c*a");
  EXPECT_EQ(m.length, 5u);
  EXPECT_FALSE(Scan("cxdxa", "d*c*a"));
}

TEST(MatchBackwardTest, StarAsAnchorAndTypedLast) {
  // Typed first, "*" is the anchor and matches only a "*".
  EXPECT_EQ(Scan("ab*", "ab*").high, 2);
  EXPECT_FALSE(Scan("abc", "ab*"));
  EXPECT_EQ(Scan("x*x", "*").high, 1);
  // Typed last, it matches the empty run: the rest decides, also at the paragraph's end.
  Match m = Scan("xbax", "*ba");
  EXPECT_EQ(m.high, 2);
  EXPECT_EQ(m.length, 2u);
  m = Scan("ba", "*ba");
  EXPECT_EQ(m.high, 1);
  EXPECT_EQ(m.length, 2u);
  EXPECT_EQ(Scan("\x15\x16"
                 "ba",
                 "**ba")
                .length,
            4u);  // points of the last letter included
  EXPECT_FALSE(Scan("xa", "*ba"));
  EXPECT_EQ(Scan("***", "***").length, 1u);  // all stars: a literal star
  // Empty pattern: the empty string where the scan starts.
  m = MatchBackward(Bytes("ab").data(), {}, 1);
  EXPECT_EQ(m.high, 1);
  EXPECT_EQ(m.length, 0u);
}

// The scan steps over blocks of bytes: an anchor byte (or another byte of its fold) at any offset
// of a block, and any start of the scan, must still be found exactly where it is.
TEST(MatchBackwardTest, FindsTheAnchorAtEveryOffsetAndStart) {
  for (const char anchorByte : {'\x76', '\xF5'}) {
    for (std::size_t at = 0; at < 27; ++at) {
      std::string text(27, '\x61');
      text[at] = anchorByte;
      for (std::ptrdiff_t from = -1; from < 27; ++from) {
        const Match m = MatchBackward(Bytes(text).data(), Bytes("\x76"), from);
        const std::ptrdiff_t expected =
            static_cast<std::ptrdiff_t>(at) <= from ? static_cast<std::ptrdiff_t>(at) : -1;
        ASSERT_EQ(expected, m.high) << "anchor at " << at << ", scan from " << from;
      }
    }
  }
}

TEST(MatchBackwardTest, SpaceIsACharacter) {
  EXPECT_TRUE(Scan("b a", "b a"));
  EXPECT_FALSE(Scan("ba", "b a"));
  EXPECT_FALSE(Scan("b  a", "b a"));
  EXPECT_FALSE(Scan("bxa", "b a"));
}

TEST(FindInTextTest, ReadingOrderAcrossParagraphs) {
  const auto doc = Doc({"xbaxba", "ba"});
  // Paragraph 1 text at offsets 2..7, its zero at 8; paragraph 2 text at 11..12.
  TextHit h = Find(doc, 0, "ba");
  EXPECT_EQ(h.offset, 7);
  EXPECT_EQ(h.length, 2u);
  EXPECT_EQ(Find(doc, 5, "ba").offset, 4);   // from the start position downward
  EXPECT_EQ(Find(doc, 3, "ba").offset, 12);  // the rest of paragraph 1 holds none
  EXPECT_EQ(Find(doc, 9, "ba").offset, 12);  // a start in the style byte: whole paragraph
  EXPECT_EQ(Find(doc, 8, "ba").offset, 7);   // a start on the zero: the paragraph below it
  EXPECT_EQ(Find(doc, 13, "ba").offset, 12);
  EXPECT_FALSE(Find(doc, 14, "ba"));
  EXPECT_FALSE(Find(doc, 0xFFFF, "ba"));
}

TEST(FindInTextTest, NoMatchAcrossParagraphs) {
  // In stored order "b" ends paragraph 1 and "a" begins paragraph 2.
  EXPECT_FALSE(Find(Doc({"xb", "ay"}), 0, "ba"));
  EXPECT_FALSE(Find(Doc({"xb", "ay"}), 0, "b*a"));
  EXPECT_TRUE(Find(Doc({"xb", "bya"}), 0, "b*a"));
}

TEST(FindInTextTest, EmptyTextsAndUnterminatedParagraphs) {
  const std::vector<std::uint8_t> empty{0, 0};
  EXPECT_FALSE(FindInText(empty.data(), empty.size(), 0, Bytes("a")));
  EXPECT_FALSE(Find(Doc({"", "a"}), 0, "b"));
  EXPECT_EQ(Find(Doc({"", "a"}), 0, "a").offset, 5);
  // A paragraph without its zero inside the bytes given is not read.
  const std::vector<std::uint8_t> cut{0xB1, 0, 'a', 'a'};
  EXPECT_FALSE(FindInText(cut.data(), cut.size(), 0, Bytes("a")));
}

TEST(FindInTextTest, AllocationFailureMeansNoMatch) {
  RecordingNotices notices;
  const auto doc = Doc({"xa", "ba"});
  static int allowed;
  allowed = 1;  // the first paragraph's node, then nothing
  SetAllocGate([](std::size_t) { return allowed-- > 0; });
  const TextHit h = Find(doc, 0, "ba");
  SetAllocGate(nullptr);
  EXPECT_FALSE(h);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
  EXPECT_EQ(Find(doc, 0, "ba").offset, 8);
}

TEST(PatternOfTest, StopsAtZeroAndField) {
  const std::uint8_t field[4] = {'a', 'b', 0, 'c'};
  EXPECT_EQ(PatternOf(field).size(), 2u);
  const std::uint8_t full[3] = {'a', 'b', 'c'};
  EXPECT_EQ(PatternOf(full).size(), 2u);
}

}  // namespace
}  // namespace qm
