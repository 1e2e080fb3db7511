// In-process GUI tests: the reader's own front end, run by this program instead of its entry
// point, driven from a second thread; assertions on the shared state, the menu and the commands.
//   quillmere_harness TEST [READER.exe]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frame/app_state.h"
#include "frame/commands.h"
#include "frame/main_window.h"
#include "frame/platform.h"
#include "resources/resource.h"
#include "tests/gui/reader_process.h"
#include "tests/recording_notices.h"

using namespace qm::gui;

namespace {

// Commands seen by DispatchCommand, in order.
std::mutex g_lock;
std::vector<int> g_seen;

void Observe(HWND, int id) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_seen.push_back(id);
}

void ClearSeen() {
  std::lock_guard<std::mutex> hold(g_lock);
  g_seen.clear();
}

bool Seen(int id) {
  std::lock_guard<std::mutex> hold(g_lock);
  return std::find(g_seen.begin(), g_seen.end(), id) != g_seen.end();
}

// Code run on the GUI thread through a message of the subclassed main window.
const UINT kRunOnGui = WM_APP + 7;
WNDPROC g_previousProc = nullptr;
HWND g_main = nullptr;

LRESULT CALLBACK HarnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunOnGui) {
    (*reinterpret_cast<std::function<void()>*>(lParam))();
    return 0;
  }
  return CallWindowProcW(g_previousProc, window, message, wParam, lParam);
}

void OnGui(std::function<void()> fn) {
  SendMessageW(g_main, kRunOnGui, 0, reinterpret_cast<LPARAM>(&fn));
}

// Waits until DispatchCommand saw `id`, closing any dialog the command opened.
bool WaitSeen(int id, DWORD milliseconds = 3000) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (HWND dialog = WaitForOwnedDialog(g_main, 0)) Answer(dialog, IDCANCEL);
    if (Seen(id)) return true;
    Sleep(50);
  }
  return Seen(id);
}

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(in));
}

void Chord(WORD modifier, WORD vk) {
  if (modifier) Key(modifier, false);
  Key(vk, false);
  Key(vk, true);
  if (modifier) Key(modifier, true);
}

std::wstring MenuLabel(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

// The menu as it came from the resource: labels, hints after U+0008, identifiers, order.
void CheckMenu() {
  struct Item {
    const wchar_t* label;
    int id;  // 0: separator
  };
  const std::vector<Item> file = {{L"&About", IDC_ABOUT},
                                  {L"Check For &Updates", IDC_CHECK_UPDATES},
                                  {L"&Choose Article\x08"
                                   L"Ctrl+D",
                                   IDC_INDEX},
                                  {nullptr, 0},
                                  {L"F&ont\x08"
                                   L"Ctrl+F",
                                   IDC_FONT},
                                  {L"Re&verse", IDC_REVERSE},
                                  {nullptr, 0},
                                  {L"E&xit\x08"
                                   L"Ctrl+Q",
                                   IDC_EXIT}};
  const std::vector<Item> go = {{L"&Today\x08"
                                 L"Ctrl+Home",
                                 IDC_TODAY},
                                {nullptr, 0},
                                {L"&Index\x08"
                                 L"Ctrl+D",
                                 IDC_INDEX},
                                {L"&Bookmark", IDC_BOOKMARK},
                                {L"&Previous Article", IDC_PREVIOUS},
                                {L"&Next Article", IDC_NEXT},
                                {nullptr, 0},
                                {L"&Search\x08"
                                 L"Alt+F3",
                                 IDC_SEARCH},
                                {L"Search A&gain\x08"
                                 L"F3",
                                 IDC_SEARCH_AGAIN}};
  OnGui([&] {
    HMENU bar = GetMenu(g_main);
    if (!Check(bar != nullptr, "menu present")) return;
    Check(GetMenuItemCount(bar) == 2, "two popups", GetMenuItemCount(bar), 2);
    Check(MenuLabel(bar, 0) == L"&File" && MenuLabel(bar, 1) == L"&Go", "popup labels");
    const std::vector<Item>* popups[] = {&file, &go};
    for (int p = 0; p < 2; ++p) {
      HMENU popup = GetSubMenu(bar, p);
      const auto& items = *popups[p];
      Check(GetMenuItemCount(popup) == static_cast<int>(items.size()), "item count",
            GetMenuItemCount(popup), static_cast<long long>(items.size()));
      for (UINT i = 0; i < items.size() && i < static_cast<UINT>(GetMenuItemCount(popup)); ++i) {
        const UINT state = GetMenuState(popup, i, MF_BYPOSITION);
        if (!items[i].label) {
          Check((state & MF_SEPARATOR) != 0, "separator", i, 0);
          continue;
        }
        Check(MenuLabel(popup, i) == items[i].label, "item label", p * 100 + i, 0);
        Check(static_cast<int>(GetMenuItemID(popup, static_cast<int>(i))) == items[i].id,
              "item identifier", GetMenuItemID(popup, static_cast<int>(i)), items[i].id);
        Check((state & (MF_CHECKED | MF_GRAYED | MF_DISABLED)) == 0, "unchecked and enabled", i, 0);
      }
    }
  });
  // The accelerator table, in order.
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDA_MAIN));
  std::array<ACCEL, 16> got{};
  const int n = CopyAcceleratorTableW(table, got.data(), static_cast<int>(got.size()));
  const BYTE v = FVIRTKEY | FNOINVERT;
  const std::array<ACCEL, 10> expected = {
      {{static_cast<BYTE>(v | FCONTROL), 'F', IDC_FONT},
       {static_cast<BYTE>(v | FALT), VK_F3, IDC_SEARCH},
       {v, VK_F3, IDC_SEARCH_AGAIN},
       {static_cast<BYTE>(v | FCONTROL), 'D', IDC_CHOOSE_ARTICLE},
       {static_cast<BYTE>(v | FCONTROL), 'Q', IDC_QUIT_KEY},
       {static_cast<BYTE>(v | FCONTROL), VK_HOME, IDC_TODAY},
       {static_cast<BYTE>(v | FCONTROL), 'T', IDC_TODAY},
       {static_cast<BYTE>(v | FCONTROL), 'N', IDC_NEXT},
       {static_cast<BYTE>(v | FCONTROL), 'W', IDC_SEARCH},
       {static_cast<BYTE>(v | FCONTROL), 'A', IDC_SEARCH_AGAIN}}};
  Check(n == 10, "accelerator count", n, 10);
  for (int i = 0; i < n && i < 10; ++i) {
    Check((got[i].fVirt & ~0x80) == expected[i].fVirt && got[i].key == expected[i].key &&
              got[i].cmd == expected[i].cmd,
          "accelerator entry", i, got[i].cmd);
  }
}

// Every menu identifier, every toolbar button and every accelerator reaches DispatchCommand.
void CheckCommands() {
  const int menuIds[] = {IDC_ABOUT,   IDC_CHECK_UPDATES, IDC_INDEX,       IDC_FONT,
                         IDC_REVERSE, IDC_TODAY,         IDC_BOOKMARK,    IDC_PREVIOUS,
                         IDC_NEXT,    IDC_SEARCH,        IDC_SEARCH_AGAIN};
  for (int id : menuIds) {
    ClearSeen();
    PostMessageW(g_main, WM_COMMAND, static_cast<WPARAM>(id), 0);
    Check(WaitSeen(id), "menu command dispatched", id, id);
  }
  int unhandled = 0;
  OnGui([&] { unhandled = qm::DispatchCommand(g_main, 4242); });
  Check(unhandled == 1, "unknown identifier not handled", unhandled, 1);

  HWND toolbar = static_cast<HWND>(qm::g_app.Toolbar);
  const int buttonIds[] = {IDC_PREVIOUS, IDC_TODAY,        IDC_NEXT,          IDC_FONT,
                           IDC_SEARCH,   IDC_SEARCH_AGAIN, IDC_CHOOSE_ARTICLE};
  Check(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0) == 7, "seven buttons",
        SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 7);
  for (int i = 0; i < 7; ++i) {
    TBBUTTON button{};
    SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
    Check(button.idCommand == buttonIds[i] && button.iBitmap == i, "button order", i,
          button.idCommand);
    RECT r{};
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ClearSeen();
    PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
    Check(WaitSeen(buttonIds[i]), "toolbar click dispatched", i, buttonIds[i]);
  }

  OnGui([] {
    SetForegroundWindow(g_main);
    SetFocus(g_main);
  });
  struct Press {
    WORD modifier, key;
    int id;
  };
  const Press presses[] = {
      {VK_CONTROL, 'F', IDC_FONT},        {VK_MENU, VK_F3, IDC_SEARCH},
      {0, VK_F3, IDC_SEARCH_AGAIN},       {VK_CONTROL, 'D', IDC_CHOOSE_ARTICLE},
      {VK_CONTROL, VK_HOME, IDC_TODAY},   {VK_CONTROL, 'T', IDC_TODAY},
      {VK_CONTROL, 'N', IDC_NEXT},        {VK_CONTROL, 'W', IDC_SEARCH},
      {VK_CONTROL, 'A', IDC_SEARCH_AGAIN}};
  for (const Press& p : presses) {
    ClearSeen();
    Chord(p.modifier, p.key);
    Check(WaitSeen(p.id), "accelerator dispatched", p.key, p.id);
    OnGui([] {
      SetForegroundWindow(g_main);
      SetFocus(g_main);
    });
  }
  // Ctrl+Q ends the program like Exit.
  ClearSeen();
  Chord(VK_CONTROL, 'Q');
  for (int i = 0; i < 60 && IsWindow(g_main); ++i)
    Sleep(50);
  Check(Seen(IDC_QUIT_KEY) && !IsWindow(g_main), "Ctrl+Q closes the window");
}

// A second start: Today when the reader is in front, brought forward when another program is,
// nothing while one of its own windows is in front.
void CheckSingleInstance(const std::wstring& exe) {
  auto second = [&](const char* what) {
    Reader other;
    const bool shown = other.Start(exe);  // finds our window at once and ends
    (void)shown;
    const auto code = other.WaitExit(10000);
    Check(code.has_value() && *code == 0, what, code.value_or(999), 0);
  };
  OnGui([] { SetForegroundWindow(g_main); });
  ClearSeen();
  second("second start exits (reader in front)");
  Check(Seen(IDC_TODAY), "reader in front: Today");

  HWND stranger = nullptr;
  OnGui([&] {
    stranger = CreateWindowExW(0, L"STATIC", L"stranger", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(stranger);
  });
  Check(GetForegroundWindow() == stranger, "another window in front");
  ClearSeen();
  second("second start exits (other window in front)");
  Check(!Seen(IDC_TODAY), "other window in front: no Today");
  Check(GetForegroundWindow() == g_main, "reader brought forward",
        reinterpret_cast<long long>(GetForegroundWindow()), reinterpret_cast<long long>(g_main));
  OnGui([&] { DestroyWindow(stranger); });

  HWND owned = nullptr;
  OnGui([&] {
    owned = CreateWindowExW(0, L"STATIC", L"owned", WS_POPUP | WS_VISIBLE, 20, 20, 100, 100, g_main,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(owned);
  });
  ClearSeen();
  second("second start exits (own window in front)");
  Check(!Seen(IDC_TODAY), "own window in front: no Today");
  Check(GetForegroundWindow() == owned, "own window stays in front");
  OnGui([&] { DestroyWindow(owned); });
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

void CheckReverseAndStyles() {
  using qm::g_app;
  Check(qm::MainWindowStyle(0x40) & WS_VSCROLL, "0x40: scroll bar");
  Check(!(qm::MainWindowExStyle(0x40) & WS_EX_LEFTSCROLLBAR), "0x40: on the right");
  Check((qm::MainWindowStyle(0x80) & WS_VSCROLL) &&
            (qm::MainWindowExStyle(0x80) & WS_EX_LEFTSCROLLBAR),
        "0x80: scroll bar on the left");
  Check(qm::MainWindowExStyle(0xC0) == (WS_EX_WINDOWEDGE | WS_EX_LEFTSCROLLBAR), "0xC0: left");
  Check(!(qm::MainWindowStyle(0x00) & WS_VSCROLL), "0x00: no scroll bar");
  Check((GetWindowLongW(g_main, GWL_STYLE) & WS_VSCROLL) != 0, "default flags: window scrolls");

  std::uint32_t before = 0, once = 0, twice = 0;
  UINT checkOnce = 0, checkTwice = 0;
  OnGui([&] {
    before = g_app.Flags;
    SendMessageW(g_main, WM_COMMAND, IDC_REVERSE, 0);
    once = g_app.Flags;
    checkOnce = GetMenuState(GetMenu(g_main), IDC_REVERSE, MF_BYCOMMAND) & MF_CHECKED;
    SendMessageW(g_main, WM_COMMAND, IDC_REVERSE, 0);
    twice = g_app.Flags;
    checkTwice = GetMenuState(GetMenu(g_main), IDC_REVERSE, MF_BYCOMMAND) & MF_CHECKED;
  });
  Check((once ^ before) == qm::flags::ReverseText, "Reverse flips bit 11 only", once ^ before,
        qm::flags::ReverseText);
  Check(twice == before, "Reverse twice restores Flags", twice, before);
#if __has_include("frame/menu_checks.h")
  Check((checkOnce != 0) == ((once & qm::flags::ReverseText) != 0), "check mark follows bit 11");
  Check((checkTwice != 0) == ((twice & qm::flags::ReverseText) != 0), "check mark back");
#else
  (void)checkOnce;
  (void)checkTwice;
#endif
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

void TestThread(std::wstring name, std::wstring exe) {
  for (int i = 0; i < 200 && !g_main; ++i) {
    HWND w = FindWindowW(kReaderName, kReaderName);
    if (w && IsWindowVisible(w))
      g_main = w;
    else
      Sleep(50);
  }
  if (!Check(g_main != nullptr, "main window shown")) return;
  if (HWND dialog = WaitForOwnedDialog(g_main, 500)) Answer(dialog, IDCANCEL);
  g_previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(g_main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HarnessProc)));
  if (name == L"menu") {
    CheckMenu();
    PostMessageW(g_main, WM_CLOSE, 0, 0);
  } else if (name == L"commands") {
    CheckCommands();
  } else if (name == L"single_instance") {
    CheckSingleInstance(exe);
  } else if (name == L"reverse_styles") {
    CheckReverseAndStyles();
  } else {
    Check(false, "known test");
    PostMessageW(g_main, WM_CLOSE, 0, 0);
  }
}

// A refused platform shows only the refusal and touches no setting.
int PlatformRefused() {
  DeleteSettings();
  qm::RecordingNotices notices;
  const int code = qm::RunReader(GetModuleHandleW(nullptr), SW_SHOWNORMAL, [] { return DWORD{1}; });
  Check(code == -1, "exit code -1", code, -1);
  Check(notices.shown.size() == 1 && notices.Count(qm::Notice::PlatformRefused) == 1,
        "only the refusal shown", static_cast<long long>(notices.shown.size()), 1);
  Check(!SettingsKeyExists(), "settings key not created");
  Check(FindWindowW(kReaderName, kReaderName) == nullptr, "no window made");
  Check(qm::RefusesPlatform(0) && qm::RefusesPlatform(1) && !qm::RefusesPlatform(2),
        "ids below 2 refused");
  return Failures() ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: quillmere_harness TEST [READER.exe]\n");
    return 2;
  }
  const std::wstring name = argv[1];
  if (name == L"platform_refused") return PlatformRefused();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  qm::InstallPlatformPieces(instance);
  qm::SetCommandObserver(Observe);
  std::thread driver(TestThread, name, argc > 2 ? std::wstring(argv[2]) : std::wstring());
  const int code = qm::RunReader(instance, SW_SHOWNORMAL, qm::QueryPlatformId);
  driver.join();
  Check(code == 0, "reader exit code", code, 0);
  std::printf("%s: %s\n", name == L"menu" ? "menu" : "test", Failures() ? "FAILED" : "passed");
  return Failures() ? 1 : 0;
}
