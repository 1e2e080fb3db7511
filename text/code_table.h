// The reader's 8-bit text code (ReaderCode): what each code becomes for display.
#pragma once

#include <array>
#include <cstdint>

namespace qm {

inline constexpr std::uint8_t kFirstCode = 0x10;
inline constexpr std::uint8_t kLastCode = 0x7B;
inline constexpr std::size_t kCodeCount = kLastCode - kFirstCode + 1;  // 108

inline constexpr std::uint8_t kFirstPoint = 0x15;  // vowel points 0x15..0x1F advance nothing
inline constexpr std::uint8_t kLastPoint = 0x1F;
inline constexpr std::uint8_t kHolam = 0x1F;
inline constexpr std::uint8_t kFirstLetter = 0x61;  // alef; 27 letters up to 0x7B (tav)
inline constexpr int kLetterCount = 27;

inline constexpr char16_t kHolamUnit = 0x05B9;

struct UnicodePair {
  char16_t first;
  char16_t second;  // 0 when the code is a single unit
};

// Indexed by code - 0x10.
extern const std::array<UnicodePair, kCodeCount> kUnicodeColumn;
extern const std::array<std::uint8_t, kCodeCount> kEightBitColumn;  // 0: dropped

constexpr bool IsConvertedCode(std::uint8_t b) { return b >= kFirstCode && b <= kLastCode; }
constexpr bool IsVowelPoint(std::uint8_t b) { return b >= kFirstPoint && b <= kLastPoint; }

}  // namespace qm
