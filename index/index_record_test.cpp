// Tests over the stored index record: its structure, and the outline made from it.
#include <gtest/gtest.h>

#include <set>

#include "index/index_test_text.h"
#include "index/index_text.h"
#include "index/outline.h"
#include "resources/generated_records.h"
#include "tests/fake_text_device.h"

namespace qm {
namespace {

class StoredIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = CurrentRecordSource();
    SetRecordSource(&GeneratedRecordSource());
  }
  void TearDown() override { SetRecordSource(previous_); }

 private:
  const RecordSource* previous_ = nullptr;
};

TEST_F(StoredIndex, TwelveHeadingsOverEveryLessonOnce) {
  const IndexText index = LoadIndexText();
  ASSERT_TRUE(index);
  std::vector<IndexEntry> entries;
  IndexEntry e;
  for (std::uint32_t at = 0; ReadIndexEntry(Entries(index), at, e); at = e.NextOffset())
    entries.push_back(e);
  ASSERT_EQ(entries.size(), 259u);
  // The entries, the five-byte end and the zero that LoadRecord adds.
  EXPECT_EQ(index.Size, EntriesEnd(Entries(index)) + kListEndSize + 1);

  int section = -1;
  std::set<int> lessons;
  for (std::size_t p = 0; p < entries.size(); ++p) {
    const IndexEntry& entry = entries[p];
    EXPECT_GE(entry.TextLength, 6u);
    EXPECT_LE(entry.TextLength, 15u);
    for (std::uint32_t i = 0; i < entry.TextLength; ++i) {
      const std::uint8_t b = index.data()[entry.TextOffset + i];
      EXPECT_TRUE(b == 0x20 || b == 0x22 || b == 0x27 || b == 0x2D || (b >= 0x61 && b <= 0x7B))
          << "entry " << p;
    }
    if (entry.EntryId & kHeadingIdBit) {
      ++section;
      EXPECT_EQ(entry.EntryId, 0xBFFE - p);
      EXPECT_EQ(entry.EntryStyle, 0x8C);
      EXPECT_EQ(entry.Level, 1);
      EXPECT_EQ(p, testing::kSectionStarts[section] - 1 + section);
    } else {
      const int n = entry.EntryId & kEntryNumberMask;
      EXPECT_EQ(entry.EntryId & 0xC000, kLessonIdBit);
      EXPECT_EQ(entry.EntryStyle, 0x01);
      EXPECT_EQ(entry.Level, 2);
      EXPECT_GE(n, testing::kSectionStarts[section]);
      EXPECT_LT(n, testing::kSectionStarts[section + 1]);
      EXPECT_TRUE(lessons.insert(n).second);
    }
  }
  EXPECT_EQ(section, 11);
  EXPECT_EQ(lessons.size(), 247u);
}

TEST_F(StoredIndex, OutlineOpensWithTheCurrentLessonShown) {
  FakeTextDevice dc;
  FontSettings settings;
  settings.FontSize = 16;
  settings.FontAsciiBase = BaseUnicode;
  testing::ScopedBookmarks marks({150, 3});
  OutlinePtr o = CreateOutline(&dc, Box{0, 0, 400, 600}, settings, 100);
  ASSERT_EQ(LayoutOutline(o.get(), LoadIndexText()), kLayoutDone);
  EXPECT_EQ(o->LineCount, 259 + 3);
  RevealLesson(o.get(), 84);  // the first lesson of its section
  EXPECT_EQ(o->VisibleCount, 3 + 12 + 2);
  RevealLesson(o.get(), 3);  // bookmarked: nothing more
  EXPECT_EQ(o->VisibleCount, 3 + 12 + 2);
}

}  // namespace
}  // namespace qm
