// PalmDoc LZ77 compression, the inverse of the reader's stream decoder.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qm::recc {

inline constexpr std::size_t kMaxDistance = 2047;
inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kMaxMatch = 10;
inline constexpr std::size_t kMaxLiteralRun = 8;

// Tokens: literal runs of 1 to 8 bytes (the only place for bytes 0x01..0x08 and 0x80..0xFF),
// single literals 0x00 and 0x09..0x7F, back-references of 3 to 10 bytes at distance 1 to 2047,
// and a space followed by a byte 0x40..0x7F as one byte.
std::vector<std::uint8_t> CompressPalmDoc(std::span<const std::uint8_t> text);

}  // namespace qm::recc
