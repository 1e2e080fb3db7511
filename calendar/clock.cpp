// The clock seam and its portable default.
#include "calendar/clock.h"

#include <ctime>

namespace qm {

namespace {
Clock g_clock = &StandardLocalDate;
}  // namespace

CivilDate StandardLocalDate() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) local = std::gmtime(&now);
  if (local == nullptr) return {1, 1, 1970};
  return {local->tm_mon + 1, local->tm_mday, local->tm_year + 1900};
}

void SetClock(Clock clock) {
  g_clock = clock != nullptr ? clock : &StandardLocalDate;
}

CivilDate TodayCivil() {
  return g_clock();
}

}  // namespace qm
