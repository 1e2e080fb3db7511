// Lesson and index records: the 6-byte header, the stream header, the stream and the trailer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm::recc {

inline constexpr std::size_t kRecordHeaderSize = 10;  // record header + stream header
inline constexpr std::size_t kTrailerSize = 4;

// SequenceFirst/SequenceLast: lesson number + 20 twice, or 1 and 255 for the index.
std::uint16_t SequenceFirst(int number);
std::uint16_t SequenceLast(int number);

// Compresses `text` into a complete record; false with a message when a length overflows 16 bits.
bool BuildRecord(int number,
                 std::span<const std::uint8_t> text,
                 std::vector<std::uint8_t>& record,
                 std::string& error);

struct RecordHeader {
  std::uint16_t payloadLength;
  std::uint16_t sequenceFirst;
  std::uint16_t sequenceLast;
  std::uint16_t compressedLength;
  std::uint16_t textLength;
};

// The header fields of a record of at least 10 bytes.
bool ReadRecordHeader(std::span<const std::uint8_t> record, RecordHeader& header);

}  // namespace qm::recc
