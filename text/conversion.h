// Conversion of ReaderCode runs into the UTF-16 units that the platform draws and measures.
#pragma once

#include <cstdint>

#include "frame/heap.h"

namespace qm {

// A reusable output area. Capacity counts source bytes; Override 0 means FontAsciiBase applies.
struct ConversionBuffer {
  HeapArray<char16_t> Storage;
  std::int32_t Capacity = 0;
  std::int32_t Override = 0;
};

// The program-wide buffer that serves all measuring and drawing of runs. It converts as stored
// until a user sets the base of a right-to-left run, so that an ASCII paragraph measured or
// drawn first keeps its Latin letters.
extern ConversionBuffer g_conversion;

// What a converted run is for. A run to be drawn goes to the platform in the order that
// RunsInReadingOrder (text/run_order.h) gives; a run to be measured keeps the order of its bytes,
// so that a count of fitting units counts from its first byte.
enum class RunUse { Draw, Measure };

// Converts `count` bytes (stopping early at a zero byte; a negative count is 0) into the buffer's
// storage; the result stays valid until the next conversion through that buffer. Null when
// storage cannot be had (the buffer keeps its old storage). *extra (when given) receives units
// produced - count, so count + extra units were written before the terminating zero.
const char16_t* ToDisplayText(const std::uint8_t* text,
                              ConversionBuffer& buffer,
                              std::int32_t count,
                              std::int32_t* extra = nullptr,
                              RunUse use = RunUse::Draw);

// The same without a buffer (FontAsciiBase applies): the caller owns the result.
HeapArray<char16_t> ToDisplayText(const std::uint8_t* text,
                                  std::int32_t count,
                                  std::int32_t* extra = nullptr);

// Reverses n units in place, mirroring brackets; 0, or 1 when scratch storage cannot be had.
int ReverseRun(char16_t* units, std::int32_t n);

// The typed-input letter rule: a unit FontAsciiBase <= u < FontAsciiBase + 27 is letter
// 0x61 + (u - FontAsciiBase), stored in *code, and the answer is true. Any other unit answers
// false with its low 8 bits in *code, for callers that keep such units as they are.
bool TypedLetterCode(char16_t unit, std::int32_t fontAsciiBase, std::uint8_t* code);

// Sets the shared buffer's override for one scope and puts BaseAsStored back afterwards.
class ScopedOverride {
 public:
  explicit ScopedOverride(std::int32_t base) { g_conversion.Override = base; }
  ScopedOverride(const ScopedOverride&) = delete;
  ScopedOverride& operator=(const ScopedOverride&) = delete;
  ~ScopedOverride();
};

}  // namespace qm
