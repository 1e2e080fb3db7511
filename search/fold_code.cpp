// Fold values of the search comparison, from the 8-bit column of the code table.
#include "search/fold_code.h"

#include "text/code_table.h"

namespace qm {

std::uint8_t FoldCode(std::uint8_t code) {
  if (!IsConvertedCode(code)) return code;
  return kEightBitColumn[code - kFirstCode];
}

bool IsIgnorable(std::uint8_t code) {
  return code != 0 && FoldCode(code) == 0;
}

}  // namespace qm
