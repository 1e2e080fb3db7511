// The dialog of the list of all hits: an owner-drawn list box, one row of two lines per lesson.
#include "search/hit_list_dialog.h"

#include <string>

#include "frame/app_state.h"
#include "resources/resource.h"
#include "text/dialog_text_win.h"
#include "text/gdi_device.h"

namespace qm {

namespace {

constexpr int kTitlePoints = 11;
constexpr int kContextPoints = 11;
constexpr int kRowPadding = 6;

// One dialog at a time.
struct HitListState {
  const std::vector<ListedHit>* hits = nullptr;
  HFONT titleFont = nullptr;
  HFONT contextFont = nullptr;
};
HitListState g_state;

int FontHeight(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return tm.tmHeight;
}

INT_PTR OnInitDialog(HWND dialog, const std::vector<ListedHit>* hits) {
  g_state = {hits, CreateReaderFont(dialog, kTitlePoints, true),
             CreateReaderFont(dialog, kContextPoints, false)};
  HWND list = GetDlgItem(dialog, IDC_HIT_LIST);
  const int height = FontHeight(list, g_state.titleFont) + FontHeight(list, g_state.contextFont);
  SendMessageW(list, LB_SETITEMHEIGHT, 0, height + kRowPadding);
  // Without LBS_HASSTRINGS a row's value is its lesson number.
  for (const ListedHit& hit : *hits)
    SendMessageW(list, LB_ADDSTRING, 0, hit.lesson);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  const std::wstring caption = L"All Hits: " + std::to_wstring(hits->size()) +
                               (hits->size() == 1 ? L" lesson" : L" lessons");
  SetWindowTextW(dialog, caption.c_str());
  SetFocus(list);
  return FALSE;  // the focus is set
}

void OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != IDC_HIT_LIST || !g_state.hits || item.itemID >= g_state.hits->size()) return;
  GdiDevice dc(item.hDC);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  RowColours colours;
  if (selected) {
    colours.text = colours.title = GetSysColor(COLOR_HIGHLIGHTTEXT);
    colours.back = GetSysColor(COLOR_HIGHLIGHT);
  }
  const RECT& r = item.rcItem;
  DrawListedHit(dc, (*g_state.hits)[item.itemID], {r.left, r.top, r.right, r.bottom},
                ViewFontSettings().FontAsciiBase, g_state.titleFont, g_state.contextFont, colours);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
}

void EndWithChoice(HWND dialog) {
  const LRESULT row = SendDlgItemMessageW(dialog, IDC_HIT_LIST, LB_GETCURSEL, 0, 0);
  EndDialog(dialog, row == LB_ERR ? -1 : row);
}

void OnDestroy() {
  if (g_state.titleFont) DeleteObject(g_state.titleFont);
  if (g_state.contextFont) DeleteObject(g_state.contextFont);
  g_state = {};
}

}  // namespace

int ChooseListedHit(HWND owner, const std::vector<ListedHit>& hits) {
  if (hits.empty()) return -1;
  const INT_PTR chosen =
      DialogBoxParamW(static_cast<HINSTANCE>(g_app.Instance), MAKEINTRESOURCEW(IDD_HIT_LIST), owner,
                      HitListDialog, reinterpret_cast<LPARAM>(&hits));
  return chosen >= 0 && static_cast<std::size_t>(chosen) < hits.size() ? static_cast<int>(chosen)
                                                                       : -1;
}

INT_PTR CALLBACK HitListDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<const std::vector<ListedHit>*>(lParam));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          EndWithChoice(dialog);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, -1);
          return TRUE;
        case IDC_HIT_LIST:
          if (HIWORD(wParam) == LBN_DBLCLK) EndWithChoice(dialog);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace qm
