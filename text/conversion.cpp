// Conversion of ReaderCode runs into UTF-16 units under the display base, and run reversal.
#include "text/conversion.h"

#include <algorithm>
#include <cstring>

#include "frame/app_state.h"
#include "text/code_table.h"
#include "text/run_order.h"

namespace qm {

ConversionBuffer g_conversion = [] {
  ConversionBuffer buffer;
  buffer.Override = BaseAsStored;
  return buffer;
}();

ScopedOverride::~ScopedOverride() {
  g_conversion.Override = BaseAsStored;
}

namespace {

char16_t Mirrored(char16_t u) {
  switch (u) {
    case u'(':
      return u')';
    case u')':
      return u'(';
    case u'[':
      return u']';
    case u']':
      return u'[';
    case u'{':
      return u'}';
    case u'}':
      return u'{';
    default:
      return u;
  }
}

// Writes the units of the run into out (room for 2 * count + 1 units) and returns how many.
std::int32_t Convert(const std::uint8_t* text,
                     std::int32_t count,
                     std::int32_t base,
                     char16_t* out) {
  std::int32_t n = 0;
  for (std::int32_t i = 0; text && i < count && text[i] != 0; ++i) {
    const std::uint8_t b = text[i];
    if (base == BaseAsStored || !IsConvertedCode(b)) {
      out[n++] = b;
    } else if (base == BaseUnicode) {
      const UnicodePair& pair = kUnicodeColumn[b - kFirstCode];
      out[n++] = pair.first;
      if (pair.second != 0) out[n++] = pair.second;
    } else if (const std::uint8_t v = kEightBitColumn[b - kFirstCode]; v != 0) {
      out[n++] = v;
    }
  }
  out[n] = 0;
  return n;
}

// Converts into storage and, for drawing, puts the run into the order the platform wants;
// returns the units produced.
std::int32_t ConvertRun(const std::uint8_t* text,
                        std::int32_t count,
                        std::int32_t base,
                        char16_t* storage,
                        RunUse use) {
  const std::int32_t produced = Convert(text, count, base, storage);
  if (count > 0 && use == RunUse::Draw && RunsInReadingOrder(base)) ReverseRun(storage, produced);
  return produced;
}

std::size_t UnitsFor(std::int32_t count) {
  return 2 * static_cast<std::size_t>(count) + 2;
}

}  // namespace

const char16_t* ToDisplayText(const std::uint8_t* text,
                              ConversionBuffer& buffer,
                              std::int32_t count,
                              std::int32_t* extra,
                              RunUse use) {
  count = std::max(count, 0);
  const std::int32_t base =
      buffer.Override != 0 ? buffer.Override : g_app.FontSettings.FontAsciiBase;
  if (extra) *extra = 0;
  if (!buffer.Storage || buffer.Capacity < count) {
    HeapArray<char16_t> storage = AllocArray<char16_t>(UnitsFor(count));
    if (!storage) return nullptr;  // the old storage stays usable
    buffer.Storage = std::move(storage);
    buffer.Capacity = count;
  }
  const std::int32_t produced = ConvertRun(text, count, base, buffer.Storage.get(), use);
  // Units produced - count, so that count + extra always names exactly the units written,
  // also when a zero byte ended the run early.
  if (extra) *extra = produced - count;
  return buffer.Storage.get();
}

HeapArray<char16_t> ToDisplayText(const std::uint8_t* text,
                                  std::int32_t count,
                                  std::int32_t* extra) {
  count = std::max(count, 0);
  if (extra) *extra = 0;
  HeapArray<char16_t> storage = AllocArray<char16_t>(UnitsFor(count));
  if (!storage) return storage;
  const std::int32_t produced =
      ConvertRun(text, count, g_app.FontSettings.FontAsciiBase, storage.get(), RunUse::Draw);
  if (extra) *extra = produced - count;
  return storage;
}

namespace {

bool IsDigit(char16_t u) {
  return u >= u'0' && u <= u'9';
}

bool JoinsDigits(char16_t u) {
  return u == u'.' || u == u',' || u == u':' || u == u'/' || u == u'-';
}

// Numbers read left to right in either direction of the text around them, so the reversal of
// a visually ordered run must leave each number (digits, joined by single separators) as it was.
void RestoreNumbers(char16_t* units, std::int32_t n) {
  std::int32_t i = 0;
  while (i < n) {
    if (!IsDigit(units[i])) {
      ++i;
      continue;
    }
    std::int32_t end = i + 1;
    while (end < n && (IsDigit(units[end]) ||
                       (JoinsDigits(units[end]) && end + 1 < n && IsDigit(units[end + 1]))))
      ++end;
    std::reverse(units + i, units + end);
    i = end;
  }
}

}  // namespace

int ReverseRun(char16_t* units, std::int32_t n) {
  if (!units || n <= 1) {
    if (units && n == 1) units[0] = Mirrored(units[0]);
    return 0;
  }
  HeapArray<char16_t> scratch = AllocArray<char16_t>(static_cast<std::size_t>(n));
  if (!scratch) return 1;
  for (std::int32_t i = 0; i < n; ++i)
    scratch[n - 1 - i] = Mirrored(units[i]);
  RestoreNumbers(scratch.get(), n);
  std::memcpy(units, scratch.get(), static_cast<std::size_t>(n) * sizeof(char16_t));
  return 0;
}

bool TypedLetterCode(char16_t unit, std::int32_t fontAsciiBase, std::uint8_t* code) {
  const std::int32_t u = unit;
  const bool letter = u >= fontAsciiBase && u < fontAsciiBase + kLetterCount;
  if (code)
    *code = letter ? static_cast<std::uint8_t>(kFirstLetter + (u - fontAsciiBase))
                   : static_cast<std::uint8_t>(unit);
  return letter;
}

}  // namespace qm
