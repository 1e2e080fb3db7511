// The main window on a monitor of another DPI (WM_DPICHANGED).
#pragma once

#include <windows.h>

namespace qm {

// Keeps the new DPI for the window, takes the rectangle the system suggests (unless a stored
// placement is being restored, which is in the monitor's own pixels already), makes the toolbar
// and the lesson's fonts for the new DPI and lays the lesson out again with the same paragraph
// at the top. Returns 0.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam);

}  // namespace qm
