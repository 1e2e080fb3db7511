// In-process GUI tests: the reader's own front end, run by this program instead of its entry
// point, driven from a second thread; assertions on the shared state, the menu and the commands.
//   quillmere_harness TEST [READER.exe]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frame/app_state.h"
#include "frame/commands.h"
#include "frame/lesson_view.h"
#include "frame/main_window.h"
#include "frame/platform.h"
#include "resources/resource.h"
#include "store/table_record_source.h"
#include "tests/fake_text_device.h"
#include "tests/gui/reader_process.h"
#include "tests/gui/window_image.h"
#include "tests/recording_notices.h"
#include "text/document.h"
#include "text/draw.h"
#include "text/fonts.h"
#include "tools/recc/record_file.h"

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
                                 IDC_SEARCH_AGAIN},
                                // The later items: after these, and a popup of its own.
                                {nullptr, 0},
                                {L"&Date\x2026\x08"
                                 L"Ctrl+G",
                                 IDC_GO_DATE}};
  const std::vector<Item> view = {{L"&Copy\x08"
                                   L"Ctrl+C",
                                   IDC_COPY},
                                  {L"Copy &Without Points", IDC_COPY_WITHOUT_POINTS},
                                  {L"Select &Lesson", IDC_SELECT_LESSON},
                                  {nullptr, 0},
                                  {L"Zoom &In\x08"
                                   L"Ctrl++",
                                   IDC_ZOOM_IN},
                                  {L"Zoom Ou&t\x08"
                                   L"Ctrl+-",
                                   IDC_ZOOM_OUT},
                                  {L"&Original Size\x08"
                                   L"Ctrl+0",
                                   IDC_ZOOM_ORIGINAL}};
  OnGui([&] {
    HMENU bar = GetMenu(g_main);
    if (!Check(bar != nullptr, "menu present")) return;
    Check(GetMenuItemCount(bar) == 3, "three popups", GetMenuItemCount(bar), 3);
    Check(MenuLabel(bar, 0) == L"&File" && MenuLabel(bar, 1) == L"&Go" &&
              MenuLabel(bar, 2) == L"&View",
          "popup labels");
    const std::vector<Item>* popups[] = {&file, &go, &view};
    for (int p = 0; p < 3; ++p) {
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
  std::array<ACCEL, 32> got{};
  const int n = CopyAcceleratorTableW(table, got.data(), static_cast<int>(got.size()));
  const BYTE v = FVIRTKEY | FNOINVERT;
  const BYTE c = v | FCONTROL;
  const std::array<ACCEL, 19> expected = {
      {{static_cast<BYTE>(v | FCONTROL), 'F', IDC_FONT},
       {static_cast<BYTE>(v | FALT), VK_F3, IDC_SEARCH},
       {v, VK_F3, IDC_SEARCH_AGAIN},
       {static_cast<BYTE>(v | FCONTROL), 'D', IDC_CHOOSE_ARTICLE},
       {static_cast<BYTE>(v | FCONTROL), 'Q', IDC_QUIT_KEY},
       {static_cast<BYTE>(v | FCONTROL), VK_HOME, IDC_TODAY},
       {static_cast<BYTE>(v | FCONTROL), 'T', IDC_TODAY},
       {static_cast<BYTE>(v | FCONTROL), 'N', IDC_NEXT},
       {static_cast<BYTE>(v | FCONTROL), 'W', IDC_SEARCH},
       {static_cast<BYTE>(v | FCONTROL), 'A', IDC_SEARCH_AGAIN},
       // The tools' keys come after the table's first ten.
       {c, 'C', IDC_COPY},
       {c, VK_OEM_PLUS, IDC_ZOOM_IN},
       {static_cast<BYTE>(c | FSHIFT), VK_OEM_PLUS, IDC_ZOOM_IN},
       {c, VK_ADD, IDC_ZOOM_IN},
       {c, VK_OEM_MINUS, IDC_ZOOM_OUT},
       {c, VK_SUBTRACT, IDC_ZOOM_OUT},
       {c, '0', IDC_ZOOM_ORIGINAL},
       {c, VK_NUMPAD0, IDC_ZOOM_ORIGINAL},
       {c, 'G', IDC_GO_DATE}}};
  Check(n == 19, "accelerator count", n, 19);
  for (int i = 0; i < n && i < 19; ++i) {
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
    // A dialog the command opens may come up a little later: close it before the next key.
    for (int i = 0; i < 10; ++i) {
      if (HWND dialog = WaitForOwnedDialog(g_main, 0)) Answer(dialog, IDCANCEL);
      Sleep(50);
    }
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
  // Activation across processes reaches the window manager a moment later on a busy machine.
  for (int i = 0; i < 40 && GetForegroundWindow() != g_main; ++i)
    Sleep(50);
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
  Check((checkOnce != 0) == ((once & qm::flags::ReverseText) != 0), "check mark follows bit 11");
  Check((checkTwice != 0) == ((twice & qm::flags::ReverseText) != 0), "check mark back");
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

// --- The lesson view over a fake text device (16-pixel rows) and generated lessons. ---

constexpr int kParagraphs = 150;

struct GeneratedLessons {
  std::vector<std::vector<std::uint8_t>> records;
  std::vector<qm::RecordEntry> entries;
  std::unique_ptr<qm::TableRecordSource> source;

  explicit GeneratedLessons(bool styled = false) {
    records.resize(qm::kLessonCount);
    for (int n = 1; n <= qm::kLessonCount; ++n) {
      std::vector<std::uint8_t> text;
      if (styled) {
        const std::uint8_t styles[] = {static_cast<std::uint8_t>(qm::StyleLarge | qm::StyleBold),
                                       qm::StyleSmall, qm::StyleRule};
        for (std::uint8_t style : styles) {
          text.push_back(style);
          text.push_back(style == qm::StyleRule ? 150 : 0);
          const std::string words = style == qm::StyleRule ? "-" : "WWWW MMMM WWWW MMMM";
          text.insert(text.end(), words.begin(), words.end());
          text.push_back(0);
        }
      }
      for (int p = 0; p < kParagraphs; ++p) {
        text.push_back(qm::StylePlain);
        text.push_back(0);
        const std::string line = "Lesson " + std::to_string(n) + " row " + std::to_string(p);
        text.insert(text.end(), line.begin(), line.end());
        text.push_back(0);
      }
      text.push_back(0);
      text.push_back(0);
      std::string error;
      qm::recc::BuildRecord(n, text, records[static_cast<std::size_t>(n - 1)], error);
      entries.push_back(
          {static_cast<std::uint16_t>(1000 + n), records[static_cast<std::size_t>(n - 1)]});
    }
    source = std::make_unique<qm::TableRecordSource>(entries);
  }
};

std::unique_ptr<qm::TextDevice> NewFakeDevice(HDC) {
  auto device = std::make_unique<qm::FakeTextDevice>();
  device->logQueries = false;
  return device;
}

qm::Document* Doc() {
  return qm::g_app.CurrentDocument.get();
}
int Top() {
  return Doc() ? Doc()->TopLine : -1;
}

void Key(WPARAM vk) {
  SendMessageW(g_main, WM_KEYDOWN, vk, 0);
}
void Bar(WORD request, int position = 0) {
  SendMessageW(g_main, WM_VSCROLL, MAKEWPARAM(request, static_cast<WORD>(position)), 0);
}
void Wheel(int distance) {
  SendMessageW(g_main, WM_MOUSEWHEEL,
               MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(distance))), 0);
}
// A click pages once the button comes up without having moved (a press that moves selects).
void Click(int x, int y) {
  SendMessageW(g_main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(g_main, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
void SetMode(int shift, std::uint32_t mode) {
  qm::g_app.Flags = (qm::g_app.Flags & ~(qm::flags::ModeMask << shift)) | (mode << shift);
}
void ScrollTo(int row) {
  Key(VK_HOME);
  Bar(SB_THUMBPOSITION, row);
}

void CheckLessonView(qm::RecordingNotices& notices) {
  using qm::g_app;
  namespace f = qm::flags;
  OnGui([&] {
    if (!Check(Doc() && Doc()->Text, "lesson laid out")) return;
    const int shown = Doc()->LinesShown;
    Check(shown > 10 && Doc()->MaxTopLine > 3 * shown, "rows shown and lesson longer than a page",
          shown, Doc()->MaxTopLine);

    // Next on 247 gives 1, Previous on 1 gives 247; the arrows do the same.
    qm::GoToLesson(g_main, 247);
    qm::StepLesson(g_main, +1);
    Check(g_app.CurrentLesson == 1 && (g_app.Flags & f::LessonPinned), "247 -> 1, pinned",
          g_app.CurrentLesson, 1);
    qm::StepLesson(g_main, -1);
    Check(g_app.CurrentLesson == 247, "1 -> 247", g_app.CurrentLesson, 247);
    Key(VK_RIGHT);
    Check(g_app.CurrentLesson == 1, "Right: 247 -> 1", g_app.CurrentLesson, 1);
    Key(VK_LEFT);
    Check(g_app.CurrentLesson == 247, "Left: 1 -> 247", g_app.CurrentLesson, 247);

    // Today reloads, shows the first row and unpins.
    Key(VK_DOWN);
    Key(VK_DOWN);
    Check(Top() == 2, "Down twice", Top(), 2);
    SendMessageW(g_main, WM_COMMAND, IDC_TODAY, 0);
    Check(Top() == 0 && !(g_app.Flags & f::LessonPinned), "Today: first row, unpinned", Top(), 0);

    // Page Down by KeyPageMode: 2 and 4 give half a page, others a page less one row.
    const int page = Doc()->LinesShown;
    for (std::uint32_t mode : {1u, 2u, 3u, 4u, 0u}) {
      SetMode(f::KeyPageModeShift, mode);
      Key(VK_HOME);
      Key(VK_NEXT);
      const int expected = (mode == 2 || mode == 4) ? page / 2 : page - 1;
      Check(Top() == expected, "Page Down step", Top(), expected);
      Key(VK_PRIOR);
      Check(Top() == 0, "Page Up back", Top(), 0);
    }
    SetMode(f::KeyPageModeShift, 1);
    Key(VK_END);
    Check(Top() == Doc()->MaxTopLine, "End", Top(), Doc()->MaxTopLine);
    Key(VK_NEXT);
    Check(Top() == Doc()->MaxTopLine, "Page Down at the end does nothing", Top(),
          Doc()->MaxTopLine);
    Key(VK_HOME);
    Check(Top() == 0, "Home", Top(), 0);
    Check(SendMessageW(g_main, WM_KEYDOWN, 'A', 0) == 1 && Top() == 0, "other keys ignored");
    // End shows the last page from any row, and a page never runs past it; with no row drawn a
    // page key still moves one row its own way.
    ScrollTo(20);
    Key(VK_END);
    Check(Top() == Doc()->MaxTopLine, "End from row 20", Top(), Doc()->MaxTopLine);
    ScrollTo(Doc()->MaxTopLine - 2);
    Key(VK_NEXT);
    Check(Top() == Doc()->MaxTopLine, "Page Down stops at the last page", Top(), Doc()->MaxTopLine);
    ScrollTo(10);
    Doc()->LinesShown = 0;
    Key(VK_NEXT);
    Doc()->LinesShown = 0;
    Bar(SB_PAGEUP);
    Doc()->LinesShown = 0;
    Key(VK_PRIOR);
    Check(Top() == 9, "page steps of one row without a drawn row", Top(), 9);
    // Reverse, like every new layout, brings the scroll bar up to date.
    Doc()->TopLine = 7;
    SendMessageW(g_main, WM_COMMAND, IDC_REVERSE, 0);
    SendMessageW(g_main, WM_COMMAND, IDC_REVERSE, 0);
    SCROLLINFO bar{};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_ALL;
    GetScrollInfo(g_main, SB_VERT, &bar);
    Check(bar.nPos == 7, "Reverse updates the scroll bar", bar.nPos, 7);

    // Wheel: one row per notch, away from the user goes back.
    ScrollTo(10);
    Check(Top() == 10, "thumb position", Top(), 10);
    Wheel(60);
    Check(Top() == 10, "wheel 60 moves nothing", Top(), 10);
    Wheel(240);
    Check(Top() == 8, "wheel 240: two rows back", Top(), 8);
    Wheel(-360);
    Check(Top() == 11, "wheel -360: three rows on", Top(), 11);

    // Scroll-bar requests; SB_BOTTOM goes to the last page.
    Bar(SB_TOP);
    Check(Top() == 0, "SB_TOP", Top(), 0);
    Bar(SB_PAGEDOWN);
    Check(Top() == page - 1, "SB_PAGEDOWN", Top(), page - 1);
    Bar(SB_LINEUP);
    Check(Top() == page - 2, "SB_LINEUP", Top(), page - 2);
    Bar(SB_BOTTOM);
    Check(Top() == Doc()->MaxTopLine, "SB_BOTTOM: last page", Top(), Doc()->MaxTopLine);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(g_main, SB_VERT, &info);
    Check(info.nPos == Top() && info.nMax == Doc()->MaxTopLine, "scroll bar follows", info.nPos,
          Top());

    // Clicks: upper/lower halves, the gutter counts above and beside the text, not below.
    const qm::TextArea t = Doc()->TextRect;
    const int g = g_app.Gutter;
    const int step = page - 1;
    g_app.Flags |= f::ClickPaging | f::ClickUpperLower;
    SetMode(f::ClickPageModeShift, 1);
    ScrollTo(3 * step);
    Click(t.left + t.width / 2, t.top - g / 2);
    Check(Top() == 2 * step, "click in the upper gutter pages back", Top(), 2 * step);
    Click(t.left + t.width / 2, t.top + t.height - 2);
    Check(Top() == 3 * step, "click in the lower half pages on", Top(), 3 * step);
    Click(t.left + t.width / 2, t.top + t.height + g / 2);
    Check(Top() == 3 * step, "click in the lower gutter does nothing", Top(), 3 * step);
    g_app.Flags &= ~f::ClickUpperLower;
    Click(t.left - g / 2, t.top + 5);
    Check(Top() == 2 * step, "click in the left gutter pages back", Top(), 2 * step);
    Click(t.left + t.width + g / 2, t.top + 5);
    Check(Top() == 3 * step, "click in the right gutter pages on", Top(), 3 * step);
    Click(t.left + t.width + g + 3, t.top + 5);
    Check(Top() == 3 * step, "click beyond the gutter does nothing", Top(), 3 * step);
    SetMode(f::ClickPageModeShift, 2);
    Click(t.left + t.width - 1, t.top + 5);
    Check(Top() == 3 * step + page / 2, "click page mode 2: half a page", Top(),
          3 * step + page / 2);
    g_app.Flags &= ~f::ClickPaging;
    Click(t.left + 1, t.top + 5);
    Check(Top() == 3 * step + page / 2, "clicks off: nothing", Top(), 3 * step + page / 2);
    g_app.Flags = (g_app.Flags | f::ClickPaging | f::ClickUpperLower);
    SetMode(f::ClickPageModeShift, 1);

    // A position beyond the lesson shows the last page.
    Doc()->TopLine = 60000;
    qm::RepaintView(g_main, qm::kPaintNewText);
    Check(Top() == Doc()->MaxTopLine, "position beyond the lesson", Top(), Doc()->MaxTopLine);

    // With bits 6 and 7 clear the scroll bar is left alone, but the view still scrolls.
    const std::uint32_t saved = g_app.Flags;
    g_app.Flags &= ~(f::ScrollBarShown | f::ScrollBarLeft);
    SCROLLINFO set{};
    set.cbSize = sizeof(set);
    set.fMask = SIF_RANGE | SIF_POS;
    set.nMax = 500;
    set.nPos = 42;
    SetScrollInfo(g_main, SB_VERT, &set, FALSE);
    Key(VK_HOME);
    Key(VK_DOWN);
    info.fMask = SIF_ALL;
    GetScrollInfo(g_main, SB_VERT, &info);
    Check(Top() == 1 && info.nPos == 42, "no SetScrollInfo with bits 6 and 7 clear", info.nPos, 42);
    g_app.Flags = saved;
    Key(VK_DOWN);
    GetScrollInfo(g_main, SB_VERT, &info);
    Check(info.nPos == 2, "scroll bar follows again", info.nPos, 2);

    // A lesson that cannot be loaded later keeps everything, without a message.
    const std::uint16_t lesson = g_app.CurrentLesson;
    const std::uint32_t flagsBefore = g_app.Flags;
    const std::size_t noticesBefore = notices.shown.size();
    Check(qm::GoToLesson(g_main, 300) == 1, "lesson 300 not shown");
    Check(g_app.CurrentLesson == lesson && g_app.Flags == flagsBefore && Top() == 2,
          "lesson, Flags and position kept", g_app.CurrentLesson, lesson);
    Check(notices.shown.size() == noticesBefore, "no message for a later failed load");
  });

  // Geometry after a size change, and minimize then restore.
  RECT client{};
  qm::TextArea before{};
  OnGui([&] {
    SetWindowPos(g_main, nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
    GetClientRect(g_main, &client);
    RECT tb{};
    GetWindowRect(static_cast<HWND>(g_app.Toolbar), &tb);
    const int g = g_app.Gutter, th = tb.bottom - tb.top;
    before = Doc()->TextRect;
    Check(before.width == client.right - 2 * g, "text width", before.width, client.right - 2 * g);
    Check(before.height == client.bottom - 2 * g - th, "text height", before.height,
          client.bottom - 2 * g - th);
    Check(before.left == g && before.top == th - 1 + g, "text origin", before.top, th - 1 + g);
    ShowWindow(g_main, SW_MINIMIZE);
    const qm::TextArea minimized = Doc()->TextRect;
    Check(minimized.width == before.width && minimized.height == before.height,
          "minimize keeps the layout", minimized.height, before.height);
    ShowWindow(g_main, SW_RESTORE);
    RECT restored{};
    GetClientRect(g_main, &restored);
    GetWindowRect(static_cast<HWND>(g_app.Toolbar), &tb);
    Check(tb.right - tb.left == restored.right - 2 * g || tb.right - tb.left == restored.right,
          "toolbar width back", tb.right - tb.left, restored.right);
    Check(Doc()->TextRect.width == before.width && Doc()->TextRect.height == before.height,
          "layout back after restore", Doc()->TextRect.height, before.height);
  });
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

qm::RecordingNotices* g_viewNotices = nullptr;

// The real GDI device: navy small lines, blue large bold lines, black rules, nothing drawn in
// the side gutters.
void CheckViewPixels() {
  OnGui([] {
    SetWindowPos(g_main, nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOMOVE);
    qm::GoToLesson(g_main, 1);
    UpdateWindow(g_main);
  });
  Sleep(300);
  const Image image = CaptureClient(g_main);
  SaveImage(image, L"view_pixels.png");
  int navy = 0, blue = 0, black = 0, gutterInk = 0;
  const int g = qm::g_app.Gutter;
  RECT tb{};
  GetWindowRect(static_cast<HWND>(qm::g_app.Toolbar), &tb);
  for (int y = tb.bottom - tb.top; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.At(x, y);
      navy += p == 0x000080;
      blue += p == 0x0000FF;
      black += p == 0x000000;
      if ((x < g - 1 || x > image.width - g) && p != 0xFFFFFF) ++gutterInk;
    }
  }
  Check(navy > 20, "navy small lines", navy, 20);
  Check(blue > 20, "blue large bold lines", blue, 20);
  Check(black > 100, "black text and rule", black, 100);
  Check(gutterInk == 0, "side gutters stay white", gutterInk, 0);
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

// The window's icons: the class icon is icon 101's 32x32 image and the title bar, taskbar and
// Alt+Tab get its own 16x16 image, not a scaled copy of the large one.
SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
  const LONG height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return {bm.bmWidth, height};
}

void CheckIcons() {
  const auto big = reinterpret_cast<HICON>(GetClassLongPtrW(g_main, GCLP_HICON));
  const auto small = reinterpret_cast<HICON>(GetClassLongPtrW(g_main, GCLP_HICONSM));
  const SIZE bigSize = IconSize(big);
  const SIZE smallSize = IconSize(small);
  Check(bigSize.cx == 32 && bigSize.cy == 32, "large icon 32x32", bigSize.cx, 32);
  Check(smallSize.cx == GetSystemMetrics(SM_CXSMICON) &&
            smallSize.cy == GetSystemMetrics(SM_CYSMICON),
        "small icon at the system's small size", smallSize.cx, GetSystemMetrics(SM_CXSMICON));
  // The 16x16 image of the resource, loaded on its own, must match what the class uses.
  const auto own = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 16, 16, 0));
  Check(own != nullptr && IconSize(own).cx == 16, "icon 101 has a 16x16 image");
  if (own) DestroyIcon(own);
}

// --- The lesson view with the real GDI device, a real face and the real lessons. ---

struct RealView {
  std::wstring face;
  DWORD base = 0x5D0;
  std::wstring out;  // where the reference capture goes; empty: none
  bool scrollBar = true;
};
RealView g_real;

constexpr DWORD kRealLesson = 136;
constexpr int kRealWidth = 520, kRealHeight = 420;

void SeedRealView(const RealView& v, DWORD lesson, DWORD position) {
  namespace f = qm::flags;
  DeleteSettings();
  WriteString(L"FontName", v.face);
  WriteDword(L"FontAsciiBase", v.base);
  WriteDword(L"FontSize", 14);
  WriteDword(L"Lesson", lesson);
  DWORD flagValue = f::Default | f::LessonPinned;
  if (!v.scrollBar) flagValue &= ~(f::ScrollBarShown | f::ScrollBarLeft);
  WriteDword(L"Flags", flagValue);
  WriteDword(L"LastPosition", position);
  WriteDword(L"Left", 0);
  WriteDword(L"Top", 0);
  WriteDword(L"Width", kRealWidth);
  WriteDword(L"Height", kRealHeight);
  WriteDword(L"showCmd", SW_SHOWNORMAL);
}

// One drawn row of the view: its line entry and where the drawing put it.
struct DrawnRow {
  qm::LineEntry entry;
  int y = 0;
};

// The rows DrawDocument draws for the current TopLine, worked out from the line table alone.
std::vector<DrawnRow> DrawnRows() {
  const qm::Document& d = *Doc();
  auto blank = [](const qm::LineEntry& e) { return (e.Style & qm::StyleBlankAfter) ? 1 : 0; };
  int rows = 0;
  std::size_t k = 0;
  while (d.Lines[k].Style != 0 && rows < d.TopLine)
    rows += 1 + blank(d.Lines[k++]);
  int y = d.TextRect.top, room = d.TextRect.height;
  if (rows > d.TopLine && k > 0) {
    y += d.Lines[k - 1].Height;
    room -= d.Lines[k - 1].Height;
  }
  std::vector<DrawnRow> drawn;
  for (; d.Lines[k].Style != 0 && room >= d.Lines[k].Height; ++k) {
    const qm::LineEntry& e = d.Lines[k];
    drawn.push_back({e, y});
    y += (1 + blank(e)) * e.Height;
    room -= (1 + blank(e)) * e.Height;
  }
  return drawn;
}

struct ViewShot {
  Image image;
  std::vector<DrawnRow> rows;
  qm::TextArea text;
  int top = 0;
};

// Paints the view now and captures it with the rows the layout says are on screen.
ViewShot Shoot() {
  ViewShot shot;
  OnGui([&] {
    UpdateWindow(g_main);
    shot.rows = DrawnRows();
    shot.text = Doc()->TextRect;
    shot.top = Top();
  });
  shot.image = CaptureClient(g_main);
  return shot;
}

struct Ink {
  int left = 1 << 30, right = -1, count = 0;
  int navy = 0, blue = 0, black = 0;
};

Ink InkIn(const Image& image, int x0, int y0, int x1, int y1) {
  Ink ink;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, image.width);
  y1 = std::min(y1, image.height);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const std::uint32_t p = image.At(x, y);
      if (p == 0xFFFFFF) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.navy += p == 0x000080;
      ink.blue += p == 0x0000FF;
      ink.black += p == 0x000000;
    }
  }
  return ink;
}

// Pixels of two captures of the same size that differ.
long long Differing(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height) return -1;
  long long n = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i)
    n += a.pixels[i] != b.pixels[i];
  return n;
}

// Every drawn row where the layout put it: text inside the gutters, right-aligned lines against
// the right edge, centred lines about the middle, each style in its colour, rules as black bars.
void CheckDrawnRows(const ViewShot& shot, const char* what) {
  const qm::TextArea& t = shot.text;
  const int right = t.left + t.width;
  std::printf("%s: %zu rows from row %d\n", what, shot.rows.size(), shot.top);
  Check(!shot.rows.empty(), "rows drawn");
  int bad = 0;
  for (const DrawnRow& row : shot.rows) {
    const qm::LineEntry& e = row.entry;
    const int line = static_cast<int>(&row - shot.rows.data());
    if ((e.Style & qm::StyleRule) == qm::StyleRule) {
      const int mid = row.y + e.Height / 2;
      const Ink bar = InkIn(shot.image, e.X, mid, e.X + e.Width, mid + 1);
      const Ink above = InkIn(shot.image, t.left, row.y, right, mid - 1);
      bad += !Check(bar.black >= e.Width - 2, "rule: a black bar", bar.black, e.Width);
      bad += !Check(above.count == 0, "rule: white above the bar", above.count, 0);
      continue;
    }
    const Ink ink = InkIn(shot.image, 0, row.y, shot.image.width, row.y + e.Height);
    if (!Check(ink.count > 0, "text row has ink", line, 0)) {
      ++bad;
      continue;
    }
    bad +=
        !Check(ink.left >= t.left && ink.right < right, "ink inside the gutters", ink.left, t.left);
    bad += !Check(ink.left >= e.X - 2 && ink.right <= e.X + e.Width + 1, "ink where laid out",
                  ink.right, e.X + e.Width);
    const std::uint8_t align = e.Style & qm::StyleAlignMask;
    if (align == qm::StyleRight) {
      bad += !Check(e.X + e.Width == right && ink.right >= right - 4, "right-aligned line",
                    ink.right, right);
    } else if (align == qm::StyleCentre) {
      const int mid2 = ink.left + ink.right, centre2 = 2 * t.left + t.width;
      bad += !Check(std::abs(mid2 - centre2) <= 8, "centred line", mid2 / 2, centre2 / 2);
    }
    if (e.Style & qm::StyleSmall) {
      bad += !Check(ink.navy > 0 && ink.blue == 0 && ink.black == 0, "small line navy", ink.navy,
                    ink.black);
    } else if ((e.Style & (qm::StyleLarge | qm::StyleBold)) == (qm::StyleLarge | qm::StyleBold)) {
      bad += !Check(ink.blue > 0 && ink.navy == 0 && ink.black == 0, "large bold line blue",
                    ink.blue, ink.black);
    } else {
      bad += !Check(ink.black > 0 && ink.navy == 0 && ink.blue == 0, "line black", ink.black,
                    ink.navy);
    }
  }
  // Nothing in the side gutters, anywhere below the toolbar.
  const Ink leftGutter = InkIn(shot.image, 0, t.top, t.left, t.top + t.height);
  const Ink rightGutter =
      InkIn(shot.image, right, t.top, right + qm::g_app.Gutter, t.top + t.height);
  bad += !Check(leftGutter.count == 0 && rightGutter.count == 0, "side gutters white",
                leftGutter.count, rightGutter.count);
  if (bad) {
    SaveImage(shot.image, L"failed_rows.png");
    std::printf("%s: %d failed checks, capture in failed_rows.png\n", what, bad);
  }
}

// Lesson 136 with its first title set large and bold, so that every colour is on screen.
qm::TextBuffer StyledLesson() {
  qm::TextBuffer text = qm::LoadRecord(kRealLesson);
  if (text)
    text[0] = qm::StyleBlankAfter | qm::StyleCentre | qm::StyleReaderCode | qm::StyleLarge |
              qm::StyleBold | qm::StylePlain;
  return text;
}

void CheckRealView() {
  using qm::g_app;
  namespace f = qm::flags;
  if (!Check(Doc() && Doc()->Text && Doc()->MaxTopLine > 0, "lesson laid out")) {
    PostMessageW(g_main, WM_CLOSE, 0, 0);
    return;
  }
  // The stored position lies beyond the lesson: the view opens on its last page.
  ViewShot shot = Shoot();
  int maxTop = 0, entries = 0;
  OnGui([&] {
    maxTop = Doc()->MaxTopLine;
    entries = Doc()->EntryCount;
  });
  Check(shot.top == maxTop, "stored position beyond the lesson: last page", shot.top, maxTop);
  CheckDrawnRows(shot, "last page");
  {
    const std::vector<DrawnRow> rows = shot.rows;
    int lastOffset = -1;
    OnGui([&] { lastOffset = Doc()->Lines[entries - 1].Offset; });
    Check(!rows.empty() && rows.back().entry.Offset == lastOffset, "the lesson's last line shown");
  }

  // The first page of the lesson as the user sees it; the reference capture.
  OnGui([] { Key(VK_HOME); });
  shot = Shoot();
  Check(shot.top == 0, "Home", shot.top, 0);
  CheckDrawnRows(shot, "first page");
  if (!g_real.out.empty()) Check(SaveImage(shot.image, g_real.out), "reference capture saved");

  // Next on 247 shows 1, Previous on 1 shows 247 again, pixel for pixel.
  OnGui([] { qm::GoToLesson(g_main, 247); });
  const ViewShot last = Shoot();
  CheckDrawnRows(last, "lesson 247");
  OnGui([] { qm::StepLesson(g_main, +1); });
  shot = Shoot();
  Check(g_app.CurrentLesson == 1 && (g_app.Flags & f::LessonPinned), "Next on 247: lesson 1",
        g_app.CurrentLesson, 1);
  Check(Differing(shot.image, last.image) > 1000, "lesson 1 looks different",
        Differing(shot.image, last.image), 1000);
  CheckDrawnRows(shot, "lesson 1");
  OnGui([] { qm::StepLesson(g_main, -1); });
  shot = Shoot();
  Check(g_app.CurrentLesson == 247, "Previous on 1: lesson 247", g_app.CurrentLesson, 247);
  Check(Differing(shot.image, last.image) == 0, "lesson 247 drawn the same again",
        Differing(shot.image, last.image), 0);

  // Today reloads at the first row and unpins; it looks as that lesson opened by number.
  OnGui([] {
    Key(VK_DOWN);
    Key(VK_DOWN);
    SendMessageW(g_main, WM_COMMAND, IDC_TODAY, 0);
  });
  shot = Shoot();
  const std::uint16_t today = g_app.CurrentLesson;
  Check(shot.top == 0 && !(g_app.Flags & f::LessonPinned), "Today: first row, unpinned", shot.top,
        0);
  OnGui([] {
    Key(VK_DOWN);
    SendMessageW(g_main, WM_COMMAND, IDC_TODAY, 0);
  });
  const ViewShot again = Shoot();
  Check(again.top == 0 && g_app.CurrentLesson == today, "Today on today's lesson: first row",
        again.top, 0);
  OnGui([&] { qm::GoToLesson(g_main, today); });
  const ViewShot byNumber = Shoot();
  Check(Differing(again.image, byNumber.image) == 0, "Today drawn as the lesson by number",
        Differing(again.image, byNumber.image), 0);

  // Back to lesson 136 for the scrolling: Page Down by KeyPageMode over rows of mixed heights.
  OnGui([] { qm::GoToLesson(g_main, kRealLesson); });
  for (std::uint32_t mode : {1u, 2u, 4u, 7u}) {
    int page = 0, top = 0;
    OnGui([&] {
      SetMode(f::KeyPageModeShift, mode);
      Key(VK_HOME);
      page = Doc()->LinesShown;
      Key(VK_NEXT);
      top = Top();
    });
    const int expected = (mode == 2 || mode == 4) ? page / 2 : page - 1;
    Check(top == expected, "Page Down step", top, expected);
    shot = Shoot();
    CheckDrawnRows(shot, "after Page Down");
  }
  OnGui([] { SetMode(f::KeyPageModeShift, 1); });

  // The wheel: 60 nothing, 240 two rows back, -360 three rows on.
  int tops[4] = {};
  OnGui([&] {
    ScrollTo(10);
    tops[0] = Top();
    Wheel(60);
    tops[1] = Top();
    Wheel(240);
    tops[2] = Top();
    Wheel(-360);
    tops[3] = Top();
  });
  Check(tops[0] == 10 && tops[1] == 10, "wheel 60 moves nothing", tops[1], 10);
  Check(tops[2] == 8, "wheel 240: two rows back", tops[2], 8);
  Check(tops[3] == 11, "wheel -360: three rows on", tops[3], 11);
  CheckDrawnRows(Shoot(), "after the wheel");

  // Clicks in each gutter, in the real geometry.
  struct Gutters {
    qm::TextArea t;
    int g = 0, start = 0, step = 0;
  } q;
  OnGui([&] {
    g_app.Flags |= f::ClickPaging | f::ClickUpperLower;
    SetMode(f::ClickPageModeShift, 1);
    q.t = Doc()->TextRect;
    q.g = g_app.Gutter;
    q.start = Doc()->MaxTopLine / 2;
  });
  auto clickFrom = [&](int x, int y) {
    int moved = 0;
    OnGui([&] {
      ScrollTo(q.start);
      q.step = Doc()->LinesShown - 1;
      Click(x, y);
      moved = Top() - q.start;
    });
    return moved;
  };
  const qm::TextArea& t = q.t;
  const int upper = clickFrom(t.left + t.width / 2, t.top - q.g / 2);
  Check(upper == -q.step, "upper gutter pages back", upper, -q.step);
  Check(clickFrom(t.left + t.width / 2, t.top + t.height + q.g / 2) == 0,
        "lower gutter does nothing");
  OnGui([] { g_app.Flags &= ~f::ClickUpperLower; });
  Check(clickFrom(t.left - q.g / 2, t.top + t.height / 2) == -q.step, "left gutter pages back");
  Check(clickFrom(t.left + t.width + q.g / 2, t.top + t.height / 2) == q.step,
        "right gutter pages on");
  OnGui([] { g_app.Flags |= f::ClickUpperLower; });
  CheckDrawnRows(Shoot(), "after the clicks");

  // Minimize and restore: the layout survives the minimize, the restored view is the same.
  OnGui([] { ScrollTo(5); });
  const ViewShot before = Shoot();
  int toolbarWidth = 0, clientWidth = 0;
  qm::TextArea minimized{};
  OnGui([&] {
    ShowWindow(g_main, SW_MINIMIZE);
    minimized = Doc()->TextRect;
    ShowWindow(g_main, SW_RESTORE);
    RECT tb{}, client{};
    GetWindowRect(static_cast<HWND>(g_app.Toolbar), &tb);
    GetClientRect(g_main, &client);
    toolbarWidth = tb.right - tb.left;
    clientWidth = client.right;
  });
  Check(minimized.width == before.text.width && minimized.height == before.text.height,
        "minimize keeps the layout", minimized.width, before.text.width);
  Check(toolbarWidth >= clientWidth - 2 * q.g, "toolbar width back", toolbarWidth, clientWidth);
  const ViewShot restored = Shoot();
  Check(restored.top == before.top && Differing(restored.image, before.image) == 0,
        "restored view the same", Differing(restored.image, before.image), 0);

  // Every colour: a large bold title in blue over the navy and black lines and the rules.
  OnGui([] {
    qm::LayoutDocument(Doc(), StyledLesson());
    Doc()->TopLine = 0;
    qm::RepaintView(g_main, qm::kPaintNewText);
  });
  shot = Shoot();
  CheckDrawnRows(shot, "large bold title");
  int blueRows = 0;
  for (const DrawnRow& row : shot.rows)
    blueRows += (row.entry.Style & (qm::StyleLarge | qm::StyleBold)) != 0;
  Check(blueRows > 0, "a large bold row on screen", blueRows, 1);
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

// Flags bits 6 and 7 clear: no scroll bar ever, and keys, wheel and clicks still scroll.
void CheckRealViewWithoutBar() {
  using qm::g_app;
  namespace f = qm::flags;
  int moves[3] = {};
  LONG_PTR style = 0;
  OnGui([&] {
    Key(VK_HOME);
    Key(VK_NEXT);
    moves[0] = Top();
    Wheel(-240);
    moves[1] = Top() - moves[0];
    g_app.Flags |= f::ClickPaging | f::ClickUpperLower;
    const qm::TextArea t = Doc()->TextRect;
    const int before = Top();
    Click(t.left + t.width / 2, t.top + 2);
    moves[2] = before - Top();
    style = GetWindowLongPtrW(g_main, GWL_STYLE);
  });
  Check(!(style & WS_VSCROLL), "no scroll bar", static_cast<long long>(style & WS_VSCROLL), 0);
  Check(moves[0] > 0 && moves[1] == 2 && moves[2] > 0, "keys, wheel and clicks scroll", moves[0],
        moves[1]);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  Check(!GetScrollInfo(g_main, SB_VERT, &info) || info.nMax == 0, "no scroll range set", info.nMax,
        0);
  const ViewShot shot = Shoot();
  RECT window{}, client{};
  GetWindowRect(g_main, &window);
  GetClientRect(g_main, &client);
  Check(shot.text.left + shot.text.width + qm::g_app.Gutter == client.right,
        "text area reaches the window's right side", shot.text.width, client.right);
  CheckDrawnRows(shot, "without a scroll bar");
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

// A pinned lesson outside the series (31767, the number of the index record) cannot be loaded:
// the warning box comes while the window is still being made, the view stays white, Bookmark
// marks nothing and Next still works.
struct MissingLessonBox {
  bool shown = false;
  bool mainVisible = true;
  std::wstring text;
  HWND owner = nullptr;
};
MissingLessonBox g_missing;

void WaitForMissingLessonBox() {
  for (int i = 0; i < 200; ++i) {
    if (HWND box = FindWindowW(L"#32770", L"Error")) {
      g_missing.shown = true;
      HWND main = FindWindowW(kReaderName, kReaderName);
      g_missing.mainVisible = main && IsWindowVisible(main);
      g_missing.owner = GetWindow(box, GW_OWNER);
      wchar_t text[128] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 128);
      g_missing.text = text;
      Answer(box, IDOK);
      return;
    }
    Sleep(50);
  }
}

void CheckMissingLesson() {
  Check(g_missing.shown, "warning box shown");
  Check(g_missing.text == L"Resource not found", "warning text");
  Check(!g_missing.mainVisible, "box comes before the window is shown");
  Check(g_missing.owner == g_main, "box owned by the main window");
  bool hasText = true;
  OnGui([&] { hasText = Doc() && Doc()->Text; });
  Check(!hasText, "no text in the view");
  ViewShot shot;
  OnGui([] { UpdateWindow(g_main); });
  shot.image = CaptureClient(g_main);
  RECT tb{};
  GetWindowRect(static_cast<HWND>(qm::g_app.Toolbar), &tb);
  const Ink ink = InkIn(shot.image, 0, tb.bottom - tb.top, shot.image.width, shot.image.height);
  Check(ink.count == 0, "view white", ink.count, 0);
  OnGui([] { SendMessageW(g_main, WM_COMMAND, IDC_BOOKMARK, 0); });
  Check(qm::g_app.BookmarkCount == 0, "no bookmark outside the series", qm::g_app.BookmarkCount, 0);
  OnGui([] { SendMessageW(g_main, WM_COMMAND, IDC_NEXT, 0); });
  shot = Shoot();
  Check(qm::g_app.CurrentLesson == 1, "Next after a missing lesson shows 1",
        qm::g_app.CurrentLesson, 1);
  CheckDrawnRows(shot, "lesson 1 after the missing one");
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

// The face a control's font really got, as the font mapper chose it.
std::wstring MatchedFace(HWND control) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (!font) return L"(no font)";
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return face;
}

// The search box and the font dialog's preview show a Hebrew-only face in that face.
void CheckDialogFaces() {
  PostMessageW(g_main, WM_COMMAND, IDC_SEARCH, 0);
  if (HWND search = WaitForOwnedDialog(g_main, 3000)) {
    const std::wstring face = MatchedFace(GetDlgItem(search, IDC_SEARCH_EDIT));
    Check(face == g_real.face, "search box in the chosen face");
    if (face != g_real.face) std::printf("search box face: %ls\n", face.c_str());
    Answer(search, IDCANCEL);
    for (int i = 0; i < 40 && IsWindow(search); ++i)
      Sleep(25);
  } else {
    Check(false, "search dialog shown");
  }
  PostMessageW(g_main, WM_COMMAND, IDC_FONT, 0);
  if (HWND dialog = WaitForOwnedDialog(g_main, 3000)) {
    HWND faces = GetDlgItem(dialog, IDC_FONT_FACES);
    const LRESULT row = SendMessageW(faces, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(g_real.face.c_str()));
    Check(row != LB_ERR, "face listed in the font dialog");
    SendMessageW(faces, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_FACES, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(faces));
    const std::wstring face = MatchedFace(GetDlgItem(dialog, IDC_FONT_PREVIEW));
    Check(face == g_real.face, "font preview in the chosen face");
    if (face != g_real.face) std::printf("preview face: %ls\n", face.c_str());
    Answer(dialog, IDCANCEL);
    for (int i = 0; i < 40 && IsWindow(dialog); ++i)
      Sleep(25);
  } else {
    Check(false, "font dialog shown");
  }
  PostMessageW(g_main, WM_CLOSE, 0, 0);
}

void TestThread(std::wstring name, std::wstring exe) {
  if (name == L"view_missing") WaitForMissingLessonBox();
  for (int i = 0; i < 200 && !g_main; ++i) {
    DismissResourceWarning();
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
    CheckIcons();
    PostMessageW(g_main, WM_CLOSE, 0, 0);
  } else if (name == L"commands") {
    CheckCommands();
  } else if (name == L"single_instance") {
    CheckSingleInstance(exe);
  } else if (name == L"reverse_styles") {
    CheckReverseAndStyles();
  } else if (name == L"view_pixels") {
    CheckViewPixels();
  } else if (name == L"view") {
    CheckLessonView(*g_viewNotices);
  } else if (name == L"view_real") {
    CheckRealView();
  } else if (name == L"view_real_nobar") {
    CheckRealViewWithoutBar();
  } else if (name == L"view_missing") {
    CheckMissingLesson();
  } else if (name == L"dialog_faces") {
    CheckDialogFaces();
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
  std::unique_ptr<GeneratedLessons> lessons;
  std::unique_ptr<qm::RecordingNotices> notices;
  if (name == L"view_pixels") {
    lessons = std::make_unique<GeneratedLessons>(true);
    qm::SetRecordSource(lessons->source.get());
  }
  if (name == L"view") {
    lessons = std::make_unique<GeneratedLessons>();
    qm::SetRecordSource(lessons->source.get());
    qm::SetViewDeviceFactory(NewFakeDevice);
    notices = std::make_unique<qm::RecordingNotices>();
    g_viewNotices = notices.get();
  }
  const bool realView = name == L"view_real" || name == L"view_real_nobar";
  if ((realView || name == L"view_missing" || name == L"dialog_faces") && argc > 3) {
    // quillmere_harness view_real FACE BASE [CAPTURE]: the real fonts over the real lessons.
    g_real.face = argv[2];
    g_real.base = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 0));
    if (argc > 4) g_real.out = argv[4];
    g_real.scrollBar = name != L"view_real_nobar";
    SeedRealView(g_real, name == L"view_missing" ? qm::kIndexRecord : kRealLesson, 60000);
  }
  std::thread driver(TestThread, name, argc > 2 ? std::wstring(argv[2]) : std::wstring());
  const int code = qm::RunReader(instance, SW_SHOWNORMAL, qm::QueryPlatformId);
  driver.join();
  Check(code == 0, "reader exit code", code, 0);
  std::printf("%s: %s\n", name == L"menu" ? "menu" : "test", Failures() ? "FAILED" : "passed");
  return Failures() ? 1 : 0;
}
