// The line-based markup of lesson and index sources, compiled to record text and printed back.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tools/recc/reader_text.h"

namespace qm::recc {

inline constexpr int kLessonCount = 247;
inline constexpr int kIndexNumber = 31767;

struct CompiledSource {
  int number = 0;  // 1..247 for a lesson, kIndexNumber for the index
  Bytes text;      // document text (lessons) or index text, exactly as the record decodes to
};

// Compiles one source file. On failure returns false with "NAME:LINE:COLUMN: message" in error.
bool CompileSource(std::string_view name,
                   std::string_view content,
                   CompiledSource& out,
                   std::string& error);

// Prints a decoded document text as source markup (UTF-8, logical order): one paragraph a line,
// the style as its tag. Malformed text ends the listing with a "# ..." note.
std::string PrintDocument(std::span<const std::uint8_t> text);

// The same for an index text: one entry a line.
std::string PrintIndex(std::span<const std::uint8_t> text);

// The tags of the paragraph styles that the markup names.
struct StyleTag {
  std::string_view name;
  std::uint8_t style;
  std::uint8_t parameter;
};
std::span<const StyleTag> StyleTags();

inline constexpr std::uint8_t kStyleReaderCode = 0x10;
inline constexpr std::uint8_t kStyleRuleBits = 0x07;
inline constexpr std::uint8_t kHeadingStyle = 0x8C;
inline constexpr std::uint8_t kLessonEntryStyle = 0x01;
inline constexpr std::uint16_t kFirstHeadingId = 0xBFFE;
inline constexpr std::uint16_t kLessonIdBase = 0x4000;

}  // namespace qm::recc
