// Hooks the settings code to the platform: the registry store, bitmaps and the quit message.
#pragma once

namespace qm {

// Installs the registry as the settings store and LoadBitmapW, DeleteObject and
// PostQuitMessage as the settings code's platform calls. Call once at start, before any read.
void InstallWin32Settings();

}  // namespace qm
