// Lesson text for dialog controls: conversion, order, face.
#include "text/dialog_text_win.h"

#include <algorithm>

#include "text/conversion.h"
#include "text/document.h"
#include "text/fonts.h"
#include "text/run_order.h"

namespace qm {

const FontSettings& ViewFontSettings() {
  if (const Document* doc = g_app.CurrentDocument.get()) return doc->Settings;
  return g_app.FontSettings;
}

std::wstring WindowTextOf(const TextPiece& piece) {
  const bool rtl = (piece.style & StyleReaderCode) != 0;
  const ScopedOverride scope(rtl ? ViewFontSettings().FontAsciiBase : BaseAsStored);
  const auto count = static_cast<std::int32_t>(piece.bytes.size());
  std::int32_t extra = 0;
  const char16_t* units = ToDisplayText(piece.bytes.data(), g_conversion, count, &extra);
  if (!units) return {};
  return std::wstring(units, units + count + extra);
}

HFONT CreateReaderFont(HWND window, int points, bool bold) {
  LOGFONTW lf{};
  HDC dc = GetDC(window);
  lf.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(window, dc);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;  // the face decides, as for the view's fonts
  const FontSettings& settings = ViewFontSettings();
  std::copy_n(settings.FontName, LF_FACESIZE - 1, lf.lfFaceName);
  return CreateFontIndirectW(&lf);
}

void ReadRightToLeft(HWND control) {
  if (!PlatformReadsInReadingOrder(ViewFontSettings().FontAsciiBase)) return;
  const LONG_PTR ex = GetWindowLongPtrW(control, GWL_EXSTYLE);
  SetWindowLongPtrW(control, GWL_EXSTYLE, ex | WS_EX_RTLREADING);
}

}  // namespace qm
