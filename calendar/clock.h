// Today's civil date, read from a replaceable clock.
#pragma once

#include "calendar/hebrew_calendar.h"

namespace qm {

// A clock gives the local civil date; the time of day plays no part.
using Clock = CivilDate (*)();

// The C++ standard library's local date (the clock in use until SetClock replaces it).
CivilDate StandardLocalDate();

// Installs the clock that TodayCivil reads; nullptr puts StandardLocalDate back.
void SetClock(Clock clock);

CivilDate TodayCivil();

}  // namespace qm
