// Zoom steps over the font dialog's size list, and the new layout that keeps the top paragraph.
#include "frame/zoom.h"

#include <algorithm>

#include "fontdlg/font_sizes.h"

namespace qm {

namespace {
constexpr std::int32_t kUnsetSize = 14;
}

std::int32_t ZoomedSize(std::int32_t size, int steps) {
  if (size == 0) size = kUnsetSize;
  for (; steps > 0; --steps) {
    const auto* up = std::upper_bound(kFontSizes.begin(), kFontSizes.end(), size);
    size = up != kFontSizes.end() ? *up : std::max(size, kFontSizes.back());
  }
  for (; steps < 0; ++steps) {
    const auto* down = std::lower_bound(kFontSizes.begin(), kFontSizes.end(), size);
    size = down != kFontSizes.begin() ? *(down - 1) : std::min(size, kFontSizes.front());
  }
  return size;
}

std::uint16_t ZoomDocument(Document& doc, FontSettings& settings, std::int32_t size) {
  if (size == settings.FontSize && size == doc.Settings.FontSize) return kLayoutDone;
  const std::uint16_t top = TopParagraph(doc);
  settings.FontSize = size;
  const std::uint16_t result = ReplaceDocumentFonts(doc, settings);
  if (result == kLayoutDone) ShowParagraphAtTop(doc, top);
  return result;
}

}  // namespace qm
