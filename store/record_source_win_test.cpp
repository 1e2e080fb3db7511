#include "store/record_source_win.h"

#include <gtest/gtest.h>

#include <string>

#include "store/records.h"

namespace qm {
namespace {

class ResourceRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetRecordSource(&source); }
  void TearDown() override { SetRecordSource(nullptr); }

  std::string Load(std::int32_t number) {
    TextBuffer text = LoadRecord(number, &status);
    return text ? std::string(reinterpret_cast<const char*>(text.get())) : "<null>";
  }

  ResourceRecordSource source{GetModuleHandleW(nullptr)};
  std::int32_t status = -77;
};

TEST_F(ResourceRecordsTest, LoadsLessonsAndTheIndexFromTheModule) {
  EXPECT_EQ(Load(1), "ok");
  EXPECT_EQ(Load(kIndexRecord), "idx");
  EXPECT_EQ(status, -77);
}

TEST_F(ResourceRecordsTest, ReportsMissingAndEmptyResources) {
  EXPECT_EQ(Load(2), "<null>");
  EXPECT_EQ(status, RecordNotFound);
  EXPECT_EQ(Load(3), "<null>");
  EXPECT_EQ(status, RecordUnreadable);
}

TEST_F(ResourceRecordsTest, BytesAreTheResourceItselfNotACopy) {
  std::span<const std::uint8_t> a, b;
  ASSERT_EQ(source.Find(1001, a), RecordLookup::Found);
  ASSERT_EQ(source.Find(1001, b), RecordLookup::Found);
  EXPECT_EQ(a.data(), b.data());
  EXPECT_EQ(a.size(), 18u);
  EXPECT_EQ(a[0], 0x00);
  EXPECT_EQ(a[1], 0x0B);
}

}  // namespace
}  // namespace qm
