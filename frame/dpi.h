// Lengths given in pixels at 96 dpi, at the DPI of the monitor a window is on, and the pictures
// drawn for a few DPIs, of which the one nearest the window's is shown.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qm {

inline constexpr std::int32_t kBaseDpi = 96;

// pixels × dpi / 96, halves rounded away from zero; a DPI of 0 or less counts as 96, so that at
// 96 dpi every length stays what it was.
std::int32_t ScaleToDpi(std::int32_t pixels, std::int32_t dpi);

// Of the DPIs a picture was drawn for (ascending), the one nearest `dpi`; of two equally near
// ones the larger, since a picture a little too large is still clear.
std::int32_t NearestDrawnDpi(std::int32_t dpi, std::span<const std::int32_t> drawn);

// The toolbar's images are drawn for 16, 24 and 32 pixels; the marks, the alphabet picture and
// the About picture for 96, 120, 144 and 192 dpi.
inline constexpr std::array<std::int32_t, 3> kToolbarDpis = {96, 144, 192};
inline constexpr std::array<std::int32_t, 4> kPictureDpis = {96, 120, 144, 192};

// The side of the toolbar images and of the outline's marks shown at `dpi`.
std::int32_t ToolbarImageSize(std::int32_t dpi);
std::int32_t MarkSize(std::int32_t dpi);

// Of the resources of one picture drawn for each DPI of kPictureDpis, in that order, the one
// shown at `dpi`.
int PictureForDpi(std::int32_t dpi, const std::array<int, kPictureDpis.size()>& ids);

}  // namespace qm
