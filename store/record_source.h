// Where the records live: the program's RT_RCDATA resources, or a table linked into native builds.
#pragma once

#include <cstdint>
#include <span>

namespace qm {

enum class RecordLookup {
  Found,
  NotFound,    // no resource with that identifier
  Unreadable,  // found, but of size 0 or not loadable
};

class RecordSource {
 public:
  virtual ~RecordSource() = default;
  // Bytes of data resource `id` (lesson n is n + 1000), used in place and never released.
  virtual RecordLookup Find(std::uint16_t id, std::span<const std::uint8_t>& bytes) const = 0;
};

// The source LoadRecord reads; set once at start (the program, the tool) or per test.
void SetRecordSource(const RecordSource* source);
const RecordSource* CurrentRecordSource();

}  // namespace qm
