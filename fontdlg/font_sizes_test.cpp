#include "fontdlg/font_sizes.h"

#include <gtest/gtest.h>

#include "frame/zoom.h"

namespace qm {
namespace {

using Rows = std::vector<std::int32_t>;

TEST(FontSizes, CurrentSizeIsSlottedBeforeTheFirstLargerValue) {
  const Rows column(kFontSizes.begin(), kFontSizes.end());
  EXPECT_EQ(SizeListRows(0), column);    // first start: nothing added
  EXPECT_EQ(SizeListRows(12), column);   // already in the column
  EXPECT_EQ(SizeListRows(100), column);  // above 72: no row

  const Rows nine = SizeListRows(9);
  ASSERT_EQ(nine.size(), 15u);
  EXPECT_EQ(nine[0], 9);
  EXPECT_EQ(nine[1], 10);

  const Rows thirteen = SizeListRows(13);
  ASSERT_EQ(thirteen.size(), 15u);
  EXPECT_EQ((Rows{thirteen.begin(), thirteen.begin() + 5}), (Rows{10, 11, 12, 13, 14}));

  const Rows forty = SizeListRows(40);
  EXPECT_EQ((Rows{forty.begin() + 11, forty.begin() + 14}), (Rows{32, 40, 52}));
}

TEST(FontSizes, NegativeSizeGoesFirst) {
  // A hand-edited negative size still gets exactly one row, at the top.
  const Rows rows = SizeListRows(-5);
  ASSERT_EQ(rows.size(), 15u);
  EXPECT_EQ(rows[0], -5);
}

// Zoom steps along the column, held at its ends; sizes between two values step to the next.
TEST(FontSizes, ZoomStepsAlongTheColumn) {
  EXPECT_EQ(ZoomedSize(14, 1), 16);
  EXPECT_EQ(ZoomedSize(14, -1), 12);
  EXPECT_EQ(ZoomedSize(15, 1), 16);
  EXPECT_EQ(ZoomedSize(15, -1), 14);
  EXPECT_EQ(ZoomedSize(28, 3), 72);
  EXPECT_EQ(ZoomedSize(72, 1), 72);
  EXPECT_EQ(ZoomedSize(10, -2), 10);
  EXPECT_EQ(ZoomedSize(100, -1), 72);
  EXPECT_EQ(ZoomedSize(0, 1), 16);  // no size stored counts as 14
  ZoomMemory memory;
  EXPECT_FALSE(memory.Original());
  memory.BeforeZoom(18);
  memory.BeforeZoom(20);
  EXPECT_EQ(memory.Original(), 18);
}

}  // namespace
}  // namespace qm
