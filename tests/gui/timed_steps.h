// Steps of an in-process GUI test, run one after another from a thread timer on the reader's
// own GUI thread while its message loop runs.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace qm::gui {

using Step = std::function<bool()>;  // false: not ready yet, try again on the next tick

// Starts the steps on a 50 ms timer. A step that makes no progress for 20 s ends the run with a
// failure. Once every step has run (or the run was given up), `finish` runs at every tick until
// the program has closed, so it should post closing messages to whatever is still open.
void StartSteps(std::vector<Step> steps, std::function<void()> finish);

// Ticks since the current step began: lets a step wait a little on purpose.
int TicksInStep();

// Records whether every step ran; call after the message loop has ended.
void CheckEveryStepRan();

// One key event through the input queue, as typed; PressKey sends the press and the release.
void SendKey(WORD vk, bool up);
void PressKey(WORD vk);

}  // namespace qm::gui
