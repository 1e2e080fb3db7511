// The reader's values in the settings store: small typed reads and writes, load and save.
#include "frame/settings.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "frame/alloc_or_abort.h"
#include "frame/bookmarks.h"
#include "frame/settings_store.h"
#include "resources/resource.h"
#include "text/document.h"

namespace qm {

namespace {

SettingsPlatform g_platform;
bool g_saved = false;
bool g_loading = false;

constexpr std::size_t kFontNameUnits = 31;
constexpr std::size_t kSearchTextBytes = 33;

// Units of a UTF-16LE value that are wholly stored: an odd last byte is ignored.
std::size_t UnitCount(std::uint32_t byteSize) {
  return byteSize / 2;
}

char16_t UnitAt(const std::uint8_t* bytes, std::size_t i) {
  return static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

std::int32_t ParseDecimalUnits(const std::uint8_t* bytes, std::size_t units) {
  // Unsigned arithmetic wraps like the stored program's 32-bit sum, without undefined overflow.
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t u = UnitAt(bytes, i);
    if (u == 0) break;
    n = n * 10u + (static_cast<std::uint32_t>(u) - 0x30u);
  }
  return static_cast<std::int32_t>(n);
}

}  // namespace

std::int32_t ReadNumber(std::u16string_view key, std::u16string_view name, std::int32_t fallback) {
  SettingsStore* store = CurrentSettingsStore();
  ValueInfo info;
  if (!store || !store->QueryValue(key, name, info)) return fallback;
  if (info.type == kTypeDword) {
    // A DWORD of any other size than four bytes is malformed: the default, not stray bytes.
    std::array<std::uint8_t, 4> b{};
    std::uint32_t got = 0;
    if (info.size != 4 || !store->ReadValue(key, name, b, got) || got != 4) return fallback;
    return static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                     (std::uint32_t{b[3]} << 24));
  }
  const std::size_t bytes = std::size_t{info.size} * 2;
  HeapArray<std::uint8_t> buffer(static_cast<std::uint8_t*>(AllocOrAbort(bytes)));
  if (!buffer) return fallback;
  std::uint32_t got = 0;
  if (!store->ReadValue(key, name, std::span(buffer.get(), bytes), got)) return fallback;
  return ParseDecimalUnits(buffer.get(), UnitCount(std::min(got, info.size)));
}

HeapArray<char16_t> ReadWideString(std::u16string_view name) {
  SettingsStore* store = CurrentSettingsStore();
  ValueInfo info;
  if (!store || !store->QueryValue(kSettingsKey, name, info)) return nullptr;
  const std::size_t units = std::max<std::size_t>(info.size, 1);
  HeapArray<char16_t> text(static_cast<char16_t*>(AllocOrAbort(units * sizeof(char16_t))));
  if (!text) return nullptr;
  auto* raw = reinterpret_cast<std::uint8_t*>(text.get());
  std::uint32_t got = 0;
  if (!store->ReadValue(kSettingsKey, name, std::span(raw, units * sizeof(char16_t)), got))
    return nullptr;
  // Decode in place (the bytes are little-endian units) and terminate after the whole units
  // stored, so a value without its terminator cannot be read past.
  const std::size_t stored = UnitCount(std::min(got, info.size));
  for (std::size_t i = 0; i < stored; ++i)
    text[i] = UnitAt(raw, i);
  text[std::min(stored, units - 1)] = 0;
  return text;
}

HeapArray<std::uint8_t> ReadBytes(std::u16string_view name, std::uint32_t* byteCount) {
  SettingsStore* store = CurrentSettingsStore();
  ValueInfo info;
  if (!store || !store->QueryValue(kSettingsKey, name, info)) return nullptr;
  HeapArray<std::uint8_t> data(static_cast<std::uint8_t*>(AllocOrAbort(info.size)));
  if (!data) return nullptr;
  std::uint32_t got = 0;
  if (!store->ReadValue(kSettingsKey, name, std::span(data.get(), info.size), got)) return nullptr;
  if (byteCount) *byteCount = std::min(got, info.size);
  return data;
}

bool WriteNumber(std::u16string_view name, std::int32_t value) {
  SettingsStore* store = CurrentSettingsStore();
  const auto v = static_cast<std::uint32_t>(value);
  const std::array<std::uint8_t, 4> b{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                                      std::uint8_t(v >> 24)};
  return store && store->WriteValue(name, kTypeDword, b);
}

bool WriteWideString(std::u16string_view name, std::u16string_view text) {
  SettingsStore* store = CurrentSettingsStore();
  if (!store) return false;
  // The longest text written is a face name of 31 units; anything longer is cut.
  std::array<std::uint8_t, (kFontNameUnits + 1) * 2> b{};
  const std::size_t units = std::min(text.size(), kFontNameUnits);
  for (std::size_t i = 0; i < units; ++i) {
    b[2 * i] = std::uint8_t(text[i]);
    b[2 * i + 1] = std::uint8_t(text[i] >> 8);
  }
  return store->WriteValue(name, kTypeString, std::span(b.data(), (units + 1) * 2));
}

bool WriteByteString(std::u16string_view name, std::span<const std::uint8_t> text) {
  SettingsStore* store = CurrentSettingsStore();
  if (!store) return false;
  std::array<std::uint8_t, kSearchTextBytes + 1> b{};
  const std::size_t length = std::min(text.size(), kSearchTextBytes);
  std::copy_n(text.begin(), length, b.begin());
  return store->WriteValue(name, kTypeBinary, std::span(b.data(), length + 1));
}

bool WriteBytes(std::u16string_view name, std::span<const std::uint8_t> data) {
  SettingsStore* store = CurrentSettingsStore();
  return store && store->WriteValue(name, kTypeBinary, data);
}

void SetSettingsPlatform(const SettingsPlatform& platform) {
  g_platform = platform;
}

namespace {

void LoadFontName() {
  FontSettings& font = g_app.FontSettings;
  std::fill(std::begin(font.FontName), std::end(font.FontName), u'\0');
  HeapArray<char16_t> name = ReadWideString(u"FontName");
  if (!name) return;
  for (std::size_t i = 0; i < kFontNameUnits && name[i] != 0; ++i)
    font.FontName[i] = name[i];
}

void LoadSearchText() {
  std::fill(std::begin(g_app.SearchText), std::end(g_app.SearchText), std::uint8_t{0});
  std::uint32_t size = 0;
  HeapArray<std::uint8_t> data = ReadBytes(u"SearchString", &size);
  if (!data) return;
  const std::size_t limit = std::min<std::size_t>(size, kSearchTextBytes);
  for (std::size_t i = 0; i < limit && data[i] != 0; ++i)
    g_app.SearchText[i] = data[i];
}

void LoadMarkBitmaps() {
  constexpr int kIds[3] = {IDB_MARK_COLLAPSED, IDB_MARK_EXPANDED, IDB_MARK_LESSON};
  for (int i = 0; i < 3; ++i)
    g_app.MarkBitmaps[i] =
        g_platform.LoadBitmap ? g_platform.LoadBitmap(g_app.Instance, kIds[i]) : nullptr;
}

// Length of a zero-terminated field, never beyond its last byte.
template <typename T, std::size_t N>
std::size_t FieldLength(const T (&field)[N], std::size_t most) {
  std::size_t n = 0;
  while (n < most && n < N && field[n] != 0)
    ++n;
  return n;
}

// Every value of the shutdown save but the bookmarks, each under its condition, in order.
void WriteSettings() {
  if (const std::size_t n = FieldLength(g_app.SearchText, kSearchTextBytes))
    WriteByteString(u"SearchString", std::span(g_app.SearchText, n));
  const FontSettings& font = g_app.FontSettings;
  if (const std::size_t n = FieldLength(font.FontName, kFontNameUnits))
    WriteWideString(u"FontName", std::u16string_view(font.FontName, n));
  if (font.FontSize != 0) WriteNumber(u"FontSize", font.FontSize);
  if (font.FontAsciiBase != 0) WriteNumber(u"FontAsciiBase", font.FontAsciiBase);
  if (g_app.CurrentDocument) WriteNumber(u"LastPosition", g_app.CurrentDocument->TopLine);
  WriteNumber(u"Flags", static_cast<std::int32_t>(g_app.Flags));
  if (g_app.CurrentLesson != 0) WriteNumber(u"Lesson", g_app.CurrentLesson);
}

}  // namespace

void LoadSettings() {
  SetAbortHandler(&SaveSettingsAndQuit);
  g_loading = true;
  LoadFontName();
  LoadSearchText();
  FontSettings& font = g_app.FontSettings;
  font.FontSize = ReadNumber(kSettingsKey, u"FontSize", 0);
  font.FontAsciiBase = ReadNumber(kSettingsKey, u"FontAsciiBase", BaseUnicode);
  g_app.SavedPosition = static_cast<std::uint16_t>(ReadNumber(kSettingsKey, u"LastPosition", 0));
  g_app.Flags = static_cast<std::uint32_t>(
      ReadNumber(kSettingsKey, u"Flags", static_cast<std::int32_t>(flags::Default)));
  g_app.CurrentLesson = static_cast<std::uint16_t>(ReadNumber(kSettingsKey, u"Lesson", 0));
  // After an out-of-memory quit there is nothing left to hold the bitmaps or the list.
  if (!g_saved) {
    LoadMarkBitmaps();
    LoadBookmarks();
  }
  g_loading = false;
}

void SaveSettingsAndQuit() {
  // The out-of-memory path and WM_DESTROY may both get here; a second run would store the
  // bookmarks that the first one already released as an empty list.
  if (g_saved) return;
  g_saved = true;
  // Memory that runs out while the settings are being read: what g_app holds is half loaded and
  // would overwrite the stored values (the bookmarks with an empty list), so nothing is written.
  const bool write = !g_loading;

  for (BitmapHandle& bitmap : g_app.MarkBitmaps) {
    if (bitmap && g_platform.DeleteBitmap) g_platform.DeleteBitmap(bitmap);
    bitmap = nullptr;
  }
  if (write) WriteSettings();
  g_app.CurrentDocument.reset();
  if (write) SaveBookmarks();
  FreeBookmarks();
  if (g_platform.PostQuit) g_platform.PostQuit(0);
}

bool ShutdownSaveDone() {
  return g_saved;
}
void ResetShutdownSaveForTesting() {
  g_saved = false;
  g_loading = false;
}

}  // namespace qm
