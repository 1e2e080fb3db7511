// Reading and writing the reader's values in the settings store; the load at start and the save
// at shutdown.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "frame/app_state.h"
#include "frame/heap.h"

namespace qm {

// A REG_DWORD as a signed 32-bit number, or any other type as UTF-16 decimal text (each unit up
// to the first zero adds unit - '0', nothing rejected, no overflow check). `fallback` on failure.
std::int32_t ReadNumber(std::u16string_view key, std::u16string_view name, std::int32_t fallback);
// The value's UTF-16 units in a buffer of twice its byte size (at least one unit), always
// terminated within the units that were stored; null on failure.
HeapArray<char16_t> ReadWideString(std::u16string_view name);
// The value's raw bytes in a buffer of exactly its size, and that size in *byteCount; null on
// failure, *byteCount then untouched.
HeapArray<std::uint8_t> ReadBytes(std::u16string_view name, std::uint32_t* byteCount = nullptr);

// Writes under the settings key; true when the value was stored.
bool WriteNumber(std::u16string_view name, std::int32_t value);
bool WriteWideString(std::u16string_view name, std::u16string_view text);  // REG_SZ + terminator
bool WriteByteString(std::u16string_view name, std::span<const std::uint8_t> text);  // + zero byte
bool WriteBytes(std::u16string_view name, std::span<const std::uint8_t> data);

// The margin of a stored "SurroundingGutter": a negative one is none, and one wider than any
// screen is cut to kMaxGutter, so that twice it still fits 32 bits; the view keeps no margin in
// an area not larger than two gutters.
inline constexpr std::int32_t kMaxGutter = 0x3FFF;
constexpr std::int32_t StoredGutter(std::int32_t stored) {
  return stored < 0 ? 0 : stored > kMaxGutter ? kMaxGutter : stored;
}

// What the settings code needs of the platform beyond the store.
struct SettingsPlatform {
  BitmapHandle (*LoadBitmap)(InstanceHandle instance, int id) = nullptr;
  void (*DeleteBitmap)(BitmapHandle bitmap) = nullptr;
  void (*PostQuit)(int code) = nullptr;
};
void SetSettingsPlatform(const SettingsPlatform& platform);

// Fills FontSettings, SearchText, SavedPosition, Flags, CurrentLesson, MarkBitmaps and the
// bookmarks from the store, and installs SaveSettingsAndQuit as the out-of-memory save.
void LoadSettings();

// Writes the settings and bookmarks, releases the document, bitmaps and bookmarks and posts the
// quit message. Runs at most once per process: later calls do nothing.
void SaveSettingsAndQuit();
bool ShutdownSaveDone();
void ResetShutdownSaveForTesting();

}  // namespace qm
