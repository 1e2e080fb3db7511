// The search edit made right-to-left: Latin keys typed as Hebrew letters growing to the left,
// caret and deletion keys swapped, Scroll Lock turning all of it off.
#pragma once

#include <windows.h>

namespace qm {

// Installs HebrewEditProc on the edit. On failure: the "SubclassWindow() error" notice, then the
// program ends in order (settings saved); returns false then.
bool SubclassHebrewEdit(HWND edit);

LRESULT CALLBACK HebrewEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1 when the edit handles the character itself, 0 when it was inserted here.
int MapLatinKey(HWND edit, wchar_t ch);

// Inserts one unit at the caret and steps the caret back over it, so that it lands left of the
// characters typed before. Nothing moves when the edit took nothing (its limit reached).
void InsertLeftOfCaret(HWND edit, wchar_t unit);

}  // namespace qm
