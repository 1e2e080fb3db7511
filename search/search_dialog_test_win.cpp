// The search dialog under Wine: typing, the swapped keys, Scroll Lock, picture clicks, OK with
// and without a hit, Cancel. Each test runs the real modal dialog and drives it from inside.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "frame/app_state.h"
#include "resources/resource.h"
#include "search/search_again.h"
#include "search/search_dialog.h"
#include "tests/fake_text_device.h"
#include "tests/recording_notices.h"
#include "text/document.h"
#include "text/run_order.h"

namespace qm {
namespace {

constexpr wchar_t kAlef = 0x5D0;
constexpr UINT kRunScript = WM_APP + 1;

std::function<void(HWND)> g_script;
int g_repaints = 0;
int g_bookmarkChecks = 0;

INT_PTR CALLBACK DriverProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) PostMessageW(dialog, kRunScript, 0, 0);
  if (message == kRunScript) {
    g_script(dialog);
    return TRUE;
  }
  return SearchDialog(dialog, message, wParam, lParam);
}

// Opens the dialog, runs the script once it is up, and returns the dialog's result. A script
// that leaves the dialog open ends with EndDialog(dialog, 99).
INT_PTR RunDialog(std::function<void(HWND)> script) {
  g_script = std::move(script);
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SEARCH), nullptr,
                         DriverProc, 0);
}

HWND Edit(HWND dialog) {
  return GetDlgItem(dialog, IDC_SEARCH_EDIT);
}

std::wstring Text(HWND dialog) {
  wchar_t buffer[64] = {};
  GetWindowTextW(Edit(dialog), buffer, 64);
  return buffer;
}

void SetText(HWND dialog, const wchar_t* text, DWORD caret) {
  SetWindowTextW(Edit(dialog), text);
  SendMessageW(Edit(dialog), EM_SETSEL, caret, caret);
}

DWORD Caret(HWND dialog) {
  DWORD start = 0, end = 0;
  SendMessageW(Edit(dialog), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return start;
}

void Type(HWND dialog, const wchar_t* keys) {
  for (const wchar_t* k = keys; *k; ++k)
    SendMessageW(Edit(dialog), WM_CHAR, *k, 1);
}

void KeyDown(HWND dialog, WPARAM key) {
  SendMessageW(Edit(dialog), WM_KEYDOWN, key, 1);
}

void SetKey(int vk, BYTE state) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[vk] = state;
  SetKeyboardState(keys);
}

// The picture's top left in the dialog's client area, from its control.
POINT Picture(HWND dialog, SIZE* size) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
    RECT r{};
    GetWindowRect(c, &r);
    if (size) *size = {r.right - r.left, r.bottom - r.top};
    POINT p{r.left, r.top};
    ScreenToClient(dialog, &p);
    return p;
  }
  return {-1000, -1000};
}

// A click as the dialog gets it, and KeyboardClick's answer for the same point.
int Click(HWND dialog, int x, int y) {
  const POINT p = Picture(dialog, nullptr);
  const std::wstring before = Text(dialog);
  SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x + x, p.y + y));
  const bool inserted = Text(dialog) != before;
  SetWindowTextW(Edit(dialog), before.c_str());
  const int answer = KeyboardClick(dialog, p.x + x, p.y + y);
  EXPECT_EQ(inserted, answer == 0) << x << "," << y;
  return answer;
}

TextBuffer MakeText(const std::vector<std::uint8_t>& bytes) {
  TextBuffer t = AllocArray<std::uint8_t>(bytes.size() + 2);
  std::memcpy(t.get(), bytes.data(), bytes.size());
  t[bytes.size()] = t[bytes.size() + 1] = 0;
  return t;
}

class SearchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    g_app.FontSettings.FontAsciiBase = BaseUnicode;
    g_app.CurrentLesson = 0;
    SearchViewHooks hooks;
    hooks.repaint = [](std::uint32_t) { ++g_repaints; };
    hooks.updateBookmarkCheck = [] { ++g_bookmarkChecks; };
    SetSearchViewHooks(hooks);
    g_repaints = g_bookmarkChecks = 0;
    SetKey(VK_SCROLL, 0);
    SetKey(VK_SHIFT, 0);
  }
  void TearDown() override { g_app.CurrentDocument.reset(); }

  // A laid-out document holding bet-alef (stored "ba") in its one paragraph.
  void HoldDocument() {
    FontSettings settings;
    settings.FontAsciiBase = BaseUnicode;
    const Box rect{0, 0, 400, 300};
    g_app.CurrentDocument = CreateDocument(&device, &rect, settings, 100);
    ASSERT_EQ(LayoutDocument(g_app.CurrentDocument.get(), MakeText({0xD1, 0, 'x', 'b', 'a', 0})),
              kLayoutDone);
  }

  FakeTextDevice device;
  RecordingNotices notices;
};

TEST_F(SearchDialogTest, OpensWithThePreviousText) {
  g_app.SearchText[0] = 0x64;
  g_app.SearchText[1] = 0x61;
  std::wstring caption, text;
  SIZE pictureSize{};
  POINT picture{}, expected{};
  LRESULT limit = 0;
  RunDialog([&](HWND d) {
    wchar_t buffer[64] = {};
    GetWindowTextW(d, buffer, 64);
    caption = buffer;
    text = Text(d);
    limit = SendMessageW(Edit(d), EM_GETLIMITTEXT, 0, 0);
    picture = Picture(d, &pictureSize);
    RECT r{104, 71, 104, 71};
    MapDialogRect(d, &r);
    expected = {r.left, r.top};
    EndDialog(d, 99);
  });
  EXPECT_EQ(caption, L"Quillmere - 5770 (yid)");
  EXPECT_EQ(text, (std::wstring{kAlef + 3, kAlef}));
  EXPECT_EQ(limit, 33);
  EXPECT_EQ(pictureSize.cx, 154);
  EXPECT_EQ(pictureSize.cy, 95);
  EXPECT_EQ(picture.x, expected.x);
  EXPECT_EQ(picture.y, expected.y);
}

TEST_F(SearchDialogTest, TypedLettersGrowToTheLeft) {
  std::wstring afterTs, shifted, punctuation;
  DWORD caret = 99;
  const INT_PTR result = RunDialog([&](HWND d) {
    SetText(d, L"", 0);
    Type(d, L"ts");
    afterTs = Text(d);
    caret = Caret(d);
    SetText(d, L"", 0);
    Type(d, L"T");  // Shift and Caps Lock change nothing
    shifted = Text(d);
    SetText(d, L"", 0);
    Type(d, L"?:<*");
    punctuation = Text(d);
    SetText(d, L"", 0);
    Type(d, L"ts");
    SendMessageW(d, WM_COMMAND, IDOK, 0);  // nothing to search in: "Not Found!", stays open
    EndDialog(d, 99);
  });
  EXPECT_EQ(afterTs, (std::wstring{kAlef + 3, kAlef}));
  EXPECT_EQ(caret, 0u);
  EXPECT_EQ(shifted, std::wstring(1, kAlef));
  EXPECT_EQ(punctuation, L"*<:?");
  EXPECT_EQ(result, 99);
  EXPECT_EQ(g_app.SearchText[0], 0x64);
  EXPECT_EQ(g_app.SearchText[1], 0x61);
  EXPECT_EQ(g_app.SearchText[2], 0);
}

TEST_F(SearchDialogTest, SwappedKeys) {
  std::wstring del, delAtLeft, back, backAtRight;
  DWORD home = 99, end = 99;
  RunDialog([&](HWND d) {
    SetText(d, L"abc", 1);
    KeyDown(d, VK_DELETE);  // removes the character left of the caret
    del = Text(d);
    SetText(d, L"abc", 0);
    KeyDown(d, VK_DELETE);
    delAtLeft = Text(d);
    SetText(d, L"abc", 1);
    Type(d, L"\b");  // Backspace removes the character right of the caret
    back = Text(d);
    SetText(d, L"abc", 3);
    Type(d, L"\b");
    backAtRight = Text(d);
    SetText(d, L"abc", 1);
    KeyDown(d, VK_HOME);
    home = Caret(d);
    KeyDown(d, VK_END);
    end = Caret(d);
    EndDialog(d, 99);
  });
  EXPECT_EQ(del, L"bc");
  EXPECT_EQ(delAtLeft, L"abc");
  EXPECT_EQ(back, L"ac");
  EXPECT_EQ(backAtRight, L"abc");
  EXPECT_EQ(home, 3u);
  EXPECT_EQ(end, 0u);
}

TEST_F(SearchDialogTest, ScrollLockTypesLatinLeftToRight) {
  std::wstring typed, back;
  DWORD home = 99;
  RunDialog([&](HWND d) {
    SetKey(VK_SCROLL, 1);  // toggled on
    SetText(d, L"", 0);
    Type(d, L"ab");
    typed = Text(d);
    Type(d, L"\b");
    back = Text(d);
    KeyDown(d, VK_HOME);
    home = Caret(d);
    SetText(d, L"ab ", 3);
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    SetKey(VK_SCROLL, 0);
    EndDialog(d, 99);
  });
  EXPECT_EQ(typed, L"ab");
  EXPECT_EQ(back, L"a");
  EXPECT_EQ(home, 0u);
  // Latin letters are stored by their low 8 bits: ReaderCode letters.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_app.SearchText)), "ab ");
}

TEST_F(SearchDialogTest, PictureClicks) {
  std::wstring text;
  int hit = 9, beside = 0, outside = 0, edge = 0;
  RunDialog([&](HWND d) {
    SetText(d, L"", 0);
    hit = Click(d, 152, 0);  // alef, the rightmost cell of the top row
    Click(d, 152, 25);       // yod
    Click(d, 34, 75);        // the space bar
    Click(d, 0, 74);         // tav
    beside = Click(d, 10, 80);
    outside = Click(d, 10, 95) + Click(d, -1, 10) + Click(d, 154, 10);
    edge = Click(d, 153, 0);
    text = Text(d);
    EndDialog(d, 99);
  });
  EXPECT_EQ(hit, 0);
  EXPECT_EQ(beside, 1);
  EXPECT_EQ(outside, 3);
  EXPECT_EQ(edge, 1);
  EXPECT_EQ(text, (std::wstring{kAlef + 26, L' ', kAlef + 9, kAlef}));
}

// On a platform that shows Hebrew right to left itself the edit holds reading order: typing
// and the picture go in at the caret, the keys are the edit's own, and the stored visual text
// comes back the same after any number of openings and OKs, with Reverse on or off.
TEST_F(SearchDialogTest, ReadingOrderOnAReorderingPlatform) {
  g_app.Bidi = PlatformBidi::Reorders;
  const std::wstring word = L"\u05DE\u05E2\u05E0\u05D8\u05E9";
  for (const std::uint32_t f : {0u, flags::ReverseText}) {
    g_app.Flags = f;
    std::memcpy(g_app.SearchText, "\x7a\x69\x71\x73\x6f", 6);
    std::wstring typed;
    DWORD home = 9;
    for (int round = 0; round < 2; ++round) {
      std::wstring opened;
      LONG_PTR ex = 0;
      RunDialog([&](HWND d) {
        opened = Text(d);
        ex = GetWindowLongPtrW(Edit(d), GWL_EXSTYLE);
        SendMessageW(d, WM_COMMAND, IDOK, 0);
        if (round == 0) {
          SetText(d, L"", 0);
          Type(d, L"ngbya");
          const POINT p = Picture(d, nullptr);  // alef, at the caret after the word
          SendMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x + 152, p.y));
          KeyDown(d, VK_HOME);
          home = Caret(d);
          typed = Text(d);
        }
        EndDialog(d, 99);
      });
      EXPECT_EQ(opened, word) << f << round;
      EXPECT_TRUE(ex & WS_EX_RTLREADING);
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_app.SearchText)), "ziqso");
    }
    EXPECT_EQ(typed, word + kAlef);
    EXPECT_EQ(home, 0u);
  }
}

TEST_F(SearchDialogTest, EmptyEditClosesWithoutSearch) {
  g_app.SearchText[0] = 'a';
  const INT_PTR result = RunDialog([](HWND d) {
    SetText(d, L"", 0);
    SendMessageW(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(g_app.SearchText[0], 0);
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(SearchDialogTest, NotFoundKeepsTheDialogOpenWithTextSelected) {
  HoldDocument();
  DWORD start = 9, end = 9;
  bool open = false;
  RunDialog([&](HWND d) {
    SetText(d, L"", 0);
    Type(d, L"zz");
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    open = IsWindowVisible(d) != FALSE;
    SendMessageW(Edit(d), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EndDialog(d, 99);
  });
  EXPECT_EQ(notices.Count(Notice::NotFound), 1);
  EXPECT_TRUE(open);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);
  EXPECT_EQ(g_app.CurrentDocument->MarkEnd, 0);
}

TEST_F(SearchDialogTest, HitClosesTheDialogAndMarksTheMainView) {
  HoldDocument();
  const INT_PTR result = RunDialog([](HWND d) {
    SetText(d, L"", 0);
    Type(d, L"tc");  // alef, then bet to its left: stored "ba"
    SendMessageW(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(notices.shown.empty());
  EXPECT_EQ(g_app.CurrentDocument->MarkStart, 3);
  EXPECT_EQ(g_app.CurrentDocument->MarkEnd, 5);
  EXPECT_EQ(g_repaints, 1);
  EXPECT_EQ(g_bookmarkChecks, 1);
}

TEST_F(SearchDialogTest, CancelKeepsTheSearchText) {
  g_app.SearchText[0] = 'q';
  const INT_PTR result = RunDialog([](HWND d) {
    SetText(d, L"", 0);
    Type(d, L"ts");
    SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(g_app.SearchText[0], 'q');
  EXPECT_EQ(g_app.SearchText[1], 0);
}

}  // namespace
}  // namespace qm
