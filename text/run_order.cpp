// The platform's bidirectional ordering, asked once, and the order runs are handed over in.
#include "text/run_order.h"

#include "text/document.h"
#include "text/fonts.h"

namespace qm {

PlatformBidi ProbePlatformBidi(TextDevice& dc) {
  return dc.ReordersRun(u"\u05D0\u05D3") ? PlatformBidi::Reorders : PlatformBidi::AsGiven;
}

PlatformBidi ProbePlatformBidi(Document* doc) {
  if (!doc || !doc->DeviceContext) return PlatformBidi::AsGiven;
  TextDevice& dc = *doc->DeviceContext;
  const GdiObject previous = SelectStyleFont(doc, StylePlain);
  const PlatformBidi bidi = ProbePlatformBidi(dc);
  if (previous) dc.Select(previous);
  return bidi;
}

bool PlatformReadsInReadingOrder(std::int32_t base) {
  return base == BaseUnicode && g_app.Bidi == PlatformBidi::Reorders;
}

bool RunsInReadingOrder(std::int32_t base) {
  if (base == BaseAsStored) return false;
  return (g_app.Flags & flags::ReverseText) != 0 || PlatformReadsInReadingOrder(base);
}

}  // namespace qm
