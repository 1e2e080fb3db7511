// Life of a document: creation, resizing, font changes, release.
#include "text/document.h"

#include <algorithm>
#include <new>

#include "text/draw.h"

namespace qm {

namespace {
constexpr int kMaxCapacity = 0xFFFF - 128;  // room for one more growth step in 16 bits
}

void DocumentDeleter::operator()(Document* doc) const {
  DestroyDocument(doc, true);
}

DocumentPtr CreateDocument(TextDevice* dc,
                           const Box* rect,
                           const FontSettings& settings,
                           int capacity) {
  if (!dc) return nullptr;
  void* block = HeapAlloc(sizeof(Document));
  if (!block) return nullptr;
  DocumentPtr doc(new (block) Document{});
  doc->DeviceContext = dc;
  doc->Settings = settings;
  if (rect) {
    doc->TextRect = {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
  }
  if (capacity > 0) {
    capacity = std::min(capacity, kMaxCapacity);
    doc->Lines = AllocArray<LineEntry>(static_cast<std::size_t>(capacity) + 1);
    if (doc->Lines) {
      doc->Lines[0] = LineEntry{};
      doc->Capacity = static_cast<std::uint16_t>(capacity);
    }
  }
  return doc;
}

std::uint16_t ResizeDocument(Document* doc, std::int32_t width, std::int32_t height) {
  if (!doc) return kLayoutNoDocument;
  if (width <= 0 || height <= 0) return kLayoutBadSize;
  doc->TextRect.width = width;
  doc->TextRect.height = height;
  return RelayoutDocument(doc);
}

int SetDocumentFont(Document* doc, const FontSettings* settings) {
  if (!doc) return -1;
  if (settings) {
    if (ReplaceDocumentFonts(*doc, *settings) != kLayoutDone) return 1;
    return DrawDocument(doc, true);
  }
  TextDevice* dc = doc->DeviceContext;
  // The view keeps its device context, so one of these fonts is still selected into it, and the
  // platform does not delete a font that a device context holds.
  if (dc && doc->Fonts) dc->Select(dc->StockObject(Stock::SystemFont));
  for (FontEntry* e = doc->Fonts.get(); e; e = e->Next.get()) {
    if (e->Font && dc) dc->Delete(e->Font);
    e->Font = nullptr;
  }
  return 0;
}

std::uint16_t ReplaceDocumentFonts(Document& doc, const FontSettings& settings) {
  TextDevice* dc = doc.DeviceContext;
  // As there: the selected font must leave the device context before it can be deleted.
  if (dc && doc.Fonts) dc->Select(dc->StockObject(Stock::SystemFont));
  doc.Settings = settings;
  for (FontEntry* e = doc.Fonts.get(); e; e = e->Next.get()) {
    if (e->Font && dc) dc->Delete(e->Font);
    CreateStyleFont(doc, *e, e->Key);
  }
  return RelayoutDocument(&doc);
}

void DestroyDocument(Document* doc, bool freeSelf) {
  if (!doc) return;
  SetDocumentFont(doc, nullptr);
  doc->Fonts.reset();
  doc->Widths = nullptr;
  doc->Text.reset();
  doc->Lines.reset();
  doc->Capacity = doc->EntryCount = doc->LineCount = doc->MaxTopLine = doc->TopLine = 0;
  doc->MarkStart = doc->MarkEnd = 0;
  if (freeSelf) {
    doc->~Document();
    HeapRelease(doc);
  }
}

}  // namespace qm
