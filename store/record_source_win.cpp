// Record lookup through FindResourceW and LoadResource.
#include "store/record_source_win.h"

namespace qm {

RecordLookup ResourceRecordSource::Find(std::uint16_t id,
                                        std::span<const std::uint8_t>& bytes) const {
  HRSRC info = FindResourceW(module_, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!info) return RecordLookup::NotFound;
  const DWORD size = SizeofResource(module_, info);
  if (size == 0) return RecordLookup::Unreadable;
  HGLOBAL loaded = LoadResource(module_, info);
  if (!loaded) return RecordLookup::Unreadable;
  // Resource memory lives as long as the module and is never released or written.
  const void* data = LockResource(loaded);
  if (!data) return RecordLookup::Unreadable;
  bytes = std::span(static_cast<const std::uint8_t*>(data), size);
  return RecordLookup::Found;
}

}  // namespace qm
