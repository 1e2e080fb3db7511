// The text device over a Win32 device context that it does not own.
#pragma once

#include <windows.h>

#include "text/text_device.h"

namespace qm {

class GdiDevice final : public TextDevice {
 public:
  explicit GdiDevice(HDC dc) : dc_(dc) {}
  GdiDevice(const GdiDevice&) = delete;
  GdiDevice& operator=(const GdiDevice&) = delete;

  HDC Handle() const { return dc_; }

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
  HDC dc_;
};

}  // namespace qm
