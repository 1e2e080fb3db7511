// The Choose Font dialog inside the reader under Wine: Ctrl+F and command 40006 open it over
// the main window; OK stores the choice and lays the lesson out again in it, Cancel changes
// nothing; the choice reaches the registry at exit. Steps run from a timer on the GUI thread.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "frame/app_state.h"
#include "frame/main_window.h"
#include "frame/platform.h"
#include "resources/resource.h"
#include "tests/gui/reader_process.h"
#include "tests/gui/timed_steps.h"
#include "text/document.h"

using qm::gui::Check;

namespace {

using qm::gui::Step;

HWND Main() {
  return FindWindowW(qm::kMainWindowName, qm::kMainWindowName);
}
HWND Dialog() {
  return FindWindowW(L"#32770", L"Choose Font");
}

void CloseWhatIsOpen() {
  if (HWND dialog = Dialog()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (HWND main = Main()) PostMessageW(main, WM_CLOSE, 0, 0);
}

std::wstring Selected(HWND list) {
  const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return L"(none)";
  wchar_t text[64] = {};
  if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) < 64)
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
  return text;
}

// A mouse click on the row that reads `text`.
bool ClickRow(HWND list, const wchar_t* text) {
  const LRESULT row = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text));
  if (!Check(row != LB_ERR, "row present")) return false;
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  return true;
}

std::wstring Name(const qm::FontSettings& s) {
  return std::wstring(s.FontName, s.FontName + std::char_traits<char16_t>::length(s.FontName));
}

// The face of the fonts the lesson is laid out in, from the document's own font list.
std::wstring DocumentFace() {
  const qm::Document* doc = qm::g_app.CurrentDocument.get();
  if (!doc || !doc->Fonts || !doc->Fonts->Font) return L"(none)";
  LOGFONTW lf{};
  GetObjectW(static_cast<HGDIOBJ>(doc->Fonts->Font), sizeof(lf), &lf);
  return lf.lfFaceName;
}

int FirstLineHeight() {
  const qm::Document* doc = qm::g_app.CurrentDocument.get();
  return doc && doc->Lines && doc->LineCount > 0 ? doc->Lines[0].Height : -1;
}

std::wstring ReadString(const wchar_t* name) {
  wchar_t text[64] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, qm::gui::kSettingsKey, name, RRF_RT_REG_SZ, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return L"(missing)";
  }
  return text;
}

}  // namespace

int wmain() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  qm::InstallPlatformPieces(instance);
  qm::gui::DeleteSettings();
  qm::gui::WriteString(L"FontName", L"DejaVu Sans");
  qm::gui::WriteDword(L"FontSize", 16);
  qm::gui::WriteDword(L"FontAsciiBase", qm::BaseUnicode);
  qm::gui::WriteDword(L"Lesson", 12);
  qm::gui::WriteDword(L"Flags", qm::flags::Default | qm::flags::LessonPinned);

  int heightBefore = 0, heightAfter = 0;
  qm::gui::StartSteps(
      {
          [&] {  // Ctrl+F through the accelerator table
            HWND main = Main();
            if (!main || !IsWindowVisible(main) || Dialog()) return false;
            Check(DocumentFace() == L"DejaVu Sans", "laid out in the stored face");
            heightBefore = FirstLineHeight();
            Check(heightBefore > 0, "lesson laid out", heightBefore, 1);
            SetForegroundWindow(main);
            qm::gui::SendKey(VK_CONTROL, false);
            qm::gui::SendKey('F', false);
            qm::gui::SendKey('F', true);
            qm::gui::SendKey(VK_CONTROL, true);
            return true;
          },
          [] {
            HWND dialog = Dialog();
            if (!dialog) return false;
            Check(GetWindow(dialog, GW_OWNER) == Main(), "owned by the main window");
            Check(Selected(GetDlgItem(dialog, IDC_FONT_FACES)) == L"DejaVu Sans",
                  "stored face shown");
            Check(Selected(GetDlgItem(dialog, IDC_FONT_SIZES)) == L"16", "stored size shown");
            ClickRow(GetDlgItem(dialog, IDC_FONT_FACES), L"Frank Ruehl CLM");
            ClickRow(GetDlgItem(dialog, IDC_FONT_SIZES), L"28");
            Check(IsDlgButtonChecked(dialog, IDC_FONT_BASE_5D0) == BST_CHECKED, "5D0 checked");
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            return true;
          },
          [&] {
            if (Dialog()) return false;
            const qm::FontSettings& s = qm::g_app.FontSettings;
            Check(Name(s) == L"Frank Ruehl CLM" && s.FontSize == 28 && s.FontAsciiBase == 0x5D0,
                  "OK stores the choice", s.FontSize, 28);
            const qm::Document* doc = qm::g_app.CurrentDocument.get();
            Check(doc && Name(doc->Settings) == L"Frank Ruehl CLM" && doc->Settings.FontSize == 28,
                  "the document takes the new settings");
            Check(DocumentFace() == L"Frank Ruehl CLM", "laid out again in the chosen face");
            heightAfter = FirstLineHeight();
            Check(heightAfter > heightBefore, "28 points make taller lines than 16", heightAfter,
                  heightBefore);
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_ALL;
            GetScrollInfo(Main(), SB_VERT, &info);
            Check(doc && info.nMax == doc->MaxTopLine, "scroll range of the new layout", info.nMax,
                  doc ? doc->MaxTopLine : -1);
            PostMessageW(Main(), WM_COMMAND, IDC_FONT, 0);  // the menu item and the toolbar button
            return true;
          },
          [] {
            HWND dialog = Dialog();
            if (!dialog) return false;
            Check(Selected(GetDlgItem(dialog, IDC_FONT_FACES)) == L"Frank Ruehl CLM",
                  "the new face is shown next time");
            ClickRow(GetDlgItem(dialog, IDC_FONT_FACES), L"DejaVu Serif");
            ClickRow(GetDlgItem(dialog, IDC_FONT_SIZES), L"10");
            SendDlgItemMessageW(dialog, IDC_FONT_BASE_224, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
            return true;
          },
          [&] {
            if (Dialog()) return false;
            const qm::FontSettings& s = qm::g_app.FontSettings;
            Check(Name(s) == L"Frank Ruehl CLM" && s.FontSize == 28 && s.FontAsciiBase == 0x5D0,
                  "Cancel keeps the settings", s.FontSize, 28);
            Check(DocumentFace() == L"Frank Ruehl CLM" && FirstLineHeight() == heightAfter,
                  "Cancel keeps the layout", FirstLineHeight(), heightAfter);
            return true;
          },
      },
      CloseWhatIsOpen);
  const int code = qm::RunReader(instance, SW_SHOWNORMAL, qm::QueryPlatformId);
  Check(code == 0, "reader exit code", code, 0);
  qm::gui::CheckEveryStepRan();
  Check(ReadString(L"FontName") == L"Frank Ruehl CLM", "face written at exit");
  Check(qm::gui::ReadDword(L"FontSize") == 28u, "size written at exit",
        qm::gui::ReadDword(L"FontSize").value_or(0), 28);
  std::printf("font_dialog_gui_tests: %s\n", qm::gui::Failures() ? "FAILED" : "passed");
  return qm::gui::Failures() ? 1 : 0;
}
