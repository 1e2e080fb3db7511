// Search Again: the next occurrence of the search text, from the reading position through the
// following lessons with wrap-around, shown in the main view.
#pragma once

#include <cstdint>

#include "frame/app_state.h"
#include "search/match.h"

namespace qm {

// What the search asks of the main window; the front end installs them at start. A hook left
// null is skipped.
struct SearchViewHooks {
  void (*repaint)(std::uint32_t flags) = nullptr;  // repaint the main view (RepaintView)
  void (*updateBookmarkCheck)() = nullptr;         // the main menu's Bookmark check mark
};
void SetSearchViewHooks(const SearchViewHooks& hooks);

inline constexpr std::uint32_t kRepaintAll = 0x1FF;  // background fill and document drawing

// 1 when an occurrence was found and shown, 0 otherwise: an empty SearchText (nothing happens),
// no document, or nothing found after the "Not Found!" notice owned by `owner`. Each lesson is
// visited at most once per search, whatever CurrentLesson holds.
int SearchAgain(WindowHandle owner);

// Shows a hit from the list of all hits as Search Again shows its hits: the lesson becomes
// current and pinned, is laid out, scrolled to the hit and marked, the title box painted and the
// Bookmark check mark brought up to date. 1 when shown; 0 when the lesson is outside the series
// or does not load (nothing changes then) or cannot be laid out.
int ShowLessonHit(std::uint16_t lesson, TextHit hit);

}  // namespace qm
