// The lesson view with the real GDI device, a real face and the real lessons: rows, colours and
// gutters from the pixels, scrolling, a missing lesson, and the dialogs' Hebrew faces.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "frame/app_state.h"
#include "frame/lesson_view.h"
#include "resources/resource.h"
#include "tests/gui/harness.h"
#include "tests/gui/reader_process.h"
#include "tests/gui/window_image.h"
#include "text/document.h"
#include "text/draw.h"
#include "text/fonts.h"

using namespace qm::gui;

namespace harness {

RealView g_real;

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

}  // namespace harness
