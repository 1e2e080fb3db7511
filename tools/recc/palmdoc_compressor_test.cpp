// The compressor's streams decode with the reader's decoder, and use only the allowed tokens.
#include "tools/recc/palmdoc_compressor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "store/records.h"

namespace qm::recc {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Walks the tokens and checks the rules the records promise: escaped bytes only in literal runs,
// runs of 1..8, distances 1..2047 inside the output so far, lengths 3..10, no truncated token.
void ExpectWellFormed(const Bytes& stream, std::size_t textLength) {
  std::size_t out = 0;
  std::size_t i = 0;
  while (i < stream.size()) {
    const std::uint8_t t = stream[i++];
    if (t >= 1 && t <= 8) {
      ASSERT_LE(i + t, stream.size()) << "literal run past the end at " << i;
      i += t;
      out += t;
    } else if (t >= 0x80 && t <= 0xBF) {
      ASSERT_LT(i, stream.size());
      const unsigned v = t * 256u + stream[i++];
      const std::size_t distance = (v >> 3) & 0x7FF;
      ASSERT_GE(distance, 1u);
      ASSERT_LE(distance, out) << "reference before the start of the output";
      out += (v & 7) + 3;
    } else if (t >= 0xC0) {
      out += 2;
    } else {
      out += 1;
    }
  }
  EXPECT_EQ(out, textLength);
}

void ExpectRoundTrip(const Bytes& text) {
  const Bytes stream = CompressPalmDoc(text);
  ExpectWellFormed(stream, text.size());
  std::int32_t status = 0;
  const TextBuffer decoded = Decompress(stream.data(), static_cast<std::uint32_t>(stream.size()),
                                        static_cast<std::uint32_t>(text.size()), &status);
  ASSERT_TRUE(decoded) << "status " << status;
  EXPECT_EQ(0, std::memcmp(decoded.get(), text.data(), text.size()));
}

TEST(PalmDocCompressor, RoundTripsShortAndEdgeTexts) {
  ExpectRoundTrip({0x41});
  ExpectRoundTrip({0x20, 0x41});        // space + letter token
  ExpectRoundTrip({0x20, 0x20, 0x20});  // spaces before a space: no token
  ExpectRoundTrip({0x00, 0x00, 0x00, 0x00, 0x00});
  ExpectRoundTrip({0x80, 0x01, 0x08, 0xFF, 0xC0, 0x20, 0xD1});
  ExpectRoundTrip({0x20, 0x80, 0x20, 0x7F, 0x20, 0x3F});
}

TEST(PalmDocCompressor, RoundTripsEveryByteValue) {
  Bytes text;
  for (int round = 0; round < 3; ++round)
    for (int b = 0; b < 256; ++b)
      text.push_back(static_cast<std::uint8_t>(round == 1 ? 255 - b : b));
  ExpectRoundTrip(text);
}

TEST(PalmDocCompressor, RoundTripsLongRunsAndFarRepeats) {
  ExpectRoundTrip(Bytes(20000, 0x61));
  ExpectRoundTrip(Bytes(5000, 0xD2));  // a run of escaped bytes
  ExpectRoundTrip(Bytes(3000, 0x20));
  // A block repeated exactly 2047 bytes later, and one just too far for a reference.
  std::mt19937 random(7);
  for (std::size_t gap : {std::size_t{2047}, std::size_t{2048}, std::size_t{2040}}) {
    Bytes text(gap + 40);
    for (auto& b : text)
      b = static_cast<std::uint8_t>(random());
    std::copy(text.begin(), text.begin() + 40, text.begin() + static_cast<std::ptrdiff_t>(gap));
    ExpectRoundTrip(text);
  }
}

TEST(PalmDocCompressor, RoundTripsRandomTexts) {
  std::mt19937 random(2470);
  for (int round = 0; round < 200; ++round) {
    Bytes text(1 + random() % 4000);
    const unsigned alphabet = 1 + random() % 256;  // from a single byte value to all of them
    for (auto& b : text)
      b = static_cast<std::uint8_t>(random() % alphabet + (alphabet < 64 ? 0x5A : 0));
    // Sprinkle repeats at random distances.
    for (int k = 0; k < 20 && text.size() > 30; ++k) {
      const std::size_t from = random() % (text.size() - 12);
      const std::size_t to = from + 1 + random() % (text.size() - from - 11);
      std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(from), 11,
                  text.begin() + static_cast<std::ptrdiff_t>(to));
    }
    ExpectRoundTrip(text);
    if (HasFailure()) return;
  }
}

TEST(PalmDocCompressor, CompressesRepetitiveText) {
  Bytes text;
  const char* phrase = "\xB1\x00 abc def ghi abc def ghi ";
  for (int i = 0; i < 100; ++i)
    text.insert(text.end(), phrase, phrase + 27);
  EXPECT_LT(CompressPalmDoc(text).size(), text.size() / 3);
}

// Letters that repeat nothing before them go out as one literal run rather than one token each:
// the parse pays a byte to spare the decoder seven steps.
TEST(PalmDocCompressor, GroupsUnrepeatedLettersIntoLiteralRuns) {
  const Bytes text = {0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68};
  const Bytes stream = CompressPalmDoc(text);
  ASSERT_EQ(9u, stream.size());
  EXPECT_EQ(8, stream[0]);
  ExpectRoundTrip(text);
}

// A space before a letter stays a one-byte token when nothing else follows it.
TEST(PalmDocCompressor, KeepsTheSpacePairToken) {
  EXPECT_EQ(Bytes{0x61 ^ 0x80}, CompressPalmDoc(Bytes{0x20, 0x61}));
}

}  // namespace
}  // namespace qm::recc
