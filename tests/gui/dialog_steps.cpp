// The step driver of the in-process dialog tests.
#include "tests/gui/dialog_steps.h"

#include <utility>

namespace qm::gui {

namespace {

constexpr UINT kRunStep = WM_APP + 1;
constexpr INT_PTR kLeftOpen = 99;
constexpr int kIdlePatience = 5;  // posted rounds after the last step before giving up

DLGPROC g_proc = nullptr;
std::vector<DialogStep> g_steps;
std::size_t g_next = 0;
int g_idle = 0;

INT_PTR CALLBACK DriverProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const INT_PTR result = g_proc(dialog, message, wParam, lParam);
    PostMessageW(dialog, kRunStep, 0, 0);
    return result;
  }
  if (message != kRunStep) return g_proc(dialog, message, wParam, lParam);
  if (g_next < g_steps.size()) {
    g_steps[g_next++](dialog);
    if (IsWindowVisible(dialog)) PostMessageW(dialog, kRunStep, 0, 0);
  } else if (++g_idle > kIdlePatience) {
    EndDialog(dialog, kLeftOpen);
  } else {
    PostMessageW(dialog, kRunStep, 0, 0);  // a close may still be on its way
  }
  return TRUE;
}

}  // namespace

DialogRun RunDialogSteps(int resource,
                         DLGPROC proc,
                         LPARAM parameter,
                         std::vector<DialogStep> steps) {
  g_proc = proc;
  g_steps = std::move(steps);
  g_next = 0;
  g_idle = 0;
  DialogRun run;
  run.result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), nullptr,
                               DriverProc, parameter);
  run.ran = g_next;
  run.steps = g_steps.size();
  return run;
}

}  // namespace qm::gui
