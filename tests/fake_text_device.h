// A recording text device with fixed, configurable metrics, for tests of text, index and search.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_device.h"

namespace qm {

class FakeTextDevice final : public TextDevice {
 public:
  enum class Op {
    NewFont,
    NewPen,
    NewBrush,
    Stock,
    Select,
    Delete,
    Metrics,
    LogPixels,
    Extent,
    Fit,
    Draw,
    Fill,
    Rectangle,
    Bitmap,
    GetTextColour,
    SetTextColour,
    SetBkColour,
    SetBkMode,
  };
  enum class Kind { None, Font, Pen, Brush, Bitmap };

  // One call. Fields that do not apply to the call keep their zero values.
  struct Call {
    Op op = Op::NewFont;
    GdiObject object = nullptr;  // created, selected, deleted, brush of a fill, bitmap
    FontRequest request;         // NewFont
    std::u16string units;        // Extent, Fit, Draw
    Box box;                     // Draw, Fill, Rectangle; Bitmap: x, y, x + w, y + h
    std::uint32_t flags = 0;     // Draw
    Colour colour = 0;           // NewPen, NewBrush, SetTextColour, SetBkColour; Draw: text colour
    Colour back = 0;             // Draw: background colour
    int value = 0;               // SetBkMode: mode; Stock: index; Fit: maxWidth; Draw: bk mode
    GdiObject font = nullptr;    // the font selected when the call was made
    GdiObject brush = nullptr;   // Rectangle: selected brush
    GdiObject pen = nullptr;     // Rectangle: selected pen
  };

  // The font selected before any other: the platform's system font.
  static constexpr int kSystemFontHeight = 16;

  FakeTextDevice();
  FakeTextDevice(const FakeTextDevice&) = delete;
  FakeTextDevice& operator=(const FakeTextDevice&) = delete;

  // --- Configuration ---
  std::int32_t logPixelsY = 96;
  std::int32_t defaultFontHeight = 16;  // tmHeight of a font requested with lfHeight 0
  std::int32_t maxCharWidth = 0;        // tmMaxCharWidth; 0: the font's height
  std::int32_t defaultAdvance = 8;      // advance of a unit absent from `advances`
  std::map<char16_t, std::int32_t> advances;
  // When set, it gives the advance of a unit in a font of the given tmHeight instead of the table.
  std::function<std::int32_t(char16_t unit, std::int32_t fontHeight)> advanceOf;
  int failFonts = 0;            // the next this many NewFont calls fail
  bool bitmapResult = true;     // what DrawBitmap answers for a non-null bitmap
  bool logQueries = true;       // record Metrics, LogPixels, Extent, Fit and GetTextColour
  bool reordersHebrew = false;  // ReordersRun's answer for a run that holds a Hebrew letter

  void SetAdvance(char16_t unit, std::int32_t width) { advances[unit] = width; }
  std::int32_t AdvanceOf(char16_t unit) const;  // in the selected font

  // --- Inspection ---
  std::vector<Call> log;
  void ClearLog() { log.clear(); }
  std::vector<Call> Calls(Op op) const;
  int Count(Op op) const;
  std::vector<Call> Draws() const { return Calls(Op::Draw); }
  std::u16string DrawnUnits() const;  // every Draw's units, concatenated

  Kind KindOf(GdiObject object) const;
  // Deletions of an object the device still had selected: the platform refuses them and the
  // object lives on (this device deletes it all the same, so that counts stay comparable).
  int deletedWhileSelected = 0;
  bool IsLive(GdiObject object) const;  // created and not deleted (stock objects count as live)
  int LiveCount(Kind kind) const;       // created objects of the kind not yet deleted
  const FontRequest* RequestOf(GdiObject font) const;  // null for the system font and non-fonts
  GdiObject SystemFont() const { return systemFont_; }
  GdiObject SelectedFont() const { return selFont_; }
  GdiObject SelectedPen() const { return selPen_; }
  GdiObject SelectedBrush() const { return selBrush_; }
  Colour TextColour() const { return textColour_; }
  Colour BkColour() const { return bkColour_; }
  int BkMode() const { return bkMode_; }
  std::int32_t HeightOf(GdiObject font) const;

  // --- TextDevice ---
  GdiObject NewFont(const FontRequest& request) override;
  GdiObject NewPen(Colour colour) override;
  GdiObject NewSolidBrush(Colour colour) override;
  GdiObject StockObject(Stock which) override;
  GdiObject Select(GdiObject object) override;
  void Delete(GdiObject object) override;

  TextMetrics Metrics() override;
  std::int32_t LogPixelsY() override;
  Extent TextExtent(std::u16string_view units) override;
  std::int32_t FitCount(std::u16string_view units, std::int32_t maxWidth, Extent* extent) override;
  bool ReordersRun(std::u16string_view units) override;

  void DrawUnits(std::u16string_view units, const Box& box, std::uint32_t flags) override;
  void Fill(const Box& box, GdiObject brush) override;
  void DrawRectangle(const Box& box) override;
  bool DrawBitmap(GdiObject bitmap,
                  std::int32_t x,
                  std::int32_t y,
                  std::int32_t w,
                  std::int32_t h) override;

  Colour GetTextColor() override;
  Colour SetTextColor(Colour colour) override;
  Colour SetBkColor(Colour colour) override;
  int SetBkMode(int mode) override;

 private:
  struct Object {
    Kind kind = Kind::None;
    bool live = true;
    bool stock = false;
    FontRequest request;
    Colour colour = 0;
  };

  GdiObject Add(const Object& object);
  const Object* Find(GdiObject handle) const;
  void Record(Call call);

  std::vector<Object> objects_;  // handle = index + 1
  GdiObject systemFont_ = nullptr;
  GdiObject stockWhite_ = nullptr;
  GdiObject stockBlack_ = nullptr;
  GdiObject selFont_ = nullptr;
  GdiObject selPen_ = nullptr;
  GdiObject selBrush_ = nullptr;
  Colour textColour_ = kBlack;
  Colour bkColour_ = kWhite;
  int bkMode_ = kOpaque;
};

}  // namespace qm
