#include "text/gdi_device.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qm {
namespace {

// A 32-bit memory bitmap selected into a memory device context, white to begin with.
class GdiDeviceTest : public ::testing::Test {
 protected:
  static constexpr int kW = 160, kH = 40;

  void SetUp() override {
    screen_ = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kW;
    info.bmiHeader.biHeight = -kH;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap_, nullptr);
    old_ = SelectObject(dc_, bitmap_);
    const RECT all{0, 0, kW, kH};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    ReleaseDC(nullptr, screen_);
  }
  // Pixels in the box that are not white.
  int Inked(const RECT& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        n += GetPixel(dc_, x, y) != RGB(255, 255, 255);
    return n;
  }

  HDC screen_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(GdiDeviceTest, FontsMetricsAndFits) {
  GdiDevice dev(dc_);
  EXPECT_GT(dev.LogPixelsY(), 0);
  FontRequest request;
  request.height = -20;
  request.weight = 700;
  std::copy_n(u"DejaVu Sans", 12, request.faceName);
  GdiObject font = dev.NewFont(request);
  ASSERT_NE(font, nullptr);
  {
    ScopedSelect select(dev, font);
    EXPECT_NE(select.previous(), nullptr);
    const TextMetrics m = dev.Metrics();
    EXPECT_GE(m.height, 18);
    EXPECT_GT(m.maxCharWidth, 0);
    const Extent one = dev.TextExtent(u"m");
    const Extent four = dev.TextExtent(u"mmmm");
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(four.cx, 4 * one.cx);
    Extent all;
    EXPECT_EQ(dev.FitCount(u"mmmm", 2 * one.cx + 1, &all), 2);
    EXPECT_EQ(all.cx, four.cx);
    EXPECT_EQ(dev.FitCount(u"mmmm", 1000, nullptr), 4);
  }
  dev.Delete(font);
  EXPECT_EQ(dev.Select(nullptr), nullptr);
}

// A face that holds Hebrew but no Western code page is still the face the request names.
TEST_F(GdiDeviceTest, HebrewOnlyFaceIsTaken) {
  GdiDevice dev(dc_);
  FontRequest request;
  request.height = -20;
  request.weight = 400;
  std::copy_n(u"Frank Ruehl CLM", 16, request.faceName);
  GdiObject font = dev.NewFont(request);
  ASSERT_NE(font, nullptr);
  {
    ScopedSelect select(dev, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc_, LF_FACESIZE, face);
    EXPECT_STREQ(face, L"Frank Ruehl CLM");
    // Alef is one of its own glyphs, not the missing-glyph box.
    WORD glyph = 0;
    EXPECT_EQ(GetGlyphIndicesW(dc_, L"\u05D0", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS), 1u);
    EXPECT_NE(glyph, 0xFFFF);
  }
  dev.Delete(font);
}

TEST_F(GdiDeviceTest, DrawsTextFillsRectanglesAndBitmaps) {
  GdiDevice dev(dc_);
  dev.SetBkMode(kTransparent);
  EXPECT_EQ(dev.SetTextColor(kBlue), kBlack);
  EXPECT_EQ(dev.GetTextColor(), kBlue);
  dev.DrawUnits(u"\u05D0\u05D1", {0, 0, 40, 40}, dt::Run);
  EXPECT_GT(Inked({0, 0, 40, 40}), 0);

  GdiObject brush = dev.NewSolidBrush(kYellow);
  dev.Fill({50, 0, 60, 10}, brush);
  dev.Delete(brush);
  EXPECT_EQ(GetPixel(dc_, 55, 5), RGB(255, 255, 0));

  {
    ScopedSelect black(dev, dev.StockObject(Stock::BlackBrush));
    dev.DrawRectangle({70, 5, 90, 6});
  }
  EXPECT_EQ(GetPixel(dc_, 80, 5), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc_, 80, 7), RGB(255, 255, 255));

  HBITMAP red = CreateCompatibleBitmap(dc_, 2, 2);
  {
    HDC source = CreateCompatibleDC(dc_);
    HGDIOBJ previous = SelectObject(source, red);
    const RECT r{0, 0, 2, 2};
    HBRUSH fill = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(source, &r, fill);
    DeleteObject(fill);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  EXPECT_TRUE(dev.DrawBitmap(red, 100, 0, 8, 8));
  EXPECT_EQ(GetPixel(dc_, 107, 7), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc_, 108, 8), RGB(255, 255, 255));
  EXPECT_FALSE(dev.DrawBitmap(nullptr, 0, 0, 8, 8));
  DeleteObject(red);
}

}  // namespace
}  // namespace qm
