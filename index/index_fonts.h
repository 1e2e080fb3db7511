// The outline's fonts: one per font key, sized by FontSize in pixels, blue for headings.
#pragma once

#include <cstdint>

#include "index/outline.h"

namespace qm {

// Creates the font for `key` at the head of the outline's list; null when it cannot be had.
GdiObject AddIndexFont(IndexOutline& outline, std::uint8_t key);
// Selects the font for style AND 0x1F (with kWithColour: and its text colour); returns the
// font selected before, or null when nothing could be selected.
GdiObject SelectIndexFont(IndexOutline& outline, std::uint32_t style);
void ReleaseIndexFonts(IndexOutline& outline);

// The height and weight rule of the index fonts: FontSize taken as pixels at 96 dpi, scaled to
// `dpi`.
FontRequest IndexFontRequest(const FontSettings& settings, std::uint8_t key, std::int32_t dpi = 96);

// Puts a font back when a scope ends (when there was one to put back).
class RestoreFont {
 public:
  RestoreFont(TextDevice& dc, GdiObject font) : dc_(dc), font_(font) {}
  RestoreFont(const RestoreFont&) = delete;
  RestoreFont& operator=(const RestoreFont&) = delete;
  ~RestoreFont() {
    if (font_) dc_.Select(font_);
  }

 private:
  TextDevice& dc_;
  GdiObject font_;
};

}  // namespace qm
