// The bookmark list: its stored form, the lookups and the changes made by the Bookmark command.
#include "frame/bookmarks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <span>

#include "frame/alloc_or_abort.h"
#include "frame/app_state.h"
#include "frame/heap.h"
#include "frame/notices.h"
#include "frame/settings.h"

namespace qm {

namespace {

constexpr std::uint32_t kPromptOff = 1;

std::uint16_t EntryAt(const std::uint8_t* bytes, std::size_t i) {
  return static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

}  // namespace

void LoadBookmarks() {
  g_app.BookmarkList.reset();
  g_app.BookmarkCount = 0;
  std::uint32_t size = 0;
  HeapArray<std::uint8_t> data = ReadBytes(u"Bookmarks", &size);
  if (!data) return;
  auto n = static_cast<std::uint16_t>(size / 2);
  if (n > 0) --n;
  // The stored block holds n + 1 whole entries except for values of 0 or 1 bytes, and a stored
  // list may hold a 0 entry early; a fresh block of exactly n + 1 entries covers every form, and
  // the count stops at the first 0 entry, where every walk through the list stops anyway.
  // Without memory for it the stored list must not be lost: this is the out-of-memory path,
  // whose save writes nothing while the settings are being read. A plain failed allocation would
  // leave no list, and the shutdown save would store that as an empty one.
  HeapArray<std::uint16_t> list(
      static_cast<std::uint16_t*>(AllocOrAbort((std::size_t{n} + 1) * sizeof(std::uint16_t))));
  if (!list) return;
  // Only lessons of the series are bookmarks; a stored number beyond it is dropped.
  std::uint16_t count = 0;
  for (std::uint16_t i = 0; i < n && EntryAt(data.get(), i) != 0; ++i) {
    const std::uint16_t lesson = EntryAt(data.get(), i);
    if (lesson <= kLessonCount) list[count++] = lesson;
  }
  list[count] = 0;
  g_app.BookmarkCount = count;
  g_app.BookmarkList = std::move(list);
}

void SaveBookmarks() {
  if (!g_app.BookmarkList) {
    const std::array<std::uint8_t, 2> empty{};
    WriteBytes(u"Bookmarks", empty);
    return;
  }
  // Written straight from the list: this also runs on the out-of-memory path, where a copy
  // could not be had. The stored form is little-endian, like every target of the program.
  static_assert(std::endian::native == std::endian::little);
  const std::size_t bytes = (std::size_t{g_app.BookmarkCount} + 1) * 2;
  WriteBytes(u"Bookmarks",
             std::span(reinterpret_cast<const std::uint8_t*>(g_app.BookmarkList.get()), bytes));
}

void FreeBookmarks() {
  g_app.BookmarkList.reset();
}

int IsBookmarked() {
  const std::uint16_t* list = g_app.BookmarkList.get();
  if (!list || g_app.BookmarkCount == 0) return 0;
  for (; *list != 0; ++list)
    if (*list == g_app.CurrentLesson) return 1;
  return 0;
}

void AddBookmark() {
  // 0 ends the list, so it can never be an entry of it; nor can a lesson outside the series.
  if (g_app.CurrentLesson == 0 || g_app.CurrentLesson > kLessonCount || IsBookmarked() ||
      g_app.BookmarkCount == 0xFFFF)
    return;
  const std::uint16_t count = g_app.BookmarkCount;
  HeapArray<std::uint16_t> list = AllocArray<std::uint16_t>(std::size_t{count} + 2);
  if (!list) return;
  if (g_app.BookmarkList) std::copy_n(g_app.BookmarkList.get(), count, list.get());
  list[count] = g_app.CurrentLesson;
  list[count + 1] = 0;
  g_app.BookmarkCount = static_cast<std::uint16_t>(count + 1);
  g_app.BookmarkList = std::move(list);
}

void RemoveBookmark() {
  std::uint16_t* list = g_app.BookmarkList.get();
  if (!list) return;
  std::size_t kept = 0;
  for (std::size_t i = 0; list[i] != 0; ++i) {
    if (list[i] == g_app.CurrentLesson) {
      --g_app.BookmarkCount;
    } else {
      list[kept++] = list[i];
    }
  }
  list[kept] = 0;
}

void ToggleBookmark(int marked) {
  if (marked == 0) {
    AddBookmark();
    return;
  }
  int answer = kAnswerYes;
  if (!(g_app.BookmarkPromptOff & kPromptOff)) {
    answer = ShowNotice(Notice::RemoveBookmark, g_app.MainWindow);
    if (answer == kAnswerCancel) g_app.BookmarkPromptOff |= kPromptOff;
  }
  if (answer != kAnswerNo) RemoveBookmark();
}

}  // namespace qm
