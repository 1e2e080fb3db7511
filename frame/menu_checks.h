// The check marks of Go > Bookmark and File > Reverse in the main window's menu.
#pragma once

#include <windows.h>

namespace qm {

// The Bookmark item shows its mark exactly while the current lesson is bookmarked.
void UpdateBookmarkCheck(HWND window);
// mode 1: the Reverse mark follows Flags; mode 0: mark and Flags bit 11 flip together.
void UpdateReverseCheck(HWND window, int mode);

}  // namespace qm
