// Matching of a search pattern against stored text: backward scan with vowel points ignored,
// "?" and "*" wildcards, and the scan of a whole document text paragraph by paragraph.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace qm {

// A match found by MatchBackward: `high` is the index (from the scan's first byte) of the
// match's highest byte, its first in reading order; -1 when nothing matched.
struct Match {
  std::ptrdiff_t high = -1;
  std::uint32_t length = 0;  // bytes, from high - length + 1 up to high
  explicit operator bool() const { return high >= 0; }
};

// Looks for the pattern (stored order, ReaderCode) in first[0..from], scanning downward from
// `from`; from < 0 scans nothing. The pattern's last byte is the anchor and compares by fold
// value only. Stars that are the pattern's first bytes (typed last) match the empty run, so the
// rest of the pattern decides alone, also at the end of a paragraph. An empty pattern matches the
// empty string at `from`.
Match MatchBackward(const std::uint8_t* first,
                    std::span<const std::uint8_t> pattern,
                    std::ptrdiff_t from);

// A hit in a document text: the offset of its first byte in reading order (its highest
// offset), 0 when there is none.
struct TextHit {
  std::uint16_t offset = 0;
  std::uint32_t length = 0;
  explicit operator bool() const { return offset != 0; }
};

inline constexpr std::size_t kUnboundedText = std::numeric_limits<std::size_t>::max();

// The first occurrence of the pattern at or after `start` in reading order (downward through a
// paragraph, upward through the paragraphs). The walk stops at the text's terminating zeros and
// never reads at or beyond `size` bytes. When the paragraph list cannot be allocated (after the
// out-of-memory path has run) the text counts as holding no match.
TextHit FindInText(const std::uint8_t* text,
                   std::size_t size,
                   std::uint16_t start,
                   std::span<const std::uint8_t> pattern);

// The pattern held in a zero-terminated search text field (at most size - 1 bytes).
std::span<const std::uint8_t> PatternOf(std::span<const std::uint8_t> field);

}  // namespace qm
