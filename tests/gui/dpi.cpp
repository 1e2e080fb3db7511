// The reader at the DPI of this run's prefix (QM_GUI_DPI): the toolbar images, the index's lines
// and marks, the alphabet and About pictures measured from the pixels; clicks on a heading, a
// lesson and letters of the picture land on what they show; a WM_DPICHANGED sent to the main
// window (Wine has one DPI for all monitors) lays the view out again for the new DPI.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "resources/resource.h"
#include "tests/gui/driver_tests.h"
#include "tests/gui/reader_process.h"
#include "tests/gui/window_image.h"

namespace qm::gui {

namespace {

// Pixels at each DPI: the Today image's frame (14 of 16), the mark, a heading line (a 20-pixel
// font), the black extent of the alphabet picture and one of its keys, and of the About picture.
struct Sizes {
  int dpi, calendar, mark, heading, keysWidth, keysHeight, keyWidth, keyHeight, about;
};
constexpr Sizes kSizes[] = {{96, 14, 9, 20, 151, 93, 17, 25, 63},
                            {144, 21, 14, 30, 230, 140, 26, 38, 93},
                            {192, 28, 18, 40, 302, 186, 34, 50, 126}};

// The bounding box of the black pixels of the image inside `r` (the pictures are black on white).
RECT BlackBox(const Image& image, RECT r) {
  RECT box{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < std::min<int>(r.bottom, image.height); ++y)
    for (int x = r.left; x < std::min<int>(r.right, image.width); ++x)
      if (image.At(x, y) == 0)
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
  return box;
}

HWND OpenDialog(HWND main, int command) {
  PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(command), 0);
  HWND dialog = WaitForOwnedDialog(main, 3000);
  Sleep(300);  // painted
  return dialog;
}

void WaitClosed(HWND dialog, bool cancel) {
  if (cancel) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  for (int i = 0; i < 60 && IsWindow(dialog); ++i)
    Sleep(50);
}

// The picture control of a dialog in client coordinates, and the black extent of its pixels.
std::pair<RECT, RECT> Picture(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  const RECT box = BlackBox(CaptureClient(dialog), r);
  std::printf("picture %d: %ldx%ld black\n", id, box.right - box.left, box.bottom - box.top);
  return {r, box};
}

// The tallest black column of the Today image (the second button, its frame), and the toolbar's
// height.
std::pair<int, int> TodayFrame(HWND main) {
  const Image image = CaptureClient(main);
  HWND toolbar = FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
  RECT r{};
  GetWindowRect(toolbar, &r);
  const LRESULT button = SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0);
  int frame = 0;
  for (int x = LOWORD(button); x < 2 * LOWORD(button); ++x)
    for (int y = 0, run = 0; y < r.bottom - r.top; ++y)
      frame = std::max(frame, run = image.At(x, y) == 0 ? run + 1 : 0);
  std::printf("toolbar %ld high, buttons %dx%d, Today frame %d\n", r.bottom - r.top, LOWORD(button),
              HIWORD(button), frame);
  return {frame, r.bottom - r.top};
}

// Rows of the first line of text below the toolbar.
int FirstTextLine(HWND main, int y) {
  const Image image = CaptureClient(main);
  auto inked = [&](int row) {
    for (int x = 0; x < image.width; ++x)
      if ((image.At(x, row) & 0xFF) < 0x80) return true;
    return false;
  };
  while (y < image.height && !inked(y))
    ++y;
  const int top = y;
  while (y < image.height && inked(y))
    ++y;
  return y - top;
}

// The index opened on lesson 247: the first headings stand collapsed one under the other, their
// marks rightmost (drawn in the line's colour). A click on the second heading opens it; a click on
// the mark of its first lesson (20) chooses that lesson.
void CheckIndex(HWND main, const Sizes& s) {
  HWND dialog = OpenDialog(main, IDC_CHOOSE_ARTICLE);
  if (!Check(dialog != nullptr, "index opened")) return;
  const Image image = CaptureClient(dialog);
  auto inked = [&](int x, int y) { return image.At(x, y) != 0xFFFFFF; };
  int x = 0, tops[2] = {}, found = 0, size = 0;
  for (int y = 0; y < image.height; ++y)
    for (int c = x; c < image.width; ++c)
      if (inked(c, y)) x = c;
  for (int y = 0, run = 0; y < image.height && found < 2; ++y) {
    run = inked(x, y) ? run + 1 : 0;
    if (run == 1) tops[found] = y;
    if (run == 0 && y > 0 && inked(x, y - 1)) size = y - tops[found++];
  }
  std::printf("index: marks %d, heading lines %d\n", size, tops[1] - tops[0]);
  Check(size == s.mark, "mark size", size, s.mark);
  Check(tops[1] - tops[0] == s.heading, "heading line height", tops[1] - tops[0], s.heading);
  PostMessageW(dialog, WM_LBUTTONDOWN, 0,
               MAKELPARAM(x - MulDiv(30, s.dpi, 96), tops[1] + size / 2));
  Sleep(300);
  const int lesson = tops[1] - (s.heading - s.mark) / 2 + s.heading + MulDiv(8, s.dpi, 96);
  PostMessageW(dialog, WM_LBUTTONDOWN, 0, MAKELPARAM(x - MulDiv(13, s.dpi, 96) - size / 2, lesson));
  WaitClosed(dialog, false);
  Check(!IsWindow(dialog), "a click on a lesson line chose it");
  if (IsWindow(dialog)) WaitClosed(dialog, true);
}

// The alphabet picture; clicks in the middle of alef (top right) and tav (bottom left).
void CheckSearchBox(HWND main, const Sizes& s) {
  HWND dialog = OpenDialog(main, IDC_SEARCH);
  if (!Check(dialog != nullptr, "search box opened")) return;
  const auto [picture, keys] = Picture(dialog, IDC_SEARCH_PICTURE);
  Check(keys.right - keys.left == s.keysWidth && keys.bottom - keys.top == s.keysHeight,
        "alphabet picture size", keys.right - keys.left, s.keysWidth);
  for (const POINT key : {POINT{8, 0}, POINT{0, 2}}) {
    PostMessageW(dialog, WM_LBUTTONDOWN, 0,
                 MAKELPARAM(picture.left + key.x * s.keyWidth + s.keyWidth / 2,
                            picture.top + key.y * s.keyHeight + s.keyHeight / 2));
  }
  Sleep(300);
  wchar_t text[8] = {};
  SendMessageW(GetDlgItem(dialog, IDC_SEARCH_EDIT), WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text));
  const std::wstring typed = text;
  Check(
      typed.size() == 2 && typed.find(L'\x5D0') != typed.npos && typed.find(L'\x5EA') != typed.npos,
      "clicks on alef and tav inserted them", static_cast<long long>(typed.size()), 2);
  WaitClosed(dialog, true);
}

// WM_DPICHANGED with the rectangle scaled as the system suggests it, written into the reader's
// memory (the message's pointer is not carried across processes).
RECT SendDpiChange(Reader& reader, int from, int to) {
  RECT r{};
  GetWindowRect(reader.Window(), &r);
  const RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, to, from),
                       r.top + MulDiv(r.bottom - r.top, to, from)};
  void* remote = VirtualAllocEx(reader.Process(), nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE);
  if (!remote || !WriteProcessMemory(reader.Process(), remote, &suggested, sizeof(RECT), nullptr))
    return r;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(reader.Window(), WM_DPICHANGED, MAKEWPARAM(to, to),
                      reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000, &result);
  Sleep(300);
  VirtualFreeEx(reader.Process(), remote, 0, MEM_RELEASE);
  return suggested;
}

}  // namespace

int DpiTest(const std::wstring& exe) {
  SetProcessDPIAware();  // the reader's own pixels, not a 96-dpi view of them
  const int dpi = static_cast<int>(GetDpiForSystem());
  const auto* s = std::find_if(std::begin(kSizes), std::end(kSizes),
                               [dpi](const Sizes& k) { return k.dpi == dpi; });
  if (!Check(s != std::end(kSizes), "QM_GUI_DPI is 96, 144 or 192", dpi, 96)) return 1;
  const Sizes& other = dpi == 96 ? kSizes[2] : kSizes[0];
  DeleteSettings();
  WriteString(L"FontName", L"DejaVu Sans");
  WriteDword(L"FontSize", 16);
  WriteDword(L"Lesson", 247);
  WriteDword(L"Flags", 0xD1140044);  // pinned
  WriteDword(L"Width", static_cast<DWORD>(MulDiv(460, dpi, 96)));
  WriteDword(L"Height", static_cast<DWORD>(MulDiv(360, dpi, 96)));
  Reader reader;
  if (!Check(reader.Start(exe), "main window shown")) return 1;
  const auto [calendar, toolbar] = TodayFrame(reader.Window());
  Check(calendar == s->calendar, "toolbar image size", calendar, s->calendar);
  CheckIndex(reader.Window(), *s);
  CheckSearchBox(reader.Window(), *s);
  if (HWND about = OpenDialog(reader.Window(), IDC_ABOUT)) {
    const RECT box = Picture(about, IDC_ABOUT_PICTURE).second;
    Check(box.right - box.left == s->about, "About picture size", box.right - box.left, s->about);
    WaitClosed(about, true);
  }
  const int line = FirstTextLine(reader.Window(), toolbar);
  const RECT suggested = SendDpiChange(reader, dpi, other.dpi);
  RECT now{};
  GetWindowRect(reader.Window(), &now);
  Check(EqualRect(&now, &suggested) != 0, "the suggested rectangle taken", now.right - now.left,
        suggested.right - suggested.left);
  const auto [newCalendar, newToolbar] = TodayFrame(reader.Window());
  Check(newCalendar == other.calendar, "toolbar images for the new DPI", newCalendar,
        other.calendar);
  const int newLine = FirstTextLine(reader.Window(), newToolbar);
  std::printf("first line of text %d high, %d at %d dpi\n", line, newLine, other.dpi);
  Check(std::abs(newLine * dpi - line * other.dpi) <= line * other.dpi / 5,
        "the lesson laid out again for the new DPI", newLine, line * other.dpi / dpi);
  Check(reader.Close() == 0u, "exit");
  Check(ReadDword(L"Lesson") == 20u, "lesson chosen in the index", ReadDword(L"Lesson").value_or(0),
        20);
  Check(ReadDword(L"Width") == static_cast<DWORD>(suggested.right - suggested.left),
        "the window's width stored in pixels", ReadDword(L"Width").value_or(0),
        suggested.right - suggested.left);
  return Failures() ? 1 : 0;
}

}  // namespace qm::gui
