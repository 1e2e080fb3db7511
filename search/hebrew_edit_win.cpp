// The replacement window procedure of the search edit.
#include "search/hebrew_edit_win.h"

#include "frame/notices.h"
#include "frame/settings.h"
#include "search/hebrew_keys.h"

namespace qm {

namespace {

WNDPROC g_previous = nullptr;

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_previous) return 0;
  return CallWindowProcW(g_previous, window, message, wParam, lParam);
}

bool ScrollLockActive() {
  return GetKeyState(VK_SCROLL) != 0;
}

struct Selection {
  DWORD start = 0, end = 0;
};

Selection GetSelection(HWND edit) {
  Selection s;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s.start),
               reinterpret_cast<LPARAM>(&s.end));
  return s;
}

void DeleteSelection(HWND edit) {
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

// Delete: removes the character left of the caret (the one typed after it).
LRESULT OnDeleteKey(HWND edit) {
  const Selection s = GetSelection(edit);
  if (s.start == s.end) {
    if (s.start == 0) return 1;
    SendMessageW(edit, EM_SETSEL, s.start - 1, s.end);
  }
  DeleteSelection(edit);
  return 1;
}

// Backspace: removes the character right of the caret (the one typed before it).
LRESULT OnBackspace(HWND edit) {
  const Selection s = GetSelection(edit);
  if (s.start == s.end) {
    const auto length = static_cast<DWORD>(SendMessageW(edit, EM_LINELENGTH, 0, 0));
    if (s.start >= length) return 0;
    SendMessageW(edit, EM_SETSEL, s.start, s.end + 1);
  }
  DeleteSelection(edit);
  return 0;
}

// The edit keeps the stored visual order and is made to grow to the left by this procedure.
bool GrowsLeft() {
  return SearchEditOrder() == EditOrder::Visual;
}

LRESULT OnKeyDown(HWND edit, WPARAM key, LPARAM lParam) {
  if (ScrollLockActive() || !GrowsLeft()) return PassOn(edit, WM_KEYDOWN, key, lParam);
  switch (key) {
    case VK_END:
      return PassOn(edit, WM_KEYDOWN, VK_HOME, lParam);
    case VK_HOME:
      return PassOn(edit, WM_KEYDOWN, VK_END, lParam);
    case VK_DELETE:
      if ((GetKeyState(VK_SHIFT) & ~1) == 0) return OnDeleteKey(edit);
      break;
    default:
      break;
  }
  return PassOn(edit, WM_KEYDOWN, key, lParam);
}

LRESULT OnChar(HWND edit, WPARAM ch, LPARAM lParam) {
  if (ScrollLockActive()) return PassOn(edit, WM_CHAR, ch, lParam);
  if (MapLatinKey(edit, static_cast<wchar_t>(ch)) == 0) return 0;
  if (ch == VK_BACK && GrowsLeft()) return OnBackspace(edit);
  return PassOn(edit, WM_CHAR, ch, lParam);
}

}  // namespace

void InsertTyped(HWND edit, wchar_t unit) {
  const Selection before = GetSelection(edit);
  const wchar_t text[2] = {unit, 0};
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  if (!GrowsLeft()) return;
  const Selection after = GetSelection(edit);
  if (after.start > before.start) SendMessageW(edit, EM_SETSEL, after.start - 1, after.start - 1);
}

int MapLatinKey(HWND edit, wchar_t ch) {
  const KeyInsert k = MapLatinUnit(static_cast<char16_t>(ch), TypingBase());
  if (k.leaveToEdit) return 1;
  InsertTyped(edit, static_cast<wchar_t>(k.unit));
  return 0;
}

LRESULT CALLBACK HebrewEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      return OnKeyDown(window, wParam, lParam);
    case WM_CHAR:
      return OnChar(window, wParam, lParam);
    default:
      return PassOn(window, message, wParam, lParam);
  }
}

bool SubclassHebrewEdit(HWND edit) {
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HebrewEditProc)));
  if (!previous) {
    ShowNotice(Notice::SubclassError);
    SaveSettingsAndQuit();
    return false;
  }
  if (previous != &HebrewEditProc) g_previous = previous;
  return true;
}

}  // namespace qm
