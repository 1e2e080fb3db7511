// Registry access of the settings store: every call opens its key under HKEY_CURRENT_USER and
// closes it again, also when the value is missing.
#include "frame/settings_store_win.h"

#include <windows.h>

#include <string>

namespace qm {

namespace {

static_assert(kTypeString == REG_SZ && kTypeBinary == REG_BINARY && kTypeDword == REG_DWORD);

std::wstring Wide(std::u16string_view s) {
  return std::wstring(s.begin(), s.end());
}

class ScopedKey {
 public:
  ScopedKey() = default;
  ~ScopedKey() {
    if (key_) RegCloseKey(key_);
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  bool OpenForReading(std::u16string_view path) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, KEY_READ, &key_) ==
           ERROR_SUCCESS;
  }
  bool OpenForWriting(std::u16string_view path) {
    return RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr,
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_,
                           nullptr) == ERROR_SUCCESS;
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool RegistrySettingsStore::QueryValue(std::u16string_view key,
                                       std::u16string_view name,
                                       ValueInfo& info) {
  ScopedKey k;
  if (!k.OpenForReading(key)) return false;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(k.get(), Wide(name).c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return false;
  info = {type, size};
  return true;
}

bool RegistrySettingsStore::ReadValue(std::u16string_view key,
                                      std::u16string_view name,
                                      std::span<std::uint8_t> buffer,
                                      std::uint32_t& size) {
  ScopedKey k;
  if (!k.OpenForReading(key)) return false;
  // A zero-sized buffer would turn the read into a size query that succeeds for any value.
  std::uint8_t none = 0;
  DWORD bytes = static_cast<DWORD>(buffer.size());
  LPBYTE data = buffer.empty() ? &none : buffer.data();
  if (RegQueryValueExW(k.get(), Wide(name).c_str(), nullptr, nullptr, data, &bytes) !=
      ERROR_SUCCESS)
    return false;
  if (bytes > buffer.size()) return false;
  size = bytes;
  return true;
}

bool RegistrySettingsStore::WriteValue(std::u16string_view name,
                                       std::uint32_t type,
                                       std::span<const std::uint8_t> data) {
  ScopedKey k;
  if (!k.OpenForWriting(kSettingsKey)) return false;
  return RegSetValueExW(k.get(), Wide(name).c_str(), 0, type, data.data(),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

}  // namespace qm
