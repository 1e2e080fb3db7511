// Entry lists for the index tests: a builder and a synthetic index with the stored structure.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "frame/app_state.h"
#include "index/index_text.h"
#include "store/record_source.h"

namespace qm::testing {

struct TestEntry {
  std::uint16_t id = 0;
  std::uint8_t style = 0;
  std::uint8_t level = 0;
  std::string text;  // ReaderCode bytes, visual order
};

inline std::vector<std::uint8_t> EntryBytes(const std::vector<TestEntry>& entries) {
  std::vector<std::uint8_t> bytes;
  for (const TestEntry& e : entries) {
    bytes.push_back(static_cast<std::uint8_t>(e.id & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(e.id >> 8));
    bytes.push_back(e.style);
    bytes.push_back(e.level);
    bytes.insert(bytes.end(), e.text.begin(), e.text.end());
    bytes.push_back(0);
  }
  bytes.insert(bytes.end(), kListEndSize, 0);
  return bytes;
}

inline IndexText MakeText(const std::vector<std::uint8_t>& bytes) {
  IndexText text;
  text.Bytes = AllocArray<std::uint8_t>(bytes.size() ? bytes.size() : 1);
  if (!bytes.empty()) std::memcpy(text.Bytes.get(), bytes.data(), bytes.size());
  text.Size = static_cast<std::uint32_t>(bytes.size());
  return text;
}

inline IndexText MakeList(const std::vector<TestEntry>& entries) {
  return MakeText(EntryBytes(entries));
}

// First lesson of each of the twelve sections, and one past the last lesson.
inline constexpr std::uint16_t kSectionStarts[13] = {1,   20,  42,  64,  84,  105, 126,
                                                     145, 166, 184, 205, 227, 248};

inline constexpr std::uint8_t kHeadingStyle = 0x8C;
inline constexpr std::uint8_t kLessonStyle = 0x01;

inline std::uint16_t LessonId(int lesson) {
  return static_cast<std::uint16_t>(0x4000 + lesson);
}

// 6 to 15 bytes of letters with a space or two, different for every seed.
inline std::string SampleTitle(int seed) {
  std::string s;
  const int length = 6 + seed % 10;
  for (int i = 0; i < length; ++i) {
    if (i > 0 && i < length - 1 && (i + seed) % 5 == 0)
      s += ' ';
    else
      s += static_cast<char>(0x61 + (seed * 7 + i * 3) % 27);
  }
  return s;
}

// Twelve headings (id 0xBFFE - position) each followed by its lessons, as the stored index.
inline std::vector<TestEntry> SyntheticIndex() {
  std::vector<TestEntry> entries;
  for (int section = 0; section < 12; ++section) {
    const auto position = static_cast<std::uint16_t>(entries.size());
    entries.push_back({static_cast<std::uint16_t>(0xBFFE - position), kHeadingStyle, 1,
                       SampleTitle(100 + section)});
    for (int n = kSectionStarts[section]; n < kSectionStarts[section + 1]; ++n)
      entries.push_back({LessonId(n), kLessonStyle, 2, SampleTitle(n)});
  }
  return entries;
}

// Sets the bookmark list for one test (the 0 entry is added) and clears it afterwards.
class ScopedBookmarks {
 public:
  ScopedBookmarks(std::initializer_list<std::uint16_t> lessons, int count = -1) {
    auto list = AllocArray<std::uint16_t>(lessons.size() + 1);
    std::size_t i = 0;
    for (std::uint16_t n : lessons)
      list[i++] = n;
    list[i] = 0;
    g_app.BookmarkList.reset(list.release());
    g_app.BookmarkCount = static_cast<std::uint16_t>(count < 0 ? lessons.size() : count);
  }
  ScopedBookmarks(const ScopedBookmarks&) = delete;
  ScopedBookmarks& operator=(const ScopedBookmarks&) = delete;
  ~ScopedBookmarks() {
    g_app.BookmarkList.reset();
    g_app.BookmarkCount = 0;
  }
};

// Records in the stored form (literal tokens only), installed as the record source while it lives.
class RecordTable final : public RecordSource {
 public:
  RecordTable() : previous_(CurrentRecordSource()) { SetRecordSource(this); }
  ~RecordTable() override { SetRecordSource(previous_); }
  RecordTable(const RecordTable&) = delete;
  RecordTable& operator=(const RecordTable&) = delete;

  void Put(std::uint16_t id, const std::vector<std::uint8_t>& text) {
    std::vector<std::uint8_t> stream;
    for (std::size_t at = 0; at < text.size(); at += 8) {
      const std::size_t n = text.size() - at < 8 ? text.size() - at : 8;
      stream.push_back(static_cast<std::uint8_t>(n));
      stream.insert(stream.end(), text.begin() + at, text.begin() + at + n);
    }
    const std::size_t payload = 4 + stream.size() + 4;
    std::vector<std::uint8_t> record = {static_cast<std::uint8_t>(payload >> 8),
                                        static_cast<std::uint8_t>(payload),
                                        0,
                                        1,
                                        0,
                                        255,
                                        static_cast<std::uint8_t>(stream.size() >> 8),
                                        static_cast<std::uint8_t>(stream.size()),
                                        static_cast<std::uint8_t>(text.size() >> 8),
                                        static_cast<std::uint8_t>(text.size())};
    record.insert(record.end(), stream.begin(), stream.end());
    record.insert(record.end(), 4, 0);
    records_[id] = std::move(record);
  }

  RecordLookup Find(std::uint16_t id, std::span<const std::uint8_t>& bytes) const override {
    const auto it = records_.find(id);
    if (it == records_.end()) return RecordLookup::NotFound;
    bytes = it->second;
    return RecordLookup::Found;
  }

 private:
  const RecordSource* previous_;
  std::map<std::uint16_t, std::vector<std::uint8_t>> records_;
};

}  // namespace qm::testing
