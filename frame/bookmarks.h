// The bookmarked lessons in g_app (BookmarkList, BookmarkCount): load, save, look up and change.
#pragma once

#include <cstdint>

namespace qm {

// Reads "Bookmarks": (byte count / 2 - 1, at least 0) stored entries, cut at a stored 0 entry,
// always followed by a 0 entry. A missing value leaves no list.
void LoadBookmarks();
// Writes "Bookmarks": the entries and their 0 entry, or two zero bytes without a list.
void SaveBookmarks();
void FreeBookmarks();

// 1 if CurrentLesson is in the list, else 0.
int IsBookmarked();
// Appends CurrentLesson unless present or 0; an allocation failure leaves the list as it was.
void AddBookmark();
// Removes every entry equal to CurrentLesson; the rest keep their order.
void RemoveBookmark();
// marked 0: adds. Otherwise asks "Remove Bookmark?" (unless BookmarkPromptOff bit 0 is set);
// Yes and Cancel remove, Cancel also stops the question for the rest of the run.
void ToggleBookmark(int marked);

}  // namespace qm
