// The stored search text to and from the search edit, with the chosen font's letter base and
// the edit's order.
#include "frame/app_state.h"
#include "search/hebrew_keys.h"
#include "text/run_order.h"

namespace qm {

void EditTextToReaderCode(std::u16string_view units) {
  UnitsToReaderCode(units, TypingBase(), std::span<std::uint8_t, kSearchTextSize>(g_app.SearchText),
                    SearchEditOrder());
}

std::u16string SearchTextToEditText() {
  return ReaderCodeToUnits(g_app.SearchText, TypingBase(), SearchEditOrder());
}

EditOrder SearchEditOrder() {
  return RunsInReadingOrder(TypingBase()) ? EditOrder::Reading : EditOrder::Visual;
}

std::int32_t TypingBase() {
  const std::int32_t base = g_app.FontSettings.FontAsciiBase;
  return base != 0 ? base : BaseUnicode;
}

}  // namespace qm
