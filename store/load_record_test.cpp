#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/table_record_source.h"
#include "store/test_streams.h"
#include "tests/recording_notices.h"

namespace qm {
namespace {

using test::StreamBuilder;

constexpr std::int32_t kUntouched = -77;

// Counts lookups, so tests can tell that no lookup happened at all.
class CountingSource final : public RecordSource {
 public:
  explicit CountingSource(const RecordSource& inner) : inner_(inner) {}
  RecordLookup Find(std::uint16_t id, std::span<const std::uint8_t>& bytes) const override {
    ++finds;
    lastId = id;
    return inner_.Find(id, bytes);
  }
  mutable int finds = 0;
  mutable std::uint16_t lastId = 0;

 private:
  const RecordSource& inner_;
};

class LoadRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { SetRecordSource(&counting); }
  void TearDown() override { SetRecordSource(nullptr); }

  std::string Load(std::int32_t number) {
    TextBuffer text = LoadRecord(number, &status);
    return text ? std::string(reinterpret_cast<const char*>(text.get())) : "<null>";
  }

  const std::vector<std::uint8_t> first = StreamBuilder().Run({'o', 'n', 'e'}).Record(3);
  const std::vector<std::uint8_t> last = StreamBuilder().Run({'l', 'a', 's', 't'}).Record(4);
  const std::vector<std::uint8_t> index =
      StreamBuilder().Run({'i', 'n', 'd'}).Back(3, 3).Record(6, 1);
  const std::vector<std::uint8_t> damaged = StreamBuilder().Run({'x'}).Record(9);
  const std::vector<std::uint8_t> other = StreamBuilder().Run({'n', 'o'}).Record(2);
  const RecordEntry entries[6] = {
      {1001, first}, {1247, last}, {32767, index}, {1002, damaged}, {1003, {}}, {1001, other},
  };
  const TableRecordSource table{entries};
  CountingSource counting{table};
  std::int32_t status = kUntouched;
  RecordingNotices notices;
};

TEST_F(LoadRecordTest, NumbersMapToIdentifiersPlusAThousand) {
  EXPECT_EQ(Load(1), "one");
  EXPECT_EQ(counting.lastId, 1001);
  EXPECT_EQ(Load(247), "last");
  EXPECT_EQ(Load(kIndexRecord), "indind");
  EXPECT_EQ(counting.lastId, 32767);
  // The identifier keeps 16 bits only: 65537 + 1000 wraps to 1001.
  EXPECT_EQ(Load(65537), "one");
  EXPECT_EQ(status, kUntouched);
  EXPECT_TRUE(notices.shown.empty());
}

TEST_F(LoadRecordTest, NumbersBelowOneReturnAtOnceWithStatusUntouched) {
  for (const std::int32_t n : {0, -1, -1000, INT_MIN}) {
    EXPECT_EQ(Load(n), "<null>");
  }
  EXPECT_EQ(status, kUntouched);
  EXPECT_EQ(counting.finds, 0);
}

TEST_F(LoadRecordTest, MissingEmptyAndDamagedRecordsFail) {
  EXPECT_EQ(Load(248), "<null>");
  EXPECT_EQ(status, RecordNotFound);
  status = kUntouched;
  EXPECT_EQ(Load(INT_MAX), "<null>");  // wraps to identifier 999
  EXPECT_EQ(counting.lastId, 999);
  EXPECT_EQ(status, RecordNotFound);

  EXPECT_EQ(Load(3), "<null>");
  EXPECT_EQ(status, RecordUnreadable);
  EXPECT_TRUE(notices.shown.empty());

  EXPECT_EQ(Load(2), "<null>");
  EXPECT_EQ(status, LengthMismatch);
  EXPECT_EQ(notices.Count(Notice::UncompressError), 1);
}

TEST_F(LoadRecordTest, WithoutASourceNothingIsFound) {
  SetRecordSource(nullptr);
  EXPECT_EQ(Load(1), "<null>");
  EXPECT_EQ(status, RecordNotFound);
}

}  // namespace
}  // namespace qm
