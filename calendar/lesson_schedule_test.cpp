// Tests of the lesson schedule and of SelectLesson's choice of the current lesson.
#include "calendar/lesson_schedule.h"

#include <gtest/gtest.h>

#include <map>

#include "calendar/clock.h"
#include "calendar/date_lesson.h"
#include "frame/app_state.h"

namespace qm {
namespace {

std::uint16_t LessonOn(CivilDate date) {
  return LessonForDayNumber(DayNumberFromCivil(date));
}

TEST(LessonSchedule, LessonsOfKnownDates) {
  EXPECT_EQ(LessonOn({9, 19, 2009}), 1);  // 1 Tishri 5770
  EXPECT_EQ(LessonOn({9, 20, 2009}), 1);
  EXPECT_EQ(LessonOn({9, 21, 2009}), 1);
  EXPECT_EQ(LessonOn({9, 22, 2009}), 2);
  EXPECT_EQ(LessonOn({9, 8, 2010}), 247);  // 29 Elul 5770
  EXPECT_EQ(LessonOn({9, 9, 2010}), 1);    // 1 Tishri 5771
  EXPECT_EQ(LessonOn({3, 30, 2010}), 136);
  EXPECT_EQ(LessonOn({3, 8, 2008}), 126);  // 1 Adar II 5768
  EXPECT_EQ(LessonOn({4, 6, 2008}), 126);  // 1 Nisan 5768
}

TEST(LessonSchedule, EveryDayOfAdarTwoGivesLesson126) {
  const DayNumber first = DayNumberFromHebrew({13, 1, 5768});
  for (DayNumber n = first; n < first + 29; ++n)
    EXPECT_EQ(LessonForDayNumber(n), 126) << n;
}

TEST(LessonSchedule, DatesThat5770NeverReachesAreFilled) {
  EXPECT_EQ(LessonForHebrewDate({2, 30, 5770}), 166);
  EXPECT_EQ(LessonForHebrewDate({4, 30, 5770}), 205);
  EXPECT_EQ(LessonForHebrewDate({6, 30, 5770}), 1);
  EXPECT_EQ(LessonForHebrewDate({10, 30, 5770}), 84);
  EXPECT_EQ(LessonForHebrewDate({12, 30, 5770}), 126);
  for (std::int32_t day = 1; day <= 30; ++day)
    EXPECT_EQ(LessonForHebrewDate({13, day, 0}), 126);
  for (std::int32_t entry : LessonSchedule) {
    EXPECT_GE(entry, 1);
    EXPECT_LE(entry, kLessonCount);
  }
}

TEST(LessonSchedule, DatesOutsideTheTableGiveNoLesson) {
  EXPECT_EQ(LessonForHebrewDate({0, 1, 5770}), 0);
  EXPECT_EQ(LessonForHebrewDate({14, 1, 5770}), 0);
  EXPECT_EQ(LessonForHebrewDate({7, 0, 5770}), 0);
  EXPECT_EQ(LessonForHebrewDate({7, 31, 5770}), 0);
}

// Walked through 5770 the schedule meets lessons 1..247 in order, each as one run of days:
// 193 single days, lessons 6 and 138 on two days, 51 three-day runs and lesson 169 on five.
TEST(LessonSchedule, Year5770MeetsEveryLessonOnceInOrder) {
  const DayNumber first = DayNumberFromCivil({9, 19, 2009});
  const DayNumber last = DayNumberFromCivil({9, 8, 2010});
  ASSERT_EQ(last - first + 1, HebrewDaysInYear(5770));

  std::map<std::uint16_t, int> runLength;
  std::uint16_t previous = 0;
  for (DayNumber n = first; n <= last; ++n) {
    const std::uint16_t lesson = LessonForDayNumber(n);
    if (lesson != previous) {
      ASSERT_EQ(lesson, previous + 1) << "day " << n;
      previous = lesson;
    }
    ++runLength[lesson];
  }
  EXPECT_EQ(previous, kLessonCount);

  std::map<int, int> runsOfLength;
  for (const auto& [lesson, days] : runLength)
    ++runsOfLength[days];
  EXPECT_EQ(runsOfLength, (std::map<int, int>{{1, 193}, {2, 2}, {3, 51}, {5, 1}}));
  EXPECT_EQ(runLength[6], 2);
  EXPECT_EQ(runLength[138], 2);
  EXPECT_EQ(runLength[169], 5);
}

TEST(Clock, DefaultClockGivesTheLocalDate) {
  SetClock(nullptr);
  const CivilDate today = TodayCivil();
  EXPECT_GE(today.year, 2024);
  EXPECT_EQ(CivilFromDayNumber(DayNumberFromCivil(today)), today);  // a real date
}

CivilDate g_today;
CivilDate TestClock() {
  return g_today;
}

class SelectLessonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    SetClock(&TestClock);
    g_today = {9, 22, 2009};  // lesson 2
  }
  void TearDown() override {
    SetClock(nullptr);
    ResetAppState();
  }
  static bool Pinned() { return (g_app.Flags & flags::LessonPinned) != 0; }
};

TEST_F(SelectLessonTest, ExplicitLessonPinsAndResetsPositionWhenItChanges) {
  g_app.CurrentLesson = 10;
  g_app.SavedPosition = 33;
  g_app.Flags = flags::Default;
  SelectLesson(11, false);
  EXPECT_EQ(g_app.CurrentLesson, 11);
  EXPECT_EQ(g_app.SavedPosition, 0);
  EXPECT_EQ(g_app.Flags, flags::Default | flags::LessonPinned);

  g_app.SavedPosition = 44;
  SelectLesson(11, true);  // the same lesson keeps its position
  EXPECT_EQ(g_app.CurrentLesson, 11);
  EXPECT_EQ(g_app.SavedPosition, 44);
  EXPECT_TRUE(Pinned());
}

TEST_F(SelectLessonTest, StartUpFollowsTodayUnlessPinned) {
  g_app.CurrentLesson = 50;
  g_app.SavedPosition = 7;
  g_app.Flags = flags::Default | flags::LessonPinned;
  SelectLesson(0, false);
  EXPECT_EQ(g_app.CurrentLesson, 50);
  EXPECT_EQ(g_app.SavedPosition, 7);
  EXPECT_TRUE(Pinned());

  g_app.Flags = flags::Default;
  SelectLesson(0, false);
  EXPECT_EQ(g_app.CurrentLesson, 2);
  EXPECT_EQ(g_app.SavedPosition, 0);
  EXPECT_EQ(g_app.Flags, flags::Default);
}

TEST_F(SelectLessonTest, SameDayRestartKeepsThePosition) {
  g_app.CurrentLesson = 2;
  g_app.SavedPosition = 120;
  SelectLesson(0, false);
  EXPECT_EQ(g_app.CurrentLesson, 2);
  EXPECT_EQ(g_app.SavedPosition, 120);

  g_today = {9, 23, 2009};  // a new day with lesson 3 opens at the top
  SelectLesson(0, false);
  EXPECT_EQ(g_app.CurrentLesson, 3);
  EXPECT_EQ(g_app.SavedPosition, 0);
}

TEST_F(SelectLessonTest, TodayCommandOverridesThePinAndClearsOnlyThatBit) {
  g_app.CurrentLesson = 200;
  g_app.SavedPosition = 9;
  g_app.Flags = 0xFFFFFFFFu;
  g_today = {9, 8, 2010};
  SelectLesson(0, true);
  EXPECT_EQ(g_app.CurrentLesson, 247);
  EXPECT_EQ(g_app.SavedPosition, 0);
  EXPECT_EQ(g_app.Flags, ~flags::LessonPinned);
}

// A lesson number outside the series falls back to lesson 1; the fallback itself leaves the
// position alone.
TEST_F(SelectLessonTest, TodaysLessonOutsideTheSeriesFallsBackToLessonOne) {
  for (std::uint16_t wrong : {std::uint16_t{0}, std::uint16_t{248}, std::uint16_t{0xFFFF}}) {
    SCOPED_TRACE(wrong);
    g_app.CurrentLesson = wrong;
    g_app.SavedPosition = 5;
    g_app.Flags = flags::LessonPinned;
    FollowTodaysLesson(wrong);
    EXPECT_EQ(g_app.CurrentLesson, 1);
    EXPECT_EQ(g_app.SavedPosition, 5);
    EXPECT_FALSE(Pinned());
  }
  g_app.CurrentLesson = 30;
  g_app.SavedPosition = 5;
  FollowTodaysLesson(300);
  EXPECT_EQ(g_app.CurrentLesson, 1);
  EXPECT_EQ(g_app.SavedPosition, 0);
}

// Go > Date: any date the calendar handles, with its Hebrew date in letters (visual order, so
// reversed here to read it).
TEST(LessonSchedule, LessonAndHebrewDateOfAnyDate) {
  auto reading = [](CivilDate date) {
    std::vector<std::uint8_t> v = HebrewDateText(LessonOfDate(date).hebrew);
    std::u16string out;
    for (auto it = v.rbegin(); it != v.rend(); ++it)
      out.push_back(*it >= 0x61 ? static_cast<char16_t>(0x05D0 + (*it - 0x61)) : *it);
    return out;
  };
  EXPECT_EQ(LessonOfDate({3, 30, 2010}).lesson, 136);
  EXPECT_EQ(reading({3, 30, 2010}), u"ט\"ו ניסן תש\"ע");
  EXPECT_EQ(reading({3, 8, 2008}), u"א' אדר ב' תשס\"ח");
  EXPECT_EQ(reading({2, 7, 2008}), u"א' אדר א' תשס\"ח");
  EXPECT_EQ(reading({10, 16, 2009}), u"כ\"ח תשרי תש\"ע");
  EXPECT_EQ(LessonOfDate({12, 31, 9999}).lesson, 39);  // 28 Heshvan
  EXPECT_EQ(reading({12, 31, 9999}), u"כ\"ח חשוון יג'תש\"ס");
  EXPECT_EQ(LessonOfDate({12, 31, 30827}).lesson, 234);  // 12 Elul 34587
  EXPECT_EQ(HebrewNumeral(0).size() + HebrewNumeral(1000).size(), 0u);
  EXPECT_EQ(HebrewNumeral(900), (std::vector<std::uint8_t>{0x7B, 0x7B, '"', 0x78}));
}

}  // namespace
}  // namespace qm
