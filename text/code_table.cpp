// The two columns of the code table, built from its ranges at compile time.
#include "text/code_table.h"

namespace qm {

namespace {

constexpr std::array<UnicodePair, kCodeCount> BuildUnicodeColumn() {
  std::array<UnicodePair, kCodeCount> t{};
  auto set = [&t](int code, char16_t a, char16_t b = 0) { t[code - kFirstCode] = {a, b}; };
  set(0x10, 0x05B8, 0x05DA);
  set(0x11, 0x05B8, 0xFB3A);
  set(0x12, 0x05B0, 0x05DA);
  set(0x13, 0x05B0, 0xFB3A);
  set(0x14, 0xFB48);
  constexpr char16_t kPoints[] = {0x05B4, 0x05B8, 0x05B7, 0x05B5, 0x05B6, 0x05BB,
                                  0x05B0, 0x05B3, 0x05B2, 0x05B1, 0x05B9};
  for (int i = 0; i < 11; ++i) set(0x15 + i, kPoints[i]);
  for (int c = 0x20; c <= 0x40; ++c) set(c, static_cast<char16_t>(c));
  for (int i = 0; i < 4; ++i) set(0x41 + i, static_cast<char16_t>(0xFB2A + i));
  for (int i = 0; i < 6; ++i) set(0x45 + i, static_cast<char16_t>(0xFB31 + i));
  for (int i = 0; i < 5; ++i) set(0x4B + i, static_cast<char16_t>(0xFB38 + i));
  set(0x50, 0xFB3E);
  set(0x51, 0xFB40);
  set(0x52, 0xFB41);
  set(0x53, 0xFB44);
  set(0x54, 0xFB46);
  set(0x55, 0xFB47);
  set(0x56, 0xFB49);
  set(0x57, 0xFB4A);
  set(0x58, 0xFB4B);
  set(0x59, 0x05B9, 0xFB3C);
  set(0x5A, 0x05B9, 0x05DC);
  for (int c = 0x5B; c <= 0x60; ++c) set(c, static_cast<char16_t>(c));
  for (int i = 0; i < kLetterCount; ++i) set(0x61 + i, static_cast<char16_t>(0x05D0 + i));
  return t;
}

constexpr std::array<std::uint8_t, kCodeCount> BuildEightBitColumn() {
  std::array<std::uint8_t, kCodeCount> t{};
  auto set = [&t](int code, int v) { t[code - kFirstCode] = static_cast<std::uint8_t>(v); };
  for (int c = 0x10; c <= 0x13; ++c) set(c, 0xEA);
  set(0x14, 0xF8);
  // 0x15..0x1F, the vowel points, stay 0: dropped.
  for (int c = 0x20; c <= 0x40; ++c) set(c, c);
  for (int c = 0x41; c <= 0x44; ++c) set(c, 0xF9);
  for (int i = 0; i < 6; ++i) set(0x45 + i, 0xE1 + i);
  for (int i = 0; i < 5; ++i) set(0x4B + i, 0xE8 + i);
  set(0x50, 0xEE);
  set(0x51, 0xF0);
  set(0x52, 0xF1);
  set(0x53, 0xF4);
  set(0x54, 0xF6);
  set(0x55, 0xF7);
  set(0x56, 0xF9);
  set(0x57, 0xFA);
  set(0x58, 0xE5);
  set(0x59, 0xEC);
  set(0x5A, 0xEC);
  for (int c = 0x5B; c <= 0x60; ++c) set(c, c);
  for (int i = 0; i < kLetterCount; ++i) set(0x61 + i, 0xE0 + i);
  return t;
}

}  // namespace

const std::array<UnicodePair, kCodeCount> kUnicodeColumn = BuildUnicodeColumn();
const std::array<std::uint8_t, kCodeCount> kEightBitColumn = BuildEightBitColumn();

}  // namespace qm
