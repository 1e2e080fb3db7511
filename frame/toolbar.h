// The main window's toolbar: seven image buttons from bitmap 114, or from its 24 or 32 pixel
// drawing where the window's DPI calls for larger buttons.
#pragma once

#include <windows.h>

namespace qm {

// From WM_CREATE: stores the main window, makes the toolbar (none on failure) and opens the view.
void CreateToolbar(HWND window);

// Makes the toolbar again for the window's DPI, after a WM_DPICHANGED.
void RemakeToolbar(HWND window);

}  // namespace qm
