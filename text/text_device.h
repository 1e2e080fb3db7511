// What the text, index and search code asks of a device context: fonts, metrics, extents,
// drawing of UTF-16 runs, fills, rectangles, pens, colours and bitmap blits. Method names avoid
// the platform header's macros (CreateFont, DrawText, ...), so one class reads the same everywhere.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

namespace qm {

using Colour = std::uint32_t;  // COLORREF, 0x00BBGGRR
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kNavy = Rgb(0, 0, 128);
inline constexpr Colour kBlue = Rgb(0, 0, 255);
inline constexpr Colour kRed = Rgb(255, 0, 0);
inline constexpr Colour kYellow = Rgb(255, 255, 0);

// A font, pen, brush or bitmap of the device; opaque, null when none.
using GdiObject = void*;

// Stock objects, with the platform's GetStockObject indices.
enum class Stock : int { WhiteBrush = 0, BlackBrush = 4, SystemFont = 13 };

// DrawTextW flags used by the program, with the platform's values.
namespace dt {
inline constexpr std::uint32_t Center = 0x1;
inline constexpr std::uint32_t VCenter = 0x4;
inline constexpr std::uint32_t SingleLine = 0x20;
inline constexpr std::uint32_t NoPrefix = 0x800;
inline constexpr std::uint32_t Run = Center | VCenter | SingleLine | NoPrefix;
// A run handed over in reading order reads as a right-to-left paragraph, so that a space at
// either end stays on the side where it stands in the lesson.
inline constexpr std::uint32_t RtlReading = 0x20000;
}  // namespace dt

inline constexpr int kTransparent = 1;  // background modes
inline constexpr int kOpaque = 2;

struct Box {  // left, top, right, bottom, as the platform's RECT
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The fields of a LOGFONTW that the program ever sets; everything else is 0.
struct FontRequest {
  std::int32_t height = 0;  // lfHeight
  std::int32_t weight = 0;  // lfWeight
  std::uint8_t underline = 0;
  char16_t faceName[32] = {};
};

struct TextMetrics {
  std::int32_t height = 0;        // tmHeight
  std::int32_t maxCharWidth = 0;  // tmMaxCharWidth
};

struct Extent {
  std::int32_t cx = 0, cy = 0;
};

class TextDevice {
 public:
  virtual ~TextDevice() = default;

  virtual GdiObject NewFont(const FontRequest& request) = 0;  // null on failure
  virtual GdiObject NewPen(Colour colour) = 0;                // solid, width 0
  virtual GdiObject NewSolidBrush(Colour colour) = 0;
  virtual GdiObject StockObject(Stock which) = 0;
  virtual GdiObject Select(GdiObject object) = 0;  // returns the object it replaced
  virtual void Delete(GdiObject object) = 0;

  virtual TextMetrics Metrics() = 0;  // of the selected font
  virtual std::int32_t LogPixelsY() = 0;
  virtual Extent TextExtent(std::u16string_view units) = 0;  // GetTextExtentPoint32W
  // GetTextExtentExPointW: how many units fit within maxWidth, and the extent of all units.
  virtual std::int32_t FitCount(std::u16string_view units,
                                std::int32_t maxWidth,
                                Extent* extent) = 0;
  // Whether the platform shows these units, handed over whole, in an order other than the
  // one given (GetCharacterPlacementW with GCP_REORDER in the selected font).
  virtual bool ReordersRun(std::u16string_view units) = 0;

  virtual void DrawUnits(std::u16string_view units, const Box& box, std::uint32_t flags) = 0;
  virtual void Fill(const Box& box, GdiObject brush) = 0;
  virtual void DrawRectangle(const Box& box) = 0;  // selected pen and brush
  // StretchBlt of a whole bitmap of w x h pixels to (x, y); false when nothing was drawn.
  virtual bool DrawBitmap(GdiObject bitmap,
                          std::int32_t x,
                          std::int32_t y,
                          std::int32_t w,
                          std::int32_t h) = 0;

  virtual Colour GetTextColor() = 0;
  virtual Colour SetTextColor(Colour colour) = 0;  // returns the previous colour
  virtual Colour SetBkColor(Colour colour) = 0;
  virtual int SetBkMode(int mode) = 0;
};

// Selects an object for one scope and puts the previous one back (move-only).
class ScopedSelect {
 public:
  ScopedSelect(TextDevice& dev, GdiObject object) : dev_(&dev), previous_(dev.Select(object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ScopedSelect(ScopedSelect&& other) noexcept
      : dev_(std::exchange(other.dev_, nullptr)), previous_(other.previous_) {}
  ~ScopedSelect() {
    if (dev_) dev_->Select(previous_);
  }
  GdiObject previous() const { return previous_; }

 private:
  TextDevice* dev_;
  GdiObject previous_;
};

}  // namespace qm
