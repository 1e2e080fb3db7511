// The first start under Wine, from outside the reader: with no stored face the font dialog opens
// once the main window is shown; after Cancel it opens again at the next start, after OK not.
//   font_first_start_tests READER.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/gui/reader_process.h"

using namespace qm::gui;

namespace {

std::wstring Caption(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

std::wstring StoredFace() {
  wchar_t text[64] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"FontName", RRF_RT_REG_SZ, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return L"";
  }
  return text;
}

// One start: whether the font dialog came up over the shown window, answered with `answer`.
bool StartAndAnswer(const std::wstring& exe, int answer, const char* what) {
  Reader reader;
  if (!Check(reader.Start(exe), "main window shown")) return false;
  HWND dialog = WaitForOwnedDialog(reader.Window(), 3000);
  const bool opened = dialog != nullptr;
  if (opened) {
    Check(Caption(dialog) == L"Choose Font", what);
    Check(IsWindowVisible(reader.Window()) != 0, "the main window is shown under the dialog");
    // Both lists are filled and the base defaults to 5D0.
    Check(SendDlgItemMessageW(dialog, 1001, LB_GETCOUNT, 0, 0) > 0, "faces listed");
    Check(SendDlgItemMessageW(dialog, 1006, LB_GETCOUNT, 0, 0) == 14, "sizes listed",
          SendDlgItemMessageW(dialog, 1006, LB_GETCOUNT, 0, 0), 14);
    Check(IsDlgButtonChecked(dialog, 1005) == BST_CHECKED, "5D0 checked");
    if (answer == IDOK) {
      // The user picks a face first: Down in the focused face list selects its first row.
      HWND faces = GetDlgItem(dialog, 1001);
      PostMessageW(faces, WM_KEYDOWN, VK_DOWN, 0);
      for (int i = 0; i < 250 && SendMessageW(faces, LB_GETCURSEL, 0, 0) == LB_ERR; ++i)
        Sleep(20);
      Check(SendMessageW(faces, LB_GETCURSEL, 0, 0) == 0, "first face picked");
    }
    Answer(dialog, answer);
    for (int i = 0; i < 500 && IsWindow(dialog); ++i)
      Sleep(20);
    Check(!IsWindow(dialog), "dialog closed");
  }
  const auto code = reader.Close();
  Check(code.has_value() && *code == 0, "exit code", code.value_or(999), 0);
  return opened;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: font_first_start_tests READER.exe\n");
    return 2;
  }
  const std::wstring exe = argv[1];
  DeleteSettings();
  Check(StartAndAnswer(exe, IDCANCEL, "first start opens the font dialog"),
        "dialog at first start");
  Check(StoredFace().empty(), "Cancel leaves the face empty");
  Check(ReadDword(L"FontAsciiBase") == 0x5D0u, "the base default is kept after Cancel",
        ReadDword(L"FontAsciiBase").value_or(0), 0x5D0);

  Check(StartAndAnswer(exe, IDOK, "the next start opens it again"), "dialog after Cancel");
  const std::wstring face = StoredFace();
  Check(!face.empty(), "OK stores a face");

  Check(!StartAndAnswer(exe, IDCANCEL, "no dialog once a face is stored"), "no dialog after OK");
  Check(StoredFace() == face, "the face stays");
  std::printf("font_first_start_tests: %s\n", Failures() ? "FAILED" : "passed");
  return Failures() ? 1 : 0;
}
