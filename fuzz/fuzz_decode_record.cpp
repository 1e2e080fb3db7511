// Fuzzes whole records: the record header must never let the decoder past the record's end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "store/records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0xFFFF + 16) return -1;
  std::int32_t status = 0;
  const qm::TextBuffer text = qm::DecodeRecord(std::span(data, size), &status);
  if (!text && qm::LoadStatusName(status).empty()) std::abort();
  if (text && status != 0) std::abort();
  return 0;
}
