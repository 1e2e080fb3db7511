// The lesson schedule and SelectLesson.
#include "calendar/lesson_schedule.h"

#include "calendar/clock.h"
#include "frame/app_state.h"

namespace qm {

// Rows by Hebrew month number; a year reads them in the order 7 .. 13, 1 .. 6.
// clang-format off
const std::array<std::int32_t, kScheduleMonths * kScheduleDays> LessonSchedule = {
    // 1 Nisan
    126, 127, 128, 129, 129, 129, 130, 131, 132, 133, 134, 134, 134, 135, 136,
    136, 136, 137, 138, 138, 139, 139, 139, 140, 141, 141, 141, 142, 143, 144,
    // 2 Iyar
    145, 146, 146, 146, 147, 148, 149, 150, 151, 151, 151, 152, 153, 154, 155,
    156, 156, 156, 157, 158, 159, 160, 161, 161, 161, 162, 163, 164, 165, 166,
    // 3 Sivan
    166, 166, 166, 167, 168, 169, 169, 169, 169, 169, 170, 171, 172, 173, 174,
    174, 174, 175, 176, 177, 178, 179, 179, 179, 180, 181, 182, 183, 184, 184,
    // 4 Tammuz
    184, 185, 186, 187, 188, 189, 189, 189, 190, 191, 192, 193, 194, 194, 194,
    195, 196, 197, 198, 199, 199, 199, 200, 201, 202, 203, 204, 204, 204, 205,
    // 5 Av
    205, 206, 207, 208, 209, 209, 209, 210, 211, 212, 213, 214, 214, 214, 215,
    216, 217, 218, 219, 219, 219, 220, 221, 222, 223, 224, 224, 224, 225, 226,
    // 6 Elul
    227, 228, 229, 229, 229, 230, 231, 232, 233, 234, 234, 234, 235, 236, 237,
    238, 239, 239, 239, 240, 241, 242, 243, 244, 244, 244, 245, 246, 247, 1,
    // 7 Tishri
    1, 1, 1, 2, 3, 4, 5, 5, 5, 6, 6, 7, 8, 9, 10,
    10, 10, 11, 12, 13, 14, 15, 15, 15, 16, 17, 18, 19, 19, 19,
    // 8 Heshvan
    20, 21, 22, 23, 24, 24, 24, 25, 26, 27, 28, 29, 29, 29, 30,
    31, 32, 33, 34, 34, 34, 35, 36, 37, 38, 39, 39, 39, 40, 41,
    // 9 Kislev
    42, 43, 44, 44, 44, 45, 46, 47, 48, 49, 49, 49, 50, 51, 52,
    53, 54, 54, 54, 55, 56, 57, 58, 59, 59, 59, 60, 61, 62, 63,
    // 10 Tevet
    64, 64, 64, 65, 66, 67, 68, 69, 69, 69, 70, 71, 72, 73, 74,
    74, 74, 75, 76, 77, 78, 79, 79, 79, 80, 81, 82, 83, 84, 84,
    // 11 Shevat
    84, 84, 85, 86, 87, 88, 89, 89, 89, 90, 91, 92, 93, 94, 94,
    94, 95, 96, 97, 98, 99, 99, 99, 100, 101, 102, 103, 104, 104, 104,
    // 12 Adar
    105, 106, 107, 108, 109, 109, 109, 110, 111, 112, 113, 114, 114, 114, 115,
    116, 117, 118, 119, 119, 119, 120, 121, 122, 123, 124, 124, 124, 125, 126,
    // 13 Adar II
    126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126,
    126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126,
};
// clang-format on

std::uint16_t LessonForHebrewDate(HebrewDate date) {
  if (date.month < 1 || date.month > kScheduleMonths) return 0;
  if (date.day < 1 || date.day > kScheduleDays) return 0;
  const auto entry = LessonSchedule[kScheduleDays * (date.month - 1) + (date.day - 1)];
  return static_cast<std::uint16_t>(entry & 0xFFFF);
}

std::uint16_t LessonForDayNumber(DayNumber day) {
  return LessonForHebrewDate(HebrewFromDayNumber(day));
}

void SelectLesson(std::uint16_t lesson, bool force) {
  AppState& app = g_app;
  if (lesson != 0) {
    app.Flags |= flags::LessonPinned;
    if (lesson != app.CurrentLesson) {
      app.CurrentLesson = lesson;
      app.SavedPosition = 0;
    }
    return;
  }
  if ((app.Flags & flags::LessonPinned) != 0 && !force) return;

  FollowTodaysLesson(LessonForDayNumber(DayNumberFromCivil(TodayCivil())));
}

void FollowTodaysLesson(std::uint16_t todaysLesson) {
  AppState& app = g_app;
  if (todaysLesson != app.CurrentLesson) {
    app.SavedPosition = 0;
    app.CurrentLesson = todaysLesson;
  }
  // The schedule holds no number outside the series; this keeps lesson 0 off the view anyway.
  if (app.CurrentLesson == 0 || app.CurrentLesson > kLessonCount) app.CurrentLesson = 1;
  app.Flags &= ~flags::LessonPinned;
}

}  // namespace qm
