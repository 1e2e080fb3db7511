// Zoom in the lesson view: Ctrl+Plus, Ctrl+Minus, Ctrl+0 and Ctrl+wheel.
#pragma once

#include <windows.h>

namespace qm {

// `steps` steps up (or down) the font dialog's size list; the size is stored as the font dialog
// stores it, and the paragraph at the top of the view stays at the top.
void ZoomView(HWND window, int steps);
// Back to the size from before the first zoom of the run; nothing before a zoom.
void ZoomToOriginalSize(HWND window);
// WM_MOUSEWHEEL with Ctrl held: a step a notch, away from the user zooming in.
LRESULT OnZoomWheel(HWND window, WPARAM wParam);

}  // namespace qm
