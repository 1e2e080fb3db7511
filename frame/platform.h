// What the reader needs to know of the system it starts on, and the platform pieces it installs.
#pragma once

#include <windows.h>

namespace qm {

// The platform id of the running system (OSVERSIONINFOA::dwPlatformId).
using PlatformIdQuery = DWORD (*)();
DWORD QueryPlatformId();

// The Windows 9x family and Win32s (ids below VER_PLATFORM_WIN32_NT) are refused.
constexpr bool RefusesPlatform(DWORD platformId) {
  return platformId < VER_PLATFORM_WIN32_NT;
}

// Message boxes as notices, the program's resources as records, the system clock.
void InstallPlatformPieces(HINSTANCE instance);

}  // namespace qm
