// The settings seam: the registry calls the settings code makes, over two fixed keys.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qm {

// HKEY_CURRENT_USER paths: the reader's own values, and the publisher's (read only).
inline constexpr char16_t kSettingsKey[] = u"Software\\Tarnwick\\Quillmere - 5770 (yid)";
inline constexpr char16_t kPublisherKey[] = u"software\\Brennhall";

// Value types, with the platform's numbers.
inline constexpr std::uint32_t kTypeString = 1;  // REG_SZ
inline constexpr std::uint32_t kTypeBinary = 3;  // REG_BINARY
inline constexpr std::uint32_t kTypeDword = 4;   // REG_DWORD

struct ValueInfo {
  std::uint32_t type = 0;
  std::uint32_t size = 0;  // bytes
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Type and byte size of value `name` under `key`; false when the key or the value is missing.
  virtual bool QueryValue(std::u16string_view key, std::u16string_view name, ValueInfo& info) = 0;
  // Copies the value's data into `buffer` and its byte count into `size`. False when the key or
  // the value is missing or the data does not fit (nothing is then promised about `buffer`).
  virtual bool ReadValue(std::u16string_view key,
                         std::u16string_view name,
                         std::span<std::uint8_t> buffer,
                         std::uint32_t& size) = 0;
  // Stores a typed value under kSettingsKey, creating the key when missing.
  virtual bool WriteValue(std::u16string_view name,
                          std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;
};

// The store in force: the registry in the program, an in-memory one in tests. Without one every
// read gives its default and every write fails.
void SetSettingsStore(SettingsStore* store);
SettingsStore* CurrentSettingsStore();

}  // namespace qm
