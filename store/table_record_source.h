// A record source over a constant table linked into the program (native builds and tests).
#pragma once

#include <cstdint>
#include <span>

#include "store/record_source.h"

namespace qm {

struct RecordEntry {
  std::uint16_t id;                     // lesson n is n + 1000, the index 32767
  std::span<const std::uint8_t> bytes;  // the whole record; empty reads as Unreadable
};

class TableRecordSource final : public RecordSource {
 public:
  // The table is used in place and must outlive the source. The first entry of an id wins.
  constexpr explicit TableRecordSource(std::span<const RecordEntry> entries) : entries_(entries) {}

  RecordLookup Find(std::uint16_t id, std::span<const std::uint8_t>& bytes) const override;

 private:
  std::span<const RecordEntry> entries_;
};

}  // namespace qm
