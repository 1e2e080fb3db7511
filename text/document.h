// A lesson text laid out into positioned display lines for one device and text rectangle.
#pragma once

#include <cstdint>
#include <memory>

#include "frame/app_state.h"
#include "frame/heap.h"
#include "store/records.h"
#include "text/fonts.h"
#include "text/text_device.h"

namespace qm {

struct LineEntry {
  std::uint16_t Offset = 0;
  std::uint16_t Length = 0;
  std::uint16_t X = 0;
  std::uint16_t Indent = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::uint8_t Style = 0;  // 0 ends the table
};

struct TextArea {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// The view's selection: two boundaries between the bytes of the text, as reading positions
// (text/selection.h); equal when nothing is selected. A new text clears it; a new layout of the
// same text (another size, font or zoom) keeps it.
struct TextSelection {
  std::uint16_t anchor = 0;  // where the selection began
  std::uint16_t focus = 0;   // where it reaches now
  bool Empty() const { return anchor == focus; }
  std::uint16_t From() const { return anchor < focus ? anchor : focus; }
  std::uint16_t To() const { return anchor < focus ? focus : anchor; }
};

struct Document {
  HeapArray<LineEntry> Lines;           // Capacity + 1 entries
  TextDevice* DeviceContext = nullptr;  // not owned
  TextBuffer Text;
  std::int32_t LinesShown = 0;
  FontSettings Settings;
  FontEntryPtr Fonts;
  const std::uint16_t* Widths = nullptr;  // CodeWidths of the font selected last
  TextArea TextRect;
  std::uint16_t TopLine = 0;
  std::uint16_t LineCount = 0;
  std::uint16_t EntryCount = 0;
  std::uint16_t Capacity = 0;
  std::uint16_t MaxTopLine = 0;
  std::uint16_t MarkStart = 0;
  std::uint16_t MarkEnd = 0;
  TextSelection Selection;
};

// Layout result codes (16-bit).
inline constexpr std::uint16_t kLayoutDone = 0;
inline constexpr std::uint16_t kLayoutNoText = 2;
inline constexpr std::uint16_t kLayoutBadText = 0xFFFC;
inline constexpr std::uint16_t kLayoutNoMemory = 0xFFFE;
inline constexpr std::uint16_t kLayoutNoDocument = 0xFFFF;
inline constexpr std::uint16_t kLayoutBadSize = 0xFFFB;  // -5

// rect is optional: left, top, right, bottom.
DocumentPtr CreateDocument(TextDevice* dc,
                           const Box* rect,
                           const FontSettings& settings,
                           int capacity);

// Lays out a newly handed-over text (the document releases the one it held). A null text
// releases the document's text and returns kLayoutNoText.
std::uint16_t LayoutDocument(Document* doc, TextBuffer text);
// Lays out the document's own text again (after a resize or a font change).
std::uint16_t RelayoutDocument(Document* doc);

std::uint16_t ResizeDocument(Document* doc, std::int32_t width, std::int32_t height);
std::uint16_t ComputeMaxTopLine(Document* doc);
int ScrollToOffset(Document* doc, std::uint16_t offset);
// The offset of the style byte of the paragraph whose line stands at the top of the view, so
// that a new layout of the same text (another size, font or zoom) can bring that paragraph back
// with ShowParagraphAtTop. 0 without lines.
std::uint16_t TopParagraph(const Document& doc);
// Scrolls to the first row of the paragraph that starts at `paragraph`, within the scroll range.
void ShowParagraphAtTop(Document& doc, std::uint16_t paragraph);
std::uint16_t GrowLines(Document& doc, std::uint16_t index);
// settings null: release every font. Returns -1, 0, 1, or the result of drawing.
int SetDocumentFont(Document* doc, const FontSettings* settings);
// New fonts for the settings and a new layout of the document's own text, without drawing; the
// layout's result code.
std::uint16_t ReplaceDocumentFonts(Document& doc, const FontSettings& settings);
void DestroyDocument(Document* doc, bool freeSelf);

}  // namespace qm
