// The main window's toolbar: seven image buttons from bitmap 114.
#pragma once

#include <windows.h>

namespace qm {

// From WM_CREATE: stores the main window, makes the toolbar (none on failure) and opens the view.
void CreateToolbar(HWND window);

}  // namespace qm
