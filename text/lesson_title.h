// A run of a lesson text copied out with its paragraph's style, and the lesson's title.
#pragma once

#include <cstdint>
#include <vector>

namespace qm {

// Bytes of one paragraph in stored order (visual order for ReaderCode), with its style byte.
struct TextPiece {
  std::vector<std::uint8_t> bytes;
  std::uint8_t style = 0;
};

// The lesson's title: its first paragraph with text, which is the title that the title box of a
// search hit shows. Empty without text.
TextPiece LessonTitle(const std::uint8_t* text);

}  // namespace qm
