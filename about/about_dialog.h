// The About box with its link to the maker's site, and the update request.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string_view>

namespace qm {

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Underlines and emboldens the link button's font, installs LinkProc and sizes the button to its
// caption; returns the new font (owned by the dialog) or null.
HFONT PrepareLink(HWND dialog);
LRESULT CALLBACK LinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DrawLink(HWND dialog, WPARAM id, const DRAWITEMSTRUCT* item);
BOOL OpenMakerSite(HWND window);

// Builds the update request address and hands it to the shell.
void CheckForUpdates(HWND owner);

// Hands an address to the shell (ShellExecuteExW, no error interface); non-zero on success.
BOOL OpenWithShell(HWND owner, std::u16string_view address);

// Test seam: receives the filled shell request instead of ShellExecuteExW; null restores it.
using ShellOpener = BOOL (*)(SHELLEXECUTEINFOW* request);
void SetShellOpener(ShellOpener opener);

// The link font of the open About box (tests).
HFONT AboutLinkFont();

}  // namespace qm
