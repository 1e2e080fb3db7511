// The title box: rings, fill, lines and what it leaves selected, on the recording device.
#include "search/title_box.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame/app_state.h"
#include "tests/fake_text_device.h"
#include "text/conversion.h"

namespace qm {
namespace {

using Op = FakeTextDevice::Op;

TextBuffer MakeText(const std::vector<std::uint8_t>& bytes) {
  TextBuffer t = AllocArray<std::uint8_t>(bytes.size() + 2);
  std::memcpy(t.get(), bytes.data(), bytes.size());
  t[bytes.size()] = 0;
  t[bytes.size() + 1] = 0;
  return t;
}

class TitleBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    g_app.FontSettings.FontAsciiBase = BaseUnicode;
    FontSettings settings;
    settings.FontAsciiBase = BaseUnicode;
    const Box rect{10, 20, 410, 320};
    doc = CreateDocument(&dev, &rect, settings, 100);
    ASSERT_TRUE(doc);
  }
  void Lay(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(LayoutDocument(doc.get(), MakeText(bytes)), kLayoutDone);
    dev.ClearLog();
  }
  // tmHeight of the font the box drew with.
  std::int32_t DrawnHeight() const { return dev.HeightOf(dev.Draws().at(0).font); }

  FakeTextDevice dev;
  DocumentPtr doc;
};

TEST_F(TitleBoxTest, OneTitleLine) {
  Lay({0xD1, 0, 'a', 'b', 'c', 0, 0xB1, 0, 'x', 0, 0, 0});
  const GdiObject before = dev.SelectedFont();
  DrawTitleBox(doc.get());

  const auto draws = dev.Draws();
  ASSERT_EQ(draws.size(), 1u);
  const std::int32_t h = DrawnHeight();
  EXPECT_EQ(draws[0].units, (std::u16string{0x5D0, 0x5D1, 0x5D2}));
  EXPECT_EQ(draws[0].colour, kRed);
  EXPECT_EQ(draws[0].back, kYellow);

  // Outer box: 3 x 8 pixels of text plus 2h + 8, centred, at the foot of the text area.
  const std::int32_t w = 24 + 2 * h + 8;
  const Box outer{10 + (400 - w) / 2, 20 + 300 - h - 12, 10 + (400 - w) / 2 + w, 20 + 300 - 2};
  const auto rings = dev.Calls(Op::Rectangle);
  ASSERT_EQ(rings.size(), 5u);
  const auto pens = dev.Calls(Op::NewPen);
  ASSERT_EQ(pens.size(), 3u);
  EXPECT_EQ(pens[0].colour, kRed);
  EXPECT_EQ(pens[1].colour, kWhite);
  EXPECT_EQ(pens[2].colour, kBlue);
  const GdiObject ringPens[5] = {pens[0].object, pens[0].object, pens[1].object, pens[2].object,
                                 pens[2].object};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(rings[i].pen, ringPens[i]) << i;
    EXPECT_EQ(rings[i].box.left, outer.left + i) << i;
    EXPECT_EQ(rings[i].box.top, outer.top + i) << i;
    EXPECT_EQ(rings[i].box.right, outer.right - i) << i;
    EXPECT_EQ(rings[i].box.bottom, outer.bottom - i) << i;
  }
  const auto fills = dev.Calls(Op::Fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].box.left, outer.left + 5);
  EXPECT_EQ(fills[0].box.bottom, outer.bottom - 5);
  EXPECT_EQ(dev.Calls(Op::NewBrush).at(0).colour, kYellow);

  // The line is centred in the inner box, at its top.
  const std::int32_t inner = w - 10;
  EXPECT_EQ(draws[0].box.left, outer.left + 5 + (inner - 24) / 2);
  EXPECT_EQ(draws[0].box.top, outer.top + 5);
  EXPECT_EQ(draws[0].box.right - draws[0].box.left, 24);

  // Pens and brush released, font and conversion put back.
  EXPECT_EQ(dev.LiveCount(FakeTextDevice::Kind::Pen), 0);
  EXPECT_EQ(dev.LiveCount(FakeTextDevice::Kind::Brush), 0);
  EXPECT_EQ(dev.SelectedFont(), before);
  EXPECT_EQ(g_conversion.Override, BaseAsStored);
}

TEST_F(TitleBoxTest, TwoLinesAndAsciiLine) {
  // Line A from a 0xDC paragraph (ReaderCode), line B from a 0xC1 one (ASCII, as stored).
  Lay({0xDC, 0, 'a', 'b', 0, 0xC1, 0, 'x', 'y', 'z', 'w', 0, 0, 0});
  DrawTitleBox(doc.get());
  const auto draws = dev.Draws();
  ASSERT_EQ(draws.size(), 2u);
  const std::int32_t h = DrawnHeight();
  EXPECT_EQ(draws[0].units, (std::u16string{0x5D0, 0x5D1}));
  EXPECT_EQ(draws[1].units, u"xyzw");
  EXPECT_EQ(draws[1].box.top, draws[0].box.top + h);
  const auto rings = dev.Calls(Op::Rectangle);
  ASSERT_EQ(rings.size(), 5u);
  EXPECT_EQ(rings[0].box.top, 20 + 300 - 2 * h - 12);
  EXPECT_EQ(rings[0].box.right - rings[0].box.left, 32 + 2 * h + 8);
}

TEST_F(TitleBoxTest, WideTitleIsCutToTheTextArea) {
  std::vector<std::uint8_t> text{0xD1, 0};
  text.insert(text.end(), 60, 'a');  // 480 pixels in a 400-pixel area
  text.insert(text.end(), {0, 0, 0});
  Lay(text);
  DrawTitleBox(doc.get());
  const auto rings = dev.Calls(Op::Rectangle);
  ASSERT_EQ(rings.size(), 5u);
  EXPECT_EQ(rings[0].box.left, 10);
  EXPECT_EQ(rings[0].box.right, 410);
  ASSERT_EQ(dev.Draws().size(), 1u);
  EXPECT_EQ(dev.Draws()[0].units.size(), 50u);  // the count that fits
}

TEST_F(TitleBoxTest, NoTitleLines) {
  Lay({0xB1, 0, 'a', 0, 0xD1, 0, 'b', 0, 0, 0});
  DrawTitleBox(doc.get());
  EXPECT_EQ(dev.Count(Op::Rectangle), 0);
  EXPECT_EQ(dev.Count(Op::Draw), 0);
  DrawTitleBox(nullptr);
}

}  // namespace
}  // namespace qm
