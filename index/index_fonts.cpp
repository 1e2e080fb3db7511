// The outline's fonts, created per font key on first use and released with the outline.
#include "index/index_fonts.h"

#include <algorithm>

#include "frame/dpi.h"
#include "text/fonts.h"

namespace qm {

FontRequest IndexFontRequest(const FontSettings& settings, std::uint8_t key, std::int32_t dpi) {
  FontRequest request;
  const std::int32_t size = settings.FontSize;
  if (key & StyleLarge)
    request.height = size ? size * 5 / 4 : 20;
  else if (key & StyleSmall)
    request.height = size ? size * 6 / 8 : 14;
  else
    request.height = size;
  request.height = ScaleToDpi(request.height, dpi);
  request.weight = (key & StyleBold) ? 700 : 400;
  if (settings.FontName[0] != 0)
    std::copy(std::begin(settings.FontName), std::end(settings.FontName) - 1, request.faceName);
  return request;
}

GdiObject AddIndexFont(IndexOutline& outline, std::uint8_t key) {
  if (!outline.DeviceContext) return nullptr;
  HeapObject<IndexFont> entry = MakeHeapObject<IndexFont>();
  if (!entry) return nullptr;
  entry->Key = key;
  entry->Font =
      outline.DeviceContext->NewFont(IndexFontRequest(outline.Settings, key, outline.Dpi));
  entry->Next = std::move(outline.Fonts);
  outline.Fonts = std::move(entry);
  return outline.Fonts->Font;
}

GdiObject SelectIndexFont(IndexOutline& outline, std::uint32_t style) {
  if (!outline.DeviceContext) return nullptr;
  TextDevice& dc = *outline.DeviceContext;
  const auto key = static_cast<std::uint8_t>(style & kFontKeyMask);
  GdiObject font = nullptr;
  for (const IndexFont* f = outline.Fonts.get(); f && !font; f = f->Next.get())
    if (f->Key == key) font = f->Font;
  if (!font) font = AddIndexFont(outline, key);
  // A font that cannot be created falls back to any live one of the outline.
  for (const IndexFont* f = outline.Fonts.get(); f && !font; f = f->Next.get())
    font = f->Font;
  if (style & kWithColour) {
    const bool heading = (key & (StyleLarge | StyleBold)) == (StyleLarge | StyleBold);
    dc.SetTextColor(heading ? kBlue : kBlack);
  }
  if (!font) return nullptr;
  return dc.Select(font);
}

void ReleaseIndexFonts(IndexOutline& outline) {
  for (IndexFont* f = outline.Fonts.get(); f; f = f->Next.get()) {
    if (f->Font && outline.DeviceContext) outline.DeviceContext->Delete(f->Font);
    f->Font = nullptr;
  }
}

}  // namespace qm
