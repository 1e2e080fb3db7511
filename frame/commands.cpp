// The command table of the main window.
#include "frame/commands.h"

#include "about/about_dialog.h"
#include "calendar/date_dialog.h"
#include "calendar/lesson_schedule.h"
#include "fontdlg/font_dialog.h"
#include "frame/app_state.h"
#include "frame/bookmarks.h"
#include "frame/dialog_gate.h"
#include "frame/lesson_view.h"
#include "frame/menu_checks.h"
#include "frame/settings.h"
#include "frame/view_selection.h"
#include "frame/view_zoom.h"
#include "index/choose_section_dialog.h"
#include "resources/resource.h"
#include "search/search_again.h"
#include "search/search_dialog.h"
#include "text/document.h"
#include "text/draw.h"

namespace qm {

namespace {

CommandObserver g_observer = nullptr;

INT_PTR RunDialog(int resource, HWND owner, DLGPROC proc, LPARAM parameter) {
  return DialogBoxParamW(static_cast<HINSTANCE>(g_app.Instance), MAKEINTRESOURCEW(resource), owner,
                         proc, parameter);
}

void OnChooseArticle(HWND window) {
  const std::uint16_t lesson =
      ChooseSection(static_cast<HINSTANCE>(g_app.Instance), static_cast<HWND>(g_app.MainWindow),
                    g_app.CurrentLesson, &g_app.FontSettings);
  if (lesson != 0 && lesson != g_app.CurrentLesson) GoToLesson(window, lesson);
}

void OnFont(HWND window) {
  const INT_PTR result =
      RunDialog(IDD_FONT, window, FontDialog, reinterpret_cast<LPARAM>(&g_app.FontSettings));
  if (result != 1) return;
  SetDocumentFont(g_app.CurrentDocument.get(), &g_app.FontSettings);
  UpdateScrollBar(window);
}

constexpr bool OpensDialog(int id) {
  return id == IDC_CHOOSE_ARTICLE || id == IDC_INDEX || id == IDC_SEARCH || id == IDC_ABOUT ||
         id == IDC_FONT || id == IDC_GO_DATE;
}

void OpenDialog(HWND window, int id) {
  switch (id) {
    case IDC_CHOOSE_ARTICLE:
    case IDC_INDEX:
      OnChooseArticle(window);
      return;
    case IDC_SEARCH:
      RunDialog(IDD_SEARCH, static_cast<HWND>(g_app.MainWindow), SearchDialog, 0);
      return;
    case IDC_ABOUT:
      RunDialog(IDD_ABOUT, window, AboutDialog, 0);
      return;
    case IDC_FONT:
      OnFont(window);
      return;
    case IDC_GO_DATE:
      // Shown as Next shows a lesson: pinned.
      if (const std::uint16_t lesson = ChooseDateLesson(window)) GoToLesson(window, lesson);
      return;
    default:
      return;
  }
}

}  // namespace

void SetCommandObserver(CommandObserver observer) {
  g_observer = observer;
}

int DispatchCommand(HWND window, int id) {
  if (g_observer) g_observer(window, id);
  if (OpensDialog(id)) {
    const DialogGate gate;
    if (gate) OpenDialog(window, id);
    return 0;
  }
  switch (id) {
    case IDC_TODAY:
      GoToLesson(window, 0);
      return 0;
    case IDC_NEXT:
      StepLesson(window, +1);
      return 0;
    case IDC_PREVIOUS:
      StepLesson(window, -1);
      return 0;
    case IDC_SEARCH_AGAIN:
      SearchAgain(g_app.MainWindow);
      return 0;
    case IDC_REVERSE:
      UpdateReverseCheck(window, 0);
      DrawDocument(g_app.CurrentDocument.get(), true);
      UpdateScrollBar(window);
      return 0;
    case IDC_BOOKMARK:
      ToggleBookmark(IsBookmarked());
      UpdateBookmarkCheck(window);
      return 0;
    case IDC_CHECK_UPDATES:
      CheckForUpdates(static_cast<HWND>(g_app.MainWindow));
      return 0;
    case IDC_COPY:
    case IDC_COPY_WITHOUT_POINTS:
      CopySelection(window, id == IDC_COPY);
      return 0;
    case IDC_SELECT_LESSON:
      SelectWholeLesson(window);
      return 0;
    case IDC_ZOOM_IN:
    case IDC_ZOOM_OUT:
      ZoomView(window, id == IDC_ZOOM_IN ? 1 : -1);
      return 0;
    case IDC_ZOOM_ORIGINAL:
      ZoomToOriginalSize(window);
      return 0;
    case IDC_EXIT:
    case IDC_QUIT_KEY:  // Ctrl+Q, shown beside Exit in the File menu
      DestroyWindow(window);
      return 0;
    default:
      return 1;
  }
}

}  // namespace qm
