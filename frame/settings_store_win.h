// The settings store over the per-user registry.
#pragma once

#include "frame/settings_store.h"

namespace qm {

class RegistrySettingsStore final : public SettingsStore {
 public:
  bool QueryValue(std::u16string_view key, std::u16string_view name, ValueInfo& info) override;
  bool ReadValue(std::u16string_view key,
                 std::u16string_view name,
                 std::span<std::uint8_t> buffer,
                 std::uint32_t& size) override;
  bool WriteValue(std::u16string_view name,
                  std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
};

}  // namespace qm
