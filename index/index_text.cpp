// Reading entry lists, loading the stored index, the bookmark section and the join of two lists.
#include "index/index_text.h"

#include <cstring>

#include "frame/app_state.h"
#include "store/record_source.h"
#include "store/records.h"

namespace qm {

namespace {

constexpr std::uint8_t kBookmarkHeadingStyle = 0xC1;  // Visible, Expanded, StylePlain
constexpr std::uint8_t kBookmarkStyle = 0x81;         // Visible, StylePlain
constexpr std::uint8_t kBookmarkHeadingText[] = {0x6A, 0x69, 0x79, 0x75};

// The decoded length the record's stream header promises; LoadRecord returns exactly that
// many bytes and a zero, so this bounds every walk over the loaded text.
std::uint32_t StoredTextLength(std::uint16_t resourceId) {
  const RecordSource* source = CurrentRecordSource();
  std::span<const std::uint8_t> bytes;
  if (!source || source->Find(resourceId, bytes) != RecordLookup::Found || bytes.size() < 10)
    return 0;
  return static_cast<std::uint32_t>(bytes[8]) << 8 | bytes[9];
}

IndexText NewList(std::uint32_t size) {
  IndexText list;
  list.Bytes = AllocArray<std::uint8_t>(size);
  if (!list.Bytes) return list;
  std::memset(list.Bytes.get(), 0, size);
  list.Size = size;
  return list;
}

std::uint8_t* PutEntry(std::uint8_t* out,
                       std::uint16_t id,
                       std::uint8_t style,
                       std::uint8_t level,
                       const std::uint8_t* text,
                       std::uint32_t length) {
  *out++ = static_cast<std::uint8_t>(id & 0xFF);
  *out++ = static_cast<std::uint8_t>(id >> 8);
  *out++ = style;
  *out++ = level;
  if (length) std::memcpy(out, text, length);
  out += length;
  *out++ = 0;
  return out;
}

// The first entry of the list with this id.
bool FindEntry(std::span<const std::uint8_t> list, std::uint16_t id, IndexEntry& found) {
  IndexEntry entry;
  for (std::uint32_t at = 0; ReadIndexEntry(list, at, entry); at = entry.NextOffset()) {
    if (entry.EntryId == id) {
      found = entry;
      return true;
    }
  }
  return false;
}

// Calls f(lesson) for each bookmark, up to the 0 entry and never past BookmarkCount entries.
template <typename F>
void ForEachBookmark(F&& f) {
  const std::uint16_t* list = g_app.BookmarkList.get();
  if (!list) return;
  for (std::uint32_t i = 0; i < g_app.BookmarkCount && list[i] != 0; ++i)
    f(list[i]);
}

}  // namespace

bool ReadIndexEntry(std::span<const std::uint8_t> list, std::uint32_t offset, IndexEntry& entry) {
  if (offset > list.size() || list.size() - offset < kEntryHeaderSize) return false;
  const std::uint8_t* p = list.data() + offset;
  if (p[2] == 0) return false;
  const std::uint32_t textOffset = offset + kEntryHeaderSize;
  const void* zero = std::memchr(list.data() + textOffset, 0, list.size() - textOffset);
  if (!zero) return false;
  entry.EntryId = static_cast<std::uint16_t>(p[0] | p[1] << 8);
  entry.EntryStyle = p[2];
  entry.Level = p[3];
  entry.TextOffset = textOffset;
  entry.TextLength = static_cast<std::uint32_t>(static_cast<const std::uint8_t*>(zero) -
                                                (list.data() + textOffset));
  return true;
}

std::uint32_t EntriesEnd(std::span<const std::uint8_t> list) {
  IndexEntry entry;
  std::uint32_t at = 0;
  while (ReadIndexEntry(list, at, entry))
    at = entry.NextOffset();
  return at;
}

IndexText LoadStoredIndex() {
  IndexText index;
  index.Bytes = LoadRecord(kIndexRecord);
  if (!index.Bytes) return index;
  const std::uint32_t length = StoredTextLength(static_cast<std::uint16_t>(kIndexRecord + 1000));
  index.Size = length + 1;  // the text and the zero LoadRecord puts after it
  return index;
}

IndexText LoadIndexText() {
  IndexText index = LoadStoredIndex();
  if (!g_app.BookmarkList || g_app.BookmarkCount == 0) return index;
  IndexText bookmarks = BuildBookmarkSection(index);
  return JoinEntryLists(std::move(bookmarks), std::move(index));
}

IndexText BuildBookmarkSection(const IndexText& index) {
  const std::span<const std::uint8_t> entries = Entries(index);
  std::uint32_t size = kEntryHeaderSize + sizeof kBookmarkHeadingText + 1 + kListEndSize;
  ForEachBookmark([&](std::uint16_t lesson) {
    IndexEntry entry;
    if (FindEntry(entries, static_cast<std::uint16_t>(kLessonIdBit + lesson), entry))
      size += entry.TextLength + kEntryHeaderSize + 1;
  });

  IndexText section = NewList(size);
  if (!section) return section;
  std::uint8_t* out = PutEntry(section.Bytes.get(), kBookmarkHeadingId, kBookmarkHeadingStyle, 1,
                               kBookmarkHeadingText, sizeof kBookmarkHeadingText);
  ForEachBookmark([&](std::uint16_t lesson) {
    const auto id = static_cast<std::uint16_t>(kLessonIdBit + lesson);
    IndexEntry entry;
    if (FindEntry(entries, id, entry))
      out =
          PutEntry(out, id, kBookmarkStyle, 2, entries.data() + entry.TextOffset, entry.TextLength);
  });
  return section;  // the end marker is the zero fill after the last entry
}

IndexText JoinEntryLists(IndexText first, IndexText second) {
  if (!first) return second;
  if (!second) return first;
  const std::uint32_t firstEnd = EntriesEnd(Entries(first));
  const std::uint32_t secondEnd = EntriesEnd(Entries(second));
  IndexText joined = NewList(firstEnd + secondEnd + kListEndSize);
  if (!joined) return second;  // first is released on the way out
  if (firstEnd) std::memcpy(joined.Bytes.get(), first.data(), firstEnd);
  if (secondEnd) std::memcpy(joined.Bytes.get() + firstEnd, second.data(), secondEnd);
  return joined;
}

}  // namespace qm
