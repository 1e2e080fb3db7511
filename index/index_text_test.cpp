// Tests of entry lists: bounded reading, the bookmark section, joining and loading the index.
#include "index/index_text.h"

#include <gtest/gtest.h>

#include "index/index_test_text.h"

namespace qm {
namespace {

using testing::LessonId;
using testing::MakeList;
using testing::MakeText;
using testing::SampleTitle;
using testing::ScopedBookmarks;
using testing::SyntheticIndex;
using testing::TestEntry;

std::vector<IndexEntry> ReadAll(const IndexText& text) {
  std::vector<IndexEntry> all;
  IndexEntry e;
  for (std::uint32_t at = 0; ReadIndexEntry(Entries(text), at, e); at = e.NextOffset())
    all.push_back(e);
  return all;
}

std::string TextOf(const IndexText& list, const IndexEntry& e) {
  return std::string(reinterpret_cast<const char*>(list.data()) + e.TextOffset, e.TextLength);
}

TEST(IndexEntryReading, WalksEntriesUpToTheEndMarker) {
  const IndexText list = MakeList({{0x8001, 0x8C, 1, "abc"}, {LessonId(1), 0x01, 2, "de f"}});
  const auto all = ReadAll(list);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].EntryId, 0x8001);
  EXPECT_EQ(all[0].EntryStyle, 0x8C);
  EXPECT_EQ(all[0].Level, 1);
  EXPECT_EQ(TextOf(list, all[1]), "de f");
  EXPECT_EQ(all[1].Level, 2);
  EXPECT_EQ(EntriesEnd(Entries(list)), list.Size - kListEndSize);
}

TEST(IndexEntryReading, MalformedTailEndsTheList) {
  // An entry whose text has no zero before the end of the bytes, and one whose header is cut.
  std::vector<std::uint8_t> bytes = testing::EntryBytes({{0x8001, 0x8C, 1, "abc"}});
  bytes.resize(bytes.size() - kListEndSize);
  const std::vector<std::uint8_t> good = bytes;
  bytes.insert(bytes.end(), {0x01, 0x40, 0x01, 0x02, 'x', 'y'});
  EXPECT_EQ(ReadAll(MakeText(bytes)).size(), 1u);
  std::vector<std::uint8_t> cut = good;
  cut.insert(cut.end(), {0x01, 0x40, 0x01});
  EXPECT_EQ(ReadAll(MakeText(cut)).size(), 1u);
  EXPECT_EQ(ReadAll(MakeText({})).size(), 0u);
}

TEST(BookmarkSection, HeadingThenBookmarksInListOrderSkippingUnknownLessons) {
  const IndexText index = MakeList(SyntheticIndex());
  ScopedBookmarks marks({30, 248, 7});
  const IndexText section = BuildBookmarkSection(index);
  const auto all = ReadAll(section);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].EntryId, kBookmarkHeadingId);
  EXPECT_EQ(all[0].EntryStyle, 0xC1);
  EXPECT_EQ(all[0].Level, 1);
  EXPECT_EQ(TextOf(section, all[0]), "\x6A\x69\x79\x75");
  EXPECT_EQ(all[1].EntryId, LessonId(30));
  EXPECT_EQ(all[1].EntryStyle, 0x81);
  EXPECT_EQ(all[1].Level, 2);
  EXPECT_EQ(TextOf(section, all[1]), SampleTitle(30));
  EXPECT_EQ(all[2].EntryId, LessonId(7));
  EXPECT_EQ(TextOf(section, all[2]), SampleTitle(7));
  EXPECT_EQ(section.Size, 9 + (SampleTitle(30).size() + 5) + (SampleTitle(7).size() + 5) + 5);
  for (std::uint32_t i = section.Size - kListEndSize; i < section.Size; ++i)
    EXPECT_EQ(section.data()[i], 0);
}

TEST(BookmarkSection, EmptyListOrNoIndexGivesTheHeadingAlone) {
  const IndexText index = MakeList(SyntheticIndex());
  {
    ScopedBookmarks marks({}, 3);  // a 0 entry first, whatever the count says
    const IndexText section = BuildBookmarkSection(index);
    EXPECT_EQ(section.Size, 14u);
    EXPECT_EQ(ReadAll(section).size(), 1u);
  }
  ScopedBookmarks marks({5, 6});
  EXPECT_EQ(ReadAll(BuildBookmarkSection(IndexText{})).size(), 1u);
}

TEST(BookmarkSection, NeverReadsPastTheCount) {
  const IndexText index = MakeList(SyntheticIndex());
  ScopedBookmarks marks({5, 6, 7}, 2);
  EXPECT_EQ(ReadAll(BuildBookmarkSection(index)).size(), 3u);
}

TEST(JoinEntryLists, EntriesOfBothThenTheEnd) {
  IndexText first = MakeList({{0x8877, 0xC1, 1, "jiyu"}, {LessonId(3), 0x81, 2, "abc"}});
  IndexText second = MakeList({{0xBFFE, 0x8C, 1, "head"}, {LessonId(1), 0x01, 2, "one"}});
  const IndexText joined = JoinEntryLists(std::move(first), std::move(second));
  const auto all = ReadAll(joined);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].EntryId, 0x8877);
  EXPECT_EQ(all[2].EntryId, 0xBFFE);
  EXPECT_EQ(TextOf(joined, all[3]), "one");
  EXPECT_EQ(joined.Size, EntriesEnd(Entries(joined)) + kListEndSize);
}

TEST(JoinEntryLists, FallsBackToTheListThatExists) {
  IndexText only = MakeList({{0xBFFE, 0x8C, 1, "head"}});
  const std::uint8_t* bytes = only.data();
  IndexText result = JoinEntryLists(IndexText{}, std::move(only));
  EXPECT_EQ(result.data(), bytes);
  result = JoinEntryLists(std::move(result), IndexText{});
  EXPECT_EQ(result.data(), bytes);

  // Without memory for the join the stored index is used alone.
  IndexText first = MakeList({{0x8877, 0xC1, 1, "jiyu"}});
  IndexText second = MakeList({{0xBFFE, 0x8C, 1, "head"}});
  const std::uint8_t* secondBytes = second.data();
  SetAllocGate([](std::size_t) { return false; });
  result = JoinEntryLists(std::move(first), std::move(second));
  SetAllocGate(nullptr);
  EXPECT_EQ(result.data(), secondBytes);
}

TEST(LoadIndexText, StoredIndexAloneWithoutBookmarks) {
  testing::RecordTable records;
  const auto bytes = testing::EntryBytes(SyntheticIndex());
  records.Put(32767, bytes);
  const IndexText text = LoadIndexText();
  ASSERT_TRUE(text);
  EXPECT_EQ(text.Size, bytes.size() + 1);
  EXPECT_EQ(ReadAll(text).size(), 259u);
}

TEST(LoadIndexText, BookmarksInFrontAndAloneWhenTheRecordIsMissing) {
  testing::RecordTable records;
  ScopedBookmarks marks({12});
  EXPECT_EQ(ReadAll(LoadIndexText()).size(), 1u);  // no record: the bookmark heading alone
  records.Put(32767, testing::EntryBytes(SyntheticIndex()));
  const auto all = ReadAll(LoadIndexText());
  ASSERT_EQ(all.size(), 261u);
  EXPECT_EQ(all[0].EntryId, kBookmarkHeadingId);
  EXPECT_EQ(all[1].EntryId, LessonId(12));
  EXPECT_EQ(all[2].EntryId, 0xBFFE);
}

}  // namespace
}  // namespace qm
