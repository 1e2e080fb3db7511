// Every lesson that holds the search text, each with its title and the words around its first
// hit, for the list of all hits; and the drawing of one row of that list.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "search/match.h"
#include "text/lesson_title.h"
#include "text/text_device.h"

namespace qm {

struct ListedHit {
  std::uint16_t lesson = 0;
  TextHit hit;  // as FindInText gives it over the whole lesson
  TextPiece title;
  TextPiece context;            // whole words of the hit's paragraph around the hit
  std::uint16_t hitStart = 0;   // the hit's bytes within context.bytes
  std::uint16_t hitLength = 0;  // (its lowest stored byte and count)
};

// Bytes of context kept on either side of a hit, before it is cut back to whole words.
inline constexpr std::uint16_t kContextBytes = 40;

// The lessons that hold the pattern, by the matcher of Search Again (points ignored, "?" and
// "*"), in order from `first` through 247 and round to first - 1 (0 counts as 1); each with its
// first hit in reading order. A lesson that does not load is passed over; the list ends early
// when running out of memory ends the program.
std::vector<ListedHit> ListAllHits(std::span<const std::uint8_t> pattern, std::uint16_t first);

// The hit in its paragraph with up to kContextBytes bytes on either side, cut back to whole words.
void TakeContext(const std::uint8_t* text, ListedHit& listed);

// Colours of one row of the list.
struct RowColours {
  Colour text = kBlack;
  Colour back = kWhite;
  Colour title = kBlue;
};

// Draws a row: the lesson number at the left of the first line, the title right-aligned beside
// it in `titleFont`, and below it the context in `contextFont`, the hit blue on yellow. Right-to-
// left pieces are converted under `base` and handed over in the order the platform wants them;
// each piece is measured and placed by itself, so the hit stands where it stands in the lesson.
void DrawListedHit(TextDevice& dc,
                   const ListedHit& listed,
                   const Box& row,
                   std::int32_t base,
                   GdiObject titleFont,
                   GdiObject contextFont,
                   const RowColours& colours);

}  // namespace qm
