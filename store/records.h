// Lesson and index records: lookup by number and PalmDoc LZ77 decompression.
#pragma once

#include <cstdint>

#include "frame/heap.h"

namespace qm {

enum LoadStatus : std::int32_t {
  RecordNotFound = 1,
  RecordUnreadable = 2,
  BadStream = 3,
  BadArgument = 4,
  LengthMismatch = 5,
  CorruptStream = 6,  // a token reads past the source or copies from before the output start
};

// Decoded text: TextLength bytes, a zero at index TextLength, one more byte not set.
using TextBuffer = HeapArray<std::uint8_t>;

// Record `number` (1..247, or 31767 for the index) decoded into a new buffer; null on failure,
// with the reason in *status when given (left untouched for number <= 0 and on success).
TextBuffer LoadRecord(std::int32_t number, std::int32_t* status = nullptr);

// The payload after the 6-byte record header: stream header (CompressedLength, TextLength,
// big-endian) then the compressed bytes.
TextBuffer DecodeStream(const std::uint8_t* payload, std::uint32_t payloadLength,
                        std::int32_t* status = nullptr);

TextBuffer Decompress(const std::uint8_t* source, std::uint32_t sourceLength,
                      std::uint32_t textLength, std::int32_t* status = nullptr);

}  // namespace qm
