// Scaling of 96-dpi lengths and the choice among pictures drawn for a few DPIs.
#include "frame/dpi.h"

#include <cstdlib>

namespace qm {

namespace {

constexpr std::int32_t kToolbarImage = 16;
constexpr std::int32_t kMark = 9;

}  // namespace

std::int32_t ScaleToDpi(std::int32_t pixels, std::int32_t dpi) {
  if (dpi <= 0 || dpi == kBaseDpi) return pixels;
  const std::int64_t product = static_cast<std::int64_t>(pixels) * dpi;
  const std::int64_t half = product < 0 ? -kBaseDpi / 2 : kBaseDpi / 2;
  return static_cast<std::int32_t>((product + half) / kBaseDpi);
}

std::int32_t NearestDrawnDpi(std::int32_t dpi, std::span<const std::int32_t> drawn) {
  if (drawn.empty()) return kBaseDpi;
  if (dpi <= 0) dpi = kBaseDpi;
  std::int32_t best = drawn.front();
  for (const std::int32_t d : drawn)
    if (std::abs(d - dpi) <= std::abs(best - dpi)) best = d;
  return best;
}

std::int32_t ToolbarImageSize(std::int32_t dpi) {
  return ScaleToDpi(kToolbarImage, NearestDrawnDpi(dpi, kToolbarDpis));
}

std::int32_t MarkSize(std::int32_t dpi) {
  return ScaleToDpi(kMark, NearestDrawnDpi(dpi, kPictureDpis));
}

int PictureForDpi(std::int32_t dpi, const std::array<int, kPictureDpis.size()>& ids) {
  const std::int32_t drawn = NearestDrawnDpi(dpi, kPictureDpis);
  for (std::size_t i = 0; i < kPictureDpis.size(); ++i)
    if (kPictureDpis[i] == drawn) return ids[i];
  return ids.front();
}

}  // namespace qm
