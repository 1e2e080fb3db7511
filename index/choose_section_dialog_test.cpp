// The Choose Section dialog under Wine: keys, clicks, scrolling, resizing and placement, driven
// from a timer inside the dialog's own modal loop.
//   QM_SHOT=FILE.bmp saves a picture of the open dialog.
#include "index/choose_section_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "frame/app_state.h"
#include "frame/heap.h"
#include "index/index_test_text.h"
#include "index/outline.h"
#include "resources/resource.h"
#include "tests/recording_notices.h"

namespace qm {
namespace {

using Step = std::function<void(HWND dialog)>;

std::vector<Step> g_steps;
std::size_t g_next = 0;
UINT_PTR g_timer = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindWindowW(L"#32770", L"Choose Section");
  if (!dialog) return;
  if (g_next < g_steps.size()) {
    g_steps[g_next++](dialog);
  } else {
    ADD_FAILURE() << "the dialog is still open after the last step";
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

int LineTop(const IndexOutline& o, int line) {
  int y = o.TextRect.top;
  for (int i = FirstShownLine(o); i < line; ++i)
    if (o.Lines[i].Style & kEntryVisible) y += o.Lines[i].Height;
  return y;
}

int LineOf(const IndexOutline& o, std::uint16_t id) {
  for (int i = 0; i < o.LineCount; ++i)
    if (o.Lines[i].EntryId == id && (o.Lines[i].Style & kEntryVisible)) return i;
  return -1;
}

LPARAM PointOnLine(const IndexOutline& o, int line) {
  const OutlineLine& l = o.Lines[line];
  return MAKELPARAM(l.X + l.Width / 2, LineTop(o, line) + l.Height / 2);
}

SCROLLINFO ScrollBar(HWND dialog) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  GetScrollInfo(dialog, SB_VERT, &info);
  return info;
}

const IndexOutline& Open() {
  const IndexOutline* o = ChooseSectionOutline();
  if (!o) {
    ADD_FAILURE() << "no outline";
    std::abort();
  }
  return *o;
}

std::uint16_t HeadingId(int section) {
  return static_cast<std::uint16_t>(0xBFFE - (testing::kSectionStarts[section] - 1 + section));
}

void SaveShot(HWND dialog, const char* path) {
  RECT r;
  GetWindowRect(dialog, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetWindowDC(dialog);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD stride = (w * 3 + 3) & ~3u;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * h;
  if (FILE* f = std::fopen(path, "wb")) {
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
    std::fwrite(bits, stride, h, f);
    std::fclose(f);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(dialog, screen);
}

class ChooseSectionDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    records.Put(IDR_INDEX, testing::EntryBytes(testing::SyntheticIndex()));
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (int i = 0; i < 3; ++i)
      g_app.MarkBitmaps[i] = LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_MARK_COLLAPSED + i));
    g_app.FontSettings = {};
    std::copy_n(u"DejaVu Sans", 12, g_app.FontSettings.FontName);
    g_app.FontSettings.FontSize = 16;
    g_app.FontSettings.FontAsciiBase = BaseUnicode;
    g_app.FrameWidth = 640;
    g_app.FrameHeight = 600;
    owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 10, 660,
                            620, nullptr, nullptr, instance, nullptr);
    ASSERT_TRUE(owner);
  }
  void TearDown() override {
    DestroyWindow(owner);
    for (auto& b : g_app.MarkBitmaps) {
      DeleteObject(static_cast<HBITMAP>(b));
      b = nullptr;
    }
  }

  std::uint16_t Run(std::uint16_t current, std::vector<Step> steps) {
    g_steps = std::move(steps);
    g_next = 0;
    g_timer = SetTimer(nullptr, 0, 60, RunStep);
    const std::uint16_t result =
        ChooseSection(GetModuleHandleW(nullptr), owner, current, &g_app.FontSettings);
    KillTimer(nullptr, g_timer);
    EXPECT_EQ(g_next, g_steps.size()) << "the dialog ended before its last step";
    EXPECT_EQ(ChooseSectionOutline(), nullptr);
    return result;
  }

  testing::RecordTable records;
  HWND owner = nullptr;
};

TEST_F(ChooseSectionDialog, EnterKeepsTheCurrentLessonEscapeAndCloseBoxReturnZero) {
  EXPECT_EQ(Run(30, {[](HWND d) { PostMessageW(d, WM_KEYDOWN, VK_RETURN, 0); }}), 30);
  EXPECT_EQ(Run(30, {[](HWND d) { PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0); }}), 0);
  EXPECT_EQ(Run(30, {[](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }}), 0);
}

TEST_F(ChooseSectionDialog, OpensAtThreeQuartersOfTheFrameWithTheCurrentLessonShown) {
  const char* shot = std::getenv("QM_SHOT");
  EXPECT_EQ(Run(100, {[&](HWND d) {
                        RECT r, o;
                        GetWindowRect(d, &r);
                        GetWindowRect(owner, &o);
                        EXPECT_EQ(r.left, o.left + 80);
                        EXPECT_EQ(r.top, o.top + 75);
                        EXPECT_EQ(r.right - r.left, 480);
                        EXPECT_EQ(r.bottom - r.top, 450);
                        const IndexOutline& outline = Open();
                        EXPECT_EQ(outline.VisibleCount, 14);
                        EXPECT_GE(LineOf(outline, testing::LessonId(100)), 0);
                        EXPECT_GE(LineOf(outline, testing::LessonId(101)), 0);
                        InvalidateRect(d, nullptr, TRUE);
                        UpdateWindow(d);
                      },
                      [&](HWND d) {
                        if (shot) SaveShot(d, shot);
                        PostMessageW(d, WM_COMMAND, IDOK, 0);
                      }}),
            100);
}

TEST_F(ChooseSectionDialog, ClickOnALessonReturnsItAlsoInTheBookmarkSection) {
  EXPECT_EQ(Run(30, {[](HWND d) {
                  const IndexOutline& o = Open();
                  PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON,
                               PointOnLine(o, LineOf(o, testing::LessonId(31))));
                }}),
            31);
  testing::ScopedBookmarks marks({200});
  EXPECT_EQ(Run(30, {[](HWND d) {
                  const IndexOutline& o = Open();
                  const int line = LineOf(o, testing::LessonId(200));
                  ASSERT_EQ(line, 1);
                  PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON, PointOnLine(o, line));
                }}),
            200);
}

TEST_F(ChooseSectionDialog, ClickOnAHeadingTogglesItAndTheScrollRangeFollows) {
  static int before;
  EXPECT_EQ(Run(30, {[](HWND d) {
                       const IndexOutline& o = Open();
                       before = ScrollBar(d).nMax;
                       EXPECT_EQ(before, o.MaxTopLine);
                       PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON,
                                    PointOnLine(o, LineOf(o, HeadingId(4))));
                     },
                     [](HWND d) {
                       const IndexOutline& o = Open();
                       EXPECT_TRUE(o.Lines[LineOf(o, HeadingId(4))].Style & kEntryExpanded);
                       EXPECT_GT(o.MaxTopLine, before);
                       EXPECT_EQ(ScrollBar(d).nMax, o.MaxTopLine);
                       PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON,
                                    PointOnLine(o, LineOf(o, HeadingId(4))));
                     },
                     [](HWND d) {
                       EXPECT_EQ(ScrollBar(d).nMax, before);
                       PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
                     }}),
            0);
}

TEST_F(ChooseSectionDialog, KeysMoveOneLineScrollBarPagesMoveLinesShown) {
  EXPECT_EQ(
      Run(30,
          {[](HWND d) {  // open two sections so that there is something to scroll
             const IndexOutline& o = Open();
             PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON, PointOnLine(o, LineOf(o, HeadingId(0))));
           },
           [](HWND d) {
             const IndexOutline& o = Open();
             PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON, PointOnLine(o, LineOf(o, HeadingId(2))));
           },
           [](HWND d) { PostMessageW(d, WM_KEYDOWN, VK_NEXT, 0); },
           [](HWND d) {
             EXPECT_EQ(Open().TopLine, 1);
             EXPECT_EQ(ScrollBar(d).nPos, 1);
             PostMessageW(d, WM_KEYDOWN, VK_DOWN, 0);  // through the dialog's key handling
           },
           [](HWND d) {
             EXPECT_EQ(Open().TopLine, 2);
             PostMessageW(d, WM_KEYDOWN, VK_PRIOR, 0);
           },
           [](HWND d) {
             const IndexOutline& o = Open();
             EXPECT_EQ(o.TopLine, 1);
             ASSERT_GT(o.LinesShown, 5);
             SendMessageW(d, WM_VSCROLL, SB_PAGEDOWN, 0);
             EXPECT_EQ(o.TopLine, 1 + o.LinesShown);
             SendMessageW(d, WM_VSCROLL, SB_BOTTOM, 0);
             EXPECT_EQ(o.TopLine, o.MaxTopLine);
             EXPECT_EQ(ScrollBar(d).nPos, o.MaxTopLine);
             SendMessageW(d, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
             EXPECT_EQ(o.TopLine, 4);
             SendMessageW(d, WM_VSCROLL, SB_TOP, 0);
             EXPECT_EQ(o.TopLine, 0);
             PostMessageW(d, WM_KEYDOWN, VK_END, 0);
           },
           [](HWND d) {
             EXPECT_EQ(Open().TopLine, Open().MaxTopLine);
             PostMessageW(d, WM_KEYDOWN, VK_HOME, 0);
           },
           [](HWND d) {
             EXPECT_EQ(Open().TopLine, 0);
             PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
           }}),
      0);
}

TEST_F(ChooseSectionDialog, ShrinkingKeepsExpandedHeadingsAndFittingReturnsToTheTop) {
  static std::uint16_t shown;
  EXPECT_EQ(Run(30, {[](HWND d) {
                       const IndexOutline& o = Open();
                       PostMessageW(d, WM_LBUTTONDOWN, MK_LBUTTON,
                                    PointOnLine(o, LineOf(o, HeadingId(5))));
                     },
                     [](HWND d) {
                       shown = Open().VisibleCount;
                       SetWindowPos(d, nullptr, 0, 0, 200, 260, SWP_NOMOVE | SWP_NOZORDER);
                     },
                     [](HWND d) {
                       const IndexOutline& o = Open();
                       EXPECT_GE(o.VisibleCount, shown);  // wrapped titles add lines, none go
                       EXPECT_TRUE(o.Lines[LineOf(o, HeadingId(5))].Style & kEntryExpanded);
                       EXPECT_GE(LineOf(o, testing::LessonId(31)), 0);
                       SendMessageW(d, WM_VSCROLL, SB_BOTTOM, 0);
                       EXPECT_GT(o.TopLine, 0);
                       SetWindowPos(d, nullptr, 0, 0, 700, 740, SWP_NOMOVE | SWP_NOZORDER);
                     },
                     [](HWND d) {
                       const IndexOutline& o = Open();
                       EXPECT_EQ(o.VisibleCount, shown);
                       EXPECT_EQ(o.MaxTopLine, 0);
                       EXPECT_EQ(o.TopLine, 0);
                       PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
                     }}),
            0);
}

TEST_F(ChooseSectionDialog, OpensAndClosesWithoutAnIndex) {
  records.Put(IDR_INDEX, {});  // unreadable: no text
  EXPECT_EQ(Run(30, {[](HWND d) {
                  EXPECT_EQ(ScrollBar(d).nMax, 0);
                  SendMessageW(d, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50));
                  SendMessageW(d, WM_KEYDOWN, VK_NEXT, 0);
                  SendMessageW(d, WM_VSCROLL, SB_PAGEDOWN, 0);
                  SetWindowPos(d, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
                  PostMessageW(d, WM_KEYDOWN, VK_RETURN, 0);
                }}),
            30);
}

TEST_F(ChooseSectionDialog, OpensAndClosesWhenTheOutlineCannotBeMade) {
  RecordingNotices notices;
  SetAllocGate([](std::size_t bytes) { return bytes != sizeof(IndexOutline); });
  EXPECT_EQ(Run(30, {[](HWND d) {
                  EXPECT_EQ(ChooseSectionOutline(), nullptr);
                  SendMessageW(d, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50));
                  SendMessageW(d, WM_KEYDOWN, VK_END, 0);
                  SendMessageW(d, WM_VSCROLL, SB_BOTTOM, 0);
                  SetWindowPos(d, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
                  InvalidateRect(d, nullptr, TRUE);
                  UpdateWindow(d);
                  PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0);
                }}),
            0);
  SetAllocGate(nullptr);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
}

}  // namespace
}  // namespace qm
