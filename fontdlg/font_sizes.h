// The size column of the font dialog, with the current size slotted in where it belongs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qm {

inline constexpr std::array<std::int32_t, 14> kFontSizes = {10, 11, 12, 14, 16, 18, 20,
                                                            22, 24, 26, 28, 32, 52, 72};

// The rows of the size list for a current size (0: none stored). A size that is not one of the
// column's values goes before the first value above it; one above 72 gets no row.
std::vector<std::int32_t> SizeListRows(std::int32_t currentSize);

}  // namespace qm
