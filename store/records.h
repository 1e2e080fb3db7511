// Lesson and index records: lookup by number and PalmDoc LZ77 decompression.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "frame/heap.h"

namespace qm {

enum LoadStatus : std::int32_t {
  RecordNotFound = 1,
  RecordUnreadable = 2,
  BadStream = 3,
  BadArgument = 4,
  LengthMismatch = 5,
  // A token would read past the end of the source (the operand of a back-reference, or the
  // bytes of a literal run that are still needed), or a back-reference has distance 0 or reaches
  // before the start of the output. Like LengthMismatch, it shows "UnCompress() buffer error!":
  // both mean the stream does not decode to its text.
  CorruptStream = 6,
};

// "RecordNotFound" ... "CorruptStream"; "" for any other value.
std::string_view LoadStatusName(std::int32_t status);

// Decoded text: TextLength bytes, a zero at index TextLength, one more byte not set.
using TextBuffer = HeapArray<std::uint8_t>;

// Every function below returns null on failure, with the reason in *status when given; on
// success *status is left as it was. A failure leaves nothing allocated. Only LengthMismatch
// and CorruptStream show a notice (UncompressError, no owner), before returning.

// Record `number` (1..247, or 31767 for the index) of the current record source, decoded into a
// new buffer. The number maps to identifier (number + 1000) & 0xFFFF. For number <= 0 it
// returns null at once and leaves *status untouched.
TextBuffer LoadRecord(std::int32_t number, std::int32_t* status = nullptr);

// While one of these lives, a stream that does not decode fails with its status but without the
// UncompressError notice: for the loads that pass over an unreadable lesson without a word
// (stepping to the next lesson, searching). Scopes nest.
class QuietDecoding {
 public:
  QuietDecoding();
  ~QuietDecoding();
  QuietDecoding(const QuietDecoding&) = delete;
  QuietDecoding& operator=(const QuietDecoding&) = delete;
};

// A whole record as stored: the 6-byte header (PayloadLength, SequenceFirst, SequenceLast,
// big-endian) and the payload. A record shorter than its header, or whose PayloadLength claims
// more bytes than follow the header, is BadStream. LoadRecord decodes through this.
TextBuffer DecodeRecord(std::span<const std::uint8_t> record, std::int32_t* status = nullptr);

// The payload after the record header: stream header (CompressedLength, TextLength, big-endian)
// then the compressed bytes. BadArgument for a null payload; BadStream when payloadLength < 5,
// CompressedLength is 0, or CompressedLength exceeds the payloadLength - 4 bytes after the stream
// header.
TextBuffer DecodeStream(const std::uint8_t* payload,
                        std::uint32_t payloadLength,
                        std::int32_t* status = nullptr);

// The PalmDoc decoder: sourceLength bytes of tokens into a buffer of textLength + 4 bytes, the
// text followed by four zero bytes.
// BadArgument for a null source or textLength 0; RecordUnreadable when the buffer cannot be
// allocated (silent); LengthMismatch when the tokens end before textLength bytes; CorruptStream
// as described above. Reads only source[0, sourceLength).
TextBuffer Decompress(const std::uint8_t* source,
                      std::uint32_t sourceLength,
                      std::uint32_t textLength,
                      std::int32_t* status = nullptr);

}  // namespace qm
