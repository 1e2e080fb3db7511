#include "store/records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/test_streams.h"
#include "tests/recording_notices.h"

namespace qm {
namespace {

using test::StreamBuilder;

constexpr std::int32_t kUntouched = -77;

int g_allocations = 0;
std::size_t g_lastAllocation = 0;
bool g_failAllocations = false;

bool CountingGate(std::size_t bytes) {
  ++g_allocations;
  g_lastAllocation = bytes;
  return !g_failAllocations;
}

class DecodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_allocations = 0;
    g_lastAllocation = 0;
    g_failAllocations = false;
    SetAllocGate(CountingGate);
  }
  void TearDown() override { SetAllocGate(nullptr); }

  // Decodes from an exact-size copy, so a sanitizer build catches any read past the tokens.
  TextBuffer Decode(const std::vector<std::uint8_t>& tokens, std::uint32_t textLength) {
    const std::size_t n = tokens.size();
    auto source = std::make_unique<std::uint8_t[]>(n == 0 ? 1 : n);
    if (n) std::memcpy(source.get(), tokens.data(), n);
    return Decompress(source.get(), static_cast<std::uint32_t>(n), textLength, &status);
  }

  static std::string Text(const TextBuffer& text, std::size_t length) {
    return std::string(reinterpret_cast<const char*>(text.get()), length);
  }

  std::int32_t status = kUntouched;
  RecordingNotices notices;
};

TEST_F(DecodeTest, EveryTokenKindDecodesIntoAnExactBuffer) {
  const auto tokens = StreamBuilder()
                          .Byte('a')
                          .Run({0x80, 0xFF, 0x01})
                          .SpaceLetter('B')
                          .Byte(0x00)
                          .Byte(0x7F)
                          .Byte(0x09)
                          .Back(3, 4)
                          .tokens;
  const std::string expected("a\x80\xFF\x01 B\0\x7F\x09\0\x7F\x09\0", 13);
  TextBuffer text = Decode(tokens, 13);
  ASSERT_TRUE(text);
  EXPECT_EQ(Text(text, 13), expected);
  // Four zero bytes follow the text, so a text without its own terminators still ends inside.
  for (int i = 13; i < 17; ++i)
    EXPECT_EQ(text[i], 0) << i;
  EXPECT_EQ(status, kUntouched);
  EXPECT_EQ(g_allocations, 1);
  EXPECT_EQ(g_lastAllocation, 17u);
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(DecodeTest, ShortDistancesRepeatThePattern) {
  TextBuffer two = Decode(StreamBuilder().Run({'a', 'b'}).Back(2, 10).tokens, 12);
  ASSERT_TRUE(two);
  EXPECT_EQ(Text(two, 12), "abababababab");
  TextBuffer one = Decode(StreamBuilder().Byte('x').Back(1, 10).Back(1, 3).tokens, 14);
  ASSERT_TRUE(one);
  EXPECT_EQ(Text(one, 14), std::string(14, 'x'));
}

TEST_F(DecodeTest, OutputFullInsideATokenSucceedsAndIgnoresTheRest) {
  // Inside a literal run, also one whose declared bytes go past the end of the source.
  TextBuffer run = Decode(StreamBuilder().Run({'a', 'b', 'c', 'd'}).Byte('z').tokens, 2);
  ASSERT_TRUE(run);
  EXPECT_EQ(Text(run, 3), std::string("ab\0", 3));
  TextBuffer cut = Decode(StreamBuilder().Raw({0x05, 'a', 'b'}).tokens, 2);
  ASSERT_TRUE(cut);
  EXPECT_EQ(Text(cut, 2), "ab");

  // Inside a back-reference, with a corrupt token after it that is never reached.
  TextBuffer back = Decode(StreamBuilder().Run({'a', 'b', 'c'}).Back(3, 10).Back(0, 3).tokens, 7);
  ASSERT_TRUE(back);
  EXPECT_EQ(Text(back, 8), std::string("abcabca\0", 8));

  // A space-plus-letter with room for the space only.
  TextBuffer space = Decode(StreamBuilder().Byte('a').SpaceLetter('B').tokens, 2);
  ASSERT_TRUE(space);
  EXPECT_EQ(Text(space, 3), std::string("a \0", 3));

  EXPECT_EQ(status, kUntouched);
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(DecodeTest, SourceEndingEarlyIsALengthMismatchWithTheNotice) {
  EXPECT_FALSE(Decode(StreamBuilder().Run({'a', 'b'}).Back(2, 3).tokens, 6));
  EXPECT_EQ(status, LengthMismatch);
  ASSERT_EQ(notices.shown.size(), 1u);
  EXPECT_EQ(notices.shown[0].notice, Notice::UncompressError);
  EXPECT_EQ(notices.shown[0].owner, nullptr);
  EXPECT_EQ(g_allocations, 1);
}

TEST_F(DecodeTest, QuietDecodingFailsTheSameWayWithoutTheNotice) {
  const auto tokens = StreamBuilder().Run({'a', 'b'}).Back(2, 3).tokens;
  {
    const QuietDecoding outer;
    {
      const QuietDecoding inner;
      EXPECT_FALSE(Decode(tokens, 6));
      EXPECT_EQ(status, LengthMismatch);
    }
    status = kUntouched;
    EXPECT_FALSE(Decode(tokens, 6));  // the outer scope still holds
    EXPECT_EQ(status, LengthMismatch);
  }
  EXPECT_TRUE(notices.shown.empty());
  EXPECT_EQ(g_allocations, 2);
  // Once the scopes are gone the notice is back.
  EXPECT_FALSE(Decode(tokens, 6));
  EXPECT_EQ(notices.Count(Notice::UncompressError), 1);
}

TEST_F(DecodeTest, CorruptTokensFailWithoutReadingOrCopyingOutOfBounds) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> tokens;
  };
  const Case cases[] = {
      {"distance 0", StreamBuilder().Run({'a', 'b', 'c'}).Back(0, 3).tokens},
      {"before the output start", StreamBuilder().Run({'a', 'b'}).Back(3, 3).tokens},
      {"back-reference first", StreamBuilder().Back(1, 3).tokens},
      {"largest distance", StreamBuilder().Byte('a').Back(2047, 10).tokens},
      {"operand past the end", StreamBuilder().Byte('a').Raw({0x80}).tokens},
      {"literal run past the end", StreamBuilder().Byte('a').Raw({0x04, 'b', 'c'}).tokens},
  };
  // The same far from the ends of the source and of the output, where the wide copies run.
  StreamBuilder text;
  for (int k = 0; k < 4; ++k)
    text.Run({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'});
  const Case farCases[] = {
      {"distance 0, far",
       StreamBuilder(text).Back(0, 3).Run({'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z'}).tokens},
      {"before the start, far",
       StreamBuilder(text).Back(33, 3).Run({'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z'}).tokens},
  };
  for (const auto& group : {std::span<const Case>(cases), std::span<const Case>(farCases)}) {
    for (const Case& c : group) {
      SCOPED_TRACE(c.what);
      notices.shown.clear();
      status = kUntouched;
      EXPECT_FALSE(Decode(c.tokens, 64));
      EXPECT_EQ(status, CorruptStream);
      EXPECT_EQ(notices.Count(Notice::UncompressError), 1);
    }
  }
  EXPECT_FALSE(Decompress(cases[0].tokens.data(), 5, 10));  // no status wanted
}

TEST_F(DecodeTest, BadArgumentsAndFailedAllocationAreSilent) {
  const std::uint8_t tokens[] = {'a'};
  EXPECT_FALSE(Decompress(nullptr, 1, 1, &status));
  EXPECT_EQ(status, BadArgument);
  status = kUntouched;
  EXPECT_FALSE(Decompress(tokens, 1, 0, &status));
  EXPECT_EQ(status, BadArgument);
  EXPECT_EQ(g_allocations, 0);

  g_failAllocations = true;
  EXPECT_FALSE(Decompress(tokens, 1, 1, &status));
  EXPECT_EQ(status, RecordUnreadable);
  EXPECT_EQ(g_allocations, 1);
  EXPECT_TRUE(notices.shown.empty());
}

// The byte-at-a-time decoder as written down, to check the wide-copy paths against.
std::vector<std::uint8_t> ReferenceDecode(const std::vector<std::uint8_t>& in) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < in.size();) {
    const unsigned t = in[i++];
    if (t >= 1 && t <= 8) {
      for (unsigned k = 0; k < t; ++k)
        out.push_back(in[i++]);
    } else if (t < 0x80) {
      out.push_back(static_cast<std::uint8_t>(t));
    } else if (t < 0xC0) {
      const unsigned v = (t << 8) | in[i++];
      const std::size_t distance = (v >> 3) & 0x7FF;
      for (unsigned k = 0; k < (v & 7) + 3; ++k)
        out.push_back(out[out.size() - distance]);
    } else {
      out.push_back(0x20);
      out.push_back(static_cast<std::uint8_t>(t ^ 0x80));
    }
  }
  return out;
}

// Random valid streams (every distance within the output), including tokens that end exactly at
// the last byte, where the wide paths must give way to the exact ones.
TEST_F(DecodeTest, MatchesTheByteAtATimeDecoderOnRandomStreams) {
  std::mt19937 random(5770);
  for (int round = 0; round < 200; ++round) {
    StreamBuilder stream;
    std::size_t written = 0;
    const int tokenCount = 1 + static_cast<int>(random() % 60);
    for (int k = 0; k < tokenCount; ++k) {
      const unsigned kind = random() % 4;
      if (kind == 0 || written == 0) {
        const unsigned n = 1 + random() % 8;
        stream.tokens.push_back(static_cast<std::uint8_t>(n));
        for (unsigned b = 0; b < n; ++b)
          stream.tokens.push_back(static_cast<std::uint8_t>(random()));
        written += n;
      } else if (kind == 1) {
        stream.Byte(static_cast<std::uint8_t>(0x09 + random() % 0x77));
        written += 1;
      } else if (kind == 2) {
        stream.SpaceLetter(static_cast<std::uint8_t>(0x40 + random() % 0x40));
        written += 2;
      } else {
        const unsigned limit = written < 2047 ? static_cast<unsigned>(written) : 2047;
        const unsigned length = 3 + random() % 8;
        stream.Back(1 + random() % limit, length);
        written += length;
      }
    }
    const std::vector<std::uint8_t> expected = ReferenceDecode(stream.tokens);
    ASSERT_EQ(expected.size(), written);
    // The whole text, and a cut somewhere inside it.
    for (const std::size_t length : {written, 1 + random() % written}) {
      TextBuffer text = Decode(stream.tokens, static_cast<std::uint32_t>(length));
      ASSERT_TRUE(text) << "round " << round << " length " << length;
      ASSERT_EQ(std::memcmp(text.get(), expected.data(), length), 0) << "round " << round;
      ASSERT_EQ(text[length], 0);
    }
  }
  EXPECT_EQ(status, kUntouched);
}

TEST_F(DecodeTest, StreamHeaderIsCheckedAgainstThePayload) {
  const StreamBuilder stream = StreamBuilder().Run({'h', 'i'});
  const std::uint8_t smallest[] = {0, 1, 0, 1, 'a'};
  TextBuffer a = DecodeStream(smallest, 5, &status);
  ASSERT_TRUE(a);
  EXPECT_EQ(Text(a, 2), std::string("a\0", 2));

  struct Case {
    const char* what;
    std::vector<std::uint8_t> payload;
    std::uint32_t length;
    LoadStatus expected;
  };
  const Case cases[] = {
      {"payload below 5", stream.Payload(2), 4, BadStream},
      {"compressed length 0", stream.PayloadWith(0, 2), 11, BadStream},
      {"compressed length past the payload", stream.PayloadWith(8, 2), 11, BadStream},
      {"text length 0", stream.Payload(0), 11, BadArgument},
      {"text length beyond the stream", stream.Payload(3), 11, LengthMismatch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    status = kUntouched;
    EXPECT_FALSE(DecodeStream(c.payload.data(), c.length, &status));
    EXPECT_EQ(status, c.expected);
  }
  EXPECT_FALSE(DecodeStream(nullptr, 8, &status));
  EXPECT_EQ(status, BadArgument);
  EXPECT_EQ(notices.Count(Notice::UncompressError), 1);  // the length mismatch only
  EXPECT_EQ(g_allocations, 2);                           // the text length 0 case allocates none
}

TEST_F(DecodeTest, RecordHeaderMustFitTheRecord) {
  std::vector<std::uint8_t> record = StreamBuilder().Run({'o', 'k'}).Record(2);
  TextBuffer ok = DecodeRecord(record, &status);
  ASSERT_TRUE(ok);
  EXPECT_EQ(Text(ok, 3), std::string("ok\0", 3));

  // Padding after the payload is not part of it; a payload claiming more than follows is refused.
  record.push_back(0xFF);
  EXPECT_TRUE(DecodeRecord(record, &status));
  EXPECT_EQ(status, kUntouched);
  record.pop_back();
  record[1] += 1;
  EXPECT_FALSE(DecodeRecord(record, &status));
  EXPECT_EQ(status, BadStream);

  status = kUntouched;
  EXPECT_FALSE(DecodeRecord(std::span(record).first(5), &status));
  EXPECT_EQ(status, BadStream);
  EXPECT_EQ(g_allocations, 2);
}

}  // namespace
}  // namespace qm
