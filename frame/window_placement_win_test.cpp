// The Win32 side of the placement and the menu check marks, on a real window (under Xvfb).
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "frame/app_state.h"
#include "frame/bookmarks.h"
#include "frame/menu_checks.h"
#include "frame/notices_win.h"
#include "frame/settings.h"
#include "frame/settings_store_memory.h"
#include "frame/window_placement_win.h"
#include "resources/resource.h"

namespace qm {
namespace {

class MainLikeWindow : public ::testing::Test {
 protected:
  MainLikeWindow() {
    ResetAppState();
    ResetShutdownSaveForTesting();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QmPlacementTest";
    RegisterClassW(&wc);
    HMENU bar = CreateMenu();
    HMENU go = CreatePopupMenu();
    AppendMenuW(go, MF_STRING, IDC_REVERSE, L"Re&verse");
    AppendMenuW(go, MF_STRING, IDC_BOOKMARK, L"&Bookmark");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(go), L"&Go");
    window = CreateWindowExW(0, wc.lpszClassName, L"test", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                             nullptr, bar, wc.hInstance, nullptr);
  }
  ~MainLikeWindow() override {
    if (window) DestroyWindow(window);
    ResetAppState();
  }
  bool Checked(int item) const {
    return (GetMenuState(GetMenu(window), item, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }

  MemorySettingsStore store;
  HWND window = nullptr;
};

TEST_F(MainLikeWindow, ReverseAndBookmarkMarks) {
  ASSERT_NE(window, nullptr);
  g_app.Flags = flags::ReverseText;
  UpdateReverseCheck(window, 1);
  EXPECT_TRUE(Checked(IDC_REVERSE));
  UpdateReverseCheck(window, 0);
  EXPECT_FALSE(Checked(IDC_REVERSE));
  EXPECT_EQ(g_app.Flags, 0u);
  UpdateReverseCheck(window, 0);
  EXPECT_TRUE(Checked(IDC_REVERSE));
  EXPECT_EQ(g_app.Flags, flags::ReverseText);

  g_app.CurrentLesson = 5;
  UpdateBookmarkCheck(window);
  EXPECT_FALSE(Checked(IDC_BOOKMARK));
  g_app.BookmarkList = AllocArray<std::uint16_t>(2);
  g_app.BookmarkList[0] = 5;
  g_app.BookmarkList[1] = 0;
  g_app.BookmarkCount = 1;
  UpdateBookmarkCheck(window);
  EXPECT_TRUE(Checked(IDC_BOOKMARK));
  EXPECT_EQ(GetMenuState(GetMenu(window), IDC_BOOKMARK, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MainLikeWindow, NormalPlacementRoundTrip) {
  ASSERT_NE(window, nullptr);
  RestoreWindowPlacement(window, SW_SHOWNORMAL);  // nothing stored: stays where it is
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_TRUE(IsWindowVisible(window));

  store.SetDword(u"Left", 150);
  store.SetDword(u"Top", 120);
  store.SetDword(u"Width", 500);
  store.SetDword(u"Height", 350);
  RestoreWindowPlacement(window, SW_SHOWNORMAL);
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 350);

  store.values.clear();
  SaveWindowPlacement(window);
  EXPECT_EQ(store.Dword(u"Left"), 150u);
  EXPECT_EQ(store.Dword(u"Top"), 120u);
  EXPECT_EQ(store.Dword(u"Width"), 500u);
  EXPECT_EQ(store.Dword(u"Height"), 350u);
  EXPECT_EQ(store.Dword(u"showCmd"), static_cast<std::uint32_t>(SW_SHOWNORMAL));
}

TEST_F(MainLikeWindow, MinimizedWindowStoresItsRestoredRectangle) {
  ASSERT_NE(window, nullptr);
  MoveWindow(window, 160, 130, 420, 310, TRUE);
  ShowWindow(window, SW_SHOWNORMAL);
  ShowWindow(window, SW_MINIMIZE);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(window, &wp);
  if (wp.showCmd != SW_SHOWMINIMIZED) GTEST_SKIP() << "the window did not minimize here";
  SaveWindowPlacement(window);
  EXPECT_EQ(store.Dword(u"showCmd"), static_cast<std::uint32_t>(SW_SHOWNORMAL));
  EXPECT_EQ(store.Dword(u"Width"), 420u);
  EXPECT_EQ(store.Dword(u"Height"), 310u);
  EXPECT_EQ(store.Dword(u"Left"), 160u);  // the work area of Xvfb is the whole screen
  EXPECT_EQ(store.Dword(u"Top"), 130u);
}

// The question box answered from another thread, as a user would: Cancel removes the mark and
// stops the question for the rest of the run.
TEST_F(MainLikeWindow, CancelOnTheRealQuestionStopsIt) {
  ASSERT_NE(window, nullptr);
  MessageBoxSink boxes;
  SetNoticeSink(&boxes);
  g_app.MainWindow = window;
  g_app.CurrentLesson = 5;
  AddBookmark();
  std::thread user([] {
    for (int i = 0; i < 200; ++i) {
      if (HWND box = FindWindowW(L"#32770", L"Bookmark"); box && IsWindowVisible(box)) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDCANCEL)));
        return;
      }
      Sleep(25);
    }
  });
  ToggleBookmark(IsBookmarked());
  user.join();
  SetNoticeSink(nullptr);
  EXPECT_EQ(IsBookmarked(), 0);
  EXPECT_EQ(g_app.BookmarkPromptOff, 1u);
}

}  // namespace
}  // namespace qm
