// Fuzzes the stream decoder: any payload either decodes to its TextLength or fails cleanly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0xFFFF + 10) return -1;  // a payload length is 16 bits; larger adds nothing
  constexpr std::int32_t kUntouched = -1;
  std::int32_t status = kUntouched;
  const qm::TextBuffer text = qm::DecodeStream(data, static_cast<std::uint32_t>(size), &status);
  if (text) {
    const std::size_t textLength = (std::size_t{data[2]} << 8) | data[3];
    if (status != kUntouched || text[textLength] != 0) std::abort();
  } else if (qm::LoadStatusName(status).empty()) {
    std::abort();
  }
  return 0;
}
