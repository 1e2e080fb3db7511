// The lesson and index records compiled by the build, linked in as a constant table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "store/table_record_source.h"

namespace qm {

// One compiled record as the generated table holds it (the bytes of RCDATA `id`).
struct GeneratedRecord {
  std::uint16_t id;
  const char* bytes;
  std::size_t size;
};

// Defined in the generated records_table.cpp: lessons 1001..1247, then the index 32767.
extern const GeneratedRecord kGeneratedRecords[];
extern const std::size_t kGeneratedRecordCount;

// The table as record entries, and a record source over it.
std::span<const RecordEntry> GeneratedRecordEntries();
const RecordSource& GeneratedRecordSource();

// Makes the generated table the source that LoadRecord reads.
void InstallGeneratedRecords();

}  // namespace qm
