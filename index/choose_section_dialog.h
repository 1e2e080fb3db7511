// The Choose Section dialog: the article index as a scrollable outline; returns the lesson picked.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/app_state.h"

namespace qm {

// The clicked lesson; currentLesson after Enter; 0 after Escape or the close box.
std::uint16_t ChooseSection(HINSTANCE instance,
                            HWND owner,
                            std::uint16_t currentLesson,
                            FontSettings* settings);

INT_PTR CALLBACK ChooseSectionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Copies the outline's scroll range and position to the dialog's vertical scroll bar.
void UpdateOutlineScrollBar();

}  // namespace qm
