// Rows of the font dialog's size list.
#include "fontdlg/font_sizes.h"

#include <algorithm>

namespace qm {

std::vector<std::int32_t> SizeListRows(std::int32_t currentSize) {
  const bool slot = currentSize != 0 && std::find(kFontSizes.begin(), kFontSizes.end(),
                                                  currentSize) == kFontSizes.end();
  std::vector<std::int32_t> rows;
  std::int32_t before = 0;
  bool first = true;
  for (std::int32_t s : kFontSizes) {
    if (slot && currentSize < s && (first || currentSize > before)) rows.push_back(currentSize);
    rows.push_back(s);
    before = s;
    first = false;
  }
  return rows;
}

}  // namespace qm
