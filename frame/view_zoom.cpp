// Zooming the lesson view through the size list, keeping the top paragraph.
#include "frame/view_zoom.h"

#include "frame/app_state.h"
#include "frame/lesson_view.h"
#include "frame/zoom.h"
#include "text/document.h"
#include "text/draw.h"

namespace qm {

namespace {

ZoomMemory g_zoom;

void ApplySize(HWND window, std::int32_t size) {
  Document* doc = g_app.CurrentDocument.get();
  if (!doc) {
    g_app.FontSettings.FontSize = size;
    return;
  }
  ZoomDocument(*doc, g_app.FontSettings, size);
  DrawDocument(doc, true);
  UpdateScrollBar(window);
}

}  // namespace

void ZoomView(HWND window, int steps) {
  const std::int32_t size = ZoomedSize(g_app.FontSettings.FontSize, steps);
  if (size == g_app.FontSettings.FontSize) return;
  g_zoom.BeforeZoom(g_app.FontSettings.FontSize);
  ApplySize(window, size);
}

void ZoomToOriginalSize(HWND window) {
  if (const auto original = g_zoom.Original()) ApplySize(window, *original);
}

LRESULT OnZoomWheel(HWND window, WPARAM wParam) {
  const int steps = static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA;
  if (steps != 0) ZoomView(window, steps);
  return 0;
}

}  // namespace qm
