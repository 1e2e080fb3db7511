// Zooming the lesson view: the font size a step up or down the font dialog's size list, with the
// paragraph at the top of the view kept at the top.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/app_state.h"
#include "text/document.h"

namespace qm {

// The size `steps` steps up (or down, for a negative count) the size list, held at its ends. A
// size between two of the list's sizes steps to the next one in that direction; no size stored
// (0) counts as 14 points, the size a first start's font dialog shows first.
std::int32_t ZoomedSize(std::int32_t size, int steps);

// The size before the first zoom of the run, which "original size" goes back to.
class ZoomMemory {
 public:
  void BeforeZoom(std::int32_t size) {
    if (!original_) original_ = size;
  }
  std::optional<std::int32_t> Original() const { return original_; }

 private:
  std::optional<std::int32_t> original_;
};

// Gives `settings` the new size and lays the document out in it, with the paragraph that stood
// at the top of the view at the top again; the selection stays. Nothing is drawn. The layout's
// result code; nothing happens (kLayoutDone) when the size does not change.
std::uint16_t ZoomDocument(Document& doc, FontSettings& settings, std::int32_t size);

}  // namespace qm
