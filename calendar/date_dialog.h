// Go > Date: the system's date picker, the chosen day's Hebrew date, and the lesson the schedule
// gives it with its title.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qm {

// Runs the dialog owned by `owner`: the lesson to show, or 0 when it was closed without one.
std::uint16_t ChooseDateLesson(HWND owner);

INT_PTR CALLBACK DateDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm
