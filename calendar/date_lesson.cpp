// The lesson of a civil date, and Hebrew dates in Hebrew letters.
#include "calendar/date_lesson.h"

#include <algorithm>
#include <string_view>

#include "calendar/lesson_schedule.h"

namespace qm {

namespace {

constexpr char16_t kFirstLetterUnit = 0x05D0;  // alef; ReaderCode letter codes follow its order
constexpr std::uint8_t kFirstLetterCode = 0x61;
constexpr std::uint8_t kGeresh = '\'';
constexpr std::uint8_t kGershayim = '"';

// Month names as they are written, in reading order, by Hebrew month number 1..13.
constexpr std::u16string_view kMonthNames[] = {
    u"ניסן",  u"אייר", u"סיון", u"תמוז", u"אב",  u"אלול",   u"תשרי",
    u"חשוון", u"כסלו", u"טבת",  u"שבט",  u"אדר", u"אדר ב'",
};
constexpr std::u16string_view kFirstAdarInLeapYear = u"אדר א'";

void Append(std::vector<std::uint8_t>& out, std::u16string_view reading) {
  for (const char16_t u : reading) {
    const bool letter = u >= kFirstLetterUnit && u < kFirstLetterUnit + 27;
    out.push_back(letter ? static_cast<std::uint8_t>(kFirstLetterCode + (u - kFirstLetterUnit))
                         : static_cast<std::uint8_t>(u));
  }
}

// The letters worth 1..9, 10..90 and 100..400, as ReaderCode.
std::uint8_t Letter(char16_t unit) {
  return static_cast<std::uint8_t>(kFirstLetterCode + (unit - kFirstLetterUnit));
}
constexpr std::u16string_view kOnes = u"אבגדהוזחט";
constexpr std::u16string_view kTens = u"יכלמנסעפצ";
constexpr std::u16string_view kHundreds = u"קרשת";

}  // namespace

DateLesson LessonOfDate(CivilDate date) {
  const DayNumber day = DayNumberFromCivil(date);
  DateLesson result;
  result.hebrew = HebrewFromDayNumber(day);
  result.lesson = LessonForHebrewDate(result.hebrew);
  return result;
}

std::vector<std::uint8_t> HebrewNumeral(std::int32_t n) {
  std::vector<std::uint8_t> out;
  if (n <= 0 || n >= 1000) return out;
  std::int32_t hundreds = n / 100;
  for (; hundreds > 4; hundreds -= 4)
    out.push_back(Letter(kHundreds[3]));
  if (hundreds > 0) out.push_back(Letter(kHundreds[static_cast<std::size_t>(hundreds - 1)]));
  std::int32_t rest = n % 100;
  if (rest == 15 || rest == 16) {
    out.push_back(Letter(kOnes[8]));
    rest -= 9;
  } else if (rest >= 10) {
    out.push_back(Letter(kTens[static_cast<std::size_t>(rest / 10 - 1)]));
    rest %= 10;
  }
  if (rest > 0) out.push_back(Letter(kOnes[static_cast<std::size_t>(rest - 1)]));
  if (out.size() == 1) {
    out.push_back(kGeresh);
  } else {
    out.insert(out.end() - 1, kGershayim);
  }
  return out;
}

std::vector<std::uint8_t> HebrewDateText(HebrewDate date) {
  std::vector<std::uint8_t> reading = HebrewNumeral(date.day);
  reading.push_back(' ');
  const bool firstAdar = date.month == 12 && IsHebrewLeapYear(date.year);
  if (date.month >= 1 && date.month <= 13) {
    Append(reading, firstAdar ? kFirstAdarInLeapYear
                              : kMonthNames[static_cast<std::size_t>(date.month - 1)]);
  }
  reading.push_back(' ');
  const std::int32_t thousands = date.year / 1000;
  if (thousands != 5 && thousands > 0) {
    std::vector<std::uint8_t> t = HebrewNumeral(thousands);
    // Thousands carry a geresh after their letters, never a gershayim.
    t.erase(std::remove(t.begin(), t.end(), kGershayim), t.end());
    if (t.empty() || t.back() != kGeresh) t.push_back(kGeresh);
    reading.insert(reading.end(), t.begin(), t.end());
  }
  const std::vector<std::uint8_t> year = HebrewNumeral(date.year % 1000);
  reading.insert(reading.end(), year.begin(), year.end());
  std::reverse(reading.begin(), reading.end());
  return reading;
}

}  // namespace qm
