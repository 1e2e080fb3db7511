// The DPI of the monitor a window is on: asked of the platform where it can tell (looked up at run
// time, so that the program still starts on systems without per-monitor DPI), and the one that a
// WM_DPICHANGED gave the window.
#pragma once

#include <windows.h>

namespace qm {

// The system's DPI: the primary monitor's when the user signed in (LOGPIXELSY of the screen).
int SystemDpi();

// The DPI that `window` is drawn for: the one its top-level window was given by its last
// WM_DPICHANGED, else the platform's for the window, else the system's.
int WindowDpi(HWND window);

// Keeps the new DPI of a WM_DPICHANGED for the top-level window until ForgetWindowDpi, which
// its WM_DESTROY calls.
void NoteWindowDpi(HWND window, int dpi);
void ForgetWindowDpi(HWND window);

// A system metric at a DPI; at the system's DPI where the platform cannot scale it.
int MetricForDpi(int index, int dpi);

// Posted by a dialog to itself on WM_DPICHANGED: it makes what it draws itself (fonts, pictures)
// for the new DPI once the dialog manager has scaled the template and reset the controls' fonts.
inline constexpr UINT kAfterDpiChange = WM_APP + 0x2E0;

// WM_DPICHANGED of a dialog: keeps the DPI, takes the suggested rectangle, posts kAfterDpiChange
// and returns FALSE, so that the dialog manager scales the controls as well.
INT_PTR FollowDpiChange(HWND dialog, WPARAM wParam, LPARAM lParam);

}  // namespace qm
