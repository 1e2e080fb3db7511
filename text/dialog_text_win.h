// Lesson text in dialog controls: the reader's face, and runs in the order the platform wants.
#pragma once

#include <windows.h>

#include <string>

#include "frame/app_state.h"
#include "text/lesson_title.h"

namespace qm {

// The font settings the view shows the lesson in (the chosen ones before the view exists).
const FontSettings& ViewFontSettings();

// A piece of lesson text as a window text: converted under the view's font base (left-to-right
// paragraphs as stored) and handed over in reading order where the platform orders Hebrew runs
// itself, as the view's whole-run drawing does.
std::wstring WindowTextOf(const TextPiece& piece);

// The view's face at `points` for a control of `window` (its device's resolution); the caller
// deletes it. Null when it cannot be made.
HFONT CreateReaderFont(HWND window, int points, bool bold);

// A control that shows lesson text reads as a right-to-left paragraph where the platform orders
// Hebrew runs itself, so that spaces and signs stand where a reader expects them.
void ReadRightToLeft(HWND control);

}  // namespace qm
