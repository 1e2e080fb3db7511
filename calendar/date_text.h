// Civil dates written as text: strict YYYY-MM-DD.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calendar/hebrew_calendar.h"

namespace qm {

// The last year of the Windows clock, up to which 32-bit day arithmetic is ample.
inline constexpr std::int32_t kLastCivilYear = 30827;

// Exactly YYYY-MM-DD, a five-digit year from 10000 on, naming a real day of the years
// 1..kLastCivilYear; nothing else is accepted (no signs, spaces or missing zeros).
std::optional<CivilDate> ParseCivilDate(std::string_view text);

}  // namespace qm
