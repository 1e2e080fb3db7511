// The program's one shared state record, the font choice and the option word.
#pragma once

#include <cstdint>
#include <memory>

namespace qm {

struct Document;  // text/document.h

// Opaque platform handles: portable code passes them through without looking inside.
using WindowHandle = void*;
using InstanceHandle = void*;
using BitmapHandle = void*;

inline constexpr std::uint16_t kLessonCount = 247;
inline constexpr int kIndexRecord = 31767;

inline constexpr char16_t kProductTitle[] = u"Quillmere - 5770 (yid)";

// Values of FontSettings::FontAsciiBase and of the conversion override.
inline constexpr std::int32_t BaseAsStored = 0x61;
inline constexpr std::int32_t BaseUnicode = 0x5D0;
inline constexpr std::int32_t BaseEightBit = 224;

struct FontSettings {
  char16_t FontName[32] = {};      // face name, at most 31 units; empty: none chosen yet
  std::int32_t FontSize = 0;       // points; 0: no size stored
  std::int32_t FontAsciiBase = 0;  // 224 (8-bit Hebrew fonts) or 0x5D0 (Unicode)
};

// How the platform shows a run of Hebrew letters handed to it whole: as given (each unit where
// the run puts it), or reordered by the bidirectional algorithm, so that it expects the run in
// reading order. Asked of the platform once, when the view opens (text/run_order.h).
enum class PlatformBidi : std::uint8_t { AsGiven, Reorders };

// Bits of AppState::Flags.
namespace flags {
inline constexpr std::uint32_t LessonPinned = 1u << 2;
inline constexpr std::uint32_t ScrollBarShown = 1u << 6;
inline constexpr std::uint32_t ScrollBarLeft = 1u << 7;
inline constexpr std::uint32_t ReverseText = 1u << 11;
inline constexpr int KeyPageModeShift = 20;
inline constexpr int ClickPageModeShift = 24;
inline constexpr std::uint32_t ModeMask = 7;
inline constexpr std::uint32_t ClickUpperLower = 1u << 28;
inline constexpr std::uint32_t ClickPaging = 1u << 31;
inline constexpr std::uint32_t Default = 0xD1140040;

constexpr std::uint32_t KeyPageMode(std::uint32_t f) {
  return (f >> KeyPageModeShift) & ModeMask;
}
constexpr std::uint32_t ClickPageMode(std::uint32_t f) {
  return (f >> ClickPageModeShift) & ModeMask;
}
}  // namespace flags

struct DocumentDeleter {
  void operator()(Document* doc) const;  // defined with Document
};
using DocumentPtr = std::unique_ptr<Document, DocumentDeleter>;

struct HeapFree {
  void operator()(void* p) const;  // frame/heap.cpp
};

struct AppState {
  InstanceHandle Instance = nullptr;
  ::qm::FontSettings FontSettings;  // the chosen font
  std::uint16_t SavedPosition = 0;
  std::uint32_t Flags = 0;
  std::uint16_t CurrentLesson = 0;
  std::uint8_t SearchText[34] = {};  // zero-terminated ReaderCode, visual order
  DocumentPtr CurrentDocument;
  std::int32_t FrameHeight = 0;
  std::int32_t FrameWidth = 0;
  std::int32_t Gutter = 0;
  WindowHandle Toolbar = nullptr;
  WindowHandle MainWindow = nullptr;
  BitmapHandle MarkBitmaps[3] = {};
  std::uint16_t BookmarkCount = 0;
  std::unique_ptr<std::uint16_t[], HeapFree> BookmarkList;  // ends with a 0 entry
  std::uint32_t BookmarkPromptOff = 0;
  PlatformBidi Bidi = PlatformBidi::AsGiven;
};

// The one record. ResetAppState() gives every field its zero value.
extern AppState g_app;
void ResetAppState();

}  // namespace qm
