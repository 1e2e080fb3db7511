// Civil (proleptic Gregorian) and arithmetic Hebrew calendars over one running day count.
#pragma once

#include <cstdint>

namespace qm {

// Both records hold three signed 32-bit fields in the order month, day, year.
struct CivilDate {
  std::int32_t month = 1;  // 1..12, January = 1
  std::int32_t day = 1;    // 1..31
  std::int32_t year = 1;   // 1 and up, no year 0
  friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct HebrewDate {
  std::int32_t month = 7;  // 1 Nisan .. 6 Elul, 7 Tishri .. 12 Adar (Adar I), 13 Adar II
  std::int32_t day = 1;    // 1..30
  std::int32_t year = 1;   // year of the world; it begins on 1 Tishri
  friend constexpr bool operator==(const HebrewDate&, const HebrewDate&) = default;
};

// Day 1 is Monday, 1 January of year 1; DayNumber mod 7 is the weekday, 0 = Sunday.
using DayNumber = std::int32_t;

namespace hebrew_detail {

inline constexpr std::int32_t kCivilMonthLength[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// The first Hebrew month that can hold a day of the given civil month (index month - 1).
inline constexpr std::int32_t kFirstHebrewMonth[12] = {9, 10, 11, 12, 1, 2, 3, 4, 7, 7, 7, 8};

// HebrewElapsedDays counts from a day this much before DayNumber's day 0.
inline constexpr DayNumber kHebrewEpochOffset = 1373429;

}  // namespace hebrew_detail

constexpr bool IsCivilLeapYear(std::int32_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr std::int32_t CivilDayOfYear(CivilDate date) {
  std::int32_t n = date.day + 31 * (date.month - 1);
  if (date.month > 2) {
    n -= (4 * date.month + 23) / 10;
    if (IsCivilLeapYear(date.year)) ++n;
  }
  return n;
}

constexpr DayNumber DayNumberFromCivil(CivilDate date) {
  const std::int32_t p = date.year - 1;
  return CivilDayOfYear(date) + 365 * p + p / 4 - p / 100 + p / 400;
}

constexpr CivilDate CivilFromDayNumber(DayNumber n) {
  const std::int32_t d0 = n - 1;
  const std::int32_t c400 = d0 / 146097, d1 = d0 % 146097;
  const std::int32_t c100 = d1 / 36524, d2 = d1 % 36524;
  const std::int32_t c4 = d2 / 1461, d3 = d2 % 1461;
  const std::int32_t c1 = d3 / 365;
  std::int32_t dayOfYear = d3 % 365 + 1;
  const std::int32_t y = 400 * c400 + 100 * c100 + 4 * c4 + c1;
  if (c100 == 4 || c1 == 4) return {12, 31, y};  // the 366th day of a leap year

  const std::int32_t year = y + 1;
  const auto& lengths = hebrew_detail::kCivilMonthLength[IsCivilLeapYear(year) ? 1 : 0];
  std::int32_t month = 1;
  // The bound on month only matters for day numbers below 1, which have no true date.
  while (month < 12 && lengths[month - 1] < dayOfYear) {
    dayOfYear -= lengths[month - 1];
    ++month;
  }
  return {month, dayOfYear, year};
}

constexpr bool IsHebrewLeapYear(std::int32_t year) {
  return (7 * year + 1) % 19 < 7;
}

constexpr std::int32_t HebrewMonthsInYear(std::int32_t year) {
  return IsHebrewLeapYear(year) ? 13 : 12;
}

// 1 Tishri of the year on the calendar's own day count: the molad of Tishri moved by the
// four postponement rules. Its remainder mod 7 is the weekday (0 = Sunday).
constexpr std::int32_t HebrewElapsedDays(std::int32_t year) {
  const std::int32_t cycles = (year - 1) / 19, r = (year - 1) % 19;
  const std::int32_t monthsElapsed = 235 * cycles + 12 * r + (7 * r + 1) / 19;
  const std::int32_t partsElapsed = 204 + 793 * (monthsElapsed % 1080);
  const std::int32_t hoursElapsed =
      5 + 12 * monthsElapsed + 793 * (monthsElapsed / 1080) + partsElapsed / 1080;
  std::int32_t day = 1 + 29 * monthsElapsed + hoursElapsed / 24;
  const std::int32_t parts = 1080 * (hoursElapsed % 24) + partsElapsed % 1080;

  const bool lateMolad = parts >= 19440;
  const bool tuesdayOfCommonYear = day % 7 == 2 && parts >= 9924 && !IsHebrewLeapYear(year);
  const bool mondayAfterLeapYear = day % 7 == 1 && parts >= 16789 && (7 * year - 6) % 19 < 7;
  if (lateMolad || tuesdayOfCommonYear || mondayAfterLeapYear) ++day;
  if (day % 7 == 0 || day % 7 == 3 || day % 7 == 5) ++day;
  return day;
}

constexpr std::int32_t HebrewDaysInYear(std::int32_t year) {
  return HebrewElapsedDays(year + 1) - HebrewElapsedDays(year);
}

constexpr bool HasLongHeshvan(std::int32_t year) {
  return HebrewDaysInYear(year) % 10 == 5;
}
constexpr bool HasShortKislev(std::int32_t year) {
  return HebrewDaysInYear(year) % 10 == 3;
}

namespace hebrew_detail {

// HebrewMonthLength for a year whose kind is already known, so that a walk over the months of
// one year works out the year's length once instead of for every month.
constexpr std::int32_t MonthLength(std::int32_t month, bool leap, std::int32_t daysInYear) {
  switch (month) {
    case 2:
    case 4:
    case 6:
    case 10:
    case 13:
      return 29;
    case 12:
      return leap ? 30 : 29;
    case 8:
      return daysInYear % 10 == 5 ? 30 : 29;
    case 9:
      return daysInYear % 10 == 3 ? 29 : 30;
    default:
      return 30;
  }
}

// The months of one Hebrew year with its first day on the DayNumber count.
struct HebrewYear {
  std::int32_t year;
  DayNumber firstDay;  // 1 Tishri
  std::int32_t daysInYear;
  bool leap;

  static constexpr HebrewYear Between(std::int32_t year, std::int32_t start, std::int32_t next) {
    return {year, start - kHebrewEpochOffset + 1, next - start, IsHebrewLeapYear(year)};
  }
  static constexpr HebrewYear Of(std::int32_t year) {
    return Between(year, HebrewElapsedDays(year), HebrewElapsedDays(year + 1));
  }
  // The neighbouring years, reusing the boundary already known.
  constexpr HebrewYear Following() const {
    const std::int32_t next = firstDay + kHebrewEpochOffset - 1 + daysInYear;
    return Between(year + 1, next, HebrewElapsedDays(year + 2));
  }
  constexpr HebrewYear Preceding() const {
    const std::int32_t start = firstDay + kHebrewEpochOffset - 1;
    return Between(year - 1, HebrewElapsedDays(year - 1), start);
  }

  constexpr std::int32_t Length(std::int32_t month) const {
    return MonthLength(month, leap, daysInYear);
  }

  // Days of the year that come before the first of the month, in the order 7 .. last, 1 .. 6.
  constexpr std::int32_t DaysBefore(std::int32_t month) const {
    std::int32_t n = 0;
    if (month < 7) {
      const std::int32_t last = leap ? 13 : 12;
      for (std::int32_t m = 7; m <= last; ++m)
        n += Length(m);
      for (std::int32_t m = 1; m < month; ++m)
        n += Length(m);
    } else {
      for (std::int32_t m = 7; m < month; ++m)
        n += Length(m);
    }
    return n;
  }
};

}  // namespace hebrew_detail

// 29 or 30; a month outside 1..13 gives 30.
constexpr std::int32_t HebrewMonthLength(std::int32_t month, std::int32_t year) {
  const bool needsYearLength = month == 8 || month == 9;
  return hebrew_detail::MonthLength(month, IsHebrewLeapYear(year),
                                    needsYearLength ? HebrewDaysInYear(year) : 0);
}

constexpr DayNumber DayNumberFromHebrew(HebrewDate date) {
  const auto y = hebrew_detail::HebrewYear::Of(date.year);
  return y.firstDay + y.DaysBefore(date.month) + date.day - 1;
}

// The year and the starting month come from the civil date. The Hebrew year is a little longer
// than the civil one, so its dates drift later in the civil year (a day in about 230 years):
// from 6774 on a day can lie before the starting month of its civil month (1 May 6774 is still
// 29 Adar II), and from 22336 on a January day can lie before 1 Tishri of civil year + 3760.
// So the year is corrected both ways, and the walk starts from 1 Tishri when the starting
// month begins after the day.
constexpr HebrewDate HebrewFromDayNumber(DayNumber n) {
  using hebrew_detail::HebrewYear;
  const CivilDate civil = CivilFromDayNumber(n);
  // From September on the next Hebrew year is the likelier guess.
  HebrewYear y = HebrewYear::Of(civil.year + (civil.month >= 9 ? 3761 : 3760));
  while (n >= y.firstDay + y.daysInYear)
    y = y.Following();
  while (n < y.firstDay)
    y = y.Preceding();

  std::int32_t month = hebrew_detail::kFirstHebrewMonth[civil.month - 1];
  DayNumber first = y.firstDay + y.DaysBefore(month);
  if (first > n) {
    month = 7;
    first = y.firstDay;
  }
  // From the year's last month (12 or 13) the walk goes on to month 1.
  const std::int32_t last = y.leap ? 13 : 12;
  while (first + y.Length(month) - 1 < n) {
    first += y.Length(month);
    month = month % last + 1;
  }
  return {month, n - first + 1, y.year};
}

}  // namespace qm
