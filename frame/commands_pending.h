// SCAFFOLDING (frame): declarations of entry points that other modules provide, for as long as
// their headers are not in the tree. Each block falls away by itself once the real header
// exists; frame/commands_pending.cpp holds the matching minimal definitions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "frame/app_state.h"
#include "text/text_device.h"

#if __has_include("frame/settings.h")
#include "frame/settings.h"
#else
namespace qm {
void LoadSettings();
void SaveSettingsAndQuit();
}  // namespace qm
#endif

#if __has_include("frame/window_placement_win.h")
#include "frame/window_placement_win.h"
#else
namespace qm {
void RestoreWindowPlacement(HWND window, int showCommand);
void SaveWindowPlacement(HWND window);
}  // namespace qm
#endif

#if __has_include("frame/menu_checks.h")
#include "frame/menu_checks.h"
#else
namespace qm {
void UpdateBookmarkCheck(HWND window);
void UpdateReverseCheck(HWND window, int mode);
}  // namespace qm
#endif

#if __has_include("frame/bookmarks.h")
#include "frame/bookmarks.h"
#else
namespace qm {
int IsBookmarked();
void ToggleBookmark(int marked);
}  // namespace qm
#endif

#if __has_include("calendar/lesson_schedule.h")
#include "calendar/lesson_schedule.h"
#else
namespace qm {
void SelectLesson(std::uint16_t lesson, bool force);
}  // namespace qm
#endif

#if __has_include("index/choose_section_dialog.h")
#include "index/choose_section_dialog.h"
#else
namespace qm {
std::uint16_t ChooseSection(HINSTANCE instance,
                            HWND owner,
                            std::uint16_t currentLesson,
                            qm::FontSettings* settings);
}  // namespace qm
#endif

#if __has_include("search/search_dialog.h")
#include "search/search_dialog.h"
#else
namespace qm {
INT_PTR CALLBACK SearchDialog(HWND, UINT, WPARAM, LPARAM);
}  // namespace qm
#endif

#if __has_include("search/search_again.h")
#include "search/search_again.h"
#else
namespace qm {
int SearchAgain(qm::WindowHandle owner);
}  // namespace qm
#endif

#if __has_include("fontdlg/font_dialog.h")
#include "fontdlg/font_dialog.h"
#else
namespace qm {
INT_PTR CALLBACK FontDialog(HWND, UINT, WPARAM, LPARAM);
}  // namespace qm
#endif

#if __has_include("about/about_dialog.h")
#include "about/about_dialog.h"
#else
namespace qm {
INT_PTR CALLBACK AboutDialog(HWND, UINT, WPARAM, LPARAM);
void CheckForUpdates(HWND owner);
}  // namespace qm
#endif

#if __has_include("text/gdi_device.h")
#include "text/gdi_device.h"
#define QM_HAVE_GDI_DEVICE 1
#endif

#if __has_include("store/record_source_win.h")
#include "store/record_source_win.h"
#define QM_HAVE_RESOURCE_RECORDS 1
#endif

#if __has_include("calendar/clock_win.h")
#include "calendar/clock_win.h"
#define QM_HAVE_SYSTEM_CLOCK 1
#endif
