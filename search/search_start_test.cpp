// Where Search Again starts: top line, blank rows, the end of the table, after a hit.
#include "search/search_start.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace qm {
namespace {

// Text: paragraph 1 "abcdefgh" at offsets 2..9 (zero 10), paragraph 2 "ijkl" at 13..16 (zero
// 17). Lines in reading order: 7..9, 2..6 with a blank row after it, 13..16.
class SearchStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::uint8_t text[] = {0xB1, 0, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0,
                                 0xB1, 0, 'i', 'j', 'k', 'l', 0,   0,   0,   0};
    doc.Text = AllocArray<std::uint8_t>(sizeof text);
    std::memcpy(doc.Text.get(), text, sizeof text);
    const LineEntry lines[] = {
        {7, 3, 0, 0, 30, 10, 0x31}, {2, 5, 0, 0, 50, 10, 0xB1}, {13, 4, 0, 0, 40, 10, 0x31}, {}};
    doc.Lines = AllocArray<LineEntry>(4);
    std::memcpy(doc.Lines.get(), lines, sizeof lines);
    doc.EntryCount = 3;
    doc.LineCount = 4;
    doc.MaxTopLine = 2;
  }
  std::uint16_t Start(std::uint16_t top, std::uint16_t markStart = 0, std::uint16_t markEnd = 0) {
    doc.TopLine = top;
    doc.MarkStart = markStart;
    doc.MarkEnd = markEnd;
    return SearchStartOffset(doc);
  }
  Document doc;
};

TEST_F(SearchStartTest, TopLineWithoutHit) {
  EXPECT_EQ(Start(0), 9);
  EXPECT_EQ(Start(1), 6);
  EXPECT_EQ(Start(2), 16);  // the blank row: the next entry is the top line
  EXPECT_EQ(Start(3), 16);
  // TopLine = LineCount: no entry qualifies, the current lesson waits for the wrap-around.
  EXPECT_EQ(Start(4), 0xFFFF);
}

TEST_F(SearchStartTest, ContinuesAfterHitOnTopLine) {
  EXPECT_EQ(Start(0, 8, 10), 7);
  // A hit down to the line's lowest byte continues below it, not on the hit again (the line
  // below ends right under it).
  EXPECT_EQ(Start(0, 7, 9), 6);
  // A hit down to its paragraph's first stored byte continues with the next paragraph.
  EXPECT_EQ(Start(1, 2, 5), 11);
  // ... and at the end of the document with nothing: past the last paragraph.
  EXPECT_EQ(Start(3, 13, 16), 18);
}

TEST_F(SearchStartTest, StartsOverAfterScrollingAway) {
  EXPECT_EQ(Start(1, 8, 10), 6);  // the hit is no longer on the top line
  // On the last page the search continues after the hit wherever it is.
  doc.MaxTopLine = 1;
  EXPECT_EQ(Start(1, 8, 10), 7);
}

}  // namespace
}  // namespace qm
