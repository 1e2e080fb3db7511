// The lesson view in the main window's client area: navigation, scrolling, paging, painting.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "text/text_device.h"

namespace qm {

// The text device the view draws through, made around the window's DC; tests put in their own.
using ViewDeviceFactory = std::unique_ptr<TextDevice> (*)(HDC dc);
void SetViewDeviceFactory(ViewDeviceFactory factory);

// Paint flags of PaintView and RepaintView.
inline constexpr std::uint32_t kPaintDocument = 0x1;
inline constexpr std::uint32_t kPaintErase = 0x100;
inline constexpr std::uint32_t kPaintWindow = 0xFF;    // WM_PAINT
inline constexpr std::uint32_t kPaintNewText = 0x1FF;  // after a lesson change

int OpenView(HWND window);
// Releases the view's device context (WM_DESTROY); the document itself goes with the settings save.
void CloseView(HWND window);
int GoToLesson(HWND window, std::uint16_t lesson);
// Steps to the next lesson in the direction of delta that loads, wrapping between 247 and 1.
void StepLesson(HWND window, int delta);
// The lesson after `lesson` in the direction of delta (+1, -1), wrapping between 247 and 1.
int NextLessonNumber(int lesson, int delta);
void UpdateScrollBar(HWND window);
void ResizeView(HWND window, LPARAM size);
// Places the text area again as OpenView does (after the toolbar changed its height) and resizes
// the view to the client area.
void RefitView(HWND window);
void PaintView(HDC dc, HWND window, std::uint32_t paintFlags);
void RepaintView(HWND window, std::uint32_t paintFlags);
void ClickPage(HWND window, LPARAM position);

// The main window's keyboard, scroll-bar and wheel messages; each returns the window
// procedure's result.
LRESULT OnViewKey(HWND window, WPARAM key);
LRESULT OnViewScroll(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnViewWheel(HWND window, WPARAM wParam);

// Page steps chosen by the mode fields of Flags for a page of `linesShown` rows: half a page for
// modes 2 and 4, else a page less one row; at least one row.
std::int32_t PageStep(std::uint32_t mode, std::int32_t linesShown);

}  // namespace qm
