// The Choose Section dialog inside the reader itself under Wine: Ctrl+D, the menu command and
// the toolbar command open it, Enter and Escape keep the lesson, a click on a lesson (also in
// the bookmark section) moves the reader there. Steps run from a timer on the GUI thread.
//   index_gui_tests [SHOT.bmp]   (a picture of the open dialog when a file is named)
#include <windows.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frame/app_state.h"
#include "frame/main_window.h"
#include "frame/platform.h"
#include "frame/settings_win.h"
#include "index/choose_section_dialog.h"
#include "index/index_test_text.h"
#include "index/outline.h"
#include "resources/resource.h"
#include "store/record_source.h"
#include "tests/gui/reader_process.h"
#include "tests/gui/timed_steps.h"
#include "tests/gui/window_image.h"
#include "tests/recording_notices.h"

using qm::gui::Check;

namespace {

using qm::gui::Step;
std::wstring g_shot;

HWND Main() {
  return FindWindowW(qm::kMainWindowName, qm::kMainWindowName);
}
HWND Dialog() {
  return FindWindowW(L"#32770", L"Choose Section");
}

void CloseWhatIsOpen() {
  if (HWND dialog = Dialog()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (HWND main = Main()) PostMessageW(main, WM_CLOSE, 0, 0);
}

int LineOf(const qm::IndexOutline& o, std::uint16_t id) {
  for (int i = 0; i < o.LineCount; ++i)
    if (o.Lines[i].EntryId == id && (o.Lines[i].Style & qm::kEntryVisible)) return i;
  return -1;
}

LPARAM PointOnLine(const qm::IndexOutline& o, int line) {
  int y = o.TextRect.top;
  for (int i = qm::FirstShownLine(o); i < line; ++i)
    if (o.Lines[i].Style & qm::kEntryVisible) y += o.Lines[i].Height;
  const qm::OutlineLine& l = o.Lines[line];
  return MAKELPARAM(l.X + l.Width / 2, y + l.Height / 2);
}

// Clicks the first visible line of entry `id`; false while the dialog is not open.
bool ClickEntry(std::uint16_t id) {
  HWND dialog = Dialog();
  const qm::IndexOutline* o = qm::ChooseSectionOutline();
  if (!dialog || !o) return false;
  const int line = LineOf(*o, id);
  Check(line >= 0, "entry shown", id, 0);
  if (line >= 0) PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, PointOnLine(*o, line));
  return true;
}

bool Closed() {
  return Dialog() == nullptr;
}

std::vector<std::uint8_t> SimpleLesson(int n) {
  std::vector<std::uint8_t> text = {0xD1, 0};
  const std::string title = qm::testing::SampleTitle(n);
  text.insert(text.end(), title.begin(), title.end());
  text.insert(text.end(), {0, 0, 0, 0});
  return text;
}

void SeedSettings() {
  qm::gui::DeleteSettings();
  qm::gui::WriteString(L"FontName", L"DejaVu Sans");
  qm::gui::WriteDword(L"FontSize", 16);
  qm::gui::WriteDword(L"FontAsciiBase", 0x5D0);
  qm::gui::WriteDword(L"Lesson", 30);
  // Reverse on: the platform's DrawTextW orders Hebrew runs itself, so the visually stored
  // titles must reach it in logical order to read right.
  qm::gui::WriteDword(L"Flags",
                      qm::flags::Default | qm::flags::LessonPinned | qm::flags::ReverseText);
  qm::gui::WriteBinary(L"Bookmarks", {200, 0, 0, 0});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1) g_shot = argv[1];
  HINSTANCE instance = GetModuleHandleW(nullptr);
  qm::InstallPlatformPieces(instance);
  qm::InstallWin32Settings();  // the registry store, the mark bitmaps, the quit message
  qm::RecordingNotices notices;
  // The program's own records when it has them, else a synthetic index and short lessons.
  std::optional<qm::testing::RecordTable> table;
  if (!FindResourceW(instance, MAKEINTRESOURCEW(IDR_INDEX), MAKEINTRESOURCEW(10))) {
    table.emplace();
    table->Put(IDR_INDEX, qm::testing::EntryBytes(qm::testing::SyntheticIndex()));
    for (int n = 1; n <= qm::kLessonCount; ++n)
      table->Put(static_cast<std::uint16_t>(IDR_RECORD_BASE + n), SimpleLesson(n));
  }
  SeedSettings();

  qm::gui::StartSteps(
      {
          [] {  // Ctrl+D through the accelerator table
            HWND main = Main();
            if (!main || Dialog()) return false;
            Check(qm::g_app.CurrentLesson == 30, "pinned lesson", qm::g_app.CurrentLesson, 30);
            SetForegroundWindow(main);
            qm::gui::SendKey(VK_CONTROL, false);
            qm::gui::SendKey('D', false);
            qm::gui::SendKey('D', true);
            qm::gui::SendKey(VK_CONTROL, true);
            return true;
          },
          [] {
            HWND dialog = Dialog();
            if (!dialog) return false;
            Check(GetWindow(dialog, GW_OWNER) == Main(), "owned by the main window");
            const qm::IndexOutline* o = qm::ChooseSectionOutline();
            Check(o != nullptr, "outline made");
            if (o) {
              Check(LineOf(*o, qm::testing::LessonId(30)) > 1, "current lesson revealed");
              Check(LineOf(*o, qm::testing::LessonId(31)) > 1, "the next lesson revealed");
              Check(LineOf(*o, qm::testing::LessonId(200)) == 1, "bookmark shown");
            }
            return true;
          },
          [] {
            if (!g_shot.empty()) {
              HWND dialog = Dialog();
              RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
              Check(qm::gui::SaveImage(qm::gui::CaptureWindow(dialog), g_shot), "screenshot saved");
            }
            PostMessageW(Dialog(), WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
          },
          [] {
            if (!Closed()) return false;
            Check(qm::g_app.CurrentLesson == 30, "Escape keeps the lesson", qm::g_app.CurrentLesson,
                  30);
            PostMessageW(Main(), WM_COMMAND, IDC_INDEX, 0);  // File > Choose Article, Go > Index
            return true;
          },
          [] {
            if (!Dialog()) return false;
            PostMessageW(Dialog(), WM_KEYDOWN, VK_RETURN, 0);
            return true;
          },
          [] {
            if (!Closed()) return false;
            Check(qm::g_app.CurrentLesson == 30, "Enter keeps the lesson", qm::g_app.CurrentLesson,
                  30);
            PostMessageW(Main(), WM_COMMAND, IDC_CHOOSE_ARTICLE, 0);  // the toolbar button
            return true;
          },
          [] { return ClickEntry(qm::testing::LessonId(31)); },
          [] {
            if (!Closed()) return false;
            Check(qm::g_app.CurrentLesson == 31, "a click on a lesson goes there",
                  qm::g_app.CurrentLesson, 31);
            PostMessageW(Main(), WM_COMMAND, IDC_INDEX, 0);
            return true;
          },
          [] { return ClickEntry(qm::testing::LessonId(200)); },
          [] {
            if (!Closed()) return false;
            Check(qm::g_app.CurrentLesson == 200, "a click on a bookmark goes there",
                  qm::g_app.CurrentLesson, 200);
            PostMessageW(Main(), WM_COMMAND, IDC_INDEX, 0);
            return true;
          },
          [] {
            if (!Dialog()) return false;
            PostMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
            return true;
          },
          [] {
            if (!Closed()) return false;
            Check(qm::g_app.CurrentLesson == 200, "the close box keeps the lesson",
                  qm::g_app.CurrentLesson, 200);
            return true;
          },
      },
      CloseWhatIsOpen);
  const int code = qm::RunReader(instance, SW_SHOWNORMAL, qm::QueryPlatformId);
  Check(code == 0, "reader exit code", code, 0);
  qm::gui::CheckEveryStepRan();
  Check(notices.shown.empty(), "no notices", static_cast<long long>(notices.shown.size()), 0);
  std::printf("index_gui_tests: %s\n", qm::gui::Failures() ? "FAILED" : "passed");
  return qm::gui::Failures() ? 1 : 0;
}
