// The dialog of Go > Date: picking a day and showing its lesson.
#include "calendar/date_dialog.h"

#include <commctrl.h>

#include <string>

#include "calendar/clock.h"
#include "calendar/date_lesson.h"
#include "frame/app_state.h"
#include "resources/resource.h"
#include "store/records.h"
#include "text/dialog_text_win.h"
#include "text/fonts.h"

namespace qm {

namespace {

constexpr int kHebrewDatePoints = 14;
constexpr int kTitlePoints = 12;

// One dialog at a time.
struct DateDialogState {
  HFONT dateFont = nullptr;
  HFONT titleFont = nullptr;
  std::uint16_t lesson = 0;  // the lesson of the day shown
};
DateDialogState g_state;

SYSTEMTIME SystemDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  return st;
}

// The whole range of the system's dates where the picker takes it, else up to the year 9999.
void SetPickerRange(HWND picker) {
  SYSTEMTIME range[2] = {SystemDate(1601, 1, 1), SystemDate(30827, 12, 31)};
  if (DateTime_SetRange(picker, GDTR_MIN | GDTR_MAX, range)) return;
  range[1] = SystemDate(9999, 12, 31);
  DateTime_SetRange(picker, GDTR_MIN | GDTR_MAX, range);
}

TextPiece TitleOf(std::uint16_t lesson) {
  const QuietDecoding quiet;
  const TextBuffer text = LoadRecord(lesson);
  return text ? LessonTitle(text.get()) : TextPiece{};
}

// The Hebrew date, the lesson and its title of the day the picker shows.
void ShowPickedDay(HWND dialog) {
  SYSTEMTIME st{};
  if (DateTime_GetSystemtime(GetDlgItem(dialog, IDC_DATE_PICKER), &st) != GDT_VALID) return;
  const DateLesson day = LessonOfDate({st.wMonth, st.wDay, st.wYear});
  g_state.lesson = day.lesson;
  const TextPiece date{HebrewDateText(day.hebrew), StyleReaderCode};
  SetDlgItemTextW(dialog, IDC_DATE_HEBREW, WindowTextOf(date).c_str());
  SetDlgItemTextW(dialog, IDC_DATE_LESSON, (L"Lesson " + std::to_wstring(day.lesson)).c_str());
  SetDlgItemTextW(dialog, IDC_DATE_TITLE, WindowTextOf(TitleOf(day.lesson)).c_str());
}

void UseFont(HWND dialog, int id, HFONT font) {
  HWND control = GetDlgItem(dialog, id);
  if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ReadRightToLeft(control);
}

INT_PTR OnInitDialog(HWND dialog) {
  g_state = {};
  g_state.dateFont = CreateReaderFont(dialog, kHebrewDatePoints, true);
  g_state.titleFont = CreateReaderFont(dialog, kTitlePoints, false);
  UseFont(dialog, IDC_DATE_HEBREW, g_state.dateFont);
  UseFont(dialog, IDC_DATE_TITLE, g_state.titleFont);
  HWND picker = GetDlgItem(dialog, IDC_DATE_PICKER);
  SetPickerRange(picker);
  const CivilDate today = TodayCivil();
  SYSTEMTIME st = SystemDate(today.year, today.month, today.day);
  DateTime_SetSystemtime(picker, GDT_VALID, &st);
  ShowPickedDay(dialog);
  return TRUE;
}

void OnDestroy() {
  if (g_state.dateFont) DeleteObject(g_state.dateFont);
  if (g_state.titleFont) DeleteObject(g_state.titleFont);
  g_state = {};
}

}  // namespace

std::uint16_t ChooseDateLesson(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
  const INT_PTR lesson = DialogBoxParamW(static_cast<HINSTANCE>(g_app.Instance),
                                         MAKEINTRESOURCEW(IDD_DATE), owner, DateDialog, 0);
  return lesson >= 1 && lesson <= kLessonCount ? static_cast<std::uint16_t>(lesson) : 0;
}

INT_PTR CALLBACK DateDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_DATE_PICKER || header->code != DTN_DATETIMECHANGE) return FALSE;
      ShowPickedDay(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        ShowPickedDay(dialog);  // the picker's day as it is now, however it was set
        EndDialog(dialog, g_state.lesson);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace qm
