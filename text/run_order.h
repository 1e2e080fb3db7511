// The order in which right-to-left runs reach the platform: stored visual order, or reading
// order for a platform that reorders Hebrew itself (or when the user turns on Reverse).
#pragma once

#include <cstdint>

#include "frame/app_state.h"
#include "text/text_device.h"

namespace qm {

struct Document;

// Asks the device how it shows alef followed by dalet in its selected font.
PlatformBidi ProbePlatformBidi(TextDevice& dc);
// The same in the document's plain font; AsGiven without a document or device.
PlatformBidi ProbePlatformBidi(Document* doc);

// Whether whole runs converted under `base` go to the platform in reading order: always with
// Reverse on; under the Unicode base also when the platform reorders Hebrew letters (units of
// the 8-bit base are Latin letters to it and keep the order they are given). Runs under
// BaseAsStored are never reordered.
bool RunsInReadingOrder(std::int32_t base);

// Whether the platform itself shows the base's letters right to left, so that its controls
// read right when given reading order (the font preview, the search edit's paragraph
// direction). Reverse plays no part here.
bool PlatformReadsInReadingOrder(std::int32_t base);

}  // namespace qm
