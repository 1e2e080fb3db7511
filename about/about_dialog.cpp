// The About box: product line, picture, version and a link button that opens the maker's site.
#include "about/about_dialog.h"

#include <string>

#include "about/addresses.h"
#include "about/update_request.h"
#include "frame/dialog_picture_win.h"
#include "frame/dpi.h"
#include "frame/window_dpi_win.h"
#include "resources/resource.h"

namespace qm {

namespace {

struct AboutState {
  HFONT linkFont = nullptr;
  HBITMAP picture = nullptr;  // the dialog's own: the control releases no image it was given
  WNDPROC previousLinkProc = nullptr;
};
AboutState g_about;
ShellOpener g_opener = nullptr;

constexpr int kCaptionUnits = 100;

const wchar_t* Wide(std::u16string_view s) {
  return reinterpret_cast<const wchar_t*>(s.data());
}

void DeleteLinkFont() {
  if (g_about.linkFont) DeleteObject(g_about.linkFont);
  g_about.linkFont = nullptr;
}

// An underlined, bold copy of `base` for the link button, which is sized to its caption in it;
// null when none can be made (the button keeps its font).
HFONT MakeLinkFont(HWND button, HFONT base) {
  LOGFONTW lf{};
  if (!base || GetObjectW(base, sizeof(lf), &lf) == 0) return nullptr;
  lf.lfUnderline = 1;
  lf.lfWeight = 800;
  HFONT link = CreateFontIndirectW(&lf);
  if (!link) return nullptr;
  HDC dc = GetDC(button);
  HGDIOBJ old = SelectObject(dc, link);
  wchar_t caption[kCaptionUnits + 1] = {};
  const int length = GetWindowTextW(button, caption, kCaptionUnits);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(link), TRUE);
  SIZE size{};
  GetTextExtentPoint32W(dc, caption, length, &size);
  const int dpi = WindowDpi(button);
  SetWindowPos(button, nullptr, 0, 0, size.cx + 2 * MetricForDpi(SM_CXEDGE, dpi),
               size.cy + 2 * MetricForDpi(SM_CYEDGE, dpi),
               SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE);
  SelectObject(dc, old);
  ReleaseDC(button, dc);
  return link;
}

// The picture drawn for the dialog's DPI; the one shown before stays when it cannot be loaded.
void ShowPicture(HWND dialog) {
  const int id =
      PictureForDpi(WindowDpi(dialog), {IDB_ABOUT, IDB_ABOUT_120, IDB_ABOUT_144, IDB_ABOUT_192});
  if (HBITMAP shown = ShowDialogPicture(dialog, IDC_ABOUT_PICTURE, id)) {
    DeletePicture(g_about.picture);
    g_about.picture = shown;
  }
}

INT_PTR OnInitDialog(HWND dialog) {
  // The link's caption and target live in one place in the code.
  const std::u16string maker(kMakerAddress);
  SetDlgItemTextW(dialog, IDC_ABOUT_LINK, Wide(maker));
  g_about.linkFont = PrepareLink(dialog);
  ShowPicture(dialog);
  return 0;
}

// After a DPI change: the picture, and the link font made again from the dialog's font, which
// the dialog manager has made for the new DPI.
void FollowDpi(HWND dialog) {
  ShowPicture(dialog);
  if (!g_about.linkFont) return;
  HFONT base = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  if (HFONT link = MakeLinkFont(GetDlgItem(dialog, IDC_ABOUT_LINK), base)) {
    DeleteLinkFont();
    g_about.linkFont = link;
  }
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) {
    EndDialog(dialog, id);
    DeleteLinkFont();
    return 1;
  }
  if (id == IDC_ABOUT_LINK) OpenMakerSite(reinterpret_cast<HWND>(lParam));
  return 0;
}

}  // namespace

HFONT AboutLinkFont() {
  return g_about.linkFont;
}

void SetShellOpener(ShellOpener opener) {
  g_opener = opener;
}

HFONT PrepareLink(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_ABOUT_LINK);
  const LONG_PTR previous =
      SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkProc));
  if (previous != 0) g_about.previousLinkProc = reinterpret_cast<WNDPROC>(previous);
  return MakeLinkFont(button, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
}

LRESULT CALLBACK LinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  if (!g_about.previousLinkProc) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(g_about.previousLinkProc, window, message, wParam, lParam);
}

void DrawLink(HWND dialog, WPARAM id, const DRAWITEMSTRUCT* item) {
  if (!item) return;
  wchar_t caption[kCaptionUnits + 1] = {};
  const int length = GetDlgItemTextW(dialog, static_cast<int>(id), caption, kCaptionUnits);
  SetTextColor(item->hDC, RGB(0, 0, 255));
  SetBkMode(item->hDC, TRANSPARENT);
  ExtTextOutW(item->hDC, 0, MetricForDpi(SM_CYEDGE, WindowDpi(dialog)), ETO_CLIPPED, &item->rcItem,
              caption, static_cast<UINT>(length), nullptr);
}

BOOL OpenMakerSite(HWND window) {
  return OpenWithShell(window, kMakerAddress);
}

void CheckForUpdates(HWND owner) {
  const std::u16string request = BuildUpdateRequest();
  OpenWithShell(owner, request);
}

BOOL OpenWithShell(HWND owner, std::u16string_view address) {
  const std::wstring file(address.begin(), address.end());
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"Open";
  info.lpFile = file.c_str();
  // The page is opened for the user to read: a show command of 0 would ask for it hidden.
  info.nShow = SW_SHOWNORMAL;
  if (g_opener) return g_opener(&info);
  return ShellExecuteExW(&info);
}

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_DRAWITEM:
      DrawLink(dialog, wParam, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return 0;
    case WM_COMMAND:
      return OnCommand(dialog, wParam, lParam);
    case WM_HELP:
      // Left to the default handling, F1 here would reach the owner, whose WM_HELP asks for
      // the About box again; this box already is the help.
      return 1;
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam);
    case kAfterDpiChange:
      FollowDpi(dialog);
      return 1;
    case WM_DESTROY:
      DeletePicture(g_about.picture);
      ForgetWindowDpi(dialog);
      return 0;
    default:
      return 0;
  }
}

}  // namespace qm
