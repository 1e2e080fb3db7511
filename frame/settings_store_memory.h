// An in-memory settings store for tests and fuzzing: typed values under both keys, a write log,
// and ways to seed values of any type and size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frame/settings_store.h"

namespace qm {

class MemorySettingsStore final : public SettingsStore {
 public:
  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
  };

  MemorySettingsStore() { SetSettingsStore(this); }
  ~MemorySettingsStore() override { SetSettingsStore(nullptr); }
  MemorySettingsStore(const MemorySettingsStore&) = delete;
  MemorySettingsStore& operator=(const MemorySettingsStore&) = delete;

  bool QueryValue(std::u16string_view key, std::u16string_view name, ValueInfo& info) override {
    const Value* v = Find(key, name);
    if (!v) return false;
    info = {v->type, static_cast<std::uint32_t>(v->bytes.size())};
    return true;
  }

  bool ReadValue(std::u16string_view key,
                 std::u16string_view name,
                 std::span<std::uint8_t> buffer,
                 std::uint32_t& size) override {
    const Value* v = Find(key, name);
    if (!v || v->bytes.size() > buffer.size()) return false;
    std::copy(v->bytes.begin(), v->bytes.end(), buffer.begin());
    size = static_cast<std::uint32_t>(v->bytes.size());
    return true;
  }

  bool WriteValue(std::u16string_view name,
                  std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
    writes.emplace_back(name);
    if (failWrites) return false;
    values[{kSettingsKey, std::u16string(name)}] = {type, {data.begin(), data.end()}};
    return true;
  }

  // Seeding.
  void SetRaw(std::u16string_view name,
              std::uint32_t type,
              std::vector<std::uint8_t> bytes,
              std::u16string_view key = kSettingsKey) {
    values[{std::u16string(key), std::u16string(name)}] = {type, std::move(bytes)};
  }
  void SetDword(std::u16string_view name, std::uint32_t v, std::u16string_view key = kSettingsKey) {
    SetRaw(name, kTypeDword,
           {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)},
           key);
  }
  // UTF-16 little-endian units exactly as given (add the terminator yourself).
  void SetUnits(std::u16string_view name,
                std::uint32_t type,
                std::u16string_view units,
                std::u16string_view key = kSettingsKey) {
    std::vector<std::uint8_t> bytes;
    for (char16_t u : units) {
      bytes.push_back(std::uint8_t(u));
      bytes.push_back(std::uint8_t(u >> 8));
    }
    SetRaw(name, type, std::move(bytes), key);
  }

  // Inspection.
  std::optional<Value> Get(std::u16string_view name, std::u16string_view key = kSettingsKey) const {
    if (const Value* v = Find(key, name)) return *v;
    return std::nullopt;
  }
  std::optional<std::uint32_t> Dword(std::u16string_view name) const {
    const Value* v = Find(kSettingsKey, name);
    if (!v || v->type != kTypeDword || v->bytes.size() != 4) return std::nullopt;
    std::uint32_t r = 0;
    for (int i = 3; i >= 0; --i)
      r = (r << 8) | v->bytes[i];
    return r;
  }
  bool Has(std::u16string_view name) const { return Find(kSettingsKey, name) != nullptr; }

  std::map<std::pair<std::u16string, std::u16string>, Value> values;
  std::vector<std::u16string> writes;  // names in the order they were written
  bool failWrites = false;

 private:
  const Value* Find(std::u16string_view key, std::u16string_view name) const {
    auto it = values.find({std::u16string(key), std::u16string(name)});
    return it == values.end() ? nullptr : &it->second;
  }
};

}  // namespace qm
