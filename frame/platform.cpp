// The platform query of the entry point and the Win32 implementations of the core's seams.
#include "frame/platform.h"

#include "calendar/clock_win.h"
#include "frame/notices_win.h"
#include "frame/settings_win.h"
#include "store/record_source_win.h"

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

void InstallPlatformPieces(HINSTANCE instance) {
  static MessageBoxSink notices;
  SetNoticeSink(&notices);
  InstallWin32Settings();
  static ResourceRecordSource records(instance);
  SetRecordSource(&records);
  InstallSystemClock();
}

}  // namespace qm
