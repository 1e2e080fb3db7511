// The index outline: the entry list laid out as right-aligned, word-wrapped lines that can be
// shown, hidden, expanded, scrolled and hit.
#pragma once

#include <cstdint>

#include "frame/app_state.h"
#include "frame/heap.h"
#include "index/heap_object.h"
#include "index/index_text.h"
#include "text/document.h"
#include "text/text_device.h"

namespace qm {

struct OutlineLine {
  std::uint16_t Offset = 0;  // first byte of the line in the text, in stored order
  std::uint16_t Length = 0;
  std::uint16_t X = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::uint16_t EntryId = 0;
  std::uint8_t Style = 0;  // 0 ends the table
};

// One font per font key, created on first use; no width tables.
struct IndexFont {
  HeapObject<IndexFont> Next;  // newest first
  GdiObject Font = nullptr;    // none after the fonts were released
  std::uint8_t Key = 0;
};

struct IndexOutline {
  HeapArray<OutlineLine> Lines;         // Capacity + 1 lines, for the terminator
  TextDevice* DeviceContext = nullptr;  // the dialog's, not owned
  IndexText Text;
  std::int32_t LinesShown = 0;
  FontSettings Settings;
  HeapObject<IndexFont> Fonts;
  TextArea TextRect;  // x, y, width, height
  std::uint16_t TopLine = 0;
  std::uint16_t VisibleCount = 0;
  std::uint16_t LineCount = 0;
  std::uint16_t Capacity = 0;
  std::uint16_t MaxTopLine = 0;
  // The DPI that the fonts, indents and marks are made for: the device's at the last layout.
  std::int32_t Dpi = 0;
};

void DestroyOutline(IndexOutline* outline, bool releaseSelf);

struct OutlineDeleter {
  void operator()(IndexOutline* outline) const { DestroyOutline(outline, true); }
};
using OutlinePtr = std::unique_ptr<IndexOutline, OutlineDeleter>;

// Pixels per Level, and the mark's room beside a line, at 96 dpi (scaled to the outline's Dpi).
inline constexpr int kIndentStep = 13;
inline constexpr std::int32_t kBelowLines = static_cast<std::int32_t>(0x80000000u);

// rect: left, top, right, bottom. Null without a device or memory; capacity > 0 gives a table.
OutlinePtr CreateOutline(TextDevice* dc,
                         const Box& rect,
                         const FontSettings& settings,
                         int capacity);

// Lays out a newly handed-over text, releasing the one held before. Returns kLayoutDone,
// kLayoutNoText, kLayoutBadText, kLayoutNoMemory or kLayoutNoDocument (text/document.h).
std::uint16_t LayoutOutline(IndexOutline* outline, IndexText text);
// Lays out the outline's own text again.
std::uint16_t RelayoutOutline(IndexOutline* outline);
// Stores the new size of the drawing area and lays out again; -1 without an outline.
int ResizeOutline(IndexOutline* outline, std::int32_t width, std::int32_t height);

// Largest useful TopLine; -1 (nothing changed) without a table, a line or a visible line.
int ComputeOutlineMaxTop(IndexOutline* outline);

// Left edge of a line's text; X holds it truncated to 16 bits, so it is read back signed.
inline int LineLeft(const OutlineLine& line) {
  return static_cast<std::int16_t>(line.X);
}
// Distance of a line's text from the area's right edge.
int LineIndent(const IndexOutline& outline, const OutlineLine& line);

inline bool IsLessonLine(const OutlineLine& line) {
  return (line.EntryId & kLessonIdBit) != 0;
}
inline bool IsHeadingLine(const OutlineLine& line) {
  return (line.EntryId & kHeadingIdBit) != 0;
}

// Shows the run of lines sharing the id of line `index`, walking by step (+1 or -1).
void ShowEntry(IndexOutline& outline, int index, int step);
// Shows the first lesson line of `lesson` and the entry after it, unless it is visible already.
void RevealLesson(IndexOutline* outline, std::uint16_t lesson);

// Visible entries and their Expanded bits, in table order, as (id, expanded) pairs ending with
// id 0; null without visible lines.
using ExpansionSnapshot = HeapArray<std::uint16_t>;
ExpansionSnapshot SnapshotExpansion(const IndexOutline* outline);
void RestoreExpansion(IndexOutline* outline, const std::uint16_t* snapshot);

// Expands or collapses the heading of line `index`, repaints; -(EntryId & 0x3FFF).
std::int32_t ToggleHeading(IndexOutline& outline, int index);
// A lesson number, 0, the result of a toggle, or kBelowLines.
std::int32_t HitTestOutline(IndexOutline* outline, std::int32_t x, std::int32_t y);
// Moves TopLine; -1 without an outline, 1 when nothing was drawn, else the paint's result.
int ScrollOutline(IndexOutline* outline, std::int32_t delta, int redraw, bool clamp);

// Index of the first line drawn for the current TopLine (LineCount when none).
int FirstShownLine(const IndexOutline& outline);

}  // namespace qm
