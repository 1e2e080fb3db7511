#include "text/gdi_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "index/index_fonts.h"
#include "index/index_test_text.h"
#include "index/outline_paint.h"
#include "search/title_box.h"
#include "text/fonts.h"
#include "text/run_order.h"

namespace qm {
namespace {

// A 32-bit memory bitmap selected into a memory device context, white to begin with.
class GdiDeviceTest : public ::testing::Test {
 protected:
  static constexpr int kW = 320, kH = 120;

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

  std::vector<COLORREF> Pixels(const RECT& r) const {
    std::vector<COLORREF> v;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        v.push_back(GetPixel(dc_, x, y));
    return v;
  }
  // The box drawn by the platform itself from `words` (DrawTextW as the reader draws runs).
  std::vector<COLORREF> Reference(const RECT& r, const wchar_t* words, COLORREF back) {
    RECT box = r;
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc_, &box, brush);
    DeleteObject(brush);
    DrawTextW(dc_, words, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return Pixels(r);
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

// On this platform the index and the title box are drawn as whole runs of a platform that
// reorders Hebrew: each must look exactly as the words drawn from reading order, not from the
// stored visual order.
TEST_F(GdiDeviceTest, WholeRunsLookAsTheirReadingOrder) {
  GdiDevice dev(dc_);
  ASSERT_TRUE(dev.ReordersRun(u"\u05D0\u05D3"));
  EXPECT_FALSE(dev.ReordersRun(u"\u00E0\u00E3"));
  ResetAppState();
  g_app.Bidi = PlatformBidi::Reorders;
  FontSettings settings;
  std::memcpy(settings.FontName, u"Frank Ruehl CLM", 32);
  settings.FontSize = 14;
  settings.FontAsciiBase = g_app.FontSettings.FontAsciiBase = BaseUnicode;
  const wchar_t* heading = L"\u05D7\u05D5\u05D3\u05E9 \u05EA\u05E9\u05E8\u05D9";  // month Tishri
  const wchar_t* backwards = L"\u05D9\u05E8\u05E9\u05EA \u05E9\u05D3\u05D5\u05D7";
  OutlinePtr o = CreateOutline(&dev, {0, 0, kW, kH}, settings, 0);
  ASSERT_EQ(LayoutOutline(o.get(), testing::MakeList({{0xBFFE, 0x8C, 1, "jyz{ zdfh"}})), 0);
  ASSERT_EQ(PaintOutline(o.get(), true), 0);
  const OutlineLine& line = o->Lines[0];
  const RECT r{line.X, 0, line.X + line.Width, line.Height};
  const auto drawn = Pixels(r);
  RestoreFont font(dev, SelectIndexFont(*o, line.Style));
  SetTextColor(dc_, RGB(0, 0, 255));
  EXPECT_EQ(drawn, Reference(r, heading, RGB(255, 255, 255)));
  EXPECT_NE(drawn, Reference(r, backwards, RGB(255, 255, 255)));

  const Box area{0, 0, kW, kH};
  DocumentPtr doc = CreateDocument(&dev, &area, settings, 0);
  const std::uint8_t title[] = {0xD1, 0,    '4',  '0',  ' ', 0x73, 0x6A,
                                0x77, 0x78, 0x73, 0x6D, 0,   0,    0};
  TextBuffer text = AllocArray<std::uint8_t>(sizeof title);
  std::memcpy(text.get(), title, sizeof title);
  ASSERT_EQ(LayoutDocument(doc.get(), std::move(text)), kLayoutDone);
  DrawTitleBox(doc.get());
  RECT yellow{kW, kH, 0, 0};  // the box's inside
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (GetPixel(dc_, x, y) == RGB(255, 255, 0))
        yellow = {std::min<LONG>(yellow.left, x), std::min<LONG>(yellow.top, y),
                  std::max<LONG>(yellow.right, x + 1), std::max<LONG>(yellow.bottom, y + 1)};
  const GdiObject previous = SelectStyleFont(doc.get(), StyleSmall);
  const RECT row{yellow.left, yellow.top, yellow.right, yellow.top + dev.Metrics().height};
  const auto box = Pixels(row);
  SetTextColor(dc_, RGB(255, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 0));
  EXPECT_EQ(box, Reference(row, L"\u05DC\u05E2\u05E7\u05E6\u05D9\u05E2 40", RGB(255, 255, 0)));
  EXPECT_NE(box, Reference(row, L"40 \u05E2\u05D9\u05E6\u05E7\u05E2\u05DC", RGB(255, 255, 0)));
  dev.Select(previous);
  ResetAppState();
}

}  // namespace
}  // namespace qm
