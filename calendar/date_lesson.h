// The lesson of any civil date, and that date's Hebrew date written in Hebrew letters.
#pragma once

#include <cstdint>
#include <vector>

#include "calendar/hebrew_calendar.h"

namespace qm {

struct DateLesson {
  HebrewDate hebrew;
  std::uint16_t lesson = 0;  // the schedule's lesson for the Hebrew date, 1..247
};

// Any civil date of the years 1 to 30827 (the platform clock's range).
DateLesson LessonOfDate(CivilDate date);

// A number 1..999 in Hebrew letters, in reading order, as ReaderCode: the letters' values add
// up (15 and 16 written 9 + 6 and 9 + 7); a geresh (') follows a single letter and a gershayim
// (") stands before the last of several. Empty for 0 and numbers from 1000 on.
std::vector<std::uint8_t> HebrewNumeral(std::int32_t n);

// "day month year" in Hebrew letters as ReaderCode in visual order, as the lesson texts hold
// right-to-left text: "ט\"ו ניסן תש\"ע" for 15 Nisan 5770. The thousands are left out for the
// years 5000 to 5999, as is usual, and written before the rest with a geresh for any other year.
std::vector<std::uint8_t> HebrewDateText(HebrewDate date);

}  // namespace qm
