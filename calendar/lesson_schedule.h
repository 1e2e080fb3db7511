// The lesson of the day: the schedule by Hebrew date, and the choice of the current lesson.
#pragma once

#include <array>
#include <cstdint>

#include "calendar/hebrew_calendar.h"

namespace qm {

inline constexpr std::int32_t kScheduleMonths = 13;
inline constexpr std::int32_t kScheduleDays = 30;

// The lesson for Hebrew month m, day d is entry 30 * (m - 1) + (d - 1); the year plays no part.
// Every entry is filled, also for dates that not every year has. Only the low 16 bits count.
extern const std::array<std::int32_t, kScheduleMonths * kScheduleDays> LessonSchedule;

// The schedule's entry for a Hebrew date, or 0 for a month or day outside the table.
std::uint16_t LessonForHebrewDate(HebrewDate date);

std::uint16_t LessonForDayNumber(DayNumber day);

// Every change of g_app.CurrentLesson goes through here. A lesson n != 0 becomes current and is
// pinned. Lesson 0 stands for today: it is worked out from TodayCivil() unless a pinned lesson
// stays (force false); then the pin is cleared. SavedPosition goes back to 0 whenever the
// current lesson changes.
void SelectLesson(std::uint16_t lesson, bool force);

// The second half of SelectLesson(0, ...): makes the given lesson of today current, a number
// outside 1..247 giving lesson 1, and clears the pin.
void FollowTodaysLesson(std::uint16_t todaysLesson);

}  // namespace qm
