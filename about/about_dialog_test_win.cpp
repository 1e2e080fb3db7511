// The About box under Wine: the link button's size, font, cursor, colour and click, and the
// link font's life. Each test runs the real modal dialog and drives it from inside its loop.
//   about_dialog_tests [--gtest...] [SHOT.png]   (a picture of the box)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "about/about_dialog.h"
#include "about/addresses.h"
#include "resources/resource.h"
#include "tests/gui/dialog_steps.h"
#include "tests/gui/window_image.h"

namespace qm {
namespace {

std::wstring g_shot;

using Step = gui::DialogStep;

INT_PTR RunDialog(std::vector<Step> steps) {
  const gui::DialogRun run = gui::RunDialogSteps(IDD_ABOUT, AboutDialog, 0, std::move(steps));
  EXPECT_EQ(run.ran, run.steps) << "the box ended before its last step";
  return run.result;
}

// Shell requests seen instead of ShellExecuteExW.
struct SeenRequest {
  SHELLEXECUTEINFOW info;
  std::wstring file;
};
std::vector<SeenRequest> g_requests;

BOOL RecordRequest(SHELLEXECUTEINFOW* info) {
  g_requests.push_back({*info, info->lpFile ? info->lpFile : L""});
  return TRUE;
}

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    g_requests.clear();
    SetShellOpener(RecordRequest);
  }
  void TearDown() override { SetShellOpener(nullptr); }
};

HWND Link(HWND dialog) {
  return GetDlgItem(dialog, IDC_ABOUT_LINK);
}

std::wstring Caption(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(AboutBox, LinkIsSizedToItsUnderlinedCaption) {
  RECT link{}, template_{7, 58, 7, 58};
  SIZE extent{};
  LOGFONTW lf{}, dialogFont{};
  HFONT used = nullptr;
  std::wstring caption;
  RunDialog({[&](HWND dialog) {
    HWND button = Link(dialog);
    link = ClientRectOf(dialog, button);
    MapDialogRect(dialog, &template_);
    caption = Caption(button);
    used = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
    GetObjectW(used, sizeof(lf), &lf);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(dialogFont),
               &dialogFont);
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, used);
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    EXPECT_EQ(used, AboutLinkFont());
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }});
  EXPECT_EQ(caption, std::wstring(kMakerAddress.begin(), kMakerAddress.end()));
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfWeight, 800);
  EXPECT_STREQ(lf.lfFaceName, dialogFont.lfFaceName) << "the dialog's font, underlined and bold";
  EXPECT_EQ(lf.lfHeight, dialogFont.lfHeight);
  EXPECT_EQ(link.right - link.left, extent.cx + 2 * GetSystemMetrics(SM_CXEDGE));
  EXPECT_EQ(link.bottom - link.top, extent.cy + 2 * GetSystemMetrics(SM_CYEDGE));
  EXPECT_EQ(link.left, template_.left) << "the place stays";
  EXPECT_EQ(link.top, template_.top);
}

TEST_F(AboutBox, ClickingTheLinkAsksTheShellAndLeavesTheBoxOpen) {
  HWND button = nullptr;
  bool openAfterClick = false;
  const INT_PTR result = RunDialog({
      [&](HWND dialog) {
        button = Link(dialog);
        RECT r{};
        GetClientRect(button, &r);
        const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(button, WM_LBUTTONUP, 0, at);
      },
      [&](HWND dialog) {
        openAfterClick = IsWindowVisible(dialog) != 0;
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      },
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(openAfterClick);
  ASSERT_EQ(g_requests.size(), 1u);
  const SHELLEXECUTEINFOW& info = g_requests[0].info;
  EXPECT_EQ(g_requests[0].file, std::wstring(kMakerAddress.begin(), kMakerAddress.end()));
  EXPECT_EQ(info.hwnd, button) << "the link button owns the request";
  EXPECT_EQ(info.cbSize, sizeof(SHELLEXECUTEINFOW));
  EXPECT_EQ(info.fMask, static_cast<ULONG>(SEE_MASK_FLAG_NO_UI));
  EXPECT_STREQ(info.lpVerb, L"Open");
  EXPECT_EQ(info.lpParameters, nullptr);
  EXPECT_EQ(info.lpDirectory, nullptr);
  EXPECT_EQ(info.nShow, SW_SHOWNORMAL);
}

TEST_F(AboutBox, HandCursorOverTheLinkOnly) {
  HCURSOR overLink = nullptr, overBox = nullptr;
  RunDialog({[&](HWND dialog) {
    HWND button = Link(dialog);
    SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    overLink = GetCursor();
    SendMessageW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    overBox = GetCursor();
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }});
  EXPECT_EQ(overLink, LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(overBox, LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(AboutBox, LinkIsDrawnBlueAndUnderlined) {
  gui::Image image;
  SIZE extent{};
  RunDialog({[&](HWND dialog) {
    if (!g_shot.empty()) {
      RedrawWindow(dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      gui::SaveImage(gui::CaptureWindow(dialog), g_shot);
    }
    HWND button = Link(dialog);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    image = gui::CaptureClient(button);
    const std::wstring caption = Caption(button);
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, AboutLinkFont());
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }});
  ASSERT_GT(image.width, 0);
  int blue = 0, longestRun = 0;
  for (int y = 0; y < image.height; ++y) {
    int run = 0;
    for (int x = 0; x < image.width; ++x) {
      const bool isBlue = image.At(x, y) == 0x0000FF;
      blue += isBlue;
      run = isBlue ? run + 1 : 0;
      longestRun = std::max(longestRun, run);
    }
  }
  EXPECT_GT(blue, 100) << "the caption is drawn in blue";
  // The underline: one unbroken blue row nearly as long as the caption.
  EXPECT_GE(longestRun, extent.cx * 9 / 10);
}

TEST_F(AboutBox, ClosingDeletesTheLinkFontOnce) {
  for (int closing : {IDOK, IDCANCEL}) {
    HFONT font = nullptr, probe = nullptr;
    DWORD probeType = 0;
    const INT_PTR result = RunDialog({[&](HWND dialog) {
      font = AboutLinkFont();
      EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
      SendMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(closing), 0);
      EXPECT_EQ(AboutLinkFont(), nullptr);
      EXPECT_EQ(GetObjectType(font), 0u);
      // A font made now may reuse the old handle; a second close must leave it alone.
      LOGFONTW lf{};
      lf.lfHeight = 12;
      probe = CreateFontIndirectW(&lf);
      SendMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(closing), 0);
      probeType = GetObjectType(probe);
    }});
    EXPECT_EQ(result, closing);
    EXPECT_EQ(probeType, static_cast<DWORD>(OBJ_FONT));
    DeleteObject(probe);
  }
}

TEST_F(AboutBox, KeysAndCloseBoxEndTheBox) {
  // Enter gives 1, Escape and the close box give 2; no push button is needed for that.
  EXPECT_EQ(RunDialog({[](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0); }}), IDOK);
  EXPECT_EQ(RunDialog({[](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0); }}),
            IDCANCEL);
  EXPECT_EQ(RunDialog({[](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            IDCANCEL);
  EXPECT_TRUE(g_requests.empty()) << "no key opened the site";
}

TEST_F(AboutBox, ShowsTheProductVersionAndPicture) {
  std::vector<std::wstring> texts;
  BITMAP picture{};
  RECT pictureRect{};
  RunDialog({[&](HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if ((GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(c, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof(picture), &picture);
        GetClientRect(c, &pictureRect);
      } else {
        texts.push_back(Caption(c));
        if (c == Link(dialog)) continue;
        // The text, wrapped as the static control wraps it, fits the control.
        RECT box{};
        GetClientRect(c, &box);
        RECT need = box;
        HDC dc = GetDC(c);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
        DrawTextW(dc, texts.back().c_str(), -1, &need,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        EXPECT_LE(need.bottom, box.bottom) << "clipped: " << texts.size();
      }
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }});
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], L"Quillmere - 5770 (Yiddish)");
  EXPECT_EQ(texts[1], L"Version 1.85a");
  EXPECT_EQ(picture.bmWidth, 65);
  EXPECT_EQ(picture.bmHeight, 72);
  EXPECT_EQ(picture.bmBitsPixel, 1);
  EXPECT_EQ(pictureRect.right, 65) << "the picture sets the control's size";
  EXPECT_EQ(pictureRect.bottom, 72);
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) qm::g_shot = std::wstring(argv[1], argv[1] + std::strlen(argv[1]));
  return RUN_ALL_TESTS();
}
