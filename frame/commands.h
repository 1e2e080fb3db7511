// Command dispatch of the main window: every menu item, accelerator and toolbar button.
#pragma once

#include <windows.h>

namespace qm {

// 0 when the identifier was handled, 1 when it was not.
int DispatchCommand(HWND window, int id);

// Test hook: told of every identifier before it is dispatched.
using CommandObserver = void (*)(HWND window, int id);
void SetCommandObserver(CommandObserver observer);

}  // namespace qm
