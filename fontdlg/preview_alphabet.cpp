// The preview's alphabet in visual or reading order.
#include "fontdlg/preview_alphabet.h"

#include <algorithm>

#include "text/run_order.h"

namespace qm {

std::u16string PreviewAlphabet(std::int32_t base) {
  std::u16string letters;
  for (int i = 26; i >= 0; --i)
    letters.push_back(static_cast<char16_t>(base + i));
  if (PlatformReadsInReadingOrder(base)) std::reverse(letters.begin(), letters.end());
  return letters;
}

}  // namespace qm
