// The platform query of the entry point and the Win32 implementations of the core's seams.
#include "frame/platform.h"

#include "frame/commands_pending.h"
#include "frame/notices_win.h"
#include "frame/settings_win.h"

namespace qm {

DWORD QueryPlatformId() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // deprecated, but the only call that still answers on 9x
#endif
  if (!GetVersionExA(&info)) return VER_PLATFORM_WIN32_NT;
  return info.dwPlatformId;
}

void InstallPlatformPieces([[maybe_unused]] HINSTANCE instance) {
  static MessageBoxSink notices;
  SetNoticeSink(&notices);
  InstallWin32Settings();
#if defined(QM_HAVE_RESOURCE_RECORDS)
  static ResourceRecordSource records(instance);
  SetRecordSource(&records);
#endif
#if defined(QM_HAVE_SYSTEM_CLOCK)
  InstallSystemClock();
#endif
}

}  // namespace qm
