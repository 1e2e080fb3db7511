// The long-running tests of the GUI driver, each in a file of its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm::gui {

int DialogLeakTest(const std::wstring& exe);
int SoakTest(const std::wstring& exe, int actions, unsigned seed);
int OutOfMemoryTest(const std::wstring& exe, const std::vector<int>& ks);
int KilledRunTest(const std::wstring& exe);
int BrokenRecordTest(const std::wstring& exe);
int DpiTest(const std::wstring& exe);

// The reading tools (features.cpp): copy, zoom, the list of all hits, Go > Date.
int CopyTest(const std::wstring& exe);
int ZoomTest(const std::wstring& exe);
int AllHitsTest(const std::wstring& exe);
int DateTest(const std::wstring& exe);
// A press, moves with the button held, and the release, from one client point to another.
void DragInView(HWND window, POINT from, POINT to);
// The search typed with `keys` and its list of all hits opened: the list's dialog, or null.
HWND OpenHitList(HWND window, const std::wstring& keys);

}  // namespace qm::gui
