// Compile-time anchors of the calendar arithmetic (the functions themselves are constexpr).
#include "calendar/hebrew_calendar.h"

#include <cstddef>
#include <type_traits>

namespace qm {
namespace {

// Both date records are three 32-bit fields, month, day, year, with nothing between them.
static_assert(std::is_standard_layout_v<CivilDate> && std::is_standard_layout_v<HebrewDate>);
static_assert(sizeof(CivilDate) == 12 && offsetof(CivilDate, day) == 4 &&
              offsetof(CivilDate, year) == 8);
static_assert(sizeof(HebrewDate) == 12 && offsetof(HebrewDate, day) == 4 &&
              offsetof(HebrewDate, year) == 8);

// Day 1 (1 January 1) is a Monday; 1 Tishri of year 1 lies 1373427 days before day 0.
static_assert(DayNumberFromCivil({1, 1, 1}) == 1 && DayNumberFromCivil({1, 1, 1}) % 7 == 1);
static_assert(DayNumberFromCivil({9, 19, 2009}) == 733669);
static_assert(DayNumberFromHebrew({7, 1, 1}) == -1373427);
static_assert(HebrewFromDayNumber(733669) == HebrewDate{7, 1, 5770});
static_assert(CivilFromDayNumber(730120) == CivilDate{1, 1, 2000});

}  // namespace
}  // namespace qm
