// The stored search text written from the search edit, with the chosen font's letter base.
#include "frame/app_state.h"
#include "search/hebrew_keys.h"

namespace qm {

void EditTextToReaderCode(std::u16string_view units) {
  UnitsToReaderCode(units, TypingBase(),
                    std::span<std::uint8_t, kSearchTextSize>(g_app.SearchText));
}

std::int32_t TypingBase() {
  const std::int32_t base = g_app.FontSettings.FontAsciiBase;
  return base != 0 ? base : BaseUnicode;
}

}  // namespace qm
