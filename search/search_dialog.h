// The search dialog: a Hebrew search text typed or clicked together, stored, and searched.
#pragma once

#include <windows.h>

namespace qm {

INT_PTR CALLBACK SearchDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A click at (x, y) in the dialog's client area: 0 when it hit a cell of the alphabet picture
// and inserted its character, 1 otherwise.
int KeyboardClick(HWND dialog, int x, int y);

// Inserts the character of cell n (0 the space bar, 1..27 the letters) into the search edit.
void InsertCellLetter(HWND dialog, int n);

}  // namespace qm
