// Logical-order Unicode text to ReaderCode in visual order, and back (for display and checks).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm::recc {

using Bytes = std::vector<std::uint8_t>;

struct EncodeError {
  std::size_t column = 0;  // 1-based code point position in the paragraph text
  char32_t character = 0;
  std::string message;  // names the character: "U+05BF HEBREW POINT RAFE has no code"
};

// A right-to-left paragraph typed in logical order, as ReaderCode stored in visual order: each
// letter with its marks as the table's single code where one exists, else a point code before
// its letter; digit runs keep their left-to-right order; brackets are mirrored.
// Returns false and fills `error` when a character has no code.
bool EncodeReaderText(std::u32string_view logical, Bytes& out, EncodeError& error);

// The inverse: visual ReaderCode to logical Unicode, marks after their letter in ascending
// (canonical) order. Bytes outside the code table come out as the code point of the same value.
std::u32string DecodeReaderText(std::span<const std::uint8_t> visual);

// `logical` with the marks of every letter sorted into canonical order (what Decode returns).
std::u32string CanonicalMarks(std::u32string_view logical);

// Left-to-right ASCII paragraph: printable ASCII only, as typed.
bool EncodeAsciiText(std::u32string_view text, Bytes& out, EncodeError& error);

// "U+05D0" and, when known, the character's name.
std::string DescribeCharacter(char32_t cp);

}  // namespace qm::recc
