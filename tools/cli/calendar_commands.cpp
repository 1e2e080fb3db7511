// Calendar commands: Hebrew dates of civil days and the lesson of the day.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

#include "calendar/clock.h"
#include "calendar/date_text.h"
#include "calendar/hebrew_calendar.h"
#include "calendar/lesson_schedule.h"
#include "frame/app_state.h"
#include "tools/cli/cli.h"

namespace qm::cli {
namespace {

std::optional<CivilDate> DateArgument(std::string_view text) {
  auto date = ParseCivilDate(text);
  if (!date) {
    std::fprintf(stderr, "quillmere-cli: '%.*s' is not a date YYYY-MM-DD of the years 1 to %d\n",
                 int(text.size()), text.data(), int(kLastCivilYear));
  }
  return date;
}

int UsageError(std::string_view usage) {
  std::fprintf(stderr, "usage (quillmere-cli):\n%.*s\n", int(usage.size()), usage.data());
  return kUsageError;
}

void PrintHebrew(HebrewDate h) {
  std::printf("%d/%d/%d", int(h.month), int(h.day), int(h.year));
}

constexpr std::string_view kHebdateUsage =
    "hebdate YYYY-MM-DD         the Hebrew date of a civil day as MONTH/DAY/YEAR\n"
    "                           (months: 1 Nisan .. 6 Elul, 7 Tishri .. 12 Adar, 13 Adar II)\n"
    "hebdate --range FROM TO    one line per civil day from FROM to TO:\n"
    "                           YYYY-MM-DD DAYNUMBER MONTH/DAY/YEAR LESSON";

int PrintRange(CivilDate from, CivilDate to) {
  const DayNumber first = DayNumberFromCivil(from);
  const DayNumber last = DayNumberFromCivil(to);
  if (first > last) {
    std::fputs("quillmere-cli: hebdate --range: FROM lies after TO\n", stderr);
    return kUsageError;
  }
  for (DayNumber n = first; n <= last; ++n) {
    const CivilDate c = CivilFromDayNumber(n);
    std::printf("%04d-%02d-%02d %d ", int(c.year), int(c.month), int(c.day), int(n));
    PrintHebrew(HebrewFromDayNumber(n));
    std::printf(" %u\n", unsigned{LessonForDayNumber(n)});
  }
  return 0;
}

int Hebdate(std::span<const std::string_view> args) {
  if (args.size() == 1 && args[0] != "--range") {
    const auto date = DateArgument(args[0]);
    if (!date) return kUsageError;
    PrintHebrew(HebrewFromDayNumber(DayNumberFromCivil(*date)));
    std::putchar('\n');
    return 0;
  }
  if (args.size() == 3 && args[0] == "--range") {
    const auto from = DateArgument(args[1]);
    if (!from) return kUsageError;
    const auto to = DateArgument(args[2]);
    if (!to) return kUsageError;
    return PrintRange(*from, *to);
  }
  return UsageError(kHebdateUsage);
}

constexpr std::string_view kTodayUsage =
    "today [--date YYYY-MM-DD]  the lesson of the day (of the given day, else of the local\n"
    "                           date) and its Hebrew date: \"lesson N (MONTH/DAY/YEAR)\"";

CivilDate g_fixedDate;
CivilDate FixedDate() {
  return g_fixedDate;
}

int Today(std::span<const std::string_view> args) {
  CivilDate today;
  if (args.empty()) {
    today = TodayCivil();
  } else {
    if (args.size() != 2 || args[0] != "--date") return UsageError(kTodayUsage);
    const auto date = DateArgument(args[1]);
    if (!date) return kUsageError;
    today = *date;
  }
  // The reader's own path with the day held fixed: not pinned, so the lesson follows the clock.
  g_fixedDate = today;
  SetClock(&FixedDate);
  ResetAppState();
  SelectLesson(0, true);
  SetClock(nullptr);
  std::printf("lesson %u (", unsigned{g_app.CurrentLesson});
  PrintHebrew(HebrewFromDayNumber(DayNumberFromCivil(today)));
  std::puts(")");
  return 0;
}

const Registration kHebdate{{"hebdate", kHebdateUsage, &Hebdate}};
const Registration kToday{{"today", kTodayUsage, &Today}};

}  // namespace
}  // namespace qm::cli
