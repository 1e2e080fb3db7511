// The stored article index and the bookmark section: entry lists laid end to end.
#pragma once

#include <cstdint>
#include <span>

#include "frame/heap.h"

namespace qm {

// Entry ids: a lesson has bit 14 (lesson number in the low 14 bits), a heading bit 15.
inline constexpr std::uint16_t kLessonIdBit = 0x4000;
inline constexpr std::uint16_t kHeadingIdBit = 0x8000;
inline constexpr std::uint16_t kEntryNumberMask = 0x3FFF;
inline constexpr std::uint16_t kBookmarkHeadingId = 0x8877;

// Entry style bits beyond the font key.
inline constexpr std::uint8_t kEntryExpanded = 0x40;
inline constexpr std::uint8_t kEntryVisible = 0x80;

inline constexpr std::uint32_t kEntryHeaderSize = 4;  // id (2, little-endian), style, level
inline constexpr std::uint32_t kListEndSize = 5;      // every list ends with five zero bytes

// An entry list and the number of its bytes that may be read. Walks never go past Size.
struct IndexText {
  HeapArray<std::uint8_t> Bytes;
  std::uint32_t Size = 0;

  explicit operator bool() const { return Bytes != nullptr; }
  const std::uint8_t* data() const { return Bytes.get(); }
};

// One entry, located in its list.
struct IndexEntry {
  std::uint16_t EntryId = 0;
  std::uint8_t EntryStyle = 0;
  std::uint8_t Level = 0;
  std::uint32_t TextOffset = 0;  // first text byte within the list
  std::uint32_t TextLength = 0;  // bytes before the terminating zero

  std::uint32_t NextOffset() const { return TextOffset + TextLength + 1; }
};

// Reads the entry at `offset`. False at the end of the list (style 0) and for an entry whose
// header or text would run past the end of the bytes: a malformed tail ends the list.
bool ReadIndexEntry(std::span<const std::uint8_t> list, std::uint32_t offset, IndexEntry& entry);

// Offset just past the last entry of the list (where its end marker starts).
std::uint32_t EntriesEnd(std::span<const std::uint8_t> list);

inline std::span<const std::uint8_t> Entries(const IndexText& text) {
  return text ? std::span<const std::uint8_t>(text.data(), text.Size)
              : std::span<const std::uint8_t>();
}

// The stored index record with the bookmark section in front of it (when there are
// bookmarks); empty when neither can be had.
IndexText LoadIndexText();

// The stored index record alone; empty when it cannot be loaded.
IndexText LoadStoredIndex();

// The bookmark heading and an entry for every bookmark (g_app.BookmarkList, in list order)
// that has an entry in `index` (which may be empty); empty when no memory can be had.
IndexText BuildBookmarkSection(const IndexText& index);

// The entries of first, then those of second, and the end: a new list, releasing both.
// Either alone when the other is empty; second alone when the new list cannot be had.
IndexText JoinEntryLists(IndexText first, IndexText second);

}  // namespace qm
