// The scan over the current lesson and the following ones, and the showing of a hit.
#include "search/search_again.h"

#include <utility>

#include "calendar/lesson_schedule.h"
#include "frame/notices.h"
#include "search/match.h"
#include "search/search_start.h"
#include "search/title_box.h"
#include "store/records.h"
#include "text/document.h"
#include "text/draw.h"

namespace qm {

namespace {

SearchViewHooks g_hooks;

std::span<const std::uint8_t> SearchPattern() {
  return PatternOf(g_app.SearchText);
}

// The out-of-memory path (a span allocation of the matcher) releases the document and ends the
// program; the search must give up at once instead of going on with the released document.
bool Abandoned(const Document* doc) {
  return g_app.CurrentDocument.get() != doc;
}

TextHit FindInDocument(const Document& doc, std::uint16_t start) {
  return FindInText(doc.Text.get(), kUnboundedText, start, SearchPattern());
}

void Repaint() {
  if (g_hooks.repaint) g_hooks.repaint(kRepaintAll);
}

void UpdateBookmarkCheck() {
  if (g_hooks.updateBookmarkCheck) g_hooks.updateBookmarkCheck();
}

enum class LessonScan { NotFound, Shown, LayoutFailed, Abandoned };

// The lessons after the current one, wrapping from 247 to 1, up to the current one; each at
// most once, so that a CurrentLesson outside 1..247 ends the loop too. A hit's lesson becomes
// current and is laid into the document.
LessonScan ScanOtherLessons(Document& doc, TextHit& hit) {
  const std::uint32_t current = g_app.CurrentLesson;
  std::uint32_t n = current + 1;
  for (int visited = 0; visited < kLessonCount; ++visited, ++n) {
    if (n > kLessonCount) n = 1;
    if (n == current) break;
    // A lesson that does not load is passed over without a word.
    const QuietDecoding quiet;
    TextBuffer text = LoadRecord(static_cast<std::int32_t>(n));
    if (!text) continue;
    const TextHit h = FindInText(text.get(), kUnboundedText, 0, SearchPattern());
    if (Abandoned(&doc)) return LessonScan::Abandoned;
    if (!h) continue;
    SelectLesson(static_cast<std::uint16_t>(n), true);
    if (LayoutDocument(&doc, std::move(text)) != kLayoutDone) return LessonScan::LayoutFailed;
    hit = h;
    return LessonScan::Shown;
  }
  return LessonScan::NotFound;
}

int ShowHit(Document& doc, TextHit hit) {
  ScrollToOffset(&doc, hit.offset);
  Repaint();
  doc.MarkStart = static_cast<std::uint16_t>(hit.offset - hit.length + 1);
  doc.MarkEnd = static_cast<std::uint16_t>(hit.offset + 1);
  DrawDocument(&doc, true);
  UpdateBookmarkCheck();
  DrawTitleBox(&doc);
  return 1;
}

}  // namespace

void SetSearchViewHooks(const SearchViewHooks& hooks) {
  g_hooks = hooks;
}

int SearchAgain(WindowHandle owner) {
  if (SearchPattern().empty()) return 0;
  Document* doc = g_app.CurrentDocument.get();
  if (!doc) return 0;

  TextHit hit;
  if (doc->Text && doc->Lines) hit = FindInDocument(*doc, SearchStartOffset(*doc));
  if (Abandoned(doc)) return 0;
  if (hit) return ShowHit(*doc, hit);

  switch (ScanOtherLessons(*doc, hit)) {
    case LessonScan::Shown:
      return ShowHit(*doc, hit);
    case LessonScan::LayoutFailed:
      // The lesson is current but could not be laid out: show what the view now holds.
      Repaint();
      UpdateBookmarkCheck();
      return 0;
    case LessonScan::Abandoned:
      return 0;
    case LessonScan::NotFound:
      break;
  }

  if (doc->Text) hit = FindInDocument(*doc, 0);
  if (Abandoned(doc)) return 0;
  if (hit) return ShowHit(*doc, hit);
  ShowNotice(Notice::NotFound, owner);
  return 0;
}

int ShowLessonHit(std::uint16_t lesson, TextHit hit) {
  Document* doc = g_app.CurrentDocument.get();
  if (!doc || !hit || lesson < 1 || lesson > kLessonCount) return 0;
  TextBuffer text;
  {
    const QuietDecoding quiet;
    text = LoadRecord(lesson);
  }
  if (!text) return 0;
  SelectLesson(lesson, true);
  if (LayoutDocument(doc, std::move(text)) != kLayoutDone) {
    Repaint();
    UpdateBookmarkCheck();
    return 0;
  }
  return ShowHit(*doc, hit);
}

}  // namespace qm
