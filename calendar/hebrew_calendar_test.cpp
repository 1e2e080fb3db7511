// Tests of the civil and Hebrew calendar arithmetic.
#include "calendar/hebrew_calendar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace qm {
namespace {

std::string Text(CivilDate d) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

std::string Text(HebrewDate d) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%d/%d/%d", d.month, d.day, d.year);
  return buf;
}

CivilDate NextCivilDay(CivilDate d) {
  static constexpr std::int32_t kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const std::int32_t length = d.month == 2 && IsCivilLeapYear(d.year) ? 29 : kLength[d.month - 1];
  if (d.day < length) return {d.month, d.day + 1, d.year};
  if (d.month < 12) return {d.month + 1, 1, d.year};
  return {1, 1, d.year + 1};
}

HebrewDate NextHebrewDay(HebrewDate d) {
  if (d.day < HebrewMonthLength(d.month, d.year)) return {d.month, d.day + 1, d.year};
  if (d.month == 6) return {7, 1, d.year + 1};
  if (d.month == HebrewMonthsInYear(d.year)) return {1, 1, d.year};
  return {d.month + 1, 1, d.year};
}

struct Anchor {
  CivilDate civil;
  DayNumber day;
  HebrewDate hebrew;
};

// Published dates: the worked values of the calendar and well-known festival days.
constexpr Anchor kAnchors[] = {
    {{1, 1, 1}, 1, {10, 18, 3761}},          {{9, 18, 2009}, 733668, {6, 29, 5769}},
    {{9, 19, 2009}, 733669, {7, 1, 5770}},   {{3, 30, 2010}, 733861, {1, 15, 5770}},
    {{9, 9, 2010}, 734024, {7, 1, 5771}},    {{3, 8, 2008}, 733109, {13, 1, 5768}},
    {{3, 16, 2011}, 734212, {13, 10, 5771}}, {{1, 1, 2000}, 730120, {10, 23, 5760}},
    {{9, 12, 2007}, 732931, {6, 29, 5767}},  // early September still in Elul
    {{9, 13, 2007}, 732932, {7, 1, 5768}},   {{9, 16, 2023}, 738779, {7, 1, 5784}},
    {{3, 24, 2024}, 738969, {13, 14, 5784}}, {{4, 23, 2024}, 738999, {1, 15, 5784}},
    {{10, 3, 2024}, 739162, {7, 1, 5785}},
};

// Far from today the Hebrew dates have drifted later in the civil year: these days lie before
// the first Hebrew month that their civil month usually starts in, or before 1 Tishri of
// civil year + 3760.
constexpr Anchor kDriftedDays[] = {
    {{5, 1, 6774}, 2473908, {13, 29, 10534}},
    {{1, 1, 22336}, 8157691, {6, 29, 26095}},
};

TEST(HebrewCalendar, AnchorsConvertBothWays) {
  for (const Anchor& a : kAnchors) {
    SCOPED_TRACE(Text(a.civil));
    EXPECT_EQ(DayNumberFromCivil(a.civil), a.day);
    EXPECT_EQ(Text(CivilFromDayNumber(a.day)), Text(a.civil));
    EXPECT_EQ(Text(HebrewFromDayNumber(a.day)), Text(a.hebrew));
    EXPECT_EQ(DayNumberFromHebrew(a.hebrew), a.day);
  }
}

TEST(HebrewCalendar, DriftedDaysFindTheirMonthAndYear) {
  for (const Anchor& a : kDriftedDays) {
    SCOPED_TRACE(Text(a.civil));
    EXPECT_EQ(DayNumberFromCivil(a.civil), a.day);
    EXPECT_EQ(Text(HebrewFromDayNumber(a.day)), Text(a.hebrew));
    EXPECT_EQ(Text(HebrewFromDayNumber(a.day + 1)), Text(NextHebrewDay(a.hebrew)));
  }
}

TEST(HebrewCalendar, CivilLeapYearsAndDayOfYear) {
  EXPECT_TRUE(IsCivilLeapYear(2000));
  EXPECT_TRUE(IsCivilLeapYear(2004));
  EXPECT_FALSE(IsCivilLeapYear(1900));
  EXPECT_FALSE(IsCivilLeapYear(2010));
  EXPECT_EQ(CivilDayOfYear({2, 29, 2000}), 60);
  EXPECT_EQ(CivilDayOfYear({3, 1, 2000}), 61);
  EXPECT_EQ(CivilDayOfYear({3, 1, 1900}), 60);
  EXPECT_EQ(CivilDayOfYear({12, 31, 2000}), 366);
  EXPECT_EQ(CivilDayOfYear({12, 31, 2010}), 365);
}

// The last day of a leap year leaves CivilFromDayNumber before the month walk: at the end of a
// 400-year cycle (c100 = 4) and of an ordinary 4-year cycle (c1 = 4).
TEST(HebrewCalendar, LastDayOfLeapYears) {
  for (int year : {1600, 2000, 2004, 1996, 2400, 30824}) {
    SCOPED_TRACE(year);
    const CivilDate last{12, 31, year};
    const DayNumber n = DayNumberFromCivil(last);
    EXPECT_EQ(Text(CivilFromDayNumber(n)), Text(last));
    EXPECT_EQ(Text(CivilFromDayNumber(n + 1)), Text(CivilDate{1, 1, year + 1}));
    EXPECT_EQ(Text(CivilFromDayNumber(n - 1)), Text(CivilDate{12, 30, year}));
  }
}

TEST(HebrewCalendar, YearLengthsAndMonthLengths) {
  EXPECT_EQ(HebrewDaysInYear(5769), 354);
  EXPECT_EQ(HebrewDaysInYear(5770), 355);
  EXPECT_EQ(HebrewDaysInYear(5771), 385);
  EXPECT_EQ(HebrewDaysInYear(5772), 354);
  EXPECT_EQ(HebrewDaysInYear(5773), 353);
  EXPECT_EQ(HebrewDaysInYear(5774), 385);

  EXPECT_TRUE(HasLongHeshvan(5770));
  EXPECT_FALSE(HasShortKislev(5770));
  EXPECT_EQ(HebrewMonthLength(8, 5770), 30);
  EXPECT_EQ(HebrewMonthLength(9, 5770), 30);
  EXPECT_TRUE(HasShortKislev(5773));
  EXPECT_EQ(HebrewMonthLength(8, 5773), 29);
  EXPECT_EQ(HebrewMonthLength(9, 5773), 29);
  EXPECT_EQ(HebrewMonthLength(8, 5772), 29);  // a regular year: 29-day Heshvan, 30-day Kislev
  EXPECT_EQ(HebrewMonthLength(9, 5772), 30);

  EXPECT_TRUE(IsHebrewLeapYear(5771));
  EXPECT_FALSE(IsHebrewLeapYear(5770));
  EXPECT_EQ(HebrewMonthsInYear(5771), 13);
  EXPECT_EQ(HebrewMonthsInYear(5770), 12);
  EXPECT_EQ(HebrewMonthLength(12, 5771), 30);
  EXPECT_EQ(HebrewMonthLength(12, 5770), 29);
  EXPECT_EQ(HebrewMonthLength(13, 5771), 29);
  EXPECT_EQ(HebrewMonthLength(1, 5770), 30);
  EXPECT_EQ(HebrewMonthLength(6, 5770), 29);
  EXPECT_EQ(HebrewMonthLength(0, 5770), 30);
  EXPECT_EQ(HebrewMonthLength(14, 5770), 30);
}

// 1 Tishri never falls on Sunday, Wednesday or Friday, and every year has one of the six
// lengths, the long ones exactly in leap years.
TEST(HebrewCalendar, NewYearWeekdaysAndYearKinds) {
  for (std::int32_t year = 1; year <= 34600; ++year) {
    const std::int32_t weekday = HebrewElapsedDays(year) % 7;
    const std::int32_t days = HebrewDaysInYear(year);
    const bool leap = IsHebrewLeapYear(year);
    const bool lengthOk = leap ? (days >= 383 && days <= 385) : (days >= 353 && days <= 355);
    if (weekday == 0 || weekday == 3 || weekday == 5 || !lengthOk) {
      ADD_FAILURE() << "year " << year << ": weekday " << weekday << ", " << days << " days";
      return;
    }
  }
  // The remainder is the same weekday as on the DayNumber count: 1 Tishri 5770 was a Saturday.
  EXPECT_EQ(DayNumberFromHebrew({7, 1, 5770}) % 7, 6);
  EXPECT_EQ(HebrewElapsedDays(5770) % 7, 6);
}

// Every day that the Windows clock can report: both conversions invert, and each day's dates
// are the successors of the previous day's (so no date is skipped, repeated or out of range,
// and month 13 occurs in leap years only).
TEST(HebrewCalendar, EveryDayFrom1601To30827) {
  const DayNumber first = DayNumberFromCivil({1, 1, 1601});
  const DayNumber last = DayNumberFromCivil({12, 31, 30827});
  CivilDate civil = CivilFromDayNumber(first);
  HebrewDate hebrew = HebrewFromDayNumber(first);
  ASSERT_EQ(Text(civil), "1601-01-01");
  ASSERT_EQ(DayNumberFromHebrew(hebrew), first);

  long failures = 0;
  DayNumber firstFailure = 0;
  for (DayNumber n = first + 1; n <= last; ++n) {
    const CivilDate c = CivilFromDayNumber(n);
    const HebrewDate h = HebrewFromDayNumber(n);
    const bool ok = c == NextCivilDay(civil) && h == NextHebrewDay(hebrew) &&
                    DayNumberFromCivil(c) == n && DayNumberFromHebrew(h) == n;
    if (!ok && failures++ == 0) firstFailure = n;
    civil = c;
    hebrew = h;
  }
  EXPECT_EQ(failures, 0) << "first at day " << firstFailure << " ("
                         << Text(CivilFromDayNumber(firstFailure)) << " -> "
                         << Text(HebrewFromDayNumber(firstFailure)) << ")";
  EXPECT_EQ(Text(civil), "30827-12-31");
}

}  // namespace
}  // namespace qm
