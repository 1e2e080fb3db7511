// Selecting with the mouse in the lesson view, the right-click menu, and copying.
#include "frame/view_selection.h"

#include <windowsx.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

#include "frame/app_state.h"
#include "frame/lesson_view.h"
#include "resources/resource.h"
#include "text/document.h"
#include "text/draw.h"
#include "text/selection.h"

namespace qm {

namespace {

// A press of the left button in the view, until its release.
struct Press {
  bool down = false;
  bool dragging = false;  // moved beyond the drag distance: it selects and does not page
  bool paged = false;     // the second press of a double-click: its release does not page
  POINT at{};
  LPARAM position = 0;  // of the press, for ClickPage
};
Press g_press;

// Where the view stood before the last click paged it: the first click of a double-click pages,
// and the double-click takes that page back, so the word chosen is the one that was under the
// pointer.
struct PageBack {
  const std::uint8_t* text = nullptr;
  std::uint16_t top = 0;
};
PageBack g_pageBack;

Document* Doc() {
  Document* doc = g_app.CurrentDocument.get();
  return doc && doc->Text && doc->Lines ? doc : nullptr;
}

POINT PointOf(LPARAM position) {
  return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

void Redraw(HWND window) {
  DrawDocument(g_app.CurrentDocument.get(), true);
  UpdateScrollBar(window);
}

bool Same(TextSelection a, TextSelection b) {
  return a.anchor == b.anchor && a.focus == b.focus;
}

bool BeyondDragDistance(POINT a, POINT b) {
  return std::abs(a.x - b.x) > GetSystemMetrics(SM_CXDRAG) ||
         std::abs(a.y - b.y) > GetSystemMetrics(SM_CYDRAG);
}

// A row toward the pointer when a drag goes past the top or the bottom of the text; true when
// the view moved.
bool FollowPointer(Document& doc, POINT p) {
  const TextArea& t = doc.TextRect;
  int delta = 0;
  if (p.y < t.top) delta = -1;
  if (p.y >= t.top + t.height) delta = 1;
  return delta != 0 && ScrollDocument(&doc, delta, 0, true) == 3;
}

void StartPress(HWND window, LPARAM position, bool paged) {
  if (GetCapture() != window) SetCapture(window);
  g_press = {true, false, paged, PointOf(position), position};
}

class Clipboard {
 public:
  explicit Clipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;
  ~Clipboard() {
    if (open_) CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

struct GlobalFreer {
  void operator()(void* memory) const { GlobalFree(memory); }
};

}  // namespace

LRESULT OnViewButtonDown(HWND window, WPARAM wParam, LPARAM lParam) {
  StartPress(window, lParam, false);
  g_pageBack = {};  // only the click just before a double-click is taken back
  Document* doc = Doc();
  if (!doc || !(wParam & MK_SHIFT) || doc->Selection.Empty()) return 0;
  // Shift+click moves the selection's end here and never pages.
  g_press.dragging = true;
  const POINT p = PointOf(lParam);
  const TextSelection extended{doc->Selection.anchor, PositionAt(*doc, p.x, p.y)};
  if (!Same(extended, doc->Selection)) {
    doc->Selection = extended;
    Redraw(window);
  }
  return 0;
}

LRESULT OnViewMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!g_press.down) return 0;
  if (!(wParam & MK_LBUTTON)) {  // released where this window did not see it
    g_press = {};
    ReleaseCapture();
    return 0;
  }
  Document* doc = Doc();
  const POINT p = PointOf(lParam);
  if (!doc || (!g_press.dragging && !BeyondDragDistance(p, g_press.at))) return 0;
  if (!g_press.dragging) {
    g_press.dragging = true;
    const std::uint16_t anchor = PositionAt(*doc, g_press.at.x, g_press.at.y);
    doc->Selection = {anchor, anchor};
  }
  const bool scrolled = FollowPointer(*doc, p);
  const TextSelection moved{doc->Selection.anchor, PositionAt(*doc, p.x, p.y)};
  if (scrolled || !Same(moved, doc->Selection)) {
    doc->Selection = moved;
    Redraw(window);
  }
  return 0;
}

LRESULT OnViewButtonUp(HWND window, LPARAM) {
  if (!g_press.down) return 0;
  const Press press = g_press;
  g_press = {};
  ReleaseCapture();
  if (press.dragging || press.paged) return 0;
  // A click: the selection goes, and the view pages as a click always did.
  Document* doc = g_app.CurrentDocument.get();
  const bool hadSelection = doc && !doc->Selection.Empty();
  if (hadSelection) doc->Selection = {};
  const std::uint16_t top = doc ? doc->TopLine : 0;
  g_pageBack = {doc ? doc->Text.get() : nullptr, top};
  ClickPage(window, press.position);
  if (hadSelection && doc->TopLine == top) Redraw(window);
  return 0;
}

LRESULT OnViewDoubleClick(HWND window, LPARAM lParam) {
  StartPress(window, lParam, true);
  Document* doc = Doc();
  if (!doc) return 0;
  if (g_pageBack.text == doc->Text.get()) doc->TopLine = g_pageBack.top;
  g_pageBack = {};
  const POINT p = PointOf(lParam);
  doc->Selection = WordAt(*doc, PositionAt(*doc, p.x, p.y));
  Redraw(window);
  return 0;
}

void OnViewCaptureLost(HWND) {
  g_press = {};
}

LRESULT OnViewContextMenu(HWND window, LPARAM lParam) {
  using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)>;
  const Menu menu(CreatePopupMenu(), &DestroyMenu);
  if (!menu) return 0;
  const Document* doc = Doc();
  const UINT copy = MF_STRING | (doc && !doc->Selection.Empty() ? 0 : MF_GRAYED);
  AppendMenuW(menu.get(), copy, IDC_COPY, L"&Copy\tCtrl+C");
  AppendMenuW(menu.get(), copy, IDC_COPY_WITHOUT_POINTS, L"Copy &Without Points");
  AppendMenuW(menu.get(), MF_STRING | (doc ? 0 : MF_GRAYED), IDC_SELECT_LESSON, L"Select &Lesson");
  POINT p = PointOf(lParam);
  if (lParam == -1) {  // from the keyboard: at the top left of the text
    const TextArea area = doc ? doc->TextRect : TextArea{};
    p = {area.left, area.top};
    ClientToScreen(window, &p);
  }
  TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, p.x, p.y, 0, window, nullptr);
  return 0;
}

void CopySelection(HWND window, bool withPoints) {
  const Document* doc = Doc();
  if (!doc || doc->Selection.Empty()) return;
  const std::u16string text = SelectedText(doc->Text.get(), doc->Selection, withPoints);
  if (text.empty()) return;
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  std::unique_ptr<void, GlobalFreer> memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return;
  void* p = GlobalLock(memory.get());
  if (!p) return;
  std::memcpy(p, text.c_str(), bytes);
  GlobalUnlock(memory.get());
  const Clipboard clipboard(window);
  if (!clipboard || !EmptyClipboard()) return;
  // The clipboard owns the memory once it has taken it.
  if (SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
}

void SelectWholeLesson(HWND window) {
  Document* doc = Doc();
  if (!doc) return;
  doc->Selection = WholeText(*doc);
  Redraw(window);
}

}  // namespace qm
