// SCAFFOLDING (frame): minimal stand-ins for entry points whose modules have not landed yet, so
// the program links and runs. Delete each block when its module arrives (most fall away by
// themselves through the __has_include tests in frame/commands_pending.h).
#include "frame/commands_pending.h"

#include "frame/notices.h"
#include "store/records.h"

namespace qm {

std::int32_t ReadSurroundingGutter() {
  return 10;
}

#if !__has_include("frame/settings.h")
void LoadSettings() {
  g_app.Flags = flags::Default;
}
void SaveSettingsAndQuit() {
  static bool done = false;
  if (done) return;
  done = true;
  g_app.CurrentDocument.reset();
  PostQuitMessage(0);
}
#endif

#if !__has_include("frame/window_placement_win.h")
void RestoreWindowPlacement(HWND window, int showCommand) {
  ShowWindow(window, showCommand);
}
void SaveWindowPlacement(HWND) {}
#endif

#if !__has_include("frame/menu_checks.h")
void UpdateBookmarkCheck(HWND) {}
void UpdateReverseCheck(HWND, int mode) {
  if (mode == 0) g_app.Flags ^= flags::ReverseText;
}
#endif

#if !__has_include("frame/bookmarks.h")
int IsBookmarked() {
  return 0;
}
void ToggleBookmark(int) {}
#endif

#if !__has_include("calendar/lesson_schedule.h")
void SelectLesson(std::uint16_t lesson, bool force) {
  if (!force && (g_app.Flags & flags::LessonPinned)) return;
  if (lesson != 0) {
    g_app.Flags |= flags::LessonPinned;
  } else {
    lesson = 1;
    g_app.Flags &= ~flags::LessonPinned;
  }
  if (lesson != g_app.CurrentLesson) g_app.SavedPosition = 0;
  g_app.CurrentLesson = lesson;
}
#endif

#if !__has_include("index/choose_section_dialog.h")
std::uint16_t ChooseSection(HINSTANCE, HWND, std::uint16_t, FontSettings*) {
  return 0;
}
#endif

#if !__has_include("search/search_dialog.h")
INT_PTR CALLBACK SearchDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) EndDialog(dialog, 2);
  return FALSE;
}
#endif

#if !__has_include("search/search_again.h")
int SearchAgain(WindowHandle) {
  return 1;
}
#endif

#if !__has_include("fontdlg/font_dialog.h")
INT_PTR CALLBACK FontDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) EndDialog(dialog, 2);
  return FALSE;
}
#endif

#if !__has_include("about/about_dialog.h")
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) EndDialog(dialog, 1);
  return FALSE;
}
void CheckForUpdates(HWND) {}
#endif

#if !defined(QM_HAVE_RESOURCE_RECORDS)
TextBuffer LoadRecord(std::int32_t number, std::int32_t* status) {
  if (status && number > 0) *status = RecordNotFound;
  return nullptr;
}
#endif

}  // namespace qm
