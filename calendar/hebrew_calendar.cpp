// Compile-time anchors of the calendar arithmetic (the functions themselves are constexpr).
#include "calendar/hebrew_calendar.h"

namespace qm {
namespace {

// The running count starts on a Monday and agrees with the Hebrew count's weekdays.
static_assert(DayNumberFromCivil({1, 1, 1}) == 1 && DayNumberFromCivil({1, 1, 1}) % 7 == 1);
static_assert(DayNumberFromCivil({9, 19, 2009}) == 733669);
static_assert(DayNumberFromHebrew({7, 1, 1}) == -1373427);
static_assert(HebrewFromDayNumber(733669) == HebrewDate{7, 1, 5770});
static_assert(CivilFromDayNumber(730120) == CivilDate{1, 1, 2000});

}  // namespace
}  // namespace qm
