// Creating, laying out and destroying the index outline.
#include "index/outline.h"

#include <algorithm>
#include <cstring>

#include "frame/alloc_or_abort.h"
#include "frame/dpi.h"
#include "index/index_fonts.h"
#include "text/conversion.h"
#include "text/fonts.h"

namespace qm {

namespace {

constexpr std::uint16_t kGrowBy = 128;
constexpr std::uint32_t kMaxCapacity = 0xFFFF - kGrowBy - 1;  // line counts are 16-bit
constexpr std::uint8_t kSpace = 0x20;

HeapArray<OutlineLine> NewLineTable(std::uint32_t lines) {
  auto* block = static_cast<OutlineLine*>(AllocOrAbort(lines * sizeof(OutlineLine)));
  if (block) std::fill(block, block + lines, OutlineLine{});
  return HeapArray<OutlineLine>(block);
}

bool GrowLineTable(IndexOutline& outline) {
  if (outline.Capacity > kMaxCapacity) return false;
  const std::uint32_t capacity = outline.Capacity + kGrowBy;
  HeapArray<OutlineLine> table = NewLineTable(capacity + 1);
  if (!table) return false;
  std::copy(outline.Lines.get(), outline.Lines.get() + outline.Capacity, table.get());
  outline.Lines = std::move(table);
  outline.Capacity = static_cast<std::uint16_t>(capacity);
  return true;
}

struct Fit {
  std::int32_t count;
  std::int32_t width;
};

Fit Measure(TextDevice& dc, const std::uint8_t* text, std::int32_t limit, std::int32_t count) {
  std::int32_t width = limit;
  FitByExtent(dc, text, width, count);
  return {count, width};
}

// How many bytes of the reading-order run go on one line, and their width. A line takes at
// least one byte, so that an area too narrow for anything still lets the layout advance.
Fit FitLine(TextDevice& dc, const std::uint8_t* run, std::int32_t n, std::int32_t limit) {
  Fit fit = Measure(dc, run, limit, n);
  fit.count = std::clamp(fit.count, 0, n);
  if (fit.count == 0) {
    // A code that converts to nothing measures as no units: the byte is taken all the same.
    Fit one = Measure(dc, run, 0x7FFFFFFF, 1);
    one.count = 1;
    return one;
  }
  if (fit.count < n && run[fit.count] != kSpace) {
    for (std::int32_t k = fit.count - 1; k >= 1; --k) {
      if (run[k] != kSpace) continue;
      const Fit word = Measure(dc, run, fit.width, k);
      return {k, word.width};
    }
  }
  return fit;
}

// The state of one layout pass: where lines go and what the result code is.
class Layout {
 public:
  explicit Layout(IndexOutline& outline) : o_(outline), dc_(*outline.DeviceContext) {}

  std::uint16_t Run() {
    // Fonts made for another DPI (the window moved to another monitor) are made again.
    if (const std::int32_t dpi = dc_.LogPixelsY(); dpi != o_.Dpi) {
      ReleaseIndexFonts(o_);
      o_.Fonts.reset();
      o_.Dpi = dpi;
    }
    ScopedOverride override(o_.Settings.FontAsciiBase);
    RestoreFont restore(dc_, SelectIndexFont(o_, StylePlain));
    height_ = dc_.Metrics().height;
    const std::span<const std::uint8_t> list = Entries(o_.Text);
    IndexEntry entry;
    std::uint16_t result = kLayoutDone;
    for (std::uint32_t at = 0; ReadIndexEntry(list, at, entry); at = entry.NextOffset()) {
      if (entry.TextOffset + entry.TextLength > 0xFFFF) break;  // line offsets are 16-bit
      result = LayEntry(entry);
      if (result != kLayoutDone) break;
    }
    o_.Lines[line_] = OutlineLine{};
    o_.LineCount = line_;
    ComputeOutlineMaxTop(&o_);
    return result;
  }

 private:
  std::uint16_t LayEntry(const IndexEntry& entry) {
    std::int32_t indent = ScaleToDpi(kIndentStep * entry.Level, o_.Dpi);
    if (indent >= o_.TextRect.width) indent = 0;
    if ((key_ ^ entry.EntryStyle) & kFontKeyMask) {
      SelectIndexFont(o_, entry.EntryStyle);
      height_ = dc_.Metrics().height;
    }
    key_ = entry.EntryStyle;
    // A line whose style is only Visible and Expanded would read as the end of the table
    // once those bits are cleared; such an entry is laid out as plain text.
    std::uint8_t style = entry.EntryStyle;
    if ((style & ~(kEntryVisible | kEntryExpanded)) == 0) style |= StylePlain;

    // Lines are broken in reading order, the reverse of the stored visual order.
    const auto n = static_cast<std::int32_t>(entry.TextLength);
    HeapArray<std::uint8_t> copy(static_cast<std::uint8_t*>(AllocOrAbort(n + 1)));
    if (!copy) return kLayoutNoMemory;
    const std::uint8_t* text = o_.Text.data() + entry.TextOffset;
    std::reverse_copy(text, text + n, copy.get());
    copy[n] = 0;

    std::int32_t s = 0;
    while (s < n) {
      while (s < n && copy[s] == kSpace)
        ++s;
      if (s == n) break;
      if (line_ >= o_.Capacity && !GrowLineTable(o_)) return kLayoutNoMemory;
      const Fit fit = FitLine(dc_, copy.get() + s, n - s, o_.TextRect.width - indent);
      OutlineLine& line = o_.Lines[line_];
      line.Offset = static_cast<std::uint16_t>(entry.TextOffset + (n - s - fit.count));
      line.Length = static_cast<std::uint16_t>(fit.count);
      line.Width = static_cast<std::uint16_t>(fit.width);
      line.Height = static_cast<std::uint16_t>(height_);
      line.EntryId = entry.EntryId;
      line.Style = style;
      line.X =
          static_cast<std::uint16_t>(o_.TextRect.left + o_.TextRect.width - fit.width - indent);
      if (line.Style & kEntryVisible) ++o_.VisibleCount;
      s += fit.count;
      ++line_;
    }
    return kLayoutDone;
  }

  IndexOutline& o_;
  TextDevice& dc_;
  std::int32_t height_ = 0;
  std::uint8_t key_ = StylePlain;
  std::uint16_t line_ = 0;
};

}  // namespace

OutlinePtr CreateOutline(TextDevice* dc,
                         const Box& rect,
                         const FontSettings& settings,
                         int capacity) {
  if (!dc) return nullptr;
  HeapObject<IndexOutline> made = MakeHeapObject<IndexOutline>();
  if (!made) return nullptr;
  OutlinePtr outline(made.release());
  outline->DeviceContext = dc;
  outline->Settings = settings;
  outline->TextRect = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  if (capacity > 0) {
    capacity = std::min<int>(capacity, kMaxCapacity);
    outline->Lines = NewLineTable(static_cast<std::uint32_t>(capacity) + 1);
    if (!outline->Lines) return nullptr;
    outline->Capacity = static_cast<std::uint16_t>(capacity);
  }
  return outline;
}

std::uint16_t LayoutOutline(IndexOutline* outline, IndexText text) {
  if (!outline) return kLayoutNoDocument;
  outline->Text = std::move(text);
  return RelayoutOutline(outline);
}

std::uint16_t RelayoutOutline(IndexOutline* outline) {
  if (!outline) return kLayoutNoDocument;
  outline->VisibleCount = 0;
  outline->MaxTopLine = 0;
  if (outline->Lines) outline->Lines[0] = OutlineLine{};
  outline->LineCount = 0;
  if (!outline->Text) return kLayoutNoText;
  IndexEntry first;
  if (!ReadIndexEntry(Entries(outline->Text), 0, first) || first.TextLength == 0) {
    outline->Text = IndexText{};  // an outline never holds a text it could not lay out
    return kLayoutBadText;
  }
  if (!outline->Lines || outline->Capacity == 0) {
    outline->Lines = NewLineTable(kGrowBy + 1);
    if (!outline->Lines) return kLayoutNoMemory;
    outline->Capacity = kGrowBy;
  }
  if (!outline->DeviceContext) return kLayoutNoDocument;
  return Layout(*outline).Run();
}

int ResizeOutline(IndexOutline* outline, std::int32_t width, std::int32_t height) {
  if (!outline) return -1;
  outline->TextRect.width = width;
  outline->TextRect.height = height;
  return RelayoutOutline(outline);
}

int ComputeOutlineMaxTop(IndexOutline* outline) {
  if (!outline || !outline->Lines || outline->VisibleCount == 0 || outline->LineCount == 0)
    return -1;
  auto room = static_cast<std::int16_t>(outline->TextRect.height);
  int fitting = 0;
  for (int i = outline->LineCount - 1; i >= 0; --i) {
    const OutlineLine& line = outline->Lines[i];
    if (line.Height > room) break;
    if (line.Style & kEntryVisible) {
      room = static_cast<std::int16_t>(room - line.Height);
      ++fitting;
    }
  }
  if (room < 0) --fitting;
  outline->MaxTopLine = static_cast<std::uint16_t>(outline->VisibleCount - fitting);
  return outline->MaxTopLine;
}

int LineIndent(const IndexOutline& outline, const OutlineLine& line) {
  return outline.TextRect.left + outline.TextRect.width - line.Width - LineLeft(line);
}

void DestroyOutline(IndexOutline* outline, bool releaseSelf) {
  if (!outline) return;
  ReleaseIndexFonts(*outline);
  outline->Fonts.reset();
  outline->Lines.reset();
  outline->Text = IndexText{};
  outline->Capacity = 0;
  outline->LineCount = 0;
  outline->VisibleCount = 0;
  if (releaseSelf) HeapDestroy<IndexOutline>{}(outline);
}

}  // namespace qm
