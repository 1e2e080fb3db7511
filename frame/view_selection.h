// Selecting and copying in the lesson view: press and drag, double-click, Shift+click, the
// right-click menu, and the clipboard. A press that does not move further than the system's drag
// distance stays a click, which pages as before.
#pragma once

#include <windows.h>

namespace qm {

// The main window's mouse messages over the view; each returns the window procedure's result.
LRESULT OnViewButtonDown(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnViewMouseMove(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnViewButtonUp(HWND window, LPARAM lParam);
LRESULT OnViewDoubleClick(HWND window, LPARAM lParam);
// The press ends without a click when the window loses the mouse (a dialog, another window).
void OnViewCaptureLost(HWND window);
LRESULT OnViewContextMenu(HWND window, LPARAM lParam);

// Copy (with or without points) puts the selection on the clipboard; nothing without one.
void CopySelection(HWND window, bool withPoints);
void SelectWholeLesson(HWND window);

}  // namespace qm
