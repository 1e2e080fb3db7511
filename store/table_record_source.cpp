// Lookup in a linked table of records.
#include "store/table_record_source.h"

namespace qm {

RecordLookup TableRecordSource::Find(std::uint16_t id, std::span<const std::uint8_t>& bytes) const {
  for (const RecordEntry& entry : entries_) {
    if (entry.id != id) continue;
    if (entry.bytes.empty()) return RecordLookup::Unreadable;
    bytes = entry.bytes;
    return RecordLookup::Found;
  }
  return RecordLookup::NotFound;
}

}  // namespace qm
