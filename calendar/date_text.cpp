// Strict parsing of YYYY-MM-DD civil dates.
#include "calendar/date_text.h"

namespace qm {

namespace {
bool ParseDigits(std::string_view text, std::int32_t& value) {
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return !text.empty();
}
}  // namespace

std::optional<CivilDate> ParseCivilDate(std::string_view text) {
  const auto dash = text.find('-');
  if (dash != 4 && dash != 5) return std::nullopt;
  if (text.size() != dash + 6 || text[dash + 3] != '-') return std::nullopt;
  if (dash == 5 && text[0] == '0') return std::nullopt;
  CivilDate date;
  if (!ParseDigits(text.substr(0, dash), date.year) ||
      !ParseDigits(text.substr(dash + 1, 2), date.month) ||
      !ParseDigits(text.substr(dash + 4, 2), date.day)) {
    return std::nullopt;
  }
  if (date.year < 1 || date.year > kLastCivilYear || date.month < 1 || date.month > 12 ||
      date.day < 1) {
    return std::nullopt;
  }
  // A day past the end of its month comes back from the day count as another date.
  if (CivilFromDayNumber(DayNumberFromCivil(date)) != date) return std::nullopt;
  return date;
}

}  // namespace qm
