// The generated record table as a RecordSource.
#include "resources/generated_records.h"

#include <vector>

namespace qm {

std::span<const RecordEntry> GeneratedRecordEntries() {
  static const std::vector<RecordEntry> entries = [] {
    std::vector<RecordEntry> v;
    v.reserve(kGeneratedRecordCount);
    for (std::size_t i = 0; i < kGeneratedRecordCount; ++i) {
      const GeneratedRecord& r = kGeneratedRecords[i];
      v.push_back({r.id, {reinterpret_cast<const std::uint8_t*>(r.bytes), r.size}});
    }
    return v;
  }();
  return entries;
}

const RecordSource& GeneratedRecordSource() {
  static const TableRecordSource source(GeneratedRecordEntries());
  return source;
}

void InstallGeneratedRecords() {
  SetRecordSource(&GeneratedRecordSource());
}

}  // namespace qm
