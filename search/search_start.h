// Where Search Again begins in the current lesson: the top line of the view, or just after the
// previous hit when it is still in view.
#pragma once

#include <cstdint>

#include "text/document.h"

namespace qm {

// The entry at the top of the view: the first whose first display row is not above TopLine;
// the terminating entry when none qualifies.
const LineEntry& TopLineEntry(const Document& doc);

// The text offset at which the scan of the current lesson begins (reading order runs downward).
// Without a hit: the top line's last stored byte (0xFFFF for the terminating entry, beyond every
// text). After a hit that ends on the top line, or anywhere on the last page: the byte after the
// hit in reading order, or the next paragraph's style byte when the hit reached its paragraph's
// first stored byte. Needs a document with a line table.
std::uint16_t SearchStartOffset(const Document& doc);

// Where the scan continues after a hit whose lowest byte is at `low`: the byte below it, or the
// next paragraph's style byte when the hit began its paragraph's text (so that paragraph is not
// searched again).
std::uint16_t OffsetAfterHit(const std::uint8_t* text, std::uint16_t low);

}  // namespace qm
