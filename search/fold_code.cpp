// Fold values of the search comparison, from the 8-bit column of the code table.
#include "search/fold_code.h"

#include "text/code_table.h"

namespace qm {

namespace {

std::array<std::uint8_t, 256> BuildFoldTable() {
  std::array<std::uint8_t, 256> t{};
  for (int b = 0; b < 256; ++b) {
    const auto code = static_cast<std::uint8_t>(b);
    t[code] = IsConvertedCode(code) ? kEightBitColumn[code - kFirstCode] : code;
  }
  return t;
}

}  // namespace

const std::array<std::uint8_t, 256> kFoldTable = BuildFoldTable();

}  // namespace qm
