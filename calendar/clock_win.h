// The Windows clock: the local date as GetLocalTime reports it.
#pragma once

#include "calendar/clock.h"

namespace qm {

CivilDate SystemLocalDate();

// Makes TodayCivil read SystemLocalDate; the program calls it once at start.
void InstallSystemClock();

}  // namespace qm
