// Placing the main window from the stored values at start and storing its placement at exit.
#pragma once

#include <windows.h>

namespace qm {

// Moves the window to the stored rectangle (when a width or height is stored) and shows it with
// the stored show command, `showCommand` when none is stored.
void RestoreWindowPlacement(HWND window, int showCommand);
// Writes "Top", "Left", "Width", "Height" and "showCmd" (WM_DESTROY, before the shutdown save).
void SaveWindowPlacement(HWND window);
// True while RestoreWindowPlacement moves and shows the window: a DPI change then keeps the stored
// rectangle, which is in the pixels of the monitor it was stored on.
bool RestoringPlacement();

}  // namespace qm
