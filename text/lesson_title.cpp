// The first paragraph of a lesson text that holds text.
#include "text/lesson_title.h"

#include "text/fonts.h"

namespace qm {

TextPiece LessonTitle(const std::uint8_t* text) {
  for (std::size_t p = 0; text && text[p] != 0;) {
    std::size_t end = p + 2;
    while (text[end] != 0)
      ++end;
    const bool rule = (text[p] & StyleRule) == StyleRule;
    if (!rule && end > p + 2) return {std::vector<std::uint8_t>(text + p + 2, text + end), text[p]};
    p = end + 1;
  }
  return {};
}

}  // namespace qm
