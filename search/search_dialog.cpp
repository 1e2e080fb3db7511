// The search dialog's procedure: opening with the previous text, OK, Cancel, picture clicks.
#include "search/search_dialog.h"

#include <string>

#include "frame/app_state.h"
#include "frame/dialog_picture_win.h"
#include "frame/dpi.h"
#include "frame/window_dpi_win.h"
#include "frame/notices.h"
#include "resources/resource.h"
#include "search/hebrew_edit_win.h"
#include "search/hebrew_keys.h"
#include "search/hit_list_dialog.h"
#include "search/search_again.h"
#include "search/search_view_win.h"
#include "text/document.h"
#include "text/run_order.h"

namespace qm {

namespace {

// Picture position in the dialog template, used when the picture control cannot be found.
constexpr int kPictureLeftDu = 104;
constexpr int kPictureTopDu = 71;

// One dialog at a time.
struct SearchDialogState {
  HFONT editFont = nullptr;
  HBITMAP keyboard = nullptr;  // the alphabet picture, the dialog's own
  POINT picture{};             // the alphabet picture's top left in client pixels
  KeyboardPicture drawing;     // the geometry of the drawing shown
};
SearchDialogState g_state;

// The program's commands reach Search Again through this file's dialog procedure, so the main
// window's hooks are in place whenever the search front end is linked in.
const bool g_hooksInstalled = (InstallSearchViewHooks(), true);

const FontSettings& EditFontSettings() {
  if (const Document* doc = g_app.CurrentDocument.get()) return doc->Settings;
  return g_app.FontSettings;
}

// FontSize as a cell height in pixels at 96 dpi, at the dialog's DPI. A font made before (for
// another DPI) goes once the edit has the new one.
void SetEditFont(HWND dialog, HWND edit) {
  const FontSettings& settings = EditFontSettings();
  LOGFONTW lf{};
  lf.lfHeight = ScaleToDpi(settings.FontSize, WindowDpi(dialog));
  lf.lfCharSet = DEFAULT_CHARSET;  // a Hebrew-only face is not passed over for ANSI_CHARSET
  for (std::size_t i = 0; i + 1 < std::size(lf.lfFaceName) && settings.FontName[i]; ++i) {
    lf.lfFaceName[i] = static_cast<wchar_t>(settings.FontName[i]);
  }
  HFONT previous = g_state.editFont;
  g_state.editFont = CreateFontIndirectW(&lf);
  if (g_state.editFont) {
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.editFont), TRUE);
  }
  if (previous) DeleteObject(previous);
}

void ShowSearchText(HWND edit) {
  std::wstring text;
  for (const char16_t u : SearchTextToEditText())
    text.push_back(static_cast<wchar_t>(u));
  SetWindowTextW(edit, text.c_str());
}

// In reading order on a platform that shows Hebrew right to left, the edit reads right to left
// as a paragraph too, so that spaces and signs between words stand where a reader expects them.
void ReadRightToLeft(HWND edit) {
  if (SearchEditOrder() != EditOrder::Reading || !PlatformReadsInReadingOrder(TypingBase())) return;
  const LONG_PTR ex = GetWindowLongPtrW(edit, GWL_EXSTYLE);
  SetWindowLongPtrW(edit, GWL_EXSTYLE, ex | WS_EX_RTLREADING);
}

// Where the picture control really sits; the template position in this dialog's units else.
POINT FindPicture(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) == SS_BITMAP) {
      RECT r{};
      GetWindowRect(child, &r);
      POINT p{r.left, r.top};
      ScreenToClient(dialog, &p);
      return p;
    }
  }
  RECT r{kPictureLeftDu, kPictureTopDu, kPictureLeftDu, kPictureTopDu};
  MapDialogRect(dialog, &r);
  return {r.left, r.top};
}

// The alphabet picture drawn for the dialog's DPI, and where it stands. When it cannot be loaded
// the picture shown before stays.
void ShowKeyboard(HWND dialog) {
  const int dpi = WindowDpi(dialog);
  const int id =
      PictureForDpi(dpi, {IDB_KEYBOARD, IDB_KEYBOARD_120, IDB_KEYBOARD_144, IDB_KEYBOARD_192});
  if (HBITMAP shown = ShowDialogPicture(dialog, IDC_SEARCH_PICTURE, id)) {
    DeletePicture(g_state.keyboard);
    g_state.keyboard = shown;
    g_state.drawing = KeyboardPictureFor(dpi);
  }
  g_state.picture = FindPicture(dialog);
}

INT_PTR OnInitDialog(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_SEARCH_EDIT);
  ShowKeyboard(dialog);
  SetEditFont(dialog, edit);
  ReadRightToLeft(edit);
  SendMessageW(edit, EM_LIMITTEXT, kEditLimit, 0);
  ShowSearchText(edit);
  if (!SubclassHebrewEdit(edit)) EndDialog(dialog, IDCANCEL);
  return TRUE;
}

// The edit's text into SearchText.
void StoreSearchText(HWND edit) {
  wchar_t buffer[kSearchTextSize] = {};
  GetWindowTextW(edit, buffer, static_cast<int>(kSearchTextSize));
  std::u16string units;
  for (const wchar_t* w = buffer; *w; ++w)
    units.push_back(static_cast<char16_t>(*w));
  EditTextToReaderCode(units);
}

void OnOk(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_SEARCH_EDIT);
  StoreSearchText(edit);
  if (g_app.SearchText[0] == 0 || SearchAgain(dialog) == 1) {
    EndDialog(dialog, IDOK);
    return;
  }
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

// Every lesson that holds the text, from the current one on, in a list; the one chosen there is
// shown as Search Again shows a hit, and the search closes. Stored as OK stores it.
void OnListAll(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_SEARCH_EDIT);
  StoreSearchText(edit);
  if (g_app.SearchText[0] == 0) return;
  const Document* view = g_app.CurrentDocument.get();
  const std::vector<ListedHit> hits = ListAllHits(PatternOf(g_app.SearchText), g_app.CurrentLesson);
  if (g_app.CurrentDocument.get() != view) return;  // out of memory: the program is ending
  if (hits.empty()) ShowNotice(Notice::NotFound, dialog);
  const int chosen = ChooseListedHit(dialog, hits);
  if (chosen < 0) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return;
  }
  // What the list covered is painted first, so that nothing paints over the hit's title box.
  UpdateWindow(static_cast<HWND>(g_app.MainWindow));
  ShowLessonHit(hits[static_cast<std::size_t>(chosen)].lesson,
                hits[static_cast<std::size_t>(chosen)].hit);
  EndDialog(dialog, IDOK);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOk(dialog);
      return TRUE;
    case IDC_SEARCH_LIST_ALL:
      OnListAll(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

void OnDestroy(HWND dialog) {
  if (g_state.editFont) DeleteObject(g_state.editFont);
  g_state.editFont = nullptr;
  DeletePicture(g_state.keyboard);
  g_state.drawing = {};
  ForgetWindowDpi(dialog);
}

}  // namespace

int KeyboardClick(HWND dialog, int x, int y) {
  const int cell = CellAt(x - g_state.picture.x, y - g_state.picture.y, g_state.drawing);
  if (cell == kNoCell) return 1;
  InsertCellLetter(dialog, cell);
  return 0;
}

void InsertCellLetter(HWND dialog, int n) {
  HWND edit = GetDlgItem(dialog, IDC_SEARCH_EDIT);
  const char16_t unit = CellUnit(n, TypingBase());
  if (!edit || unit == 0) return;
  InsertTyped(edit, static_cast<wchar_t>(unit));
}

INT_PTR CALLBACK SearchDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_LBUTTONDOWN:
      return KeyboardClick(dialog, static_cast<short>(LOWORD(lParam)),
                           static_cast<short>(HIWORD(lParam)));
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam);
    case kAfterDpiChange:
      ShowKeyboard(dialog);
      SetEditFont(dialog, GetDlgItem(dialog, IDC_SEARCH_EDIT));
      return TRUE;
    case WM_DESTROY:
      OnDestroy(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace qm
