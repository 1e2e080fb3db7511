// File side of the record compiler: read sources, write records and the generated build inputs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/recc/source_markup.h"

namespace qm::recc {

bool ReadWholeFile(const std::string& path, std::string& content, std::string& error);
bool WriteWholeFile(const std::string& path,
                    const void* data,
                    std::size_t size,
                    std::string& error);

struct CompiledRecord {
  int number = 0;
  Bytes text;
  Bytes record;
};

// Reads, compiles and compresses one source file.
bool CompileFile(const std::string& path, CompiledRecord& out, std::string& error);

// The resource identifier of a record: number + 1000 (32767 for the index).
inline std::uint16_t ResourceId(int number) {
  return static_cast<std::uint16_t>(number + 1000);
}

// "1001 RCDATA \"DIR/lesson-001.rec\"" lines, in the order given.
std::string ResourceScript(const std::vector<CompiledRecord>& records,
                           const std::string& recordDir);

// A C++ file defining kGeneratedRecords (resources/generated_records.h) over the records.
std::string RecordTableSource(const std::vector<CompiledRecord>& records);

// "lesson-001.rec" or "index.rec".
std::string RecordFileName(int number);

}  // namespace qm::recc
