// Runs a real modal dialog and drives it from inside its own message loop: one step per posted
// message, so the dialog's loop runs in between (the in-process dialog tests).
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

namespace qm::gui {

using DialogStep = std::function<void(HWND dialog)>;

struct DialogRun {
  INT_PTR result = 0;     // what the dialog ended with; 99 when the steps left it open
  std::size_t ran = 0;    // steps run before it ended
  std::size_t steps = 0;  // steps given
};

// DialogBoxParamW of `resource` from this module, with `proc` behind a driver procedure.
DialogRun RunDialogSteps(int resource,
                         DLGPROC proc,
                         LPARAM parameter,
                         std::vector<DialogStep> steps);

}  // namespace qm::gui
