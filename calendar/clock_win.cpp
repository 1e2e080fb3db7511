// The Windows clock over GetLocalTime.
#include "calendar/clock_win.h"

#include <windows.h>

namespace qm {

CivilDate SystemLocalDate() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {std::int32_t{now.wMonth}, std::int32_t{now.wDay}, std::int32_t{now.wYear}};
}

void InstallSystemClock() {
  SetClock(&SystemLocalDate);
}

}  // namespace qm
