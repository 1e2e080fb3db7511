// Record assembly around the compressed stream.
#include "tools/recc/record_file.h"

#include "tools/recc/palmdoc_compressor.h"
#include "tools/recc/source_markup.h"

namespace qm::recc {

namespace {
void PutBig16(std::vector<std::uint8_t>& out, std::size_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}
std::uint16_t Big16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}
}  // namespace

std::uint16_t SequenceFirst(int number) {
  return static_cast<std::uint16_t>(number == kIndexNumber ? 1 : number + 20);
}
std::uint16_t SequenceLast(int number) {
  return static_cast<std::uint16_t>(number == kIndexNumber ? 255 : number + 20);
}

bool BuildRecord(int number,
                 std::span<const std::uint8_t> text,
                 std::vector<std::uint8_t>& record,
                 std::string& error) {
  if (text.empty() || text.size() > 0xFFFF) {
    error = "text length " + std::to_string(text.size()) + " is not 1 to 65535";
    return false;
  }
  const std::vector<std::uint8_t> stream = CompressPalmDoc(text);
  const std::size_t payload = 4 + stream.size() + kTrailerSize;
  if (payload > 0xFFFF) {
    error = "compressed stream of " + std::to_string(stream.size()) + " bytes is too long";
    return false;
  }
  record.clear();
  record.reserve(6 + payload);
  PutBig16(record, payload);
  PutBig16(record, SequenceFirst(number));
  PutBig16(record, SequenceLast(number));
  PutBig16(record, stream.size());
  PutBig16(record, text.size());
  record.insert(record.end(), stream.begin(), stream.end());
  record.insert(record.end(), kTrailerSize, 0);
  return true;
}

bool ReadRecordHeader(std::span<const std::uint8_t> record, RecordHeader& header) {
  if (record.size() < kRecordHeaderSize) return false;
  header = {Big16(record, 0), Big16(record, 2), Big16(record, 4), Big16(record, 6),
            Big16(record, 8)};
  return true;
}

}  // namespace qm::recc
