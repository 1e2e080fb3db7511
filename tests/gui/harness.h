// What the in-process GUI tests share: the reader's main window, code run on its thread, and
// the lesson view's keys, scroll bar, wheel and clicks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "text/document.h"

namespace harness {

extern HWND g_main;
// Runs fn on the GUI thread and waits for it.
void OnGui(std::function<void()> fn);

qm::Document* Doc();
int Top();
void Key(WPARAM vk);
void Bar(WORD request, int position = 0);
void Wheel(int distance);
void Click(int x, int y);
void SetMode(int shift, std::uint32_t mode);
void ScrollTo(int row);

// The view over the real lessons in a real face (harness_real_view.cpp).
struct RealView {
  std::wstring face;
  DWORD base = 0x5D0;
  std::wstring out;  // where the reference capture goes; empty: none
  bool scrollBar = true;
};
extern RealView g_real;
inline constexpr DWORD kRealLesson = 136;
void SeedRealView(const RealView& v, DWORD lesson, DWORD position);
void CheckRealView();
void CheckRealViewWithoutBar();
void WaitForMissingLessonBox();
void CheckMissingLesson();
void CheckDialogFaces();

}  // namespace harness
