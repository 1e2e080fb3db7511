// What the outline shows: revealing a lesson, expansion across layouts, toggles, hits, scrolling.
#include <algorithm>

#include "frame/dpi.h"
#include "index/outline.h"
#include "index/outline_paint.h"

namespace qm {

namespace {

bool HasTable(const IndexOutline* outline) {
  return outline && outline->Text && outline->Lines;
}

bool IsVisible(const OutlineLine& line) {
  return (line.Style & kEntryVisible) != 0;
}

// Index just past the run of lines that share the id of line `index`.
int EntryEnd(const IndexOutline& outline, int index) {
  const std::uint16_t id = outline.Lines[index].EntryId;
  int i = index;
  while (i < outline.LineCount && outline.Lines[i].EntryId == id)
    ++i;
  return i;
}

int EntryStart(const IndexOutline& outline, int index) {
  const std::uint16_t id = outline.Lines[index].EntryId;
  int i = index;
  while (i > 0 && outline.Lines[i - 1].EntryId == id)
    --i;
  return i;
}

}  // namespace

int FirstShownLine(const IndexOutline& outline) {
  int i = 0;
  for (int passed = 0; passed < outline.TopLine && i < outline.LineCount; ++i)
    if (IsVisible(outline.Lines[i])) ++passed;
  return i;
}

void ShowEntry(IndexOutline& outline, int index, int step) {
  if (!outline.Lines || index < 0 || index >= outline.LineCount) return;
  const std::uint16_t id = outline.Lines[index].EntryId;
  for (int i = index; i >= 0 && i < outline.LineCount; i += step) {
    OutlineLine& line = outline.Lines[i];
    if (line.Style == 0 || line.EntryId != id) break;
    if (IsVisible(line)) continue;
    line.Style |= kEntryVisible;
    ++outline.VisibleCount;
    if (id & kHeadingIdBit) line.Style &= static_cast<std::uint8_t>(~kEntryExpanded);
  }
}

void RevealLesson(IndexOutline* outline, std::uint16_t lesson) {
  if (!HasTable(outline) || lesson == 0 || outline->LineCount == 0) return;
  IndexOutline& o = *outline;
  int found = -1;
  for (int i = 0; i < o.LineCount && found < 0; ++i) {
    const OutlineLine& line = o.Lines[i];
    if ((line.EntryId & kEntryNumberMask) == lesson && !(line.EntryId & kHeadingIdBit)) found = i;
  }
  if (found < 0 || IsVisible(o.Lines[found])) return;

  ShowEntry(o, found, +1);
  ShowEntry(o, EntryEnd(o, found), +1);
  int indent = LineIndent(o, o.Lines[found]);
  for (int i = found - 1; i >= 0; --i) {
    const int own = LineIndent(o, o.Lines[i]);
    if (own >= indent) continue;
    ShowEntry(o, i, -1);
    indent = own;
  }
  ComputeOutlineMaxTop(outline);
}

ExpansionSnapshot SnapshotExpansion(const IndexOutline* outline) {
  if (!HasTable(outline)) return nullptr;
  const IndexOutline& o = *outline;
  const auto visible = std::count_if(o.Lines.get(), o.Lines.get() + o.LineCount, IsVisible);
  if (visible == 0) return nullptr;
  ExpansionSnapshot list = AllocArray<std::uint16_t>(static_cast<std::size_t>(visible) * 2 + 2);
  if (!list) return nullptr;
  std::size_t n = 0;
  std::uint16_t last = 0;
  for (int i = 0; i < o.LineCount; ++i) {
    const OutlineLine& line = o.Lines[i];
    if (!IsVisible(line) || line.EntryId == last) continue;
    last = line.EntryId;
    list[n++] = line.EntryId;
    list[n++] = line.Style & kEntryExpanded;
  }
  list[n++] = 0;
  list[n] = 0;
  return list;
}

// The snapshot decides exactly what is shown: entries it does not name are hidden, so that a
// section collapsed by the user stays collapsed although its text starts it visible.
void RestoreExpansion(IndexOutline* outline, const std::uint16_t* snapshot) {
  if (!HasTable(outline) || !snapshot) return;
  IndexOutline& o = *outline;
  for (int i = 0; i < o.LineCount; ++i)
    o.Lines[i].Style &= static_cast<std::uint8_t>(~(kEntryVisible | kEntryExpanded));
  o.VisibleCount = 0;
  int at = 0;
  for (const std::uint16_t* pair = snapshot; pair[0] != 0; pair += 2) {
    while (at < o.LineCount && o.Lines[at].EntryId != pair[0])
      ++at;
    if (at == o.LineCount) break;
    for (; at < o.LineCount && o.Lines[at].EntryId == pair[0]; ++at) {
      o.Lines[at].Style |= static_cast<std::uint8_t>(kEntryVisible | (pair[1] & kEntryExpanded));
      ++o.VisibleCount;
    }
    --at;  // the next search starts from the last line of the run
  }
  ComputeOutlineMaxTop(outline);
}

std::int32_t ToggleHeading(IndexOutline& outline, int index) {
  IndexOutline& o = outline;
  const std::uint16_t id = o.Lines[index].EntryId & kEntryNumberMask;
  const bool wasExpanded = (o.Lines[index].Style & kEntryExpanded) != 0;
  // Every line of a wrapped heading carries the same Expanded bit, so its mark stays true.
  const int start = EntryStart(o, index);
  const int end = EntryEnd(o, index);
  for (int i = start; i < end; ++i)
    o.Lines[i].Style ^= kEntryExpanded;

  const int own = LineIndent(o, o.Lines[start]);
  const std::uint16_t before = o.VisibleCount;
  int childIndent = end < o.LineCount ? LineIndent(o, o.Lines[end]) : 0;
  // Only deeper lines are children: a heading followed by a sibling has none to hide.
  for (int i = end; i < o.LineCount && childIndent > own; ++i) {
    OutlineLine& line = o.Lines[i];
    const int indent = LineIndent(o, line);
    if (indent < childIndent || indent <= own) break;
    if (line.EntryId == o.Lines[start].EntryId && indent == childIndent) {
      childIndent = i + 1 < o.LineCount ? LineIndent(o, o.Lines[i + 1]) : 0;
      continue;
    }
    if (wasExpanded && IsVisible(line)) {
      line.Style &= static_cast<std::uint8_t>(~kEntryVisible);
      --o.VisibleCount;
    } else if (!wasExpanded && indent == childIndent && !IsVisible(line)) {
      line.Style |= kEntryVisible;
      ++o.VisibleCount;
    }
  }
  if (o.VisibleCount != before) ComputeOutlineMaxTop(&o);
  PaintOutline(&o, true);
  return -static_cast<std::int32_t>(id);
}

std::int32_t HitTestOutline(IndexOutline* outline, std::int32_t x, std::int32_t y) {
  if (!HasTable(outline)) return 0;
  IndexOutline& o = *outline;
  const TextArea& r = o.TextRect;
  if (x < r.left || x > r.left + r.width || y < r.top || y > r.top + r.height) return 0;

  std::int32_t bottom = r.top;
  std::int32_t room = r.height;
  for (int i = FirstShownLine(o); i < o.LineCount; ++i) {
    const OutlineLine& line = o.Lines[i];
    if (room < line.Height) return kBelowLines;
    if (!IsVisible(line)) continue;
    bottom += line.Height;
    room -= line.Height;
    if (y > static_cast<std::int16_t>(bottom)) continue;

    const int left = LineLeft(line);
    if (x < left) return 0;
    const bool inSpan = x <= left + line.Width + ScaleToDpi(kIndentStep, o.Dpi);
    if (inSpan && IsLessonLine(line)) {
      const int lesson = line.EntryId & kEntryNumberMask;
      return lesson <= kLessonCount ? lesson : 0;
    }
    return IsHeadingLine(line) ? ToggleHeading(o, i) : 0;
  }
  return kBelowLines;
}

int ScrollOutline(IndexOutline* outline, std::int32_t delta, int redraw, bool clamp) {
  if (!outline) return -1;
  std::int32_t top = outline->TopLine + delta;
  if (top < 0)
    top = 0;
  else if (clamp || top > outline->VisibleCount)
    top = std::min<std::int32_t>(top, outline->MaxTopLine);
  if (redraw == 1 && top == outline->TopLine) return 1;
  outline->TopLine = static_cast<std::uint16_t>(top);
  return redraw ? PaintOutline(outline, true) : 1;
}

}  // namespace qm
