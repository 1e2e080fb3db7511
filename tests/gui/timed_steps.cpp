// The timer-driven step runner of the in-process GUI tests.
#include "tests/gui/timed_steps.h"

#include <cstddef>
#include <utility>

#include "tests/gui/reader_process.h"

namespace qm::gui {

namespace {

constexpr int kPatienceTicks = 400;  // 20 s at 50 ms

std::vector<Step> g_steps;
std::function<void()> g_finish;
std::size_t g_next = 0;
int g_ticks = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (++g_ticks == kPatienceTicks) {
    Check(false, "steps finished in time", static_cast<long long>(g_next), 0);
    g_next = g_steps.size();
  }
  if (g_next < g_steps.size()) {
    if (g_steps[g_next]()) {
      ++g_next;
      g_ticks = 0;
    }
    return;
  }
  if (g_finish) g_finish();
}

}  // namespace

void StartSteps(std::vector<Step> steps, std::function<void()> finish) {
  g_steps = std::move(steps);
  g_finish = std::move(finish);
  g_next = 0;
  g_ticks = 0;
  SetTimer(nullptr, 0, 50, Tick);
}

int TicksInStep() {
  return g_ticks;
}

void CheckEveryStepRan() {
  Check(g_next == g_steps.size(), "every step ran", static_cast<long long>(g_next),
        static_cast<long long>(g_steps.size()));
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

void PressKey(WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
}

}  // namespace qm::gui
