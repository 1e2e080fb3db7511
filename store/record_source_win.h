// The records of a Windows module: its RT_RCDATA resources, used in place.
#pragma once

#include <windows.h>

#include "store/record_source.h"

namespace qm {

class ResourceRecordSource final : public RecordSource {
 public:
  // `module` is the program's own instance (or a module loaded for its resources); not owned.
  explicit ResourceRecordSource(HMODULE module) : module_(module) {}

  RecordLookup Find(std::uint16_t id, std::span<const std::uint8_t>& bytes) const override;

 private:
  HMODULE module_;
};

}  // namespace qm
