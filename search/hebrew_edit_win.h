// The search edit typed on the Hebrew layout: Latin keys typed as Hebrew letters. In the visual
// order the edit grows to the left with the caret and deletion keys swapped; in reading order
// the platform's right-to-left edit does that itself. Scroll Lock turns all of it off.
#pragma once

#include <windows.h>

namespace qm {

// Installs HebrewEditProc on the edit. On failure: the "SubclassWindow() error" notice, then the
// program ends in order (settings saved); returns false then.
bool SubclassHebrewEdit(HWND edit);

LRESULT CALLBACK HebrewEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1 when the edit handles the character itself, 0 when it was inserted here.
int MapLatinKey(HWND edit, wchar_t ch);

// Inserts one unit at the caret. In the visual order the caret then steps back over it, so that
// it lands left of the characters typed before; nothing moves when the edit took nothing (its
// limit reached).
void InsertTyped(HWND edit, wchar_t unit);

}  // namespace qm
