// The Choose Section dialog: the article index as a scrollable outline; returns the lesson picked.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/app_state.h"

namespace qm {

struct IndexOutline;

// The clicked lesson; currentLesson after Enter; 0 after Escape or the close box.
std::uint16_t ChooseSection(HINSTANCE instance,
                            HWND owner,
                            std::uint16_t currentLesson,
                            FontSettings* settings);

INT_PTR CALLBACK ChooseSectionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Copies the outline's scroll range and position to the dialog's vertical scroll bar.
void UpdateOutlineScrollBar();

// The outline of the open dialog (null when none is open or it could not be created).
const IndexOutline* ChooseSectionOutline();

}  // namespace qm
