// A new DPI for the main window: rectangle, toolbar, fonts and layout follow it.
#include "frame/dpi_change_win.h"

#include "frame/app_state.h"
#include "frame/lesson_view.h"
#include "frame/toolbar.h"
#include "frame/window_dpi_win.h"
#include "frame/window_placement_win.h"
#include "text/document.h"

namespace qm {

LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  NoteWindowDpi(window, HIWORD(wParam));
  Document* doc = g_app.CurrentDocument.get();
  const std::uint16_t top = doc ? TopParagraph(*doc) : 0;
  RemakeToolbar(window);
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  if (suggested && !RestoringPlacement()) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RefitView(window);
  if (doc) {
    // The fonts are made again for the device, which now answers with the new DPI.
    SetDocumentFont(doc, &doc->Settings);
    ShowParagraphAtTop(*doc, top);
  }
  InvalidateRect(window, nullptr, TRUE);
  UpdateScrollBar(window);
  return 0;
}

}  // namespace qm
