// The built records: all 248 present, their headers, byte-for-byte agreement with the sources
// through the compiler and the reader's decoder, the lesson and index structure, the coverage of
// the code table, and words that only a few lessons hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "frame/app_state.h"
#include "resources/generated_records.h"
#include "store/records.h"
#include "tests/fake_text_device.h"
#include "text/document.h"
#include "tools/recc/record_file.h"
#include "tools/recc/source_files.h"
#include "tools/recc/source_markup.h"

namespace qm::recc {
namespace {

std::string SourcePath(int number) {
  if (number == kIndexNumber) return std::string(QM_RESOURCES_DIR) + "/index.txt";
  char name[32];
  std::snprintf(name, sizeof name, "/lessons/lesson-%03d.txt", number);
  return std::string(QM_RESOURCES_DIR) + name;
}

std::vector<int> AllNumbers() {
  std::vector<int> v;
  for (int n = 1; n <= kLessonCount; ++n)
    v.push_back(n);
  v.push_back(kIndexNumber);
  return v;
}

std::span<const std::uint8_t> RecordBytes(int number) {
  std::span<const std::uint8_t> bytes;
  GeneratedRecordSource().Find(ResourceId(number), bytes);
  return bytes;
}

// The decoded text of a record, exactly TextLength bytes.
Bytes DecodedText(int number) {
  const auto record = RecordBytes(number);
  RecordHeader h{};
  if (!ReadRecordHeader(record, h)) return {};
  const TextBuffer text = DecodeRecord(record);
  if (!text) return {};
  return Bytes(text.get(), text.get() + h.textLength);
}

struct Paragraph {
  std::uint8_t style;
  std::uint8_t parameter;
  Bytes text;
};

std::vector<Paragraph> Paragraphs(const Bytes& text) {
  std::vector<Paragraph> out;
  std::size_t i = 0;
  while (i + 1 < text.size() && text[i] != 0) {
    std::size_t end = i + 2;
    while (end < text.size() && text[end] != 0)
      ++end;
    out.push_back({text[i], text[i + 1], Bytes(text.begin() + i + 2, text.begin() + end)});
    i = end + 1;
  }
  return out;
}

TEST(Corpus, HoldsExactlyTheLessonAndIndexRecords) {
  const auto entries = GeneratedRecordEntries();
  ASSERT_EQ(entries.size(), 248u);
  std::set<std::uint16_t> ids;
  for (const RecordEntry& e : entries)
    ids.insert(e.id);
  EXPECT_EQ(ids.size(), 248u);
  EXPECT_EQ(*ids.begin(), 1001);
  EXPECT_EQ(*std::prev(ids.end(), 2), 1247);
  EXPECT_EQ(*ids.rbegin(), 32767);
}

TEST(Corpus, RecordHeadersAndTrailers) {
  for (int n : AllNumbers()) {
    const auto record = RecordBytes(n);
    RecordHeader h{};
    ASSERT_TRUE(ReadRecordHeader(record, h)) << n;
    EXPECT_EQ(h.payloadLength, record.size() - 6) << n;
    EXPECT_EQ(h.sequenceFirst, n == kIndexNumber ? 1 : n + 20) << n;
    EXPECT_EQ(h.sequenceLast, n == kIndexNumber ? 255 : n + 20) << n;
    EXPECT_EQ(h.compressedLength + 14u, record.size()) << n;
    for (std::size_t k = record.size() - 4; k < record.size(); ++k)
      EXPECT_EQ(record[k], 0) << n;
  }
}

TEST(Corpus, EveryRecordRoundTripsThroughCompilerAndDecoder) {
  for (int n : AllNumbers()) {
    CompiledRecord compiled;
    std::string error;
    ASSERT_TRUE(CompileFile(SourcePath(n), compiled, error)) << error;
    EXPECT_EQ(compiled.number, n);
    // The build's record is what the compiler makes of the checked-in source...
    const auto built = RecordBytes(n);
    EXPECT_TRUE(
        std::equal(built.begin(), built.end(), compiled.record.begin(), compiled.record.end()))
        << "record " << n << " is stale";
    // ...and decodes to the compiled text byte for byte.
    EXPECT_EQ(DecodedText(n), compiled.text) << n;
  }
}

TEST(Corpus, LessonsHaveTheTitleParagraphsARuleAndOnlyTheStatedStyles) {
  const std::set<std::uint8_t> styles = {0xD1, 0xD2, 0xB1, 0xB2, 0xC7, 0x81};
  for (int n = 1; n <= kLessonCount; ++n) {
    const Bytes text = DecodedText(n);
    ASSERT_GE(text.size(), 2800u) << n;
    ASSERT_LE(text.size(), 11600u) << n;
    ASSERT_TRUE(text.end()[-1] == 0 && text.end()[-2] == 0 && text.end()[-3] == 0 &&
                text.end()[-4] == 0)
        << n << ": the document ends with its zero and two more";
    const std::vector<Paragraph> ps = Paragraphs(text);
    ASSERT_GE(ps.size(), 5u) << n;
    const bool d1d1d2 = ps[1].style == 0xD1 && ps[2].style == 0xD2;
    const bool d1d2d1 = ps[1].style == 0xD2 && ps[2].style == 0xD1;
    EXPECT_TRUE(ps[0].style == 0xD1 && (d1d1d2 || d1d2d1)) << n;
    int rules = 0;
    for (const Paragraph& p : ps) {
      EXPECT_TRUE(styles.count(p.style)) << n << ": style " << int(p.style);
      EXPECT_TRUE(p.style & 0x80) << n;
      if (p.style == 0xC7) {
        ++rules;
        EXPECT_EQ(p.parameter, 0xD2) << n;
        EXPECT_TRUE(p.text.empty()) << n;
      } else {
        EXPECT_EQ(p.parameter, 0) << n;
        EXPECT_FALSE(p.text.empty()) << n;
      }
      if (p.style == 0x81) {
        for (std::uint8_t b : p.text)
          EXPECT_TRUE(b >= 0x20 && b < 0x7F) << n;
      }
    }
    EXPECT_GE(rules, 1) << n;
  }
}

TEST(Corpus, LayoutAcceptsEveryLesson) {
  FakeTextDevice dc;
  const Box box{0, 0, 600, 400};
  FontSettings settings{};
  for (int n = 1; n <= kLessonCount; ++n) {
    DocumentPtr doc = CreateDocument(&dc, &box, settings, 0);
    ASSERT_TRUE(doc);
    TextBuffer text = DecodeRecord(RecordBytes(n));
    ASSERT_TRUE(text) << n;
    EXPECT_EQ(LayoutDocument(doc.get(), std::move(text)), kLayoutDone) << n;
  }
}

TEST(Corpus, EveryClassOfCodeAppears) {
  std::set<std::uint8_t> seen;
  for (int n = 1; n <= kLessonCount; ++n)
    for (const Paragraph& p : Paragraphs(DecodedText(n)))
      if (p.style & 0x10) seen.insert(p.text.begin(), p.text.end());
  for (int code = 0x10; code <= 0x7B; ++code) {
    if ((code >= 0x20 && code <= 0x40) || (code >= 0x5B && code <= 0x60)) continue;
    EXPECT_TRUE(seen.count(static_cast<std::uint8_t>(code))) << "code 0x" << std::hex << code;
  }
}

TEST(Corpus, EveryLessonHasWordsThatFewLessonsHold) {
  // Words as search sees them: runs of letters, points ignored.
  std::vector<std::set<std::string>> words(kLessonCount + 1);
  std::map<std::string, int> lessonsOf;
  for (int n = 1; n <= kLessonCount; ++n) {
    for (const Paragraph& p : Paragraphs(DecodedText(n))) {
      if (!(p.style & 0x10)) continue;
      std::string word;
      for (std::size_t i = 0; i <= p.text.size(); ++i) {
        const std::uint8_t b = i < p.text.size() ? p.text[i] : 0;
        if ((b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7B) || (b >= 0x10 && b <= 0x14)) {
          word.push_back(static_cast<char>(b));
        } else if (!(b >= 0x15 && b <= 0x1F)) {
          if (word.size() >= 3) words[n].insert(word);
          word.clear();
        }
      }
    }
    for (const std::string& w : words[n])
      ++lessonsOf[w];
  }
  for (int n = 1; n <= kLessonCount; ++n) {
    int rare = 0;
    for (const std::string& w : words[n])
      rare += lessonsOf[w] <= 5;
    EXPECT_GE(rare, 2) << "lesson " << n;
  }
}

TEST(Corpus, IndexHasTheTwelveSectionsAndEveryLessonOnce) {
  struct Section {
    std::uint16_t id;
    int first, last;
  };
  const Section sections[] = {{0xBFFE, 1, 19},    {0xBFEA, 20, 41},   {0xBFD3, 42, 63},
                              {0xBFBC, 64, 83},   {0xBFA7, 84, 104},  {0xBF91, 105, 125},
                              {0xBF7B, 126, 144}, {0xBF67, 145, 165}, {0xBF51, 166, 183},
                              {0xBF3E, 184, 204}, {0xBF28, 205, 226}, {0xBF11, 227, 247}};
  const Bytes text = DecodedText(kIndexNumber);
  std::size_t i = 0;
  int entries = 0;
  int section = -1;
  int expectedLesson = 1;
  while (i + 4 <= text.size() && text[i + 2] != 0) {
    const std::uint16_t id = static_cast<std::uint16_t>(text[i] | (text[i + 1] << 8));
    const std::uint8_t style = text[i + 2];
    const std::uint8_t level = text[i + 3];
    std::size_t end = i + 4;
    while (end < text.size() && text[end] != 0)
      ++end;
    const std::size_t length = end - i - 4;
    EXPECT_GE(length, 6u) << "entry " << entries;
    EXPECT_LE(length, 15u) << "entry " << entries;
    for (std::size_t k = i + 4; k < end; ++k) {
      const std::uint8_t b = text[k];
      EXPECT_TRUE(b == 0x20 || b == 0x22 || b == 0x27 || b == 0x2D || (b >= 0x61 && b <= 0x7B))
          << "entry " << entries << " byte " << int(b);
    }
    if (id & 0x8000) {
      ++section;
      ASSERT_LT(section, 12);
      EXPECT_EQ(id, sections[section].id);
      EXPECT_EQ(id, 0xBFFE - entries);
      EXPECT_EQ(style, 0x8C);
      EXPECT_EQ(level, 1);
      EXPECT_EQ(expectedLesson, sections[section].first);
    } else {
      ASSERT_GE(section, 0);
      EXPECT_EQ(id, 0x4000 + expectedLesson);
      EXPECT_LE(expectedLesson, sections[section].last);
      EXPECT_EQ(style, 0x01);
      EXPECT_EQ(level, 2);
      ++expectedLesson;
    }
    ++entries;
    i = end + 1;
  }
  EXPECT_EQ(entries, 259);
  EXPECT_EQ(section, 11);
  EXPECT_EQ(expectedLesson, 248);
  ASSERT_EQ(text.size(), i + 5) << "five zero bytes end the index";
  for (std::size_t k = i; k < text.size(); ++k)
    EXPECT_EQ(text[k], 0);
}

}  // namespace
}  // namespace qm::recc
