// The main window of the reader: its class, its procedure and the start of the process.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/platform.h"

namespace qm {

// Class name and title of the main window; a second start finds the first one by both.
inline constexpr wchar_t kMainWindowName[] = L"Quillmere - 5770 (yid)";

void RegisterMainClass(HINSTANCE instance, const wchar_t* className);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Window styles chosen by the low byte of Flags (scroll bar on the right, left or none).
DWORD MainWindowStyle(std::uint32_t flags);
DWORD MainWindowExStyle(std::uint32_t flags);

// When a reader already runs, hands over to it (Today when it is in front, else brings it
// forward, nothing while one of its dialogs is in front) and returns true.
bool HandOverToRunningReader();

// Loads the settings, creates and shows the main window; null when another reader runs or
// the window cannot be made.
HWND StartInstance(int showCommand);

// The whole run after the entry point: the platform test, the gutter, the window and the
// message loop. Returns the exit code (-1 on a refused platform).
int RunReader(HINSTANCE instance, int showCommand, PlatformIdQuery platformId);

// The message loop with the accelerator table; returns the quit code.
int RunMessageLoop(HACCEL accelerators);

}  // namespace qm
