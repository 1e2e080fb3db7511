// The days printed in every lesson and in the index agree with the calendar and the schedule:
// each day of 5770 is walked, grouped by the lesson the schedule gives it, and written out.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "calendar/hebrew_calendar.h"
#include "calendar/lesson_schedule.h"
#include "resources/generated_records.h"
#include "store/records.h"
#include "tools/recc/reader_text.h"
#include "tools/recc/record_file.h"
#include "tools/recc/source_markup.h"
#include "tools/recc/utf8.h"

namespace qm::recc {
namespace {

struct Day {
  int weekday;  // 0 = Sunday
  HebrewDate date;
};

std::map<int, std::vector<Day>> DaysOfLessons() {
  std::map<int, std::vector<Day>> lessons;
  const DayNumber first = DayNumberFromCivil(CivilDate{9, 19, 2009});
  for (DayNumber d = first; HebrewFromDayNumber(d).year == 5770; ++d)
    lessons[LessonForDayNumber(d)].push_back({d % 7, HebrewFromDayNumber(d)});
  return lessons;
}

std::string Numeral(int n) {
  static const char* const kUnits[] = {"", "א", "ב", "ג", "ד", "ה", "ו", "ז", "ח", "ט"};
  static const char* const kTens[] = {"", "י", "כ", "ל"};
  std::vector<std::string> letters;
  if (n == 15 || n == 16) {
    letters = {"ט", kUnits[n - 9]};
  } else {
    if (n >= 10) letters.push_back(kTens[n / 10]);
    if (n % 10) letters.push_back(kUnits[n % 10]);
  }
  if (letters.size() == 1) return letters[0] + "'";
  return letters[0] + "\"" + letters[1];
}

const char* PointedMonth(int month) {
  static const char* const kNames[] = {"",     "ניסן",  "אייר",  "סיוון", "תּמוז", "אָב", "אלול",
                                       "תּשרי", "חשוון", "כּיסלו", "טבת",   "שבט",  "אַדר"};
  return kNames[month];
}

const char* PlainMonth(int month) {
  static const char* const kNames[] = {"",     "ניסן",  "אייר",  "סיוון", "תמוז", "מנ\"א", "אלול",
                                       "תשרי", "חשוון", "כיסלו", "טבת",   "שבט",  "אדר"};
  return kNames[month];
}

// "weekday day, weekday day month, ... year": the month after the last of its days.
std::string DatesLine(const std::vector<Day>& days) {
  static const char* const kWeekdays[] = {"זונטיק",    "מאָנטיק",  "דינסטיק", "מיטוואָך",
                                          "דאָנערשטיק", "פרייַטיק", "שַׁבָּת"};
  std::string s;
  for (std::size_t i = 0; i < days.size(); ++i) {
    if (i) s += ", ";
    s += std::string(kWeekdays[days[i].weekday]) + " " + Numeral(days[i].date.day);
    if (i + 1 == days.size() || days[i + 1].date.month != days[i].date.month)
      s += std::string(" ") + PointedMonth(days[i].date.month);
  }
  return s + " תש\"ע";
}

std::string IndexSpan(const std::vector<Day>& days) {
  const HebrewDate a = days.front().date, b = days.back().date;
  if (days.size() == 1) return Numeral(a.day) + " " + PlainMonth(a.month);
  const std::string tail = Numeral(b.day) + " " + PlainMonth(b.month);
  if (a.month == b.month) return Numeral(a.day) + "-" + tail;
  const std::string full = Numeral(a.day) + " " + PlainMonth(a.month) + "-" + tail;
  return DecodeUtf8(full)->size() <= 15 ? full : Numeral(a.day) + "-" + tail;
}

std::u32string Canonical(const std::string& utf8) {
  return CanonicalMarks(*DecodeUtf8(utf8));
}

Bytes Text(int number) {
  std::span<const std::uint8_t> record;
  GeneratedRecordSource().Find(static_cast<std::uint16_t>(number + 1000), record);
  RecordHeader h{};
  const TextBuffer text = DecodeRecord(record);
  if (!text || !ReadRecordHeader(record, h)) return {};
  return Bytes(text.get(), text.get() + h.textLength);
}

TEST(LessonDates, TheScheduleGivesEveryLessonOneRunOfDays) {
  const auto lessons = DaysOfLessons();
  ASSERT_EQ(lessons.size(), 247u);
  EXPECT_EQ(lessons.begin()->first, 1);
  EXPECT_EQ(lessons.rbegin()->first, 247);
  EXPECT_EQ(lessons.at(1).front().date.month, 7);  // the walk starts on 1 Tishri
  EXPECT_EQ(lessons.at(169).size(), 5u);
}

TEST(LessonDates, EveryDatesParagraphAgreesWithTheCalendar) {
  for (const auto& [lesson, days] : DaysOfLessons()) {
    const Bytes text = Text(lesson);
    // The second paragraph: skip the title (style, parameter, text, zero).
    std::size_t i = 2;
    while (i < text.size() && text[i] != 0)
      ++i;
    std::size_t end = i + 3;
    while (end < text.size() && text[end] != 0)
      ++end;
    ASSERT_LT(end, text.size()) << lesson;
    const std::u32string shown = DecodeReaderText(std::span(text).subspan(i + 3, end - i - 3));
    EXPECT_EQ(EncodeUtf8(shown), EncodeUtf8(Canonical(DatesLine(days)))) << "lesson " << lesson;
  }
}

TEST(LessonDates, EveryIndexEntryGivesTheLessonsSpanOfDays) {
  const auto lessons = DaysOfLessons();
  const Bytes text = Text(kIndexNumber);
  int checked = 0;
  for (std::size_t i = 0; i + 4 <= text.size() && text[i + 2] != 0;) {
    const unsigned id = text[i] | (text[i + 1] << 8);
    std::size_t end = i + 4;
    while (end < text.size() && text[end] != 0)
      ++end;
    if ((id & 0xC000) == 0x4000) {
      const int lesson = static_cast<int>(id & 0x3FFF);
      const std::u32string shown = DecodeReaderText(std::span(text).subspan(i + 4, end - i - 4));
      EXPECT_EQ(EncodeUtf8(shown), IndexSpan(lessons.at(lesson))) << "lesson " << lesson;
      ++checked;
    }
    i = end + 1;
  }
  EXPECT_EQ(checked, 247);
}

}  // namespace
}  // namespace qm::recc
