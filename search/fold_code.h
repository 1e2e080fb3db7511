// The value a byte takes part in search comparisons with: letters and pointed letters fold to
// their bare letter, vowel points to 0 (ignorable), everything else to itself.
#pragma once

#include <array>
#include <cstdint>

namespace qm {

inline constexpr std::uint8_t kAnyOne = 0x3F;  // "?": any one non-ignorable byte
inline constexpr std::uint8_t kAnyRun = 0x2A;  // "*": any run of bytes

// Codes 0x10..0x7B take their 8-bit column value from the code table. Bytes outside that range
// (0x01..0x0F, 0x7C..0xFF) have no entry and fold to themselves, so they are never ignorable;
// 0xE0..0xFA thereby match the letters, as an 8-bit Hebrew font shows them. Byte 0 (which
// never occurs inside a paragraph) folds to 0.
// The values of all 256 bytes, made once from the code table (the scan reads it per byte).
extern const std::array<std::uint8_t, 256> kFoldTable;

inline std::uint8_t FoldCode(std::uint8_t code) {
  return kFoldTable[code];
}

// A byte the comparison steps over in the text: the vowel points, and nothing else.
inline bool IsIgnorable(std::uint8_t code) {
  return code != 0 && kFoldTable[code] == 0;
}

}  // namespace qm
