// Copy, zoom, the list of all hits and Go > Date, driven from outside as a user would use them.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "resources/resource.h"
#include "tests/gui/driver_tests.h"
#include "tests/gui/reader_process.h"

namespace qm::gui {

namespace {

constexpr DWORD kPinned = 0x4;
constexpr DWORD kPinnedFlags = 0xD1140040 | kPinned;

bool StartSeeded(Reader& reader, const std::wstring& exe, DWORD lesson, DWORD fontSize) {
  DeleteSettings();
  WriteString(L"FontName", L"DejaVu Sans");
  WriteDword(L"FontSize", fontSize);
  WriteDword(L"Lesson", lesson);
  WriteDword(L"Flags", kPinnedFlags);
  WriteDword(L"Width", 640);
  WriteDword(L"Height", 480);
  WriteDword(L"showCmd", SW_SHOWNORMAL);
  return Check(reader.Start(exe), "main window shown");
}

// A key chord through the input queue, so that it passes the accelerator table.
void Chord(HWND window, WORD modifier, WORD key) {
  SetForegroundWindow(window);
  INPUT in[4] = {};
  const WORD keys[4] = {modifier, key, key, modifier};
  for (int i = 0; i < 4; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = keys[i];
    in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, in, sizeof(INPUT));
}

void Command(HWND window, int id) {
  SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

std::wstring TakeClipboard(DWORD milliseconds = 3000) {
  for (DWORD waited = 0; waited <= milliseconds; waited += 50) {
    std::wstring text;
    if (OpenClipboard(nullptr)) {
      if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
          text = p;
          GlobalUnlock(data);
        }
      }
      if (!text.empty()) EmptyClipboard();
      CloseClipboard();
    }
    if (!text.empty()) return text;
    Sleep(50);
  }
  return {};
}

bool IsLetter(wchar_t c) {
  return c >= 0x05D0 && c <= 0x05EA;
}
bool IsPointed(wchar_t c) {
  return (c >= 0x0591 && c <= 0x05C7) || (c >= 0xFB1D && c <= 0xFB4F);
}
bool IsFinalForm(wchar_t c) {
  return c == 0x05DA || c == 0x05DD || c == 0x05DF || c == 0x05E3 || c == 0x05E5;
}

// Yiddish writes the final forms of kaf, mem, nun, pe and tsadi at the end of a word only: in
// reading order no letter follows one (points on it aside); in visual order letters would.
int FinalFormsInReadingOrder(const std::wstring& text, bool& misplaced) {
  int finals = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsFinalForm(text[i])) continue;
    ++finals;
    std::size_t next = i + 1;
    while (next < text.size() && text[next] >= 0x0591 && text[next] <= 0x05C7)
      ++next;
    if (next < text.size() && (IsLetter(text[next]) || IsPointed(text[next]))) misplaced = true;
  }
  return finals;
}

bool WaitGone(HWND window) {
  for (int i = 0; i < 100 && IsWindow(window); ++i)
    Sleep(50);
  return !IsWindow(window);
}

}  // namespace

void DragInView(HWND window, POINT from, POINT to) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  for (int step = 1; step <= 4; ++step) {
    const LONG x = from.x + (to.x - from.x) * step / 4;
    const LONG y = from.y + (to.y - from.y) * step / 4;
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  }
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  SendMessageW(window, WM_NULL, 0, 0);  // the posted ones are handled before this returns
}

HWND OpenHitList(HWND window, const std::wstring& keys) {
  PostMessageW(window, WM_COMMAND, IDC_SEARCH, 0);
  HWND search = WaitForOwnedDialog(window, 3000);
  if (!search) return nullptr;
  for (wchar_t ch : keys)
    SendDlgItemMessageW(search, IDC_SEARCH_EDIT, WM_CHAR, ch, 0);
  PostMessageW(GetDlgItem(search, IDC_SEARCH_LIST_ALL), BM_CLICK, 0, 0);
  return WaitForOwnedDialog(search, 5000);
}

// Drag over the first rows and Ctrl+C: the clipboard holds the text in reading order, the same
// with Reverse on; without points it holds no point and no pointed letter.
int CopyTest(const std::wstring& exe) {
  Reader reader;
  if (!StartSeeded(reader, exe, 12, 14)) return 1;
  RECT client{};
  GetClientRect(reader.Window(), &client);
  DragInView(reader.Window(), {client.right - 20, 60}, {20, client.bottom / 2});
  Chord(reader.Window(), VK_CONTROL, 'C');
  const std::wstring copied = TakeClipboard();
  bool misplaced = false;
  Check(FinalFormsInReadingOrder(copied, misplaced) > 0 && !misplaced,
        "final forms end the words: reading order", static_cast<long long>(copied.size()), 1);
  Check(copied.find(L"\r\n") != std::wstring::npos, "a paragraph a line");
  Command(reader.Window(), IDC_REVERSE);
  Command(reader.Window(), IDC_COPY);
  Check(TakeClipboard() == copied, "the same text with Reverse on");
  Command(reader.Window(), IDC_COPY_WITHOUT_POINTS);
  const std::wstring bare = TakeClipboard();
  int pointed = 0;
  for (wchar_t c : bare)
    pointed += IsPointed(c);
  Check(!bare.empty() && pointed == 0 && bare.size() <= copied.size(), "copied without points",
        pointed, 0);
  Check(reader.Close() == 0u, "exit");
  return Failures() ? 1 : 0;
}

// Ctrl+wheel two notches up and a step down, stored as "FontSize"; in a second run Ctrl+0 goes
// back to the size before the run's first zoom.
int ZoomTest(const std::wstring& exe) {
  {
    Reader reader;
    if (!StartSeeded(reader, exe, 30, 14)) return 1;
    SendMessageW(reader.Window(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 2 * WHEEL_DELTA), 0);
    Chord(reader.Window(), VK_CONTROL, VK_SUBTRACT);
    Sleep(300);
    Check(reader.Close() == 0u, "exit");
  }
  Check(ReadDword(L"FontSize") == 16u, "Ctrl+wheel 14 -> 18, Ctrl+Minus -> 16",
        ReadDword(L"FontSize").value_or(0), 16);
  Reader reader;
  if (!Check(reader.Start(exe), "second start")) return 1;
  SendMessageW(reader.Window(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), 0);
  Chord(reader.Window(), VK_CONTROL, '0');
  Sleep(300);
  Check(reader.Close() == 0u, "exit");
  Check(ReadDword(L"FontSize") == 16u, "Ctrl+0: the size before the first zoom",
        ReadDword(L"FontSize").value_or(0), 16);
  return Failures() ? 1 : 0;
}

// Every lesson holds alef: the list runs from the current lesson on; the third row chosen is
// shown and pinned, and stays the lesson at exit.
int AllHitsTest(const std::wstring& exe) {
  Reader reader;
  if (!StartSeeded(reader, exe, 246, 14)) return 1;
  HWND list = OpenHitList(reader.Window(), L"t");
  if (!Check(list != nullptr, "list of all hits shown")) return 1;
  HWND box = GetDlgItem(list, IDC_HIT_LIST);
  Check(SendMessageW(box, LB_GETCOUNT, 0, 0) == 247, "every lesson listed",
        SendMessageW(box, LB_GETCOUNT, 0, 0), 247);
  const auto lessonAt = [&](int row) { return SendMessageW(box, LB_GETITEMDATA, row, 0); };
  Check(lessonAt(0) == 246 && lessonAt(1) == 247 && lessonAt(2) == 1, "from the current lesson on",
        lessonAt(2), 1);
  SendMessageW(box, LB_SETCURSEL, 2, 0);
  HWND search = GetWindow(list, GW_OWNER);
  PostMessageW(list, WM_COMMAND, IDOK, 0);
  Check(WaitGone(list) && WaitGone(search), "list and search closed");
  Check(reader.Close() == 0u, "exit");
  Check(ReadDword(L"Lesson") == 1u, "the third row's lesson shown",
        ReadDword(L"Lesson").value_or(0), 1);
  Check((ReadDword(L"Flags").value_or(0) & kPinned) != 0, "and pinned");
  return Failures() ? 1 : 0;
}

// Ctrl+G, a day set in the picker (30 March 2010, 15 Nisan 5770), Show: its lesson, pinned.
int DateTest(const std::wstring& exe) {
  Reader reader;
  if (!StartSeeded(reader, exe, 3, 14)) return 1;
  Chord(reader.Window(), VK_CONTROL, 'G');
  HWND dialog = WaitForOwnedDialog(reader.Window(), 3000);
  if (!Check(dialog != nullptr, "Ctrl+G opens the date dialog")) return 1;
  wchar_t hebrew[64] = {};
  GetDlgItemTextW(dialog, IDC_DATE_HEBREW, hebrew, 64);
  Check(IsLetter(hebrew[0]) || IsLetter(hebrew[1]), "today's Hebrew date shown");
  SYSTEMTIME day{};
  day.wYear = 2010;
  day.wMonth = 3;
  day.wDay = 30;
  // The picker takes the day from memory of the reader's own process.
  void* remote = VirtualAllocEx(reader.Process(), nullptr, sizeof day, MEM_COMMIT, PAGE_READWRITE);
  WriteProcessMemory(reader.Process(), remote, &day, sizeof day, nullptr);
  SendDlgItemMessageW(dialog, IDC_DATE_PICKER, DTM_SETSYSTEMTIME, GDT_VALID,
                      reinterpret_cast<LPARAM>(remote));
  VirtualFreeEx(reader.Process(), remote, 0, MEM_RELEASE);
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  Check(WaitGone(dialog), "dialog closed");
  Check(reader.Close() == 0u, "exit");
  Check(ReadDword(L"Lesson") == 136u, "lesson 136 shown", ReadDword(L"Lesson").value_or(0), 136);
  Check((ReadDword(L"Flags").value_or(0) & kPinned) != 0, "and pinned");
  return Failures() ? 1 : 0;
}

}  // namespace qm::gui
