// GUI test driver: starts the reader in this Wine prefix, drives it from outside by messages,
// reads its registry key and its pixels. Also takes the screenshots of `./dev shot`.
//   quillmere_gui_driver READER.exe TEST
//   quillmere_gui_driver READER.exe shot OUT.png [--lesson N] [--size WxH] [--settings FILE]
//                        [--search KEYS] [--open index|search|font|about|date] [--hits KEYS]
//                        [--drag X0,Y0,X1,Y1]
//   quillmere_gui_driver READER.exe soak [ACTIONS [SEED]]   (QM_SOAK_ACTIONS, QM_SOAK_SEED
//   override) quillmere_gui_driver READER.exe out_of_memory K...      (every allocation from the
//   k-th fails) quillmere_gui_driver READER.exe killed_run | broken_record | dialog_leaks | dpi
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/gui/driver_tests.h"
#include "tests/gui/reader_process.h"
#include "tests/gui/window_image.h"

using namespace qm::gui;

namespace {

constexpr DWORD kDefaultFlags = 0xD1140040;
constexpr DWORD kLessonPinned = 0x4;
constexpr int kBookmarkCommand = 123;
// The Hebrew face and size a screenshot uses when its settings name none, as a first start's
// font dialog would leave them.
constexpr wchar_t kShotFace[] = L"Frank Ruehl CLM";
constexpr DWORD kShotFontSize = 14;

// A font dialog that a start without a stored font opens: cancel it.
void DismissStartDialog(HWND window) {
  if (HWND dialog = WaitForOwnedDialog(window, 1500)) Answer(dialog, IDCANCEL);
}

void SeedFontAndLesson(DWORD lesson) {
  WriteString(L"FontName", L"DejaVu Sans");
  WriteDword(L"Lesson", lesson);
  WriteDword(L"Flags", kDefaultFlags | kLessonPinned);
}

int FirstStart(const std::wstring& exe, bool withSettings) {
  DeleteSettings();
  Reader reader;
  if (!Check(reader.Start(exe), "main window shown")) return 1;
  DismissStartDialog(reader.Window());
  Check(GetMenu(reader.Window()) != nullptr, "main window has the menu");
  HWND toolbar = FindWindowExW(reader.Window(), nullptr, L"ToolbarWindow32", nullptr);
  Check(toolbar != nullptr, "main window has the toolbar");
  RECT tr{};
  GetWindowRect(toolbar, &tr);
  Check(tr.bottom - tr.top >= 16, "toolbar height", tr.bottom - tr.top, 16);
  const Image image = CaptureClient(reader.Window());
  Check(image.width > 100 && image.height > 100, "client area captured", image.width, 100);
  if (image.width > 100) {
    // White view below the toolbar, button face grey in the toolbar.
    Check(image.At(image.width / 2, image.height - 5) == 0xFFFFFF, "view is white",
          image.At(image.width / 2, image.height - 5), 0xFFFFFF);
    // The button images: coloured pixels in the toolbar's rows.
    int coloured = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 200; ++x)
        coloured += image.At(x, y) != 0xFFFFFF;
    Check(coloured > 300, "toolbar images drawn", coloured, 300);
  }
  const auto code = reader.Close();
  Check(code.has_value() && *code == 0, "exit code", code.value_or(999), 0);
  if (withSettings) {
    Check(ReadDword(L"Flags") == kDefaultFlags, "Flags written", ReadDword(L"Flags").value_or(0),
          kDefaultFlags);
    Check(ReadDword(L"FontAsciiBase") == 0x5D0u, "FontAsciiBase written",
          ReadDword(L"FontAsciiBase").value_or(0), 0x5D0);
    const DWORD lesson = ReadDword(L"Lesson").value_or(0);
    Check(lesson >= 1 && lesson <= 247, "Lesson written", lesson, 1);
    Check(ReadDword(L"Width").value_or(0) > 0 && ReadDword(L"Height").value_or(0) > 0,
          "window size written");
    Check(ReadDword(L"showCmd").has_value(), "showCmd written");
    const auto marks = ReadBinary(L"Bookmarks");
    Check(marks && *marks == std::vector<std::uint8_t>{0, 0}, "empty bookmark list written");
  }
  return Failures() ? 1 : 0;
}

int Placement(const std::wstring& exe) {
  DeleteSettings();
  SeedFontAndLesson(3);
  WriteDword(L"Left", 40);
  WriteDword(L"Top", 30);
  WriteDword(L"Width", 500);
  WriteDword(L"Height", 400);
  WriteDword(L"showCmd", SW_SHOWNORMAL);
  {
    Reader reader;
    if (!Check(reader.Start(exe), "first start")) return 1;
    RECT r{};
    GetWindowRect(reader.Window(), &r);
    Check(r.left == 40 && r.top == 30, "stored place", r.left, 40);
    Check(r.right - r.left == 500 && r.bottom - r.top == 400, "stored size", r.right - r.left, 500);
    SendMessageW(reader.Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Check(IsZoomed(reader.Window()) != 0, "maximized");
    Check(reader.Close() == 0u, "exit while maximized");
  }
  Check(ReadDword(L"showCmd") == static_cast<DWORD>(SW_SHOWMAXIMIZED), "showCmd maximized",
        ReadDword(L"showCmd").value_or(0), SW_SHOWMAXIMIZED);
  Check(ReadDword(L"Width") == 500u && ReadDword(L"Height") == 400u, "restored size kept",
        ReadDword(L"Width").value_or(0), 500);
  {
    Reader reader;
    if (!Check(reader.Start(exe), "second start")) return 1;
    Check(IsZoomed(reader.Window()) != 0, "starts maximized");
    SendMessageW(reader.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT r{};
    GetWindowRect(reader.Window(), &r);
    Check(r.right - r.left == 500 && r.bottom - r.top == 400, "un-maximized size", r.right - r.left,
          500);
    Check(r.left == 40 && r.top == 30, "un-maximized place", r.left, 40);
    SendMessageW(reader.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Check(reader.Close() == 0u, "exit while minimized");
  }
  {
    Reader reader;
    if (!Check(reader.Start(exe, SW_SHOWNORMAL), "start after a minimized exit")) return 1;
    SendMessageW(reader.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT r{};
    GetWindowRect(reader.Window(), &r);
    Check(r.right - r.left > 100 && r.bottom - r.top > 100, "restores to a usable size",
          r.right - r.left, 500);
    Check(reader.Close() == 0u, "exit");
  }
  return Failures() ? 1 : 0;
}

// Command 123 on a marked lesson asks; the answer decides.
int Bookmarks(const std::wstring& exe) {
  auto run = [&](int answer, const std::vector<std::uint8_t>& expected, const char* what) {
    DeleteSettings();
    SeedFontAndLesson(5);
    WriteBinary(L"Bookmarks", {9, 0, 5, 0, 0, 0});
    Reader reader;
    if (!Check(reader.Start(exe), "start")) return;
    PostMessageW(reader.Window(), WM_COMMAND, kBookmarkCommand, 0);
    HWND box = WaitForWindow(L"#32770", L"Bookmark");
    if (Check(box != nullptr, "question shown")) Answer(box, answer);
    for (int i = 0; i < 100 && box && IsWindow(box); ++i)
      Sleep(20);
    if (answer == IDCANCEL) {
      // The mark is gone and the question stops for this run: add and remove again silently.
      PostMessageW(reader.Window(), WM_COMMAND, kBookmarkCommand, 0);
      PostMessageW(reader.Window(), WM_COMMAND, kBookmarkCommand, 0);
      Sleep(500);
      HWND again = FindWindowW(L"#32770", L"Bookmark");
      Check(again == nullptr, "no question after Cancel");
      if (again) Answer(again, IDYES);
    }
    Check(reader.Close() == 0u, "exit");
    const auto marks = ReadBinary(L"Bookmarks");
    Check(marks && *marks == expected, what, marks ? static_cast<long long>(marks->size()) : -1,
          static_cast<long long>(expected.size()));
  };
  run(IDNO, {9, 0, 5, 0, 0, 0}, "No keeps the mark");
  run(IDYES, {9, 0, 0, 0}, "Yes removes the mark");
  run(IDCANCEL, {9, 0, 0, 0}, "Cancel removes the mark");
  return Failures() ? 1 : 0;
}

// Types KEYS into the search dialog as a user would (Latin keys through the Hebrew keyboard map)
// and presses Enter; true once the dialog has closed again.
bool SearchFor(HWND window, const std::wstring& keys) {
  PostMessageW(window, WM_COMMAND, 116, 0);
  HWND dialog = WaitForOwnedDialog(window, 3000);
  if (!dialog) return false;
  HWND edit = GetDlgItem(dialog, 1013);
  for (wchar_t ch : keys)
    SendMessageW(edit, WM_CHAR, ch, 0);
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 100 && IsWindow(dialog); ++i)
    Sleep(50);
  return !IsWindow(dialog);
}

// The command that opens each dialog a screenshot can show.
int DialogCommand(const std::wstring& name) {
  if (name == L"index") return 119;
  if (name == L"search") return 116;
  if (name == L"font") return 40006;
  if (name == L"about") return 40004;
  if (name == L"date") return 40016;
  return 0;
}

// A number from the environment when set there, else from the argument list, else the default.
unsigned long Setting(const wchar_t* variable,
                      int argc,
                      wchar_t** argv,
                      int index,
                      unsigned long fallback) {
  wchar_t value[32] = {};
  if (GetEnvironmentVariableW(variable, value, 32) > 0) return std::wcstoul(value, nullptr, 10);
  if (index < argc) return std::wcstoul(argv[index], nullptr, 10);
  return fallback;
}

int Shot(const std::wstring& exe, int argc, wchar_t** argv) {
  std::wstring out = argv[3];
  std::wstring settings, search, open, hits;
  int lesson = 0, width = 0, height = 0;
  POINT drag[2] = {};
  for (int i = 4; i + 1 < argc; i += 2) {
    const std::wstring opt = argv[i];
    if (opt == L"--lesson") lesson = _wtoi(argv[i + 1]);
    if (opt == L"--settings") settings = argv[i + 1];
    if (opt == L"--size") std::swscanf(argv[i + 1], L"%dx%d", &width, &height);
    if (opt == L"--search") search = argv[i + 1];
    if (opt == L"--open") open = argv[i + 1];
    if (opt == L"--hits") hits = argv[i + 1];
    if (opt == L"--drag") {
      std::swscanf(argv[i + 1], L"%ld,%ld,%ld,%ld", &drag[0].x, &drag[0].y, &drag[1].x, &drag[1].y);
    }
  }
  if (!open.empty() && DialogCommand(open) == 0) {
    std::printf("--open takes index, search, font, about or date\n");
    return 2;
  }
  if (!settings.empty() && !SeedSettingsFile(settings)) {
    std::printf("cannot read the settings file\n");
    return 2;
  }
  // Without a stored face the reader would open its first-start font dialog instead.
  const auto face = ReadString(L"FontName");
  if (!face || face->empty()) {
    WriteString(L"FontName", kShotFace);
    if (!ReadDword(L"FontSize")) WriteDword(L"FontSize", kShotFontSize);
  }
  if (lesson > 0) {
    WriteDword(L"Lesson", static_cast<DWORD>(lesson));
    WriteDword(L"Flags", ReadDword(L"Flags").value_or(kDefaultFlags) | kLessonPinned);
  }
  if (width > 0 && height > 0) {
    WriteDword(L"Width", static_cast<DWORD>(width));
    WriteDword(L"Height", static_cast<DWORD>(height));
    if (!ReadDword(L"showCmd")) WriteDword(L"showCmd", SW_SHOWNORMAL);
  }
  Reader reader;
  if (!reader.Start(exe)) {
    std::printf("the reader's window did not appear\n");
    return 1;
  }
  DismissStartDialog(reader.Window());
  if (!search.empty() && !SearchFor(reader.Window(), search)) {
    std::printf("the search did not finish (a \"Not Found!\" box?)\n");
    return 1;
  }
  HWND shown = reader.Window();
  if (drag[0].x != drag[1].x || drag[0].y != drag[1].y) DragInView(shown, drag[0], drag[1]);
  if (!hits.empty() && !(shown = OpenHitList(reader.Window(), hits))) {
    std::printf("the list of all hits did not open\n");
    return 1;
  }
  if (!open.empty()) {
    PostMessageW(reader.Window(), WM_COMMAND, static_cast<WPARAM>(DialogCommand(open)), 0);
    shown = WaitForOwnedDialog(reader.Window(), 3000);
    if (!shown) {
      std::printf("the dialog did not open\n");
      return 1;
    }
  }
  // The title box of a search hit is painted once, over the view: a repaint would cover it.
  if (search.empty() || shown != reader.Window())
    RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);
  const Image image = CaptureWindow(shown);
  const bool saved = SaveImage(image, out);
  for (HWND dialog = shown; dialog != reader.Window() && dialog;) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 60 && IsWindow(dialog); ++i)
      Sleep(50);
    dialog = owner;
  }
  reader.Close();
  if (!saved) std::printf("cannot write the image\n");
  return saved ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::printf("usage: quillmere_gui_driver READER.exe TEST | shot OUT.png [options]\n");
    return 2;
  }
  const std::wstring exe = argv[1];
  const std::wstring test = argv[2];
  if (test == L"shot" && argc >= 4) return Shot(exe, argc, argv);
  if (test == L"first_start") return FirstStart(exe, false);
  if (test == L"first_start_settings") return FirstStart(exe, true);
  if (test == L"placement") return Placement(exe);
  if (test == L"bookmarks") return Bookmarks(exe);
  if (test == L"soak") {
    const auto actions = static_cast<int>(Setting(L"QM_SOAK_ACTIONS", argc, argv, 3, 600));
    const auto seed = static_cast<unsigned>(Setting(L"QM_SOAK_SEED", argc, argv, 4, 20261209));
    return SoakTest(exe, actions, seed);
  }
  if (test == L"out_of_memory") {
    std::vector<int> ks;
    for (int i = 3; i < argc; ++i)
      ks.push_back(_wtoi(argv[i]));
    return OutOfMemoryTest(exe, ks);
  }
  if (test == L"dialog_leaks") return DialogLeakTest(exe);
  if (test == L"killed_run") return KilledRunTest(exe);
  if (test == L"broken_record") return BrokenRecordTest(exe);
  if (test == L"dpi") return DpiTest(exe);
  if (test == L"copy") return CopyTest(exe);
  if (test == L"zoom") return ZoomTest(exe);
  if (test == L"all_hits") return AllHitsTest(exe);
  if (test == L"date") return DateTest(exe);
  std::printf("unknown test\n");
  return 2;
}
