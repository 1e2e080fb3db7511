// Lengths at other DPIs and the choice among the pictures drawn for a few of them.
#include "frame/dpi.h"

#include <gtest/gtest.h>

#include <utility>

namespace qm {
namespace {

TEST(DpiTest, ScalesLengthsOfNinetySixDpi) {
  struct Case {
    std::int32_t pixels, dpi, scaled;
  };
  for (const Case& c : {Case{9, 96, 9}, Case{9, 0, 9}, Case{9, 120, 11}, Case{9, 144, 14},
                        Case{9, 192, 18}, Case{17, 144, 26}, Case{13, 120, 16}, Case{-3, 144, -5},
                        Case{0x7FFFFFFF, 96, 0x7FFFFFFF}, Case{1000000, 192, 2000000}})
    EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.scaled) << c.pixels << " at " << c.dpi;
}

TEST(DpiTest, ChoosesTheNearestDrawnPicture) {
  // Toolbar images of 16, 24 and 32 pixels; a tie goes to the larger one.
  struct Case {
    std::int32_t dpi, image, mark;
  };
  for (const Case& c : {Case{96, 16, 9}, Case{0, 16, 9}, Case{72, 16, 9}, Case{108, 16, 11},
                        Case{120, 24, 11}, Case{132, 24, 14}, Case{144, 24, 14}, Case{168, 32, 18},
                        Case{192, 32, 18}, Case{288, 32, 18}}) {
    EXPECT_EQ(ToolbarImageSize(c.dpi), c.image) << c.dpi;
    EXPECT_EQ(MarkSize(c.dpi), c.mark) << c.dpi;
  }
  for (const auto& [dpi, picture] : {std::pair{96, 1}, {120, 2}, {150, 3}, {192, 4}, {300, 4}})
    EXPECT_EQ(PictureForDpi(dpi, {1, 2, 3, 4}), picture) << dpi;
}

}  // namespace
}  // namespace qm
